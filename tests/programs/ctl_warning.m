% Warnings go to standard error and leave the program running.
warning('careful: %d', 3);
x = 1
warning('plain text');
y = x + 1
warning('off', 'all');
z = 3
