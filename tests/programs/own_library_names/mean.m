function m = mean(v)
m = sum(v) / numel(v) * 10;
end
