function show_count(a, b, c)
fprintf('nargin = %d\n', nargin);
