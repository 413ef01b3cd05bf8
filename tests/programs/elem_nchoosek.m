% nchoosek: binomial coefficients at the edges, combinations of the elements of a row.
% precision-independent
% MATLAB also takes a column vector of elements (Octave 7 fails on one); the unit tests
% cover that form.
nchoosek(5, 2)
nchoosek(5, 0)
nchoosek(5, 5)
nchoosek(0, 0)
nchoosek(30, 15)
nchoosek([1 2 3 4], 2)
nchoosek([1 2 3], 3)
nchoosek([1 2 3], 0)
c = nchoosek([1 2 3], 4)
nchoosek([5 6], 1)
% the rows keep the class of the elements
nchoosek(int8([1 2 3]), 2)
nchoosek('abc', 2)
class(nchoosek(single([1 2 3]), 2))
nchoosek([true false true], 2)
