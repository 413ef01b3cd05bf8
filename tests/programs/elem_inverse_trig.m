% Inverse trigonometric functions inside and outside their real domain: outside, the
% precision-independent
% result is complex with the branch-cut side MATLAB uses.
x = [-3 -1 -0.5 0 0.5 1 3];
a = asin(x)
b = acos(x)
c = atan([-Inf -1 0 1 Inf NaN])
asin(0.5)
acos(2)
asin([])
acos(zeros(0,3))
asin(NaN)
z = asin(2+1i)
w = acos([1i; -2i])
atan([0.5i 2+1i])
