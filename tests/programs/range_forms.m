% range: max minus min along the first non-singleton dimension or a given one.
r = range([3 1 4 1 5 9 2 6])
r = range([3; 1; 4])
r = range([1 2; 5 0; 3 7])
r = range([1 2; 5 0; 3 7], 2)
r = range([1 NaN 3])
r = range(5)
r = range([])
r = range(zeros(0, 3))
r = range(int8([-100 100]))
A = reshape(1:8, 2, 2, 2);
r = range(A, 3)
