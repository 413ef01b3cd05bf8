function [lo, hi] = min_and_max(v)
  lo = min(v);
  hi = max(v);
end
