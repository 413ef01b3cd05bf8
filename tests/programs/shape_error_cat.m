% horzcat of pieces whose rows differ fails
a = horzcat([1 2], [3 4])
b = horzcat([1; 2], [1 2 3])
