% An M function given more elements of c{:} than it takes fails when the call runs.
c = {1, 2};
n = two_in(c{:})
c{3} = 3;
n = two_in(c{:})
disp('not reached')
