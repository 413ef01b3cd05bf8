base = 10;
total = base + 5;
