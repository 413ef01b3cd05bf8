% precision-independent
% feval of functions named at run time; the call directive names them
%# call square_it
%# call add_two
y = feval('square_it', 7)
z = feval('add_two', 3, 4)
names = {'square_it', 'square_it'};
for k = 1:2
  disp(feval(names{k}, k + 1))
end
