% precision-independent
% cellfun with names: the array-valued predicates and sizes, built-ins, UniformOutput
% Results of different classes fail with UniformOutput true, as in MATLAB (Octave
% converts them to the first one's class), so that case is not asked here.
c = {1, [], 'a', ''; zeros(1, 0), zeros(0, 3), 0, ' '};
x = cellfun('isempty', c)
x = cellfun('length', {1, [], 'abc', zeros(3, 4)})
x = cellfun('numel', {1, [], 'abc', zeros(3, 4)})
x = cellfun('prodofsize', {1, [], 'abc', zeros(3, 4)})
x = cellfun('ndims', {1, []})
x = cellfun('isreal', {1, 1i, 'a'})
x = cellfun('ischar', {1, 'a', ''})
x = cellfun('islogical', {true, 1})
x = cellfun('isnumeric', {true, 1, 'a'})
x = cellfun('iscell', {1, 'a'})
x = cellfun('isclass', {true, 1, 'a'}, 'char')
x = cellfun('isclass', {true, 1, 'a'}, 'logical')
x = cellfun('size', {1, zeros(2, 3)}, 1)
x = cellfun('size', {1, zeros(2, 3)}, 2)
x = cellfun('size', {1, zeros(2, 3)}, 3)
x = cellfun('isempty', {})
x = cellfun('isempty', cell(0, 3))
x = cellfun('length', {'a', 'bc'}, 'UniformOutput', false)
x = cellfun('isempty', {'a', ''}, 'UniformOutput', true)
x = cellfun('upper', {'a', 'b'})
x = cellfun('abs', {-1, 2, -3i})
x = cellfun('sum', {[1 2], [3 4 5]})
x = cellfun('max', {[1 2], [3 4 5]})
x = cellfun('double', {'a'})
u = {};
u = cellfun('upper', {'a', 'bc'}, 'UniformOutput', false)
u = cellfun('strtrim', {' a', 'b '}, 'uniformoutput', 0)
u = cellfun('ischar', {'a', true}, 'UniformOutput', false)
u = cellfun('upper', {}, 'UniformOutput', false)
