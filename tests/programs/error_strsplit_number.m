c = strsplit('a b')
c = strsplit(5)
