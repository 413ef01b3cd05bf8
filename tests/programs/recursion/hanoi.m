function moves = hanoi(n)
% number of moves to carry n discs
if n == 0
  moves = 0;
  return
end
moves = 2 * hanoi(n - 1) + 1;
