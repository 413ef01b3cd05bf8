function y = pick(a, unused)
y = a + 1;
