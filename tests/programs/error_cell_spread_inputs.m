% A library function given more elements of c{:} than it takes fails when the call runs.
% (The interpreter goes on with ".  Correct usage is:" and the help text; a compiled
% program has no help text and ends the message at the name.)
c = {16};
y = sqrt(c{:})
c{2} = 2;
y = sqrt(c{:})
disp('not reached')
