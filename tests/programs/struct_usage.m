% structures as programs use them: records grown in loops, options with defaults,
% nested arrays of structures, fields updated in place
people = struct('name', {}, 'age', {});
people(end+1) = struct('name', 'ann', 'age', 31);
people(end+1) = struct('name', 'bob', 'age', 27);
for i = 1:numel(people)
  fprintf('%s is %d\n', people(i).name, people(i).age);
end
ages = [people.age];
fprintf('mean age %g\n', mean(ages));
opts.tol = 1e-3;
if isfield(opts, 'maxit')
  maxit = opts.maxit;
else
  maxit = 50;
end
disp(maxit)
data.values = [];
for k = 1:4
  data.values(end+1) = k^2;
end
disp(data.values)
cfg = struct('n', 3);
cfg.n = cfg.n + 1;
disp(cfg.n)
net.layer(2).size = 10;
net.layer(1).size = 4;
disp([net.layer.size])
net.layer(2)
x = people;
x(2).age = 99;
fprintf('%d %d\n', people(2).age, x(2).age);
numel(fieldnames(people))
key = 'age';
people(1).(key) = people(1).(key) + 1;
disp(people(1).age)
people(1)
q = struct('m', magic(3));
q.m(2, :) = []
