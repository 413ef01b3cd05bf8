% A function asked for more outputs, or given more inputs, than it has fails where
% the call is reached.
h = half(8)
if h > 10
  h = half(8, 2);
end
[p, q] = half(4)
disp('not reached')
