1;  % functions first, statements after and between them, as shared files have it
function r = halve(x)
  r = x / 2;
end
function show(v)
  fprintf('show: %s\n', mat2str(v));
endfunction
v = halve([4 6]);
show(v)
function c = odd_sum(n)
  c = 0;
  for k = 1:n
    if mod(k, 2), c = c + k; end
  end
end
fprintf('odd_sum(5) = %d\n', odd_sum(5));
function fail_here()
  error('shared:stop', 'stopped in a function between statements');
end
try
  fail_here();
catch e
  fprintf('%s (line %d)\n', e.message, e.stack(1).line);
end
