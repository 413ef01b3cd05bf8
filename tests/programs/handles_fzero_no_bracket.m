% fzero needs a sign change between the ends of the bracket it is given.
x = fzero(@(x) x.^2 + 1, [0 1])
