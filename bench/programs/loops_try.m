% loops_try.m: the work of loops.m with every loop body inside a try block, to show
% what a try costs while no error is raised (compare with loops).
n = bench_size();
s = 0;
for k = 1:n
  try
    r = mod(k, 7);
    if r > 3
      s = s + r * 0.5;
    elseif r == 0
      s = s - 1;
    else
      s = s + sqrt(k) / k;
    end
  catch err
    disp(err.message);
  end
end
h = 0;
k = 0;
while k < n
  try
    k = k + 1;
    h = h + 1 / k;
  catch err
    disp(err.message);
  end
end
fprintf('%.6f %.6f\n', s, h);
