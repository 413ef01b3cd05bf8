% Errors raised by the program and by the library, caught by try/catch.
try
  error('plain message');
catch err
  disp(err.message);
  disp(isempty(err.identifier));
end
try
  error('Pkg:sub:name', 'value %d of %s', 3, 'seven');
catch err
  disp(err.identifier);
  disp(err.message);
end
try
  error('rate %5.2f%%', 12.345);
catch err
  fprintf('[%s] [%s]\n', err.identifier, err.message);
end
% A library error: an index out of bound.
x = [1 2 3];
try
  y = x(7);
  disp('not reached');
catch err
  disp(err.identifier);
  disp(err.message);
end
% Sizes that do not agree.
try
  z = [1 2] + [1 2 3];
catch err
  disp(err.identifier);
  disp(err.message);
end
% catch alone, and lasterr.
try
  error('Alone:id', 'caught without a variable');
catch
  disp(lasterr());
end
[msg, id] = lasterr();
disp(id);
% try without catch: the error is ignored.
try
  error('ignored');
  disp('not reached');
end
disp(lasterr());
% Nested blocks: the inner error is caught inside, the outer one outside.
try
  try
    error('Inner:e', 'inner');
  catch inner
    fprintf('inner caught: %s\n', inner.message);
    error('Outer:e', 'from the inner catch');
  end
catch outer
  fprintf('outer caught: %s (%s)\n', outer.message, outer.identifier);
end
% The identifier decides in a switch.
for k = 1:3
  try
    if k == 1
      error('App:first', 'one');
    elseif k == 2
      error('App:second', 'two');
    end
    disp('no error');
  catch e
    switch e.identifier
      case 'App:first'
        disp('first kind');
      case 'App:second'
        disp('second kind');
      otherwise
        disp('other');
    end
  end
end
% An empty message raises nothing.
error('');
disp('after empty error');
% The caught value stays after its block.
disp(e.message);
