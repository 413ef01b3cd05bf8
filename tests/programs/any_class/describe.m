function s = describe(BinStr)
% what the argument is, decided when the program runs
if iscell(BinStr)
  s = sprintf('cell of %d', numel(BinStr));
elseif ischar(BinStr)
  s = ['char ' BinStr];
else
  s = ['number of class ' class(BinStr)];
end
