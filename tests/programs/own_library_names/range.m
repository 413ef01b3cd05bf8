function r = range(v)
r = max(v) - min(v) + 0.5;
end
