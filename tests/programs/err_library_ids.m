function err_library_ids
% The identifiers and messages of errors raised inside the library, as a program
% catching them sees them.
s.a = 1;
try
  q = s.b;
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
try
  q = getfield(s, 'zz');
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
% x(i) = v with counts that differ: the left side is named by the count of i.
x = 1:3;
m = magic(3);
try, x(1:2) = [1 2 3]; catch err, fprintf('%s | %s\n', err.identifier, err.message); end
try, x(:) = [1 2]; catch err, disp(err.message); end
try, m(:) = [1 2]; catch err, disp(err.message); end
try, m(logical([1 0 1])) = [1 2 3 4]; catch err, disp(err.message); end
try, m([1 2; 3 4]) = [1 2 3]; catch err, disp(err.message); end
try, m(1:2, 1) = [1 2 3]; catch err, disp(err.message); end
c = {1, 2, 3};
try, c(1:2) = {1, 2, 3}; catch err, disp(err.message); end
try
  q = arrayfun(@(v) [v v], 1:2);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
try
  q = cellfun(@(v) [v v], {1, 2});
catch err
  fprintf('[%s] | %s\n', err.identifier, err.message);
end
try
  cq = {1};
  q = num2str(cq);
catch err
  disp(err.message);
end
try
  q = strrep(1, 2, 3);
catch err
  disp(err.message);
end
try
  qc = mat2cell(1:4, 1, [1 2]);
catch err
  disp(err.message);
end
% Calls beyond what a local function takes, named as written in the file.
try
  takes_one(1, 2);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
try
  [p, q] = takes_one(1);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
try
  v = returns_nothing(1);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
end

function r = takes_one(a)
r = a;
end

function returns_nothing(a)
disp(a)
end
