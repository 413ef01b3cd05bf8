function main
% A program whose main function is named main.
fprintf('%s\n', mfilename);
disp(twice(21))
end

function y = twice(x)
y = 2 * x;
end
