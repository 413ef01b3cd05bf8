function show_first(a, b, varargin)
disp(a)
