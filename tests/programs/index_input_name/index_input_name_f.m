function index_input_name_f(v, k)
fprintf('%d\n', v(k));
end
