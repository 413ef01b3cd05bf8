% The constants realmax and realmin alone, as matrices, and by class name.
realmax
realmin
x = realmax(2)
realmax(2, 3)
realmax([1 3])
realmax(0)
realmax('single')
realmin('single')
realmax('double') == realmax
size(realmin(2, 0))
realmax * 2
realmin / 2 > 0
