% Indexing of arrays of three dimensions: read, assign, growth, end, deletion.
A = reshape(1:24, 2, 3, 4);
disp(A(2,3,4))
disp(A(1,2,3))
disp(A(:,:,2))
disp(A(:,2,:))
disp(size(A(:,2,:)))
disp(A(2,:))
disp(A(end,end,end))
disp(A(end))
disp(A(1,end))
disp(A(end,1,end-1))
disp(A(:,end))
disp(A(7))
disp(A([1 2], 3, [2 4]))
B = A;
B(1,1,1) = 100;
B(:,:,2) = [10 20 30; 40 50 60];
B(2,:,3) = 0;
disp(B(:,:,1:3))
C = zeros(2,2);
C(:,:,2) = eye(2)
D = [];
D(2,2,2) = 5
E = ones(2,2,2);
E(3,1,1) = 9;
disp(size(E))
disp(E(:,:,1))
F = A;
F(:,:,2) = [];
disp(size(F))
F(:,2,:) = [];
disp(size(F))
m = A > 20;
disp(A(m)')
G = A;
G(m) = -1;
disp(G(:,:,4))
s = 0;
for k = 1:size(A,3)
  for j = 1:size(A,2)
    for i = 1:size(A,1)
      s = s + A(i,j,k) * i;
    end
  end
end
disp(s)
H = zeros(3,3,3);
for k = 1:3
  H(:,:,k) = k * ones(3);
end
disp(sum(H(:)))
H(2,2,:) = [7 8 9];
disp(squeeze(H(2,2,:))')
A4 = zeros(2,2,2,2);
A4(1,2,2,2) = 3;
disp(find(A4)')
disp(A4(1,2,2,2))
