% strncmp needs a positive count
a = strncmp('abc', 'abd', 2)
a = strncmp('abc', 'abc', 0)
disp('not reached')
