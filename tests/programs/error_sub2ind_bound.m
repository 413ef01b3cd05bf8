k = sub2ind([3 4], 3, 4)
k = sub2ind([3 4], 4, 1)
