% cellfun of a name it does not know
x = cellfun('isempty', {1, []})
x = cellfun('nosuchfunction', {1})
disp('not reached')
