% Reading from a file id that was never opened ends the program.
a = 1
d = fread(42, 1)
