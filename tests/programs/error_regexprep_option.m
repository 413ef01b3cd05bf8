r = regexprep('a1', '\d', 'x')
r = regexprep('a1', '\d', 'x', 'twice')
