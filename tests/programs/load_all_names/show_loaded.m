function show_loaded(file)
  rate = 2;
  load(file)
  % rate is read again from the file; scaled is assigned before it is read.
  scaled = samples * rate;
  disp(scaled);
end
