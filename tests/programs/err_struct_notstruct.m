% a field of a value that is no structure
x = [1 2 3];
disp(numel(x))
y = x.f;
disp('not reached')
