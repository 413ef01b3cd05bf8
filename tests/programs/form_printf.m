% printf, puts, fputs, fdisp, fflush and the ids of the standard streams.
printf('%d-%s\n', 5, 'abc');
printf('%5.2f|', [1.5 2.25]);
printf('\n');
printf('no args\n');
printf('%d %d\n', [1 2; 3 4]);
printf("dq %s\n", "x");
puts('plain text\n');
puts(sprintf('line\n'));
fputs(stdout, 'to stdout');
fputs(1, sprintf('\n'));
fdisp(stdout, [1 2; 3 4]);
fdisp(1, 'chars');
fdisp(stdout, {1, 'a'});
s.a = 1;
fdisp(stdout, s);
fdisp(stdout, 3.5);
fflush(stdout);
x = stdout
y = stderr
z = stdin
fputs(stderr, 'err line');
fid = fopen('t.txt', 'w');
fputs(fid, 'in file');
fdisp(fid, [5 6]);
fclose(fid);
fid = fopen('t.txt', 'r');
a = fgetl(fid)
b = fgetl(fid)
fclose(fid);
disp(int8(5)); fdisp(stdout, int8([1 2]));
fdisp(stdout, true);
printf('%s\n', 'end');
% Octave's compound assignments and power spellings
k = 0;
while k < 10
  k += 3;
endwhile
k -= 1
v = [1 2 3];
v(2) *= 10
v(end) /= 2
p = 2;
p ^= 3
q = 2 ** 3 + [1 2] .** 2
% Octave's block ends and increments
n = 5;
n++;
n--;
n--;
disp(n)
switch n
  case 4
    disp('four')
endswitch
try
  error('boom');
catch
  disp('caught')
end_try_catch
% Octave's do ... until loops, continue and break among them
k = 0;
do
  k++;
  if k == 2, continue; end
  fprintf('%d\n', k);
until k >= 4
n = 0;
do
  n = n + 1;
  switch n
    case 3
      break
  end
until n > 10
disp(n)
