% A small RGB image (gray by weighted pages, masks across channels, channel means)
% and a 3-D temperature grid relaxed by explicit loops.
% a small RGB image and a 3-D temperature grid
img = zeros(4, 5, 3);
img(:, :, 1) = repmat(linspace(0, 1, 5), 4, 1);
img(:, :, 2) = repmat((1:4)' / 4, 1, 5);
img(2:3, 2:4, 3) = 1;
[h, w, c] = size(img)
gray = 0.299 * img(:, :, 1) + 0.587 * img(:, :, 2) + 0.114 * img(:, :, 3);
disp(round(gray * 100))
weights = reshape([0.299 0.587 0.114], 1, 1, 3);
g2 = sum(img .* weights, 3);
fprintf('max difference %g\n', max(abs(gray(:) - g2(:))));
bright = any(img > 0.9, 3)
nbright = nnz(bright)
chan_mean = squeeze(mean(mean(img, 1), 2))'
flipped = flip(img, 2);
disp(flipped(1, :, 1))
T = 20 * ones(3, 3, 3);
T(2, 2, 2) = 100;
for step = 1:2
  Tn = T;
  for k = 2:2
    for j = 2:2
      for i = 2:2
        Tn(i, j, k) = mean([T(i-1,j,k) T(i+1,j,k) T(i,j-1,k) T(i,j+1,k) T(i,j,k-1) T(i,j,k+1) T(i,j,k)]);
      end
    end
  end
  T = Tn;
end
T(:, :, 2)
[mx, at] = max(T(:));
[i, j, k] = ind2sub(size(T), at)
layer_sum = sum(sum(T, 1), 2);
disp(layer_sum(:)')
P = permute(T, [3 2 1]);
isequal(P(:, :, 2), squeeze(T(2, :, :))')
