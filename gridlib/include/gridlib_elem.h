// Element-wise built-ins beyond the basic ones: exponentials and logarithms, the
// reciprocal, inverse and hyperbolic trigonometric functions, parts of complex values,
// special functions, integer arithmetic (gcd, lcm, factorial, nchoosek, primes) and the
// constants e, realmax and realmin.
//
// Real inputs outside a function's real domain (asin(2), log2(-1), acosh(0), ...) give
// complex results. Names that are also C library functions carry the suffix _M.
#ifndef GRIDLIB_ELEM_H
#define GRIDLIB_ELEM_H

// --- exponentials and logarithms --------------------------------------------------
M<m_type> expm1_M(const M<m_type>& x);
M<m_type> log1p_M(const M<m_type>& x);
M<m_type> log2_M(const M<m_type>& x);
void log2_M(const M<m_type>& x, i_o_t, Mr<m_type> y);
void log2_M(const M<m_type>& x, i_o_t, Mr<m_type> f, Mr<m_type> e);   // x = f .* 2.^e
M<m_type> log10_M(const M<m_type>& x);
M<m_type> pow2(const M<m_type>& x);                       // 2.^x
M<m_type> pow2(const M<m_type>& f, const M<m_type>& e);   // f .* 2.^e
M<m_type> nextpow2(const M<m_type>& x);
M<m_type> nthroot(const M<m_type>& x, const M<m_type>& n);

// --- trigonometric and hyperbolic ---------------------------------------------------
M<m_type> sec(const M<m_type>& x);
M<m_type> csc(const M<m_type>& x);
M<m_type> cot(const M<m_type>& x);
M<m_type> asin_M(const M<m_type>& x);
M<m_type> acos_M(const M<m_type>& x);
M<m_type> atan_M(const M<m_type>& x);
M<m_type> sinh_M(const M<m_type>& x);
M<m_type> cosh_M(const M<m_type>& x);
M<m_type> tanh_M(const M<m_type>& x);
M<m_type> asinh_M(const M<m_type>& x);
M<m_type> acosh_M(const M<m_type>& x);
M<m_type> atanh_M(const M<m_type>& x);

// --- signs and parts of complex values ------------------------------------------------
M<m_type> sign(const M<m_type>& x);
M<m_type> real(const M<m_type>& x);
M<m_type> imag(const M<m_type>& x);
M<m_type> conj(const M<m_type>& x);
// complex(a) and complex(a, b): a complex value even where the imaginary part is zero.
M<m_type> complex(const M<m_type>& a);
M<m_type> complex(const M<m_type>& a, const M<m_type>& b);
M<m_type> angle(const M<m_type>& x);
M<m_type> hypot_M(const M<m_type>& x, const M<m_type>& y);
M<m_type> hypot_M(const M<m_type>& x, const M<m_type>& y, const M<m_type>& z);

// --- special functions ------------------------------------------------------------
M<m_type> gamma_M(const M<m_type>& x);
M<m_type> erf_M(const M<m_type>& x);
M<m_type> erfc_M(const M<m_type>& x);

// --- integers -----------------------------------------------------------------------
M<m_type> gcd(const M<m_type>& a, const M<m_type>& b);
M<m_type> gcd(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c);
void gcd(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> g);
void gcd(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> g, Mr<m_type> u);
// g = u.*a + v.*b
void gcd(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> g, Mr<m_type> u, Mr<m_type> v);
M<m_type> lcm(const M<m_type>& a, const M<m_type>& b);
M<m_type> lcm(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c);
M<m_type> factorial(const M<m_type>& n);
// nchoosek(n,k) with a scalar n is the binomial coefficient; with a vector v, the rows
// are the k-element combinations of v's elements in order.
M<m_type> nchoosek(const M<m_type>& n, const M<m_type>& k);
M<m_type> primes(const M<m_type>& n);
M<m_type> isprime(const M<m_type>& x);
// Bit-wise work on non-negative integers below 2^53 (bitand and bitor are C++ words:
// the translator writes bitand_M and bitor_M); bitshift(a, k) shifts left for
// k > 0 and right for k < 0.
M<m_type> bitand_M(const M<m_type>& a, const M<m_type>& b);
M<m_type> bitor_M(const M<m_type>& a, const M<m_type>& b);
M<m_type> bitxor(const M<m_type>& a, const M<m_type>& b);
M<m_type> bitshift(const M<m_type>& a, const M<m_type>& k);
// bitcmp(a): the complement of a's bits in the width of its class (53 for double).
M<m_type> bitcmp(const M<m_type>& a);
// bitget(a, n): bit n (from 1) of a; bitset(a, n, v): a with bit n set to v (1 when not
// given). Both keep a's class.
M<m_type> bitget(const M<m_type>& a, const M<m_type>& n);
M<m_type> bitset(const M<m_type>& a, const M<m_type>& n);
M<m_type> bitset(const M<m_type>& a, const M<m_type>& n, const M<m_type>& v);

// --- constants ------------------------------------------------------------------------
// Each takes no argument, n (n x n), [r c], r and c, or a class name 'double'|'single'.
M<m_type> e();
M<m_type> e(const M<m_type>& n);
M<m_type> e(const M<m_type>& r, const M<m_type>& c);
M<m_type> realmax();
M<m_type> realmax(const M<m_type>& n);
M<m_type> realmax(const M<m_type>& r, const M<m_type>& c);
M<m_type> realmin();
M<m_type> realmin(const M<m_type>& n);
M<m_type> realmin(const M<m_type>& r, const M<m_type>& c);

// A cell argument fails at run time with the function's message; the literal [] (which
// converts to both a matrix and a cell) is the empty matrix.
#define GRL_ELEM_CELL(F)                  \
  M<m_type> F(const M<M<m_type>>& x);     \
  inline M<m_type> F(nop_t) { return F(M<m_type>()); }
GRL_ELEM_CELL(expm1_M) GRL_ELEM_CELL(log1p_M) GRL_ELEM_CELL(log2_M) GRL_ELEM_CELL(log10_M)
GRL_ELEM_CELL(pow2) GRL_ELEM_CELL(nextpow2) GRL_ELEM_CELL(sec) GRL_ELEM_CELL(csc)
GRL_ELEM_CELL(cot) GRL_ELEM_CELL(asin_M) GRL_ELEM_CELL(acos_M) GRL_ELEM_CELL(atan_M)
GRL_ELEM_CELL(sinh_M) GRL_ELEM_CELL(cosh_M) GRL_ELEM_CELL(tanh_M) GRL_ELEM_CELL(asinh_M)
GRL_ELEM_CELL(acosh_M) GRL_ELEM_CELL(atanh_M) GRL_ELEM_CELL(sign) GRL_ELEM_CELL(real)
GRL_ELEM_CELL(imag) GRL_ELEM_CELL(conj) GRL_ELEM_CELL(angle) GRL_ELEM_CELL(gamma_M)
GRL_ELEM_CELL(erf_M) GRL_ELEM_CELL(erfc_M) GRL_ELEM_CELL(factorial) GRL_ELEM_CELL(isprime)
GRL_ELEM_CELL(primes)
#undef GRL_ELEM_CELL

#endif
