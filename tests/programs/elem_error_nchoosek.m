% nchoosek with K larger than N.
% precision-independent
disp(nchoosek(4, 2))
nchoosek(3, 5)
