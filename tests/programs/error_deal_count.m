% deal with several inputs needs exactly as many outputs
[a, b] = deal(1, 2, 3);
disp(a)
