% histc takes only real values
n = histc([1 2 3], [0 2])
n = histc([1+2i 3], [0 2 4])
