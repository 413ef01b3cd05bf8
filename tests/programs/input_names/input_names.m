% inputname: the names of the variables a function was called with, '' for an
% argument that is no plain variable.
alpha = 3;
beta = [1 2];
show_names(alpha, beta);
show_names(alpha + 1, 'text');
show_names(beta, alpha);
r = labelled(beta);
r = r + labelled(alpha);
disp(r)
s.f = 2;
show_names(s.f, alpha);
for k = 1:2
  show_names(k, beta);
end
x = labelled(labelled(alpha));
disp(x)
show_names(alpha);
