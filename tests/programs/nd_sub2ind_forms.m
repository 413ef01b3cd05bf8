% sub2ind and ind2sub with any number of subscripts and outputs, and the messages for
% subscripts out of range, which name the position among all the subscripts and the
% extents as given.
try, sub2ind([2 3 4], 3, 1, 1), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1, 4, 1), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1, 1, 5), catch e, disp(e.message), end
try, sub2ind([2 3 4 5], 1, 1, 1, 6), catch e, disp(e.message), end
try, sub2ind([2 3 4 5], 1, 1, 21), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1, 1, 1, 2), catch e, disp(e.message), end
try, sub2ind([2 3 4], 0, 1, 1), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1.5, 1, 1), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1, 13), catch e, disp(e.message), end
try, sub2ind([2 3 4], 25), catch e, disp(e.message), end
try, sub2ind([2 3 1 1], 1, 1, 1, 2), catch e, disp(e.message), end
try, sub2ind([2 3 4], 3, 1, 1, 1, 1), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1, 1, 1, 1, 1, 2), catch e, disp(e.message), end
try, sub2ind([2 3 4], 1, 1, 1, 1, 2, 1), catch e, disp(e.message), end
try, sub2ind([2 3 4], [1 2], [1 2 3], 1), catch e, disp(e.message), end
try, [a, b, c, d] = ind2sub([2 3 4], 30), catch e, disp(e.message), end
try, [a, b, c] = ind2sub([2 3 4 5], 121), catch e, disp(e.message), end
i = sub2ind([2 3 4], 1, 7)
i = sub2ind([2 3 4 5], 2, 3, 20)
i = sub2ind([2 3 4 5], [1 2], [3 3], [4 4], [5 1])
x = sub2ind([2 3 4], 1, 1, 1, 1, 1)
[a, b] = ind2sub([2 3 4], 24)
[a, b, c, d] = ind2sub([2 3 4], [24 7])
[a, b, c] = ind2sub([2 3 4 5], 120)
