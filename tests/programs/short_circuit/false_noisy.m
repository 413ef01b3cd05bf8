function r = false_noisy()
disp('false_noisy called')
r = 0;
