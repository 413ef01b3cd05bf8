function y = f_square(x)
  y = x.^2;
end
