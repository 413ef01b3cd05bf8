s = regexp('ab(cd', 'b\(')
s = regexp('ab(cd', 'b(c')
