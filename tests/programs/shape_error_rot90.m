% rot90 needs a whole number of quarter turns
a = rot90([1 2], 1)
b = rot90([1 2], 1.5)
