% precision-independent
% cell2mat: blocks joined column of cells first, empties, chars, logicals, complex
% Elements of different classes ({1, true}, {'a', 66}) fail, as in MATLAB (Octave
% joins them), so only one class per cell is asked here.
x = cell2mat({1 2; 3 4})
x = cell2mat({[1 2], [3]; [4 5], [6]})
x = cell2mat({[1; 2], [3; 4]})
x = cell2mat({[1; 2], [3]; [4], [5; 6]})
x = cell2mat({[1 2; 3 4], [5; 6]; [7 8], 9})
x = cell2mat({})
x = cell2mat(cell(0, 3))
x = cell2mat({[]})
x = cell2mat({zeros(0, 3)})
x = cell2mat({[], [1 2]})
x = cell2mat({[], []})
x = cell2mat({[], [1 2]; [3 4], []})
x = cell2mat({[1 2], []; [3 4], []})
x = cell2mat({[1 2]; zeros(0, 2); [3 4]})
x = cell2mat({[1 2], zeros(1, 0)})
x = cell2mat({zeros(0, 2); [1 2]})
x = cell2mat({'ab', 'c'})
x = cell2mat({'ab'; 'cd'})
x = cell2mat({true, false})
x = cell2mat({1+2i, 3})
