% polyfit to points on a line and polyval on matrices and empties.
p = polyfit([1 2 3 4], [3 5 7 9], 1)
y = polyval([2 1], [1 2; 3 4])
c = polyval(5, [1 2 3])
z = polyval([1 2 3], [])
q = polyval([1 0 0], -2)
