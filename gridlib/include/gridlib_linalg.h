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

#endif
