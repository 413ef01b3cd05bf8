% cast to a name that is no class ends the program
x = cast(3, 'int8')
y = cast(3, 'integer')
