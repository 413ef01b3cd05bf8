s = struct('v', {1, 2, 3});
[s(1:2).v] = pair(5);
disp([s.v])
[s.v] = pair(1);
disp('not reached')
