function handles_held
  % Handles kept in structure fields and cell elements, called where they are held.
  s.f = @(x) x.^2 + 1;
  s.g = @() 42;
  disp(s.f(3))
  disp(s.f([1 2 3]))
  disp(s.g())
  ops = struct('add', @(a, b) a + b, 'mul', @(a, b) a * b, 'name', 'ops');
  printf('%d %d\n', ops.add(2, 3), ops.mul(2, 3));
  v = ops.add(1, 2) + s.f(2) * s.g();
  disp(v)
  disp(apply(s, 4))

  % cells of handles: anonymous, named, without inputs
  c = {@(x) x + 1, @sin, @() 7};
  disp(c{1}(2))
  disp(c{2}(0))
  disp(c{3}())
  for k = 1:2
    printf('%.4f\n', c{k}(0.5));
  end
  m.ops = {@(x) x + 1, @(x) x * 10};
  disp(m.ops{2}(3))
  cb = callbacks();
  total = 0;
  for k = 1:numel(cb)
    total = total + cb{k}();
  end
  disp(total)
  disp(run0(@() 5))
  h = make_counter(3);
  disp(h())
  st.go = @() 'done';
  disp(st.go())
  % x() of a value that holds no handle is the value
  w = {[1 2 3]};
  disp(w{1}(2))
end

function r = apply(s, x)
  r = s.f(x) + s.g();
end

function c = callbacks()
  c = {@() 11, @() 12, @() 13};
end

function r = run0(p)
  r = p() + 1;
end

function h = make_counter(n)
  h = @() n * 2;
end
