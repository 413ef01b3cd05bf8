% Sets lo and hi for the caller, and a note made by its own local function.
lo = clampv(-5, 0, 10);
hi = clampv(25, 0, 20);
note = range_note(lo, hi);
function v = clampv(x, a, b)
  v = min(max(x, a), b);
end
function t = range_note(a, b)
  t = sprintf('clamped to [%d, %d]', a, b);
end
