% precision-independent
% built-in constants and the boolean values
Inf
-Inf
NaN
t = true
f = false
true + true
z = i
w = 2 * j
isempty(pi)
