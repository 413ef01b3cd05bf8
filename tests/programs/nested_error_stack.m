% Errors raised inside nested functions: err.stack names each function as file>name
% with the line where it stood in the file as written.
function nested_error_stack
total = 0;
try
  add(5);
  add(-1);
catch err
  disp(err.message);
  show(err);
end
try
  add(1000);
catch err
  disp(err.identifier);
  show(err);
end
fprintf('total = %d\n', total);
h = @add;
try
  h(-7);
catch err
  show(err);
end
last_step(3);

  function add(v)
    if v < 0
      error('nest:neg', 'negative value %d', v);
    end
    total = total + v;
    inner(v);
    function inner(w)
      if w > 100
        error('nest:big', 'too big: %d', w);
      end
      total = total + w;
    end
  end
end

function show(err)
for k = 1:numel(err.stack)
  fprintf('  %s line %d\n', err.stack(k).name, err.stack(k).line);
end
end

function last_step(n)
x = 1:n;
  function r = pick(k)
    r = x(k);
  end
disp(pick(2));
disp(pick(n + 1));
end
