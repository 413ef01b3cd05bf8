% Two integer classes in one operation: the message names the operator as written.
a = int8([1 2]);
b = int16(3);
try, c = a .* b; catch err, disp(err.message), end
try, c = a * b; catch err, disp(err.message), end
try, c = a ./ b; catch err, disp(err.message), end
try, c = a / b; catch err, disp(err.message), end
try, c = b .\ a; catch err, disp(err.message), end
try, c = b \ a; catch err, disp(err.message), end
try, c = a .^ b; catch err, disp(err.message), end
try, c = a + b; catch err, disp(err.message), end
try, c = b ^ int32(2); catch err, disp(err.message), end
c = a .* int8(100)
d = a * 2.6
