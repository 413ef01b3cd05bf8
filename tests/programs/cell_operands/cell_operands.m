% A cell that reaches an operator through a parameter of any class is refused with
% the interpreter's message, never taken for an empty matrix; a cell literal goes
% straight into a function whose parameter is not a cell.
function cell_operands
  show({1, 'x'});
  show(5);
  try_ops({1, 2});
  try_ops(7);
  n = count_items({1, 'two', [3 4]})
end

function try_ops(v)
  try
    r = v + 1;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = 2 - v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = v .* [1 2];
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = [1 2] * v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = v ./ 2;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = [1 2] / v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = v .^ 2;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = v > 1;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = v == v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = v & true;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = -v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = ~v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = int8(3) - v;
    disp(r)
  catch err
    disp(err.message)
  end
  try
    r = single(2) * v;
    disp(r)
  catch err
    disp(err.message)
  end
end
