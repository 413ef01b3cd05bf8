function with_helper(n)
  helper(n);
end

function helper(n)
  c = {1, 2};
  d = c{n + 1};
end
