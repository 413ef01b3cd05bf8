function viewdemo
% Matrices of each kind the viewer shows, alive while checkpoint runs.
a = [1 2 3; 4 5 6];
z = [1+2i, 3-4i; -1.5i, 7];
l = a > 2;
s = ['ab'; 'cd'];
w = [pi, 0.1, -1e-300];
n = 5;
c = {1, 'x'};
checkpoint(a);
disp(sum(a(:)) + n + w(2) + numel(c) + numel(s) + sum(l(:)) + real(z(1)));
end

function checkpoint(x)
disp(size(x));
end
