% An assignment whose value does not fit the selection fails with the extents of both
% and leaves the variable as it was, even when the subscripts reach past its end.
A = reshape(1:8, 2, 2, 2);
try, A(:, :, 3) = [1 2 3; 4 5 6], catch e, disp(e.message), end
try, A(:, :, 3) = [1 2 3], catch e, disp(e.message), end
try, A(:, 1, 3) = [1 2 3], catch e, disp(e.message), end
try, A(:, :, 2:3) = ones(2, 3, 2), catch e, disp(e.message), end
try, A(1, :, 3) = [1 2 3], catch e, disp(e.message), end
size(A)
A(:, :, 3) = [9 9; 9 9];
size(A)
% A DIM below 1 in reductions, with each function's own words.
try, sum(A, 0), catch e, disp(e.message), end
try, prod(A, -1), catch e, disp(e.message), end
try, cumsum(A, 0), catch e, disp(e.message), end
try, cumprod(A, -1), catch e, disp(e.message), end
try, any(A, -1), catch e, disp(e.message), end
try, max(A, [], 0), catch e, disp(e.message), end
try, flip(A, 0), catch e, disp(e.message), end
