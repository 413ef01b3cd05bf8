function make_data()
  samples = [3 1 4 1 5];
  rate = 0.5;
  label = 'sensor A';
  unused = 99;
  save('measurements.mat', 'samples', 'rate', 'label', 'unused');
end
