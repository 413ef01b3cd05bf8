// Linear algebra, polynomials and signals of gridlib: the matrix operators through
// BLAS and LAPACK, the factorisations, and the FFTW-based transforms.
//
// Every function works on real and complex values of the variant's element type
// (m_type: double for libgrlib0, float for libgrlib1). A function with several
// outputs has one overload per output count, called as f(x, i_o, a, b).
#ifndef GRIDLIB_LINALG_H
#define GRIDLIB_LINALG_H

#include "gridlib_matrix.h"

namespace grl {

// The operators: a*b, a\b, a/b, a^b, a', a.'
M<m_type> mtimes(const M<m_type>& a, const M<m_type>& b);
M<m_type> mldivide(const M<m_type>& a, const M<m_type>& b);
M<m_type> mrdivide(const M<m_type>& a, const M<m_type>& b);
M<m_type> mpower(const M<m_type>& a, const M<m_type>& b);
M<m_type> ctranspose(const M<m_type>& a);
M<m_type> transpose(const M<m_type>& a);

}  // namespace grl

// --- matrix functions ---
M<m_type> inv(const M<m_type>& a);
M<m_type> det(const M<m_type>& a);
M<m_type> rank(const M<m_type>& a);
M<m_type> rank(const M<m_type>& a, const M<m_type>& tol);
M<m_type> trace(const M<m_type>& a);
M<m_type> norm(const M<m_type>& a);
M<m_type> norm(const M<m_type>& a, const M<m_type>& p);
M<m_type> cond(const M<m_type>& a);
M<m_type> cond(const M<m_type>& a, const M<m_type>& p);
M<m_type> pinv(const M<m_type>& a);
M<m_type> pinv(const M<m_type>& a, const M<m_type>& tol);
M<m_type> null(const M<m_type>& a);
M<m_type> orth(const M<m_type>& a);
M<m_type> kron(const M<m_type>& a, const M<m_type>& b);
M<m_type> expm(const M<m_type>& a);

// --- factorisations ---
M<m_type> lu(const M<m_type>& a);
void lu(const M<m_type>& a, i_o_t, Mr<m_type> l);
void lu(const M<m_type>& a, i_o_t, Mr<m_type> l, Mr<m_type> u);
void lu(const M<m_type>& a, i_o_t, Mr<m_type> l, Mr<m_type> u, Mr<m_type> p);
M<m_type> qr(const M<m_type>& a);
M<m_type> qr(const M<m_type>& a, const M<m_type>& econ);
void qr(const M<m_type>& a, i_o_t, Mr<m_type> r);
void qr(const M<m_type>& a, i_o_t, Mr<m_type> q, Mr<m_type> r);
void qr(const M<m_type>& a, const M<m_type>& econ, i_o_t, Mr<m_type> r);
void qr(const M<m_type>& a, const M<m_type>& econ, i_o_t, Mr<m_type> q, Mr<m_type> r);
M<m_type> chol(const M<m_type>& a);
void chol(const M<m_type>& a, i_o_t, Mr<m_type> r);
void chol(const M<m_type>& a, i_o_t, Mr<m_type> r, Mr<m_type> p);
M<m_type> eig(const M<m_type>& a);
void eig(const M<m_type>& a, i_o_t, Mr<m_type> d);
void eig(const M<m_type>& a, i_o_t, Mr<m_type> v, Mr<m_type> d);
M<m_type> svd(const M<m_type>& a);
M<m_type> svd(const M<m_type>& a, const M<m_type>& econ);
void svd(const M<m_type>& a, i_o_t, Mr<m_type> s);
void svd(const M<m_type>& a, i_o_t, Mr<m_type> u, Mr<m_type> s);
void svd(const M<m_type>& a, i_o_t, Mr<m_type> u, Mr<m_type> s, Mr<m_type> v);
void svd(const M<m_type>& a, const M<m_type>& econ, i_o_t, Mr<m_type> u, Mr<m_type> s, Mr<m_type> v);

// --- polynomials, signals, interpolation, integration ---
M<m_type> polyfit(const M<m_type>& x, const M<m_type>& y, const M<m_type>& n);
M<m_type> polyval(const M<m_type>& p, const M<m_type>& x);
M<m_type> polyder(const M<m_type>& p);
M<m_type> polyint(const M<m_type>& p);
M<m_type> polyint(const M<m_type>& p, const M<m_type>& k);
M<m_type> roots(const M<m_type>& p);
M<m_type> conv(const M<m_type>& a, const M<m_type>& b);
M<m_type> conv(const M<m_type>& a, const M<m_type>& b, const M<m_type>& shape);
M<m_type> deconv(const M<m_type>& y, const M<m_type>& a);
void deconv(const M<m_type>& y, const M<m_type>& a, i_o_t, Mr<m_type> b);
void deconv(const M<m_type>& y, const M<m_type>& a, i_o_t, Mr<m_type> b, Mr<m_type> r);
M<m_type> filter(const M<m_type>& b, const M<m_type>& a, const M<m_type>& x);
M<m_type> filter(const M<m_type>& b, const M<m_type>& a, const M<m_type>& x, const M<m_type>& zi);
void filter(const M<m_type>& b, const M<m_type>& a, const M<m_type>& x, i_o_t, Mr<m_type> y);
void filter(const M<m_type>& b, const M<m_type>& a, const M<m_type>& x, i_o_t, Mr<m_type> y, Mr<m_type> zf);
void filter(const M<m_type>& b, const M<m_type>& a, const M<m_type>& x, const M<m_type>& zi, i_o_t,
            Mr<m_type> y);
void filter(const M<m_type>& b, const M<m_type>& a, const M<m_type>& x, const M<m_type>& zi, i_o_t,
            Mr<m_type> y, Mr<m_type> zf);
M<m_type> fft(const M<m_type>& x);
M<m_type> fft(const M<m_type>& x, const M<m_type>& n);
M<m_type> fft(const M<m_type>& x, const M<m_type>& n, const M<m_type>& dim);
M<m_type> ifft(const M<m_type>& x);
M<m_type> ifft(const M<m_type>& x, const M<m_type>& n);
M<m_type> ifft(const M<m_type>& x, const M<m_type>& n, const M<m_type>& dim);
// interp1(y, xi) takes x = 1:n (n the rows of y, or its length when y is a vector); a text
// third or fourth input is the method (or 'extrap'), so interp1(y, xi, method [, extrap])
// and interp1(x, y, xi [, method [, extrap | fill]]) are told apart as the program runs.
M<m_type> interp1(const M<m_type>& y, const M<m_type>& xi);
M<m_type> interp1(const M<m_type>& x, const M<m_type>& y, const M<m_type>& xi);
M<m_type> interp1(const M<m_type>& x, const M<m_type>& y, const M<m_type>& xi, const M<m_type>& method);
M<m_type> interp1(const M<m_type>& x, const M<m_type>& y, const M<m_type>& xi, const M<m_type>& method,
                  const M<m_type>& extrap);
M<m_type> trapz(const M<m_type>& y);
M<m_type> trapz(const M<m_type>& x, const M<m_type>& y);
M<m_type> trapz(const M<m_type>& x, const M<m_type>& y, const M<m_type>& dim);
M<m_type> cumtrapz(const M<m_type>& y);
M<m_type> cumtrapz(const M<m_type>& x, const M<m_type>& y);
M<m_type> cumtrapz(const M<m_type>& x, const M<m_type>& y, const M<m_type>& dim);

#endif
