function s = total(v)
% acc exists only after the first pass assigns it
before = exist('acc', 'var');
for k = 1:numel(v)
  if exist('acc', 'var')
    acc = acc + v(k);
  else
    acc = v(k);
  end
end
s = [before, acc, exist('acc')];
