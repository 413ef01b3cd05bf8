% precision-independent
% tic, toc and clock: plausible values only
tic;
s = 0;
for k = 1:1000
  s = s + k;
end
t = toc;
t >= 0
t < 100
c = clock;
size(c)
c(1) > 2000
c(2) >= 1 && c(2) <= 12
