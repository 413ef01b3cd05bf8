function y = normalize(v)
y = v / norm(v);
end
