% pow2 with one and two arguments, nextpow2 on zero, negatives, fractions, Inf, NaN.
pow2([1 2 -1 0.5 0 -Inf Inf NaN])
pow2(3, [1 2 3])
pow2([1; 2], [1 2])
pow2([], 3)
pow2(1i)
nextpow2([0 1 2 3 4 5 -5 0.3 0.5 1023 1024 1025])
nextpow2([Inf NaN -Inf])
nextpow2(1e-300)
nextpow2(zeros(0,2))
p = nextpow2(1000);
disp(p)
