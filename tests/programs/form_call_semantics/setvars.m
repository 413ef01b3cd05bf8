for i=1:3, end
e = 5;
