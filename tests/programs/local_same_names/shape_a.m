function s = shape_a(n)
  s.helper = n;          % a field, not the local function
  s.value = helper(n);
end

function v = helper(n)
  v = n:-1:1;
end
