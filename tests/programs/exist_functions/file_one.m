function y = file_one(x)
y = 2 * x;
