% precision-independent
% predicates on the shape and kind of values
a = [isscalar(5), isscalar([1 2]), isscalar([]), isscalar('a'), isscalar({1})]
b = [isvector([1 2 3]), isvector([1; 2]), isvector(5), isvector(zeros(1, 0)), isvector([]), isvector(ones(2))]
c = [isrow([1 2]), isrow([1; 2]), isrow(zeros(1, 0)), isrow([]), isrow('abc')]
d = [iscolumn([1; 2]), iscolumn([1 2]), iscolumn(zeros(0, 1)), iscolumn({1; 2})]
e = [isreal(3), isreal('a'), isreal(true), isreal({1}), isreal(2 + 3i), isreal([])]
f = [ischar('a'), ischar(''), ischar(97), ischar({'a'})]
g = [isnumeric(1), isnumeric(true), isnumeric('a'), isnumeric([]), isnumeric({1}), isnumeric(1i)]
h = [islogical(true), islogical(1), islogical([1 2] > 1), islogical('a')]
k = [iscell({}), iscell({1, 2}), iscell(1), iscell('a')]
m = [isstruct(1), isstruct({1})]
n1 = ndims(5)
n2 = ndims(zeros(3, 0))
n3 = ndims({1, 2})
q = squeeze([1 2; 3 4])
q2 = size(squeeze(zeros(1, 0)))
t = isscalar(5)
m1 = [ismatrix(ones(2, 3)), ismatrix(ones(2, 2, 2)), ismatrix([]), ismatrix({1, 2}), ismatrix('abc')]
m2 = [issquare(ones(3)), issquare(ones(2, 3)), issquare([]), issquare(ones(2, 2, 2)), issquare({1})]
