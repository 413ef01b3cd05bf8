function r = true_noisy()
disp('true_noisy called')
r = 1;
