function show(name, varargin)
fprintf('%s:', name);
for k = 1:numel(varargin)
  fprintf(' %d', varargin{k});
end
fprintf('\n');
