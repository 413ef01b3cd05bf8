% isnan is not defined for cells
a = isnan([1 NaN])
b = isnan({1})
