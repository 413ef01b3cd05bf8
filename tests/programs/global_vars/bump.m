function bump()
global counter
counter = counter + 1;
