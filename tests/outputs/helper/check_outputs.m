% The helper's outputs against what Octave computes from the same inputs.
x = [1 2 3; 4 5 6];
for f = {'out6.mat', 'out4.mat'}
  o = load(f{1});
  printf('%s: %s %s %s %s\n', f{1}, class(o.out01), class(o.out02), class(o.out03), class(o.out04));
  printf('%d %d %d %d\n', isequal(o.out01, x'), isequal(o.out02, 'MAT FILE'), ...
         isequal(o.out03, x > 2), isequal(o.out04, x * (1 + 2i)));
end
