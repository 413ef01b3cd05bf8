function cpp_word_names
% Functions whose names C++ reserves: called directly, through handles, feval,
% cellfun and with fewer inputs than declared; a variable of such a name elsewhere.
disp(new(2))
disp(template(3, 4))
disp(template(5))
h = @new;
disp(h(5))
disp(func2str(h))
disp(feval(@template, 2, 3))
disp(cellfun(@new, {1, 2, 3}))
x = 2;
switch x
  case 2
    disp(default(x))
  otherwise
    disp(0)
end
[a, b] = operator(7);
fprintf('%d %d\n', a, b);
disp(this(1, 2))
show_vars();
end

function r = this(a, b)
r = a - b;
end

function show_vars()
new = 3; class = 'text'; delete = [1 2];
fprintf('%d %s %d\n', new, class, numel(delete));
end
