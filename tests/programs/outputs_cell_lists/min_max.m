function [lo, hi] = min_max(v)
  lo = min(v);
  hi = max(v);
end
