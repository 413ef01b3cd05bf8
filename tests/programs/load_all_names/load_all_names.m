% load of a MAT-file without a list of variables: the variables the program reads
% afterwards come from the file.
make_data();
load measurements.mat
fprintf('%d samples, rate %g\n', numel(samples), rate);
disp(label);
total = sum(samples) * rate
show_loaded('measurements.mat');
delete('measurements.mat');
