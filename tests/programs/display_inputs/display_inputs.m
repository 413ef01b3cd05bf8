% A function's input shown without a semicolon goes under its own name, also after
% it is changed, and a cell of inputs under varargin; a range keeps its layout.
show_inputs(5, 0:0.1:0.3, 'text')
show_rest(1, 'two')
