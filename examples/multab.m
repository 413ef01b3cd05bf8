% multab.m: a multiplication table of size rows, shown and summed
T = zeros(rows);
for r = 1:rows
  T(r, :) = r * (1:rows);
end
T
total = sum(sum(T));
