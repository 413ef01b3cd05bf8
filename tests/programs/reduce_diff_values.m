% diff of special values and shapes
% precision-independent
diff([1+2i 3 5i])
diff([1i 2i 4i])
diff([1 Inf Inf NaN 2])
diff([-Inf 0 Inf])
x = diff([true false true])
% empties and scalars
diff([])
diff(5)
diff(zeros(1, 0))
diff(zeros(3, 0))
diff(5, 1, 1)
diff(5, 1, 2)
diff([], 1, 2)
diff(zeros(0, 3), 1, 2)
% fractional differences
diff([0.5 0.25 1])
