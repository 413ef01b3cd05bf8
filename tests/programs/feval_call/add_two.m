function s = add_two(a, b)
s = a + b;
