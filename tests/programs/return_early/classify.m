function r = classify(x)
r = 'positive';
if x < 0
  r = 'negative';
  return
end
if x == 0
  r = 'zero';
  return
end
