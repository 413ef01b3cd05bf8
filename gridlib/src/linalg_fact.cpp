// Matrix functions and factorisations: inv, det, rank, trace, norm, cond, pinv, null,
// orth, kron, expm, lu, qr and chol.
#include "linalg_lapack.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace grl {
namespace la {
namespace {

inline C at(const Mt& m, std::size_t k) { return C(m.cre()[k], m.cim() ? m.cim()[k] : T(0)); }
inline T absat(const Mt& m, std::size_t k) { return m.cim() ? std::hypot(m.cre()[k], m.cim()[k]) : std::fabs(m.cre()[k]); }

std::string text_of(const Mt& s) {
  std::string w;
  for (std::size_t k = 0; k < s.numel(); ++k) w += char(s.cre()[k]);
  return w;
}

T eps_of() { return std::numeric_limits<T>::epsilon(); }
T inf_of() { return std::numeric_limits<T>::infinity(); }
T nan_of() { return std::numeric_limits<T>::quiet_NaN(); }

bool any_nan(const Mt& a) {
  for (std::size_t k = 0; k < a.numel(); ++k)
    if (a.cre()[k] != a.cre()[k] || (a.cim() && a.cim()[k] != a.cim()[k])) return true;
  return false;
}
bool any_inf(const Mt& a) {
  for (std::size_t k = 0; k < a.numel(); ++k)
    if (std::isinf(a.cre()[k]) || (a.cim() && std::isinf(a.cim()[k]))) return true;
  return false;
}

// Columns [c0, c1) of a.
Mt cols_of(const Mt& a, std::size_t c0, std::size_t c1) {
  std::size_t r = a.rows(), n = c1 - c0;
  Mt out = Mt::alloc(r, n, a.isc());
  if (r * n == 0) return out;
  std::memcpy(out.pr(), a.cre() + c0 * r, r * n * sizeof(T));
  if (a.isc()) std::memcpy(out.pi(), a.cim() + c0 * r, r * n * sizeof(T));
  out.drop_imag();
  return out;
}

// The default tolerance of rank, pinv, null and orth.
T default_tol(const Mt& a, const std::vector<T>& s) {
  std::size_t big = std::max(a.rows(), a.cols());
  return s.empty() ? T(0) : T(big) * s[0] * eps_of();
}

std::size_t count_above(const std::vector<T>& s, T tol) {
  std::size_t r = 0;
  for (T v : s) r += v > tol;
  return r;
}

// The p-norm of a vector; p given as a number (Inf and -Inf included).
T vector_norm(const Mt& a, T p) {
  std::size_t n = a.numel();
  if (n == 0) return 0;
  if (any_nan(a)) return nan_of();
  if (p == inf_of() || p == -inf_of()) {
    T m = absat(a, 0);
    for (std::size_t k = 1; k < n; ++k) m = p > 0 ? std::max(m, absat(a, k)) : std::min(m, absat(a, k));
    return m;
  }
  if (p == 1) {
    T s = 0;
    for (std::size_t k = 0; k < n; ++k) s += absat(a, k);
    return s;
  }
  if (p == 0) {
    T s = 0;
    for (std::size_t k = 0; k < n; ++k) s += absat(a, k) != 0;
    return s;
  }
  if (p == 2) {
    // The plain sum of the squares of the parts is exact for small integers; it is
    // used unless it overflows or falls where squares lose precision.
    T s = 0;
    const T* re = a.cre();
    const T* im = a.cim();
    for (std::size_t k = 0; k < n; ++k) s += re[k] * re[k] + (im ? im[k] * im[k] : T(0));
    if (std::isfinite(s) && s >= std::sqrt(std::numeric_limits<T>::min())) return std::sqrt(s);
  }
  // Scaled by the largest magnitude so that the powers neither overflow nor underflow.
  T scale = 0;
  for (std::size_t k = 0; k < n; ++k) scale = std::max(scale, absat(a, k));
  if (scale == 0 || std::isinf(scale)) return scale;
  T s = 0;
  for (std::size_t k = 0; k < n; ++k) {
    T x = absat(a, k) / scale;
    s += p == 2 ? x * x : std::pow(x, p);
  }
  return scale * (p == 2 ? std::sqrt(s) : std::pow(s, 1 / p));
}

T matrix_norm(const Mt& a, T p, bool fro) {
  std::size_t r = a.rows(), c = a.cols();
  if (a.isempty()) return 0;
  if (fro) {
    Mt v = a;
    v.reshape_to(a.numel(), 1);
    return vector_norm(v, 2);
  }
  if (any_nan(a)) return nan_of();
  if (p == 1 || p == inf_of()) {
    T best = 0;
    std::size_t outer = p == 1 ? c : r, inner = p == 1 ? r : c;
    for (std::size_t o = 0; o < outer; ++o) {
      T s = 0;
      for (std::size_t i = 0; i < inner; ++i) s += absat(a, p == 1 ? i + o * r : o + i * r);
      best = std::max(best, s);
    }
    return best;
  }
  if (p == 2) {
    if (any_inf(a)) return inf_of();
    return singular_values(a)[0];
  }
  grl_fail("norm: only p = 1, 2, Inf or \"fro\" are supported for matrices");
}

// Reads the p argument of norm and cond: a number or "fro", "inf", "-inf".
T norm_p(const Mt& p, bool* fro) {
  *fro = false;
  if (p.ischar()) {
    std::string w = text_of(p);
    for (char& ch : w) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    if (w == "fro") { *fro = true; return 2; }
    if (w == "inf") return inf_of();
    if (w == "-inf") return -inf_of();
    grl_fail("norm: unrecognized option: %s", text_of(p).c_str());
  }
  if (p.numel() != 1 || p.isc()) grl_fail("norm: P must be a real scalar or a string");
  return p.cre()[0];
}

T norm_of(const Mt& a, T p, bool fro) {
  bool vec = a.rows() == 1 || a.cols() == 1;
  if (vec) return vector_norm(a, p);
  return matrix_norm(a, p, fro);
}

// The LU factorisation of a copy of a (either element type); info > 0 when singular.
template <class E>
li lu_of(std::vector<E>& aa, std::size_t m, std::size_t n, std::vector<li>& piv) {
  piv.assign(std::max<std::size_t>(1, std::min(m, n)), 0);
  if (m == 0 || n == 0) return 0;
  return getrf(li(m), li(n), aa.data(), li(m), piv.data());
}

// L (m x k, unit lower), U (k x n) and the row order perm (perm[i] = original row) of a = P'LU.
void lu_parts(const Mt& a, Mt* l, Mt* u, std::vector<std::size_t>* perm) {
  std::size_t m = a.rows(), n = a.cols(), k = std::min(m, n);
  std::vector<li> piv;
  std::vector<C> zz = zbuf(a);
  lu_of(zz, m, n, piv);
  std::vector<C> lv(m * k, C(0)), uv(k * n, C(0));
  for (std::size_t j = 0; j < k; ++j) {
    lv[j + j * m] = C(1);
    for (std::size_t i = j + 1; i < m; ++i) lv[i + j * m] = zz[i + j * m];
  }
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t i = 0; i <= std::min(j, k - 1) && k > 0; ++i) uv[i + j * k] = zz[i + j * m];
  *l = from_z(m, k, lv.data());
  *u = from_z(k, n, uv.data());
  perm->resize(m);
  for (std::size_t i = 0; i < m; ++i) (*perm)[i] = i;
  for (std::size_t i = 0; i < k; ++i) std::swap((*perm)[i], (*perm)[std::size_t(piv[i] - 1)]);
}

// Rows of x in the order perm gives: out(perm[i], :) = x(i, :)
Mt unpermute_rows(const Mt& x, const std::vector<std::size_t>& perm) {
  std::size_t m = x.rows(), c = x.cols();
  Mt out = Mt::alloc(m, c, x.isc());
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < m; ++i) {
      out.pr()[perm[i] + j * m] = x.cre()[i + j * m];
      if (x.isc()) out.pi()[perm[i] + j * m] = x.cim()[i + j * m];
    }
  return out;
}

// Q (m x qc) and R (qc x n) of a = QR; qc is m (full) or min(m,n) (economy).
void qr_parts(const Mt& a, bool econ, Mt* q, Mt* r) {
  std::size_t m = a.rows(), n = a.cols(), k = std::min(m, n);
  std::size_t qc = econ ? k : m;
  std::vector<C> zz = zbuf(a), tau(std::max<std::size_t>(k, 1));
  if (k > 0) geqrf(li(m), li(n), zz.data(), li(m), tau.data());
  std::vector<C> rv(qc * n, C(0));
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t i = 0; i < qc && i <= j; ++i) rv[i + j * qc] = zz[i + j * m];
  *r = from_z(qc, n, rv.data());
  if (!q) return;
  std::vector<C> qv(m * std::max(qc, n), C(0));
  for (std::size_t j = 0; j < std::min(n, qc); ++j)
    for (std::size_t i = 0; i < m; ++i) qv[i + j * m] = zz[i + j * m];
  if (m > 0 && qc > 0) orgqr(li(m), li(qc), li(k), qv.data(), li(m), tau.data());
  *q = from_z(m, qc, qv.data());
}

bool econ_arg(const Mt& e) {
  if (e.ischar() && text_of(e) == "econ") return true;
  if (!e.ischar() && e.numel() == 1 && e.cre()[0] == 0) return true;
  grl_fail("qr: option string must be \"econ\" or 0");
}

// Upper Cholesky factor; info is 0 or the order of the failing leading minor.
Mt chol_of(const Mt& a, li* info) {
  if (a.rows() != a.cols()) grl_fail("chol: A must be a square matrix");
  std::size_t n = a.rows();
  std::vector<C> zz = zbuf(a);
  *info = n ? potrf(li(n), zz.data(), li(n)) : 0;
  std::size_t keep = *info > 0 ? std::size_t(*info - 1) : n;
  std::vector<C> rv(keep * keep, C(0));
  for (std::size_t j = 0; j < keep; ++j)
    for (std::size_t i = 0; i <= j; ++i) rv[i + j * keep] = zz[i + j * n];
  return from_z(keep, keep, rv.data());
}

Mt add_scaled(const Mt& a, const Mt& b, T sb) {
  std::size_t n = a.numel();
  bool cplx = a.isc() || b.isc();
  Mt out = Mt::alloc(a.rows(), a.cols(), cplx);
  for (std::size_t k = 0; k < n; ++k) out.pr()[k] = a.cre()[k] + sb * b.cre()[k];
  if (cplx)
    for (std::size_t k = 0; k < n; ++k)
      out.pi()[k] = (a.cim() ? a.cim()[k] : 0) + sb * (b.cim() ? b.cim()[k] : 0);
  return out;
}

}  // namespace
}  // namespace la
}  // namespace grl

using namespace grl::la;

Mt inv(const Mt& a) {
  if (a.holds_cell()) grl_fail("inv: wrong type argument 'cell'");
  if (a.rows() != a.cols()) grl_fail("inverse: A must be a square matrix");
  if (a.isscalar() && !a.isc()) return Mt(T(1) / a.cre()[0]);
  return inverse(a, true);
}

Mt det(const Mt& a) {
  if (a.holds_cell()) grl_fail("det: wrong type argument 'cell'");
  if (a.rows() != a.cols()) grl_fail("det: A must be a square matrix");
  std::size_t n = a.rows();
  if (n == 0) return Mt(T(1));
  if (!a.isc() && n > 1 && maybe_positive_definite(a.cre(), n)) {
    std::vector<T> r = rbuf(a);
    if (potrf(li(n), r.data(), li(n)) == 0) {
      T d = 1;
      for (std::size_t k = 0; k < n; ++k) d *= r[k + k * n];
      return Mt(d * d);
    }
  }
  std::vector<li> piv;
  std::vector<C> zz = zbuf(a);
  lu_of(zz, n, n, piv);
  C d(1);
  for (std::size_t k = 0; k < n; ++k) {
    d *= zz[k + k * n];
    if (piv[k] != li(k + 1)) d = -d;
  }
  Mt out = Mt::cplx(d.real(), d.imag());
  out.drop_imag();
  return out;
}

Mt rank(const Mt& a) {
  if (a.holds_cell()) grl_fail("svd: wrong type argument 'cell'");
  std::vector<T> s = singular_values(a);
  return Mt(T(count_above(s, default_tol(a, s))));
}

Mt rank(const Mt& a, const Mt& tol) {
  if (a.holds_cell()) grl_fail("svd: wrong type argument 'cell'");
  std::vector<T> s = singular_values(a);
  return Mt(T(count_above(s, tol.numel() ? tol.cre()[0] : default_tol(a, s))));
}

// MATLAB refuses a non-square matrix (a vector included); the reference interpreter
// returns the first element of a vector instead.
Mt trace(const Mt& a) {
  if (a.holds_cell()) grl_fail("sum: wrong type argument 'cell'");
  if (a.isempty()) return Mt(T(0));
  if (a.rows() != a.cols()) grl_fail("trace: only valid on square matrix");
  std::size_t n = a.rows();
  C s(0);
  for (std::size_t k = 0; k < n; ++k) s += at(a, k + k * n);
  Mt out = Mt::cplx(s.real(), s.imag());
  out.drop_imag();
  return out;
}

Mt norm(const Mt& a) {
  if (a.holds_cell()) grl_fail("xnorm: wrong type argument 'cell'");
  return Mt(norm_of(a, 2, false));
}

Mt norm(const Mt& a, const Mt& p) {
  if (a.holds_cell()) grl_fail("xnorm: wrong type argument 'cell'");
  bool fro = false;
  T pv = norm_p(p, &fro);
  return Mt(norm_of(a, pv, fro));
}

Mt cond(const Mt& a) {
  if (a.holds_cell()) grl_fail("isfinite: not defined for cell");
  if (a.isempty()) return Mt(T(0));
  if (any_nan(a) || any_inf(a)) grl_fail("cond: A must not contain Inf or NaN values");
  std::vector<T> s = singular_values(a);
  T lo = s.back();
  return Mt(lo == 0 ? inf_of() : s[0] / lo);
}

Mt cond(const Mt& a, const Mt& p) {
  if (a.holds_cell()) grl_fail("isfinite: not defined for cell");
  bool fro = false;
  T pv = norm_p(p, &fro);
  if (pv == 2 && !fro) return cond(a);
  if (a.rows() != a.cols()) grl_fail("cond: A must be a square matrix if P != 2");
  if (a.isempty()) return Mt(T(0));
  Mt ai = inverse(a, false);
  return Mt(matrix_norm(a, pv, fro) * matrix_norm(ai, pv, fro));
}

Mt pinv(const Mt& a, const Mt& tol) {
  if (a.holds_cell()) grl_fail("pinv: wrong type argument 'cell'");
  std::size_t m = a.rows(), n = a.cols();
  if (a.isempty()) return Mt::zeros(n, m);
  Mt u, s, v;
  svd(a, M<m_type>(T(0)), i_o, u, s, v);
  std::size_t k = std::min(m, n);
  std::vector<T> sv(k);
  for (std::size_t j = 0; j < k; ++j) sv[j] = s.cre()[j + j * k];
  T t = tol.numel() ? tol.cre()[0] : default_tol(a, sv);
  std::size_t r = count_above(sv, t);
  if (r == 0) return Mt::zeros(n, m);
  // V(:,1:r) * diag(1./s) * U(:,1:r)'
  Mt vr = cols_of(v, 0, r);
  T* re = vr.pr();
  T* im = vr.isc() ? vr.pi() : nullptr;
  for (std::size_t j = 0; j < r; ++j)
    for (std::size_t i = 0; i < n; ++i) {
      re[i + j * n] /= sv[j];
      if (im) im[i + j * n] /= sv[j];
    }
  return grl::mtimes(vr, grl::ctranspose(cols_of(u, 0, r)));
}

Mt pinv(const Mt& a) { return pinv(a, Mt()); }

Mt null(const Mt& a) {
  if (a.holds_cell()) grl_fail("svd: wrong type argument 'cell'");
  std::size_t n = a.cols();
  if (a.isempty()) return eye(n);
  Mt u, s, v;
  svd(a, i_o, u, s, v);
  std::vector<T> sv = singular_values(a);
  std::size_t r = count_above(sv, default_tol(a, sv));
  Mt z = cols_of(v, r, n);
  // Entries below the rounding level are noise of the decomposition: shown as 0.
  for (std::size_t k = 0; k < z.numel(); ++k) {
    if (std::fabs(z.cre()[k]) < eps_of()) z.pr()[k] = 0;
    if (z.isc() && std::fabs(z.cim()[k]) < eps_of()) z.pi()[k] = 0;
  }
  z.drop_imag();
  return z;
}

Mt orth(const Mt& a) {
  if (a.holds_cell()) grl_fail("svd: wrong type argument 'cell'");
  if (a.isempty()) return Mt::zeros(a.rows(), 0);
  Mt u, s, v;
  svd(a, i_o, u, s, v);
  std::vector<T> sv = singular_values(a);
  // The basis with the sign the reference interpreter shows.
  return grl::mtimes(Mt(T(-1)), cols_of(u, 0, count_above(sv, default_tol(a, sv))));
}

Mt kron(const Mt& a, const Mt& b) {
  std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  std::size_t r = ar * br, c = ac * bc;
  bool cplx = a.isc() || b.isc();
  Mt out = Mt::alloc(r, c, cplx);
  for (std::size_t ja = 0; ja < ac; ++ja)
    for (std::size_t ia = 0; ia < ar; ++ia) {
      C x = at(a, ia + ja * ar);
      for (std::size_t jb = 0; jb < bc; ++jb)
        for (std::size_t ib = 0; ib < br; ++ib) {
          std::size_t k = (ia * br + ib) + (ja * bc + jb) * r;
          if (!cplx) {
            out.pr()[k] = x.real() * b.cre()[ib + jb * br];
          } else {
            C y = x * at(b, ib + jb * br);
            out.pr()[k] = y.real();
            out.pi()[k] = y.imag();
          }
        }
    }
  if (cplx) out.drop_imag();
  return out;
}

// Scaling and squaring with the diagonal Pade approximant of degree 8.
Mt expm(const Mt& a) {
  if (a.holds_cell()) grl_fail("expm: A must be a square matrix");
  if (a.rows() != a.cols()) grl_fail("expm: A must be a square matrix");
  std::size_t n = a.rows();
  if (n == 0) return Mt::zeros(0, 0);
  if (a.isscalar()) {
    C e = std::exp(at(a, 0));
    Mt out = Mt::cplx(e.real(), e.imag());
    out.drop_imag();
    return out;
  }
  // Shift by the mean eigenvalue: exp(A) = exp(mu) exp(A - mu I).
  C mu = trace(a).isc() ? at(trace(a), 0) : C(trace(a).cre()[0]);
  mu /= T(n);
  bool shift = mu.real() > 0;
  Mt x = a;
  if (shift) {
    Mt sh = Mt::cplx(mu.real(), mu.imag());
    sh.drop_imag();
    x = add_scaled(a, grl::mtimes(sh, eye(n)), -1);
  }
  T nrm = matrix_norm(x, inf_of(), false);
  int e = 0;
  std::frexp(nrm, &e);
  int s = std::max(0, e);
  if (s > 0) x = grl::mtimes(Mt(std::ldexp(T(1), -s)), x);
  const int q = 8;
  Mt num = eye(n), den = eye(n), pw = eye(n);
  double c = 1;
  for (int k = 1; k <= q; ++k) {
    c = c * (q - k + 1) / double((2 * q - k + 1) * k);
    pw = grl::mtimes(x, pw);
    Mt term = grl::mtimes(Mt(T(c)), pw);
    num = add_scaled(num, term, 1);
    den = add_scaled(den, term, (k % 2) ? -1 : 1);
  }
  Mt r = grl::mldivide(den, num);
  for (int k = 0; k < s; ++k) r = grl::mtimes(r, r);
  if (shift) {
    C f = std::exp(mu);
    Mt fm = Mt::cplx(f.real(), f.imag());
    fm.drop_imag();
    r = grl::mtimes(fm, r);
  }
  r.drop_imag();
  return r;
}

// --- lu ---
Mt lu(const Mt& a) {
  std::size_t m = a.rows(), n = a.cols();
  std::vector<li> piv;
  std::vector<C> zz = zbuf(a);
  lu_of(zz, m, n, piv);
  return from_z(m, n, zz.data());
}

void lu(const Mt& a, i_o_t, Mr<m_type> y) { y = lu(a); }

void lu(const Mt& a, i_o_t, Mr<m_type> l, Mr<m_type> u) {
  Mt ll, uu;
  std::vector<std::size_t> perm;
  lu_parts(a, &ll, &uu, &perm);
  l = unpermute_rows(ll, perm);
  u = uu;
}

void lu(const Mt& a, i_o_t, Mr<m_type> l, Mr<m_type> u, Mr<m_type> p) {
  Mt ll, uu;
  std::vector<std::size_t> perm;
  lu_parts(a, &ll, &uu, &perm);
  std::size_t m = a.rows();
  Mt pm = Mt::zeros(m, m);
  for (std::size_t i = 0; i < m; ++i) pm.pr()[i + perm[i] * m] = 1;
  l = ll;
  u = uu;
  p = pm;
}

// --- qr ---
// One output: R, as MATLAB returns it for a full matrix.
Mt qr(const Mt& a) {
  Mt r;
  qr_parts(a, false, nullptr, &r);
  return r;
}

Mt qr(const Mt& a, const Mt& econ) {
  Mt r;
  qr_parts(a, econ_arg(econ), nullptr, &r);
  return r;
}

void qr(const Mt& a, i_o_t, Mr<m_type> r) { r = qr(a); }

void qr(const Mt& a, i_o_t, Mr<m_type> q, Mr<m_type> r) {
  Mt qq, rr;
  qr_parts(a, false, &qq, &rr);
  q = qq;
  r = rr;
}

void qr(const Mt& a, const Mt& econ, i_o_t, Mr<m_type> r) { r = qr(a, econ); }

void qr(const Mt& a, const Mt& econ, i_o_t, Mr<m_type> q, Mr<m_type> r) {
  Mt qq, rr;
  qr_parts(a, econ_arg(econ), &qq, &rr);
  q = qq;
  r = rr;
}

// --- chol ---
Mt chol(const Mt& a) {
  li info = 0;
  Mt r = chol_of(a, &info);
  if (info > 0) grl_fail("chol: input matrix must be positive definite");
  return r;
}

void chol(const Mt& a, i_o_t, Mr<m_type> r) { r = chol(a); }

void chol(const Mt& a, i_o_t, Mr<m_type> r, Mr<m_type> p) {
  li info = 0;
  r = chol_of(a, &info);
  p = Mt(T(info));
}
