[r, c] = ind2sub([3 4], 12)
[r, c] = ind2sub([3 4], 13)
