function [x, y, z] = three()
x = 1;
y = 2;
z = 3;
