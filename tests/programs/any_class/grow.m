function nnet = grow(nnet, v)
% appends v to the cell nnet
nnet{end+1} = v;
