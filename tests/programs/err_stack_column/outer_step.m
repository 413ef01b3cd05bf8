function outer_step(n)
% A function file: its frame and the error raised in the library below it.
  total = 0;
  for k = 1:n
    total = total + inner_step(k);
  end
end

function r = inner_step(k)
  data = [4 5];
  r = data(k + 1) * 2;
end
