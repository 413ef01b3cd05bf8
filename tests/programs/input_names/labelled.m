function y = labelled(v)
n = inputname(1);
if isempty(n)
  n = '?';
end
fprintf('%s = %s\n', n, mat2str(v));
y = numel(v);
end
