t = issorted([1 2; 3 4])
