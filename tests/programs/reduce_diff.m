% diff: differences of neighbours, orders and dimensions
% precision-independent
d = diff([1 4 9 16])
diff([1 4 9 16]')
diff([1 4 9 16], 2)
diff([1 4 9 16], 3)
diff([1 2 3], 0)
diff([1 4 9 16], [], 2)
A = [1 2; 4 8; 9 27];
diff(A)
diff(A, 1, 2)
diff(A, 2)
diff(A, 1, 1)
diff(A, 2, 1)
% an order at least the length along an explicit dimension gives an empty result
diff(A, 3, 1)
diff(A, 5, 1)
diff(A, 2, 2)
diff([1 2 3], 5, 2)
diff([1 2 3], 1, 1)
diff([1 2 3]', 1, 2)
