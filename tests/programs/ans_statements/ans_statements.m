% Expression statements give their value to ans; assignments, a variable alone and
% calls of functions without outputs leave it as it is.
3 + 4;
disp(ans)
max([1 5 2]);
ans
v = [10 20 30];
v(2);
fprintf('after v(2): %d\n', ans);
v
fprintf('still %d\n', ans);
'text';
disp(class(ans))
numel(v) > 2
show_total(v);             % no outputs: ans stays
disp(ans)
add_one(41);               % an M function with an output
disp(ans)
[m, k] = min(v);           % an assignment
disp(ans)
ans * 2
total = 0;
for i = 1:3
  i^2;
  total = total + ans;
end
fprintf('total %d\n', total);
inner_ans(5)
disp(ans)
fprintf('%s\n', 'printed');
disp(ans)

function show_total(x)
  fprintf('total is %d\n', sum(x));
end

function r = inner_ans(x)
  x * 100;                 % ans of this function only
  r = ans + 1;
end
