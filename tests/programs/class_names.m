% The class of each kind of value.
a = class(1)
b = class('text')
c = class(true)
d = class({1, 2})
f = class(1 > 0)
g = class([])
h = class(1:3 == 2)
k = class(['ab'; 'cd'])
