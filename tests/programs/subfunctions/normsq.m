function s = normsq(v)
s = 0;
for k = 1:length(v)
  s = s + sq(v(k));
end

function y = sq(x)
y = x * x;
