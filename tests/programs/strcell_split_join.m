% cutting strings into cells and joining cells into strings; classes by name
c = strsplit('a,b,,c', ',')
c = strsplit('a b  c')
c = strsplit('a--b-c', {'--', '-'})
c = strsplit('a,,b', ',', 'CollapseDelimiters', false)
c = strsplit('x\ty', '\t');
n = numel(c)
c = strsplit(sprintf('x\ty'), '\t')
c = strsplit('abc', ',')
s = strjoin({'a', 'b', 'c'}, ', ')
s = strjoin({'a', 'b'})
s = strjoin(strsplit('1 2 3'), '+')
s = strjoin({'p', 'q'}, '\n')
t = [isa(1, 'double'), isa(1, 'numeric'), isa(1, 'float'), isa('a', 'char')]
t = [isa(true, 'numeric'), isa(true, 'logical'), isa({}, 'cell'), isa(1, 'cell')]
t = isa('a', 'numeric')
