function y = twice(x)
% A package function with a local helper of a common name.
y = helper(x) * 2;
end
function v = helper(x)
v = x;
end
