% arrayfun whose function gives more than one value per element needs
% 'UniformOutput', false.
v = arrayfun(@(x) [x x], 1:3)
