% Save and load of arrays of three and more dimensions in a MAT-file.
A = reshape(1:24, 2, 3, 4);
B = int16(reshape(1:8, 2, 2, 2));
C = reshape(1:16, 2, 2, 2, 2) > 8;
save('nd_matfile_tmp.mat', 'A', 'B', 'C');
clear A B C
load('nd_matfile_tmp.mat', 'A', 'B', 'C');
disp(size(A))
disp(A(:,:,4))
disp(class(B))
disp(size(B))
disp(B(:,:,2))
disp(class(C))
disp(size(C))
disp(nnz(C))
delete('nd_matfile_tmp.mat');
