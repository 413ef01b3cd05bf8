function handles_empty_call()
% x() of a value: a handle is called with no inputs, anything else is itself.
x = [1 2 3];
y = x()
m = magic(3);
z = m();
disp(size(z))
c = {1, 'a'};
d = c();
disp(size(d))
s.v = [1 2; 3 4];
t = s.v()
f = @() 42;
g = f()
h = {@() 7, [5 6]};
k = h{1}()
w = h{2}()
r = make();
r();
disp(r())
end
function h = make()
h = @() 99;
end
