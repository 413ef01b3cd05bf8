% precision-independent
% global variables shared between a script and functions
global counter
counter = 0;
bump();
bump();
bump();
counter
global scale
scale = 3;
y = scaled(5)
scale = 4;
y = scaled(5)
