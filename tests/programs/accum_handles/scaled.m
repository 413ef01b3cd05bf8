function r = scaled(a, b)
% a's rows times b, element by element.
r = a .* b;
end
