function show_inputs(a, r, s)
  a
  r
  s
  a = a + 1
  a
end
