% func2str takes a handle only: text fails as in the interpreter.
s = func2str(@sin)
s = func2str('sin')
disp('not reached')
