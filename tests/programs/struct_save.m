% structures and structure arrays saved to a MAT-file and loaded again
s.name = 'gauge';
s.vals = [1 2; 3 4];
s.count = int16(7);
s.tags = {'a', 'bc'};
s.inner.flag = true;
arr = struct('k', {1, 'two', [3 4]});
save structs.mat s arr
s = 0;
arr = 0;
load structs.mat s arr
s
class(s.count)
s.tags{2}
s.inner.flag
size(arr)
arr(2).k
arr(3).k
delete('structs.mat');
