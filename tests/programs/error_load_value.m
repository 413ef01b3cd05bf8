% x = load(file) of a file that does not exist
disp('loading')
y = load('no_such_data.txt');
disp(y)
