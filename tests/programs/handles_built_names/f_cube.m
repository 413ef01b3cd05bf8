function y = f_cube(x)
  y = x.^3;
end
