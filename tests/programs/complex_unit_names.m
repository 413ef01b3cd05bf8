% The imaginary unit in literals such as 2i stays the unit when the program has
% variables named i and j.
z = 3 + 2i
for i = 1:2
  w = i + 2i
end
j = 5;
v = 4j + j
k = [1i, 2j]
i = 2;
m = [i 3i]
