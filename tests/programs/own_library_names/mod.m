function r = mod(a, b)
% Remainder after floored division, shifted by 100 so that a call of the library's
% mod shows.
r = a - floor(a ./ b) .* b + 100;
end
