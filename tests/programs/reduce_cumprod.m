% cumprod: running products down columns, along rows, and along a third dimension
% precision-independent
v = cumprod([1 2 3 4])
w = cumprod([2; 3; 4])
A = [1 2 3; 4 5 6];
cumprod(A)
cumprod(A, 1)
cumprod(A, 2)
cumprod(A, 3)
% a zero stops the product; NaN and Inf carry on
cumprod([2 0 5 7])
cumprod([1 NaN 2])
cumprod([Inf 0 1])
cumprod([-1 -2 -3])
% empty matrices keep their shape
cumprod([])
cumprod(zeros(0, 3))
cumprod(zeros(3, 0), 2)
cumprod(zeros(1, 0))
% logical values give numbers; a single element is itself
cumprod([true true false])
cumprod(7)
cumprod(7, 2)
% DIM 0 is the first dimension that is not 1, a DIM beyond the last keeps each
% element; a fractional DIM is refused
X = [1 0 3; 4 5 0];
cumprod(X, 0)
cumprod([2 3 4], 0)
cumprod(X, 3)
cumprod(X, 200)
try, cumprod(X, 1.5), catch err, disp(err.message), end
