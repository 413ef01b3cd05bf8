// The library's own view of BLAS and LAPACK: one overloaded name per routine for the
// four element types (real and complex, double and float), column-major throughout,
// and the conversions between M<T> (separate real and imaginary parts) and the
// interleaved complex arrays LAPACK takes. Internal to the linalg sources.
#ifndef GRIDLIB_LINALG_LAPACK_H
#define GRIDLIB_LINALG_LAPACK_H

#include <complex>
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <complex>
#include <cstddef>
#include <vector>

// lapacke.h first: it fixes the complex types to std::complex before cblas.h sees them.
#include <lapacke.h>
#include <cblas.h>

#include "gridlib.h"

namespace grl {
namespace la {

typedef m_type T;
typedef std::complex<T> C;
typedef M<T> Mt;
typedef std::complex<double> zd;
typedef std::complex<float> zf;
typedef lapack_int li;

const int CM = LAPACK_COL_MAJOR;

// The address of a BLAS or LAPACK routine (linalg_load.cpp): the libraries are
// loaded at the first call, not with the program.
void* numeric_symbol(const char* name);
// The routine fn, looked up once per call site.
#define GRL_NUMERIC(fn) \
  ([] { static const auto f = reinterpret_cast<decltype(&::fn)>(::grl::la::numeric_symbol(#fn)); return f; }())

// The reductions to condensed form behind eig, svd, schur and least squares
// (tridiagonal, Hessenberg, bidiagonal) spend their time in matrix-vector products,
// one or two per column. Run threaded, every product is a hand-over between BLAS
// threads; the memory-bound products gain little from a second thread, and on a busy
// machine each hand-over waits for the scheduler: a 300 x 300 symmetric eig took
// seconds of waiting for 0.05 s of work. These drivers run with one BLAS thread and
// give the thread count back afterwards (their results then do not depend on it).
class one_blas_thread {
 public:
  one_blas_thread() : saved_(GRL_NUMERIC(openblas_get_num_threads)()) {
    if (saved_ > 1) GRL_NUMERIC(openblas_set_num_threads)(1);
  }
  ~one_blas_thread() {
    if (saved_ > 1) GRL_NUMERIC(openblas_set_num_threads)(saved_);
  }
  one_blas_thread(const one_blas_thread&) = delete;
  one_blas_thread& operator=(const one_blas_thread&) = delete;

 private:
  int saved_;
};

// --- BLAS: C = alpha op(A) op(B) + beta C ---
inline void gemm(CBLAS_TRANSPOSE ta, CBLAS_TRANSPOSE tb, li m, li n, li k, const double* a, li lda,
                 const double* b, li ldb, double* c, li ldc) {
  GRL_NUMERIC(cblas_dgemm)(CblasColMajor, ta, tb, m, n, k, 1.0, a, lda, b, ldb, 0.0, c, ldc);
}
inline void gemm(CBLAS_TRANSPOSE ta, CBLAS_TRANSPOSE tb, li m, li n, li k, const float* a, li lda,
                 const float* b, li ldb, float* c, li ldc) {
  GRL_NUMERIC(cblas_sgemm)(CblasColMajor, ta, tb, m, n, k, 1.0f, a, lda, b, ldb, 0.0f, c, ldc);
}
inline void gemm(CBLAS_TRANSPOSE ta, CBLAS_TRANSPOSE tb, li m, li n, li k, const zd* a, li lda,
                 const zd* b, li ldb, zd* c, li ldc) {
  zd one(1), zero(0);
  GRL_NUMERIC(cblas_zgemm)(CblasColMajor, ta, tb, m, n, k, &one, a, lda, b, ldb, &zero, c, ldc);
}
inline void gemm(CBLAS_TRANSPOSE ta, CBLAS_TRANSPOSE tb, li m, li n, li k, const zf* a, li lda,
                 const zf* b, li ldb, zf* c, li ldc) {
  zf one(1), zero(0);
  GRL_NUMERIC(cblas_cgemm)(CblasColMajor, ta, tb, m, n, k, &one, a, lda, b, ldb, &zero, c, ldc);
}

// --- LU ---
inline li getrf(li m, li n, double* a, li lda, li* p) { return GRL_NUMERIC(LAPACKE_dgetrf)(CM, m, n, a, lda, p); }
inline li getrf(li m, li n, float* a, li lda, li* p) { return GRL_NUMERIC(LAPACKE_sgetrf)(CM, m, n, a, lda, p); }
inline li getrf(li m, li n, zd* a, li lda, li* p) { return GRL_NUMERIC(LAPACKE_zgetrf)(CM, m, n, a, lda, p); }
inline li getrf(li m, li n, zf* a, li lda, li* p) { return GRL_NUMERIC(LAPACKE_cgetrf)(CM, m, n, a, lda, p); }
inline li getrs(li n, li nrhs, const double* a, li lda, const li* p, double* b, li ldb) {
  return GRL_NUMERIC(LAPACKE_dgetrs)(CM, 'N', n, nrhs, a, lda, p, b, ldb);
}
inline li getrs(li n, li nrhs, const float* a, li lda, const li* p, float* b, li ldb) {
  return GRL_NUMERIC(LAPACKE_sgetrs)(CM, 'N', n, nrhs, a, lda, p, b, ldb);
}
inline li getrs(li n, li nrhs, const zd* a, li lda, const li* p, zd* b, li ldb) {
  return GRL_NUMERIC(LAPACKE_zgetrs)(CM, 'N', n, nrhs, a, lda, p, b, ldb);
}
inline li getrs(li n, li nrhs, const zf* a, li lda, const li* p, zf* b, li ldb) {
  return GRL_NUMERIC(LAPACKE_cgetrs)(CM, 'N', n, nrhs, a, lda, p, b, ldb);
}
inline li getri(li n, double* a, li lda, const li* p) { return GRL_NUMERIC(LAPACKE_dgetri)(CM, n, a, lda, p); }
inline li getri(li n, float* a, li lda, const li* p) { return GRL_NUMERIC(LAPACKE_sgetri)(CM, n, a, lda, p); }
inline li getri(li n, zd* a, li lda, const li* p) { return GRL_NUMERIC(LAPACKE_zgetri)(CM, n, a, lda, p); }
inline li getri(li n, zf* a, li lda, const li* p) { return GRL_NUMERIC(LAPACKE_cgetri)(CM, n, a, lda, p); }

// 1-norm and condition estimate of an LU factorisation.
inline double lange(char nm, li m, li n, const double* a, li lda) { return GRL_NUMERIC(LAPACKE_dlange)(CM, nm, m, n, a, lda); }
inline float lange(char nm, li m, li n, const float* a, li lda) { return GRL_NUMERIC(LAPACKE_slange)(CM, nm, m, n, a, lda); }
inline double lange(char nm, li m, li n, const zd* a, li lda) { return GRL_NUMERIC(LAPACKE_zlange)(CM, nm, m, n, a, lda); }
inline float lange(char nm, li m, li n, const zf* a, li lda) { return GRL_NUMERIC(LAPACKE_clange)(CM, nm, m, n, a, lda); }
inline li gecon(li n, const double* a, li lda, double an, double* rc) { return GRL_NUMERIC(LAPACKE_dgecon)(CM, '1', n, a, lda, an, rc); }
inline li gecon(li n, const float* a, li lda, float an, float* rc) { return GRL_NUMERIC(LAPACKE_sgecon)(CM, '1', n, a, lda, an, rc); }
inline li gecon(li n, const zd* a, li lda, double an, double* rc) { return GRL_NUMERIC(LAPACKE_zgecon)(CM, '1', n, a, lda, an, rc); }
inline li gecon(li n, const zf* a, li lda, float an, float* rc) { return GRL_NUMERIC(LAPACKE_cgecon)(CM, '1', n, a, lda, an, rc); }
// Triangular systems: uplo 'U' or 'L'.
inline li trtrs(char ul, li n, li nrhs, const double* a, li lda, double* b, li ldb) { return GRL_NUMERIC(LAPACKE_dtrtrs)(CM, ul, 'N', 'N', n, nrhs, a, lda, b, ldb); }
inline li trtrs(char ul, li n, li nrhs, const float* a, li lda, float* b, li ldb) { return GRL_NUMERIC(LAPACKE_strtrs)(CM, ul, 'N', 'N', n, nrhs, a, lda, b, ldb); }
inline li trtrs(char ul, li n, li nrhs, const zd* a, li lda, zd* b, li ldb) { return GRL_NUMERIC(LAPACKE_ztrtrs)(CM, ul, 'N', 'N', n, nrhs, a, lda, b, ldb); }
inline li trtrs(char ul, li n, li nrhs, const zf* a, li lda, zf* b, li ldb) { return GRL_NUMERIC(LAPACKE_ctrtrs)(CM, ul, 'N', 'N', n, nrhs, a, lda, b, ldb); }
inline li trcon(char ul, li n, const double* a, li lda, double* rc) { return GRL_NUMERIC(LAPACKE_dtrcon)(CM, '1', ul, 'N', n, a, lda, rc); }
inline li trcon(char ul, li n, const float* a, li lda, float* rc) { return GRL_NUMERIC(LAPACKE_strcon)(CM, '1', ul, 'N', n, a, lda, rc); }
inline li trcon(char ul, li n, const zd* a, li lda, double* rc) { return GRL_NUMERIC(LAPACKE_ztrcon)(CM, '1', ul, 'N', n, a, lda, rc); }
inline li trcon(char ul, li n, const zf* a, li lda, float* rc) { return GRL_NUMERIC(LAPACKE_ctrcon)(CM, '1', ul, 'N', n, a, lda, rc); }

// --- least squares (SVD based, minimum norm) ---
inline li gelsd(li m, li n, li nrhs, double* a, li lda, double* b, li ldb, double* s, li* rank) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_dgelsd)(CM, m, n, nrhs, a, lda, b, ldb, s, -1.0, rank);
}
inline li gelsd(li m, li n, li nrhs, float* a, li lda, float* b, li ldb, float* s, li* rank) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_sgelsd)(CM, m, n, nrhs, a, lda, b, ldb, s, -1.0f, rank);
}
inline li gelsd(li m, li n, li nrhs, zd* a, li lda, zd* b, li ldb, double* s, li* rank) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_zgelsd)(CM, m, n, nrhs, a, lda, b, ldb, s, -1.0, rank);
}
inline li gelsd(li m, li n, li nrhs, zf* a, li lda, zf* b, li ldb, float* s, li* rank) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_cgelsd)(CM, m, n, nrhs, a, lda, b, ldb, s, -1.0f, rank);
}

// --- QR ---
inline li geqrf(li m, li n, double* a, li lda, double* t) { return GRL_NUMERIC(LAPACKE_dgeqrf)(CM, m, n, a, lda, t); }
inline li geqrf(li m, li n, float* a, li lda, float* t) { return GRL_NUMERIC(LAPACKE_sgeqrf)(CM, m, n, a, lda, t); }
inline li geqrf(li m, li n, zd* a, li lda, zd* t) { return GRL_NUMERIC(LAPACKE_zgeqrf)(CM, m, n, a, lda, t); }
inline li geqrf(li m, li n, zf* a, li lda, zf* t) { return GRL_NUMERIC(LAPACKE_cgeqrf)(CM, m, n, a, lda, t); }
inline li orgqr(li m, li n, li k, double* a, li lda, const double* t) { return GRL_NUMERIC(LAPACKE_dorgqr)(CM, m, n, k, a, lda, t); }
inline li orgqr(li m, li n, li k, float* a, li lda, const float* t) { return GRL_NUMERIC(LAPACKE_sorgqr)(CM, m, n, k, a, lda, t); }
inline li orgqr(li m, li n, li k, zd* a, li lda, const zd* t) { return GRL_NUMERIC(LAPACKE_zungqr)(CM, m, n, k, a, lda, t); }
inline li orgqr(li m, li n, li k, zf* a, li lda, const zf* t) { return GRL_NUMERIC(LAPACKE_cungqr)(CM, m, n, k, a, lda, t); }

// --- Cholesky (upper) ---
inline li potrf(li n, double* a, li lda) { return GRL_NUMERIC(LAPACKE_dpotrf)(CM, 'U', n, a, lda); }
inline li potrf(li n, float* a, li lda) { return GRL_NUMERIC(LAPACKE_spotrf)(CM, 'U', n, a, lda); }
inline li potrf(li n, zd* a, li lda) { return GRL_NUMERIC(LAPACKE_zpotrf)(CM, 'U', n, a, lda); }
inline li potrf(li n, zf* a, li lda) { return GRL_NUMERIC(LAPACKE_cpotrf)(CM, 'U', n, a, lda); }
inline li potrs(li n, li nrhs, const double* a, li lda, double* b, li ldb) { return GRL_NUMERIC(LAPACKE_dpotrs)(CM, 'U', n, nrhs, a, lda, b, ldb); }
inline li potrs(li n, li nrhs, const float* a, li lda, float* b, li ldb) { return GRL_NUMERIC(LAPACKE_spotrs)(CM, 'U', n, nrhs, a, lda, b, ldb); }
inline li potri(li n, double* a, li lda) { return GRL_NUMERIC(LAPACKE_dpotri)(CM, 'U', n, a, lda); }
inline li potri(li n, float* a, li lda) { return GRL_NUMERIC(LAPACKE_spotri)(CM, 'U', n, a, lda); }
inline li pocon(li n, const double* a, li lda, double an, double* rc) { return GRL_NUMERIC(LAPACKE_dpocon)(CM, 'U', n, a, lda, an, rc); }
inline li pocon(li n, const float* a, li lda, float an, float* rc) { return GRL_NUMERIC(LAPACKE_spocon)(CM, 'U', n, a, lda, an, rc); }

// A real square matrix that is exactly symmetric with a positive diagonal may be
// positive definite: solve, invert and take its determinant by Cholesky first (falling
// back to LU when the factorisation fails), which is what the reference interpreter
// does, so results agree with it to the last bit.
template <class E>
bool maybe_positive_definite(const E* a, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    if (!(a[j + j * n] > 0)) return false;
    for (std::size_t i = j + 1; i < n; ++i)
      if (a[i + j * n] != a[j + i * n]) return false;
  }
  return n > 0;
}

// --- SVD: jobu/jobvt 'A', 'S' or 'N' ---
inline li gesvd(char ju, char jv, li m, li n, double* a, li lda, double* s, double* u, li ldu, double* vt, li ldvt) {
  one_blas_thread serial;
  std::vector<double> sup(std::size_t(m < n ? m : n) + 1);
  return GRL_NUMERIC(LAPACKE_dgesvd)(CM, ju, jv, m, n, a, lda, s, u, ldu, vt, ldvt, sup.data());
}
inline li gesvd(char ju, char jv, li m, li n, float* a, li lda, float* s, float* u, li ldu, float* vt, li ldvt) {
  one_blas_thread serial;
  std::vector<float> sup(std::size_t(m < n ? m : n) + 1);
  return GRL_NUMERIC(LAPACKE_sgesvd)(CM, ju, jv, m, n, a, lda, s, u, ldu, vt, ldvt, sup.data());
}
inline li gesvd(char ju, char jv, li m, li n, zd* a, li lda, double* s, zd* u, li ldu, zd* vt, li ldvt) {
  one_blas_thread serial;
  std::vector<double> sup(std::size_t(m < n ? m : n) + 1);
  return GRL_NUMERIC(LAPACKE_zgesvd)(CM, ju, jv, m, n, a, lda, s, u, ldu, vt, ldvt, sup.data());
}
inline li gesvd(char ju, char jv, li m, li n, zf* a, li lda, float* s, zf* u, li ldu, zf* vt, li ldvt) {
  one_blas_thread serial;
  std::vector<float> sup(std::size_t(m < n ? m : n) + 1);
  return GRL_NUMERIC(LAPACKE_cgesvd)(CM, ju, jv, m, n, a, lda, s, u, ldu, vt, ldvt, sup.data());
}

// --- eigenvalues: symmetric / Hermitian (ascending), general ---
inline li syev(char jobz, li n, double* a, li lda, double* w) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_dsyev)(CM, jobz, 'U', n, a, lda, w);
}
inline li syev(char jobz, li n, float* a, li lda, float* w) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_ssyev)(CM, jobz, 'U', n, a, lda, w);
}
inline li syev(char jobz, li n, zd* a, li lda, double* w) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_zheev)(CM, jobz, 'U', n, a, lda, w);
}
inline li syev(char jobz, li n, zf* a, li lda, float* w) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_cheev)(CM, jobz, 'U', n, a, lda, w);
}
inline li geev(char jobvr, li n, double* a, li lda, double* wr, double* wi, double* vr, li ldvr) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_dgeev)(CM, 'N', jobvr, n, a, lda, wr, wi, nullptr, 1, vr, ldvr);
}
inline li geev(char jobvr, li n, float* a, li lda, float* wr, float* wi, float* vr, li ldvr) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_sgeev)(CM, 'N', jobvr, n, a, lda, wr, wi, nullptr, 1, vr, ldvr);
}
inline li geev(char jobvr, li n, zd* a, li lda, zd* w, zd* vr, li ldvr) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_zgeev)(CM, 'N', jobvr, n, a, lda, w, nullptr, 1, vr, ldvr);
}
inline li geev(char jobvr, li n, zf* a, li lda, zf* w, zf* vr, li ldvr) {
  one_blas_thread serial;
  return GRL_NUMERIC(LAPACKE_cgeev)(CM, 'N', jobvr, n, a, lda, w, nullptr, 1, vr, ldvr);
}

// --- balancing (for expm) ---
inline li gebal(char job, li n, double* a, li lda, li* lo, li* hi, double* sc) { return GRL_NUMERIC(LAPACKE_dgebal)(CM, job, n, a, lda, lo, hi, sc); }
inline li gebal(char job, li n, float* a, li lda, li* lo, li* hi, float* sc) { return GRL_NUMERIC(LAPACKE_sgebal)(CM, job, n, a, lda, lo, hi, sc); }
inline li gebal(char job, li n, zd* a, li lda, li* lo, li* hi, double* sc) { return GRL_NUMERIC(LAPACKE_zgebal)(CM, job, n, a, lda, lo, hi, sc); }
inline li gebal(char job, li n, zf* a, li lda, li* lo, li* hi, float* sc) { return GRL_NUMERIC(LAPACKE_cgebal)(CM, job, n, a, lda, lo, hi, sc); }

// --- conversions between M<T> and plain arrays ---
std::vector<T> rbuf(const Mt& a);                 // the real parts
std::vector<C> zbuf(const Mt& a);                 // interleaved complex
Mt from_r(std::size_t r, std::size_t c, const T* p);
Mt from_z(std::size_t r, std::size_t c, const C* p);   // real when every imaginary part is 0
Mt eye(std::size_t n);
Mt conj_t(const Mt& a);                           // a' (conjugate transpose)
bool is_square_or_fail(const Mt& a, const char* fn);

// Shared steps of the operators, used by the factorisations too.
Mt solve(const Mt& a, const Mt& b, const char* op);       // a\b (square or rectangular)
Mt inverse(const Mt& a, bool warn);
// Singular values (descending) of a, as a plain vector.
std::vector<T> singular_values(const Mt& a);
// Eigen-decomposition of a square matrix; vectors only when v is given.
void eigen(const Mt& a, Mt* v, Mt* d_values);

void warn_singular();
void warn_singular(double rcond);

}  // namespace la
}  // namespace grl

#endif
