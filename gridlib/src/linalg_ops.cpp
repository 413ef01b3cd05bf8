// The matrix operators: product (BLAS gemm), left and right division (LU with partial
// pivoting for square systems, minimum-norm least squares otherwise), matrix power and
// the two transposes; plus the conversions the other linalg sources share.
#include "int64_util.h"
#include "linalg_lapack.h"
#include "shape_nd.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <limits>

namespace grl {
namespace la {

std::vector<T> rbuf(const Mt& a) {
  return std::vector<T>(a.cre(), a.cre() + a.numel());
}

std::vector<C> zbuf(const Mt& a) {
  std::size_t n = a.numel();
  std::vector<C> z(n);
  const T* re = a.cre();
  const T* im = a.cim();
  for (std::size_t k = 0; k < n; ++k) z[k] = C(re[k], im ? im[k] : T(0));
  return z;
}

Mt from_r(std::size_t r, std::size_t c, const T* p) {
  Mt m = Mt::alloc(r, c);
  if (r * c != 0) std::memcpy(m.pr(), p, r * c * sizeof(T));
  return m;
}

Mt from_z(std::size_t r, std::size_t c, const C* p) {
  std::size_t n = r * c;
  bool cplx = false;
  for (std::size_t k = 0; k < n && !cplx; ++k) cplx = p[k].imag() != T(0);
  Mt m = Mt::alloc(r, c, cplx);
  T* re = m.pr();
  for (std::size_t k = 0; k < n; ++k) re[k] = p[k].real();
  if (cplx) {
    T* im = m.pi();
    for (std::size_t k = 0; k < n; ++k) im[k] = p[k].imag();
  }
  return m;
}

Mt eye(std::size_t n) {
  Mt m = Mt::zeros(n, n);
  T* p = m.pr();
  for (std::size_t k = 0; k < n; ++k) p[k + k * n] = T(1);
  return m;
}

Mt conj_t(const Mt& a) { return grl::ctranspose(a); }

void warn_singular() {
  grl::warn("Octave:singular-matrix", "matrix singular to machine precision");
}

void warn_singular(double rcond) {
  grl::warn("Octave:singular-matrix", "matrix singular to machine precision, rcond = %g", rcond);
}

bool is_square_or_fail(const Mt& a, const char* fn) {
  if (a.rows() != a.cols()) grl_fail("%s: argument must be a square matrix", fn);
  return true;
}

namespace {

inline C at(const Mt& m, std::size_t k) { return C(m.cre()[k], m.cim() ? m.cim()[k] : T(0)); }

// s op m element by element, s a 1 x 1 value; op 0 is s*m, 1 is m/s.
Mt scalar_op(const Mt& s, const Mt& m, int op) {
  std::size_t n = m.numel();
  bool cplx = s.isc() || m.isc();
  Mt out = Mt::alloc(m.rows(), m.cols(), cplx);
  T* re = out.pr();
  if (!cplx) {
    T v = s.cre()[0];
    const T* x = m.cre();
    if (op == 0)
      for (std::size_t k = 0; k < n; ++k) re[k] = v * x[k];
    else
      for (std::size_t k = 0; k < n; ++k) re[k] = x[k] / v;
    return out;
  }
  T* im = out.pi();
  C v = at(s, 0);
  bool real_s = !s.isc();
  for (std::size_t k = 0; k < n; ++k) {
    C r;
    if (op == 0) r = real_s ? C(v.real() * m.cre()[k], v.real() * (m.cim() ? m.cim()[k] : T(0))) : v * at(m, k);
    else r = real_s ? C(m.cre()[k] / v.real(), (m.cim() ? m.cim()[k] : T(0)) / v.real()) : at(m, k) / v;
    re[k] = r.real();
    im[k] = r.imag();
  }
  out.drop_imag();
  return out;
}

[[noreturn]] void nonconformant(const char* op, const Mt& a, const Mt& b) {
  grl_fail("operator %s: nonconformant arguments (op1 is %zux%zu, op2 is %zux%zu)", op, a.rows(), a.cols(),
           b.rows(), b.cols());
}

// Splits a complex matrix into its parts stacked side by side: [re im] (rows x 2cols).
std::vector<T> stack_parts(const Mt& b) {
  std::size_t n = b.numel();
  std::vector<T> s(2 * n);
  std::memcpy(s.data(), b.cre(), n * sizeof(T));
  if (b.cim()) std::memcpy(s.data() + n, b.cim(), n * sizeof(T));
  else std::fill(s.begin() + std::ptrdiff_t(n), s.end(), T(0));
  return s;
}

Mt unstack_parts(std::size_t r, std::size_t c, const T* s, std::size_t ld) {
  Mt out = Mt::alloc(r, c, true);
  T* re = out.pr();
  T* im = out.pi();
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      re[i + j * r] = s[i + j * ld];
      im[i + j * r] = s[i + (j + c) * ld];
    }
  out.drop_imag();
  return out;
}

// 'U' or 'L' when the n x n matrix a is upper or lower triangular with a diagonal
// free of zeros, else 0. Such a system is solved by substitution alone.
template <class E>
char triangle_of(const std::vector<E>& a, std::size_t n) {
  bool upper = true, lower = true;
  for (std::size_t j = 0; j < n && (upper || lower); ++j) {
    if (a[j + j * n] == E(0)) return 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (a[i + j * n] == E(0)) continue;
      if (i > j) upper = false;
      if (i < j) lower = false;
    }
  }
  return upper ? 'U' : lower ? 'L' : 0;
}

// Square system by LU; false when the factorisation finds an exactly singular matrix.
template <class E>
bool lu_solve(std::vector<E>& a, li n, std::vector<E>& b, li nrhs) {
  if (const char ul = n > 1 ? triangle_of(a, std::size_t(n)) : 0) {
    decltype(lange('1', n, n, a.data(), n)) rc = 0;
    trcon(ul, n, a.data(), n, &rc);
    if (rc + 1 == 1 || rc != rc) warn_singular(double(rc));
    trtrs(ul, n, nrhs, a.data(), n, b.data(), n);
    return true;
  }
  if constexpr (std::is_floating_point<E>::value) {
    if (n > 1 && maybe_positive_definite(a.data(), std::size_t(n))) {
      std::vector<E> r = a;
      auto anorm = lange('1', n, n, a.data(), n);
      if (potrf(n, r.data(), n) == 0) {
        decltype(anorm) rc = 0;
        pocon(n, r.data(), n, anorm, &rc);
        if (rc + 1 == 1 || rc != rc) warn_singular(double(rc));
        potrs(n, nrhs, r.data(), n, b.data(), n);
        return true;
      }
    }
  }
  std::vector<li> piv{};
  piv.resize(std::size_t(n));
  auto anorm = lange('1', n, n, a.data(), n);
  if (getrf(n, n, a.data(), n, piv.data()) > 0) return false;
  decltype(anorm) rc = 0;
  gecon(n, a.data(), n, anorm, &rc);
  if (rc + 1 == 1 || rc != rc) warn_singular(double(rc));
  getrs(n, nrhs, a.data(), n, piv.data(), b.data(), n);
  return true;
}

// Least squares of an m x n system; b holds max(m,n) rows per right-hand side.
template <class E, class R>
void ls_solve(std::vector<E>& a, li m, li n, std::vector<E>& b, li ldb, li nrhs) {
  std::vector<R> s(std::size_t(m < n ? m : n) + 1);
  li rank = 0;
  if (m == 0 || n == 0) return;
  gelsd(m, n, nrhs, a.data(), m, b.data(), ldb, s.data(), &rank);
}

// b padded to ldb rows per column.
template <class E>
std::vector<E> padded(const E* p, std::size_t r, std::size_t c, std::size_t ldb) {
  std::vector<E> out(ldb * c, E(0));
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) out[i + j * ldb] = p[i + j * r];
  return out;
}

}  // namespace

// a\b: the work behind mldivide and mrdivide; `op` names the operator in messages.
Mt solve(const Mt& a, const Mt& b, const char* op) {
  std::size_t m = a.rows(), n = a.cols(), nrhs = b.cols();
  if (b.rows() != m) {
    if (op[0] == '/') nonconformant(op, grl::transpose(b), grl::transpose(a));
    nonconformant(op, a, b);
  }
  if (m == 0 || n == 0 || nrhs == 0) return Mt::zeros(n, nrhs);
  std::size_t ldb = m > n ? m : n;
  if (!a.isc()) {
    // A real matrix: the right-hand side's imaginary part rides along as more columns.
    std::size_t cols = b.isc() ? 2 * nrhs : nrhs;
    std::vector<T> bb = b.isc() ? stack_parts(b) : rbuf(b);
    std::vector<T> aa = rbuf(a);
    bool done = false;
    if (m == n) {
      done = lu_solve(aa, li(n), bb, li(cols));
      if (!done) {
        // Exactly singular: start again from the original values, by least squares.
        warn_singular();
        aa = rbuf(a);
        bb = b.isc() ? stack_parts(b) : rbuf(b);
      }
    }
    if (!done) {
      std::vector<T> pb = padded(bb.data(), m, cols, ldb);
      ls_solve<T, T>(aa, li(m), li(n), pb, li(ldb), li(cols));
      bb.swap(pb);
    } else {
      ldb = n;
    }
    if (b.isc()) return unstack_parts(n, nrhs, bb.data(), ldb);
    Mt out = Mt::alloc(n, nrhs);
    T* o = out.pr();
    for (std::size_t j = 0; j < nrhs; ++j) std::memcpy(o + j * n, bb.data() + j * ldb, n * sizeof(T));
    return out;
  }
  std::vector<C> aa = zbuf(a), bb = zbuf(b);
  bool done = false;
  if (m == n) {
    done = lu_solve(aa, li(n), bb, li(nrhs));
    if (!done) {
      warn_singular();
      aa = zbuf(a);
      bb = zbuf(b);
    }
  }
  if (!done) {
    std::vector<C> pb = padded(bb.data(), m, nrhs, ldb);
    ls_solve<C, T>(aa, li(m), li(n), pb, li(ldb), li(nrhs));
    std::vector<C> o(n * nrhs);
    for (std::size_t j = 0; j < nrhs; ++j)
      for (std::size_t i = 0; i < n; ++i) o[i + j * n] = pb[i + j * ldb];
    return from_z(n, nrhs, o.data());
  }
  return from_z(n, nrhs, bb.data());
}

// inv(a) for a square a; a singular matrix gives Inf everywhere, with the warning.
Mt inverse(const Mt& a, bool warn) {
  std::size_t n = a.rows();
  if (n == 0) return Mt::zeros(0, 0);
  std::vector<li> piv(n);
  if (!a.isc()) {
    std::vector<T> aa = rbuf(a);
    T anorm = lange('1', li(n), li(n), aa.data(), li(n));
    if (n > 1 && maybe_positive_definite(aa.data(), n)) {
      std::vector<T> r = aa;
      if (potrf(li(n), r.data(), li(n)) == 0) {
        T rc = 0;
        pocon(li(n), r.data(), li(n), anorm, &rc);
        if (warn && (rc + 1 == 1 || rc != rc)) warn_singular(double(rc));
        potri(li(n), r.data(), li(n));
        for (std::size_t j = 0; j < n; ++j)
          for (std::size_t i = j + 1; i < n; ++i) r[i + j * n] = r[j + i * n];
        return from_r(n, n, r.data());
      }
    }
    if (getrf(li(n), li(n), aa.data(), li(n), piv.data()) > 0) {
      if (warn) warn_singular();
      Mt out = Mt::alloc(n, n);
      for (std::size_t k = 0; k < n * n; ++k) out.pr()[k] = std::numeric_limits<T>::infinity();
      return out;
    }
    T rc = 0;
    gecon(li(n), aa.data(), li(n), anorm, &rc);
    if (warn && (rc + 1 == 1 || rc != rc)) warn_singular(double(rc));
    getri(li(n), aa.data(), li(n), piv.data());
    return from_r(n, n, aa.data());
  }
  std::vector<C> aa = zbuf(a);
  T anorm = lange('1', li(n), li(n), aa.data(), li(n));
  if (getrf(li(n), li(n), aa.data(), li(n), piv.data()) > 0) {
    if (warn) warn_singular();
    Mt out = Mt::alloc(n, n);
    for (std::size_t k = 0; k < n * n; ++k) out.pr()[k] = std::numeric_limits<T>::infinity();
    return out;
  }
  T rc = 0;
  gecon(li(n), aa.data(), li(n), anorm, &rc);
  if (warn && (rc + 1 == 1 || rc != rc)) warn_singular(double(rc));
  getri(li(n), aa.data(), li(n), piv.data());
  return from_z(n, n, aa.data());
}

}  // namespace la

using la::T;
using la::C;
using la::Mt;

Mt transpose(const Mt& a) {
  // A structure array moves its elements as the numbers of its elements move.
  if (a.st_) return grl::struct_pick(a, ::transpose(grl::struct_numbers(a)));
  if (a.holds_cell()) return Mt::of_cell(::transpose(a.held_cell()));
  if (grl::w64::has_exact(a)) {
    // int64/uint64 beyond 2^53: the exact elements move with the doubles.
    const std::size_t r = a.rows(), c = a.cols();
    Mt out = Mt::alloc(c, r);
    std::vector<std::uint64_t> w(a.numel());
    for (std::size_t j = 0; j < c; ++j)
      for (std::size_t i = 0; i < r; ++i) w[j + i * c] = (*a.x64_)[i + j * r];
    grl::w64::store(out, a.num_class(), std::move(w));
    return out;
  }
  std::size_t r = a.rows(), c = a.cols();
  Mt out = Mt::alloc(c, r, a.isc());
  out.set_flags(a.islogical() ? std::uint32_t(F_LOGICAL) : a.ischar() ? std::uint32_t(F_STRING) : 0u);
  keep_class(out, a);
  if (r <= 1 || c <= 1) {
    std::size_t n = r * c;
    if (n) std::memcpy(out.pr(), a.cre(), n * sizeof(T));
    if (a.isc() && n) std::memcpy(out.pi(), a.cim(), n * sizeof(T));
    return out;
  }
  // Blocks of 32 x 32 keep both the reads and the writes within the cache.
  const std::size_t B = 32;
  for (int part = 0; part < (a.isc() ? 2 : 1); ++part) {
    const T* s = part ? a.cim() : a.cre();
    T* d = part ? out.pi() : out.pr();
    for (std::size_t jb = 0; jb < c; jb += B)
      for (std::size_t ib = 0; ib < r; ib += B) {
        std::size_t je = jb + B < c ? jb + B : c, ie = ib + B < r ? ib + B : r;
        for (std::size_t j = jb; j < je; ++j)
          for (std::size_t i = ib; i < ie; ++i) d[j + i * c] = s[i + j * r];
      }
  }
  return out;
}

Mt ctranspose(const Mt& a) {
  Mt out = grl::transpose(a);
  if (out.isc()) {
    T* im = out.pi();
    for (std::size_t k = 0, n = out.numel(); k < n; ++k) im[k] = -im[k];
  }
  return out;
}

namespace {
// A matrix operation (*, \, /, ^) of two matrices when one of them has an integer class
// or single: integer matrices are refused as Octave refuses them; single is computed in
// double and rounded. f does the work on the operands as doubles.
template <class F> Mt class_matrix_op(const Mt& a, const Mt& b, const char* op, F f) {
  if (is_int_class(a.num_class()) || is_int_class(b.num_class()))
    grl_fail("binary operator '%s' not implemented for '%s' by '%s' operations", op,
             operand_name(a).c_str(), operand_name(b).c_str());
  Mt x = a, y = b;
  x.cls_ = y.cls_ = mc_double;
  Mt out = f(x, y);
  apply_class(out, mc_single);
  return out;
}
}  // namespace

Mt mtimes(const Mt& a, const Mt& b) {
  if (a.holds_cell() || b.holds_cell()) cell_operands_fail("*", a, b);
  if (a.cls_ | b.cls_) {
    if (a.isscalar() || b.isscalar()) {
      (void)arith_class(a, b, "*");   // a class mismatch names the matrix operator
      return elementwise(op_mul, a, b);
    }
    return class_matrix_op(a, b, "*", [](const Mt& x, const Mt& y) { return grl::mtimes(x, y); });
  }
  if (a.isscalar()) return la::scalar_op(a, b, 0);
  if (b.isscalar()) return la::scalar_op(b, a, 0);
  if (a.cols() != b.rows()) la::nonconformant("*", a, b);
  std::size_t m = a.rows(), n = b.cols(), k = a.cols();
  if (m == 0 || n == 0 || k == 0) return Mt::zeros(m, n);
  const CBLAS_TRANSPOSE N = CblasNoTrans;
  la::li lm = la::li(m), ln = la::li(n), lk = la::li(k);
  if (!a.isc() && !b.isc()) {
    Mt out = Mt::alloc(m, n);
    la::gemm(N, N, lm, ln, lk, a.cre(), lm, b.cre(), lk, out.pr(), lm);
    return out;
  }
  if (!a.isc() || !b.isc()) {
    // One real factor: two real products, one per part of the complex factor.
    Mt out = Mt::alloc(m, n, true);
    if (!a.isc()) {
      la::gemm(N, N, lm, ln, lk, a.cre(), lm, b.cre(), lk, out.pr(), lm);
      la::gemm(N, N, lm, ln, lk, a.cre(), lm, b.cim(), lk, out.pi(), lm);
    } else {
      la::gemm(N, N, lm, ln, lk, a.cre(), lm, b.cre(), lk, out.pr(), lm);
      la::gemm(N, N, lm, ln, lk, a.cim(), lm, b.cre(), lk, out.pi(), lm);
    }
    out.drop_imag();
    return out;
  }
  std::vector<C> za = la::zbuf(a), zb = la::zbuf(b), zc(m * n);
  la::gemm(N, N, lm, ln, lk, za.data(), lm, zb.data(), lk, zc.data(), lm);
  return la::from_z(m, n, zc.data());
}

Mt mldivide(const Mt& a, const Mt& b) {
  if (a.holds_cell() || b.holds_cell()) cell_operands_fail("\\", a, b);
  if (a.cls_ | b.cls_) {
    if (a.isscalar()) {
      (void)arith_class(a, b, "\\");   // a class mismatch names the matrix operator
      return elementwise(op_ldiv, a, b);
    }
    return class_matrix_op(a, b, "\\", [](const Mt& x, const Mt& y) { return grl::mldivide(x, y); });
  }
  if (a.isscalar()) return la::scalar_op(a, b, 1);
  return la::solve(a, b, "\\");
}

Mt mrdivide(const Mt& a, const Mt& b) {
  if (a.holds_cell() || b.holds_cell()) cell_operands_fail("/", a, b);
  if (a.cls_ | b.cls_) {
    if (b.isscalar()) {
      (void)arith_class(a, b, "/");   // a class mismatch names the matrix operator
      return elementwise(op_div, a, b);
    }
    return class_matrix_op(a, b, "/", [](const Mt& x, const Mt& y) { return grl::mrdivide(x, y); });
  }
  if (b.isscalar()) return la::scalar_op(b, a, 1);
  if (a.cols() != b.cols()) la::nonconformant("/", a, b);
  return grl::transpose(la::solve(grl::transpose(b), grl::transpose(a), "/"));
}

namespace {

bool is_int(T v) { return std::isfinite(v) && v == std::floor(v); }

// a^p for a square matrix and an integer p, by repeated squaring.
Mt int_power(Mt a, T p) {
  std::size_t n = a.rows();
  if (p < 0) {
    a = la::inverse(a, true);
    p = -p;
  }
  Mt result;
  bool have = false;
  double e = double(p);
  if (e == 0) return la::eye(n);
  while (e > 0) {
    double half = std::floor(e / 2);
    if (e - 2 * half == 1) {
      result = have ? grl::mtimes(result, a) : a;
      have = true;
    }
    e = half;
    if (e > 0) a = grl::mtimes(a, a);
  }
  return result;
}

// V * diag(f(d)) / V from the eigen-decomposition of a square matrix.
Mt eig_power(const Mt& a, const Mt& s, bool matrix_base) {
  Mt v, d;
  la::eigen(a, &v, &d);
  std::size_t n = a.rows();
  Mt fd = Mt::zeros(n, n, true);
  C sc = la::at(s, 0);
  for (std::size_t k = 0; k < n; ++k) {
    C dk = la::at(d, k);
    C r = matrix_base ? std::pow(dk, sc) : std::pow(sc, dk);
    fd.pr()[k + k * n] = r.real();
    fd.pi()[k + k * n] = r.imag();
  }
  fd.drop_imag();
  return grl::mrdivide(grl::mtimes(v, fd), v);
}

// Scalar ^ scalar with the real result when there is one.
Mt scalar_power(const Mt& a, const Mt& b) {
  if (!a.isc() && !b.isc()) {
    T x = a.cre()[0], y = b.cre()[0];
    if (x >= 0 || is_int(y) || x != x || y != y) return Mt(std::pow(x, y));
  }
  C x = la::at(a, 0), y = la::at(b, 0);
  C r;
  if (!b.isc() && is_int(y.real())) {
    // Integer powers of a complex number by repeated multiplication, like x*x*x.
    double e = std::fabs(double(y.real()));
    C base = x, acc(1);
    while (e > 0) {
      double half = std::floor(e / 2);
      if (e - 2 * half == 1) acc *= base;
      e = half;
      if (e > 0) base *= base;
    }
    r = y.real() < 0 ? C(1) / acc : acc;
  } else {
    r = std::pow(x, y);
  }
  Mt out = Mt::cplx(r.real(), r.imag());
  out.drop_imag();
  return out;
}

}  // namespace

Mt mpower(const Mt& a, const Mt& b) {
  if (a.holds_cell() || b.holds_cell()) cell_operands_fail("^", a, b);
  if (a.cls_ | b.cls_) {
    if (a.isscalar() && b.isscalar()) {
      (void)arith_class(a, b, "^");   // a class mismatch names the matrix operator
      return elementwise(op_pow, a, b);
    }
    return class_matrix_op(a, b, "^", [](const Mt& x, const Mt& y) { return grl::mpower(x, y); });
  }
  if (a.isscalar() && b.isscalar()) return scalar_power(a, b);
  if (!a.isscalar() && !b.isscalar()) grl_fail("can't do A ^ B for A and B both matrices");
  const Mt& mat = a.isscalar() ? b : a;
  if (mat.rows() != mat.cols())
    grl_fail("for x^y, only square matrix arguments are permitted and one argument must be scalar.  "
             "Use .^ for elementwise power.");
  if (b.isscalar() && !b.isc() && is_int(b.cre()[0])) return int_power(a, b.cre()[0]);
  if (b.isscalar()) return eig_power(a, b, true);
  return eig_power(b, a, false);
}

}  // namespace grl
