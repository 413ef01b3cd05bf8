% precision-independent
% return leaves a function early; the outputs set so far are returned
disp(first_negative([3 4 -2 5 -7]))
disp(first_negative([1 2 3]))
r = classify(-5)
r = classify(0)
r = classify(12)
