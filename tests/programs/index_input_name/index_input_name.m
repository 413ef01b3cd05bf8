% An index out of bound on a function's input names the input.
index_input_name_f([1 2 3], 2);
index_input_name_f([1 2 3], 5);
