% Two function files each with a local function named helper; a third M-file
% helper.m is hidden inside them but called from here.
fprintf('%g %g\n', scale_a(2), scale_b(2));
fprintf('%g\n', helper(2));
disp(scale_a([1 2 3]));
r = scale_b([1 2 3]);
disp(r);
s = shape_a(3);
disp(s.helper);
disp(s.value);
try
  scale_a('bad');
catch err
  disp(err.message);
  disp(err.stack(1).name);
end
