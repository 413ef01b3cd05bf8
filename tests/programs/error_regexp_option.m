m = regexp('a1', '\d', 'match')
m = regexp('a1', '\d', 'bogus')
