function [u, n] = tally(v)
% the distinct values of v (numbers or texts) and how often each occurs
[u, first, j] = unique(v);
n = accumarray(j(:), 1)';
if numel(first) ~= numel(u)
  error('tally: one first place per distinct value');
end
