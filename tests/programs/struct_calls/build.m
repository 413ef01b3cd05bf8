function a = build(n)
for i = 1:n
  a(i).k = i * 2;
end
