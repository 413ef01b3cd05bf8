// Matrix square root and logarithm through the complex Schur form A = Z T Z'.
//
// sqrtm takes the upper triangular square root of T column by column; logm takes
// square roots of T until it lies close to the identity, sums the series of
// log(I + X) there and scales back by the number of roots taken. Both work in double
// precision whatever the element type. A real argument whose result has imaginary
// parts within rounding of zero gives a real result.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <iostream>
#include <limits>
#include <vector>

#include "linalg_lapack.h"

using grl::la::zd;
typedef M<m_type> Mt;

namespace {

typedef std::vector<zd> cmat;   // n x n, column by column

lapack_logical no_select(const zd*) { return 0; }

void square_arg(const Mt& a, const char* who) {
  if (a.holds_cell() || a.ischar()) grl_fail("%s: A must be a square matrix", who);
  if (a.rows() != a.cols()) grl_fail("%s: A must be a square matrix", who);
}

// The Schur form: t upper triangular, z unitary, a = z t z'.
bool schur(const Mt& a, cmat& t, cmat& z) {
  const std::size_t n = a.rows();
  t.assign(n * n, zd(0));
  z.assign(n * n, zd(0));
  for (std::size_t k = 0; k < n * n; ++k) t[k] = zd(double(a.cre()[k]), double(a.ielem(k)));
  std::vector<zd> w(n);
  lapack_int sdim = 0;
  grl::la::one_blas_thread serial;
  const lapack_int info = GRL_NUMERIC(LAPACKE_zgees)(LAPACK_COL_MAJOR, 'V', 'N', no_select, lapack_int(n), t.data(),
                                        lapack_int(n), &sdim, w.data(), z.data(), lapack_int(n));
  return info == 0;
}

// The upper triangular square root of an upper triangular t; false when a zero
// eigenvalue is repeated, where no root of this form exists.
bool sqrt_tri(const cmat& t, std::size_t n, cmat& r) {
  r.assign(n * n, zd(0));
  bool ok = true;
  for (std::size_t j = 0; j < n; ++j) {
    r[j + j * n] = std::sqrt(t[j + j * n]);
    for (std::size_t i = j; i-- > 0;) {
      zd s = t[i + j * n];
      for (std::size_t k = i + 1; k < j; ++k) s -= r[i + k * n] * r[k + j * n];
      const zd d = r[i + i * n] + r[j + j * n];
      if (d == zd(0)) {
        if (s != zd(0)) ok = false;
        r[i + j * n] = s == zd(0) ? zd(0) : zd(std::numeric_limits<double>::infinity());
      } else {
        r[i + j * n] = s / d;
      }
    }
  }
  return ok;
}

cmat multiply(const cmat& a, const cmat& b, std::size_t n) {
  cmat c(n * n, zd(0));
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t k = 0; k < n; ++k) {
      const zd bkj = b[k + j * n];
      if (bkj == zd(0)) continue;
      for (std::size_t i = 0; i < n; ++i) c[i + j * n] += a[i + k * n] * bkj;
    }
  return c;
}

double norm1(const cmat& a, std::size_t n) {
  double m = 0;
  for (std::size_t j = 0; j < n; ++j) {
    double s = 0;
    for (std::size_t i = 0; i < n; ++i) s += std::abs(a[i + j * n]);
    m = s > m ? s : m;
  }
  return m;
}

// z f z' as a value; real when a is real and f's imaginary parts are rounding.
Mt back_transform(const Mt& a, const cmat& f, const cmat& z, std::size_t n) {
  cmat zh(n * n);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) zh[i + j * n] = std::conj(z[j + i * n]);
  const cmat x = multiply(multiply(z, f, n), zh, n);
  double big = 0, imag = 0;
  for (const zd& v : x) {
    big = std::max(big, std::abs(v));
    imag = std::max(imag, std::abs(v.imag()));
  }
  const bool real = !a.isc() && imag <= 10.0 * double(n) * std::numeric_limits<double>::epsilon() * big;
  Mt out = Mt::alloc(n, n, !real);
  for (std::size_t k = 0; k < n * n; ++k) {
    out.pr()[k] = m_type(x[k].real());
    if (!real) out.pi()[k] = m_type(x[k].imag());
  }
  if (!real) out.drop_imag();
  return out;
}

void warn(const char* text) { grl::warn_text("", text); }

}  // namespace

Mt sqrtm(const Mt& a) {
  square_arg(a, "sqrtm");
  const std::size_t n = a.rows();
  if (n == 0) return Mt();
  grl::check_extent(n, n, 4 * sizeof(zd));
  cmat t, z, r;
  if (!schur(a, t, z)) grl_fail("sqrtm: the Schur decomposition did not converge");
  if (!sqrt_tri(t, n, r)) warn("sqrtm: matrix is singular and may not have a square root");
  return back_transform(a, r, z, n);
}

Mt logm(const Mt& a) {
  square_arg(a, "logm");
  const std::size_t n = a.rows();
  if (n == 0) return Mt();
  grl::check_extent(n, n, 4 * sizeof(zd));
  cmat t, z;
  if (!schur(a, t, z)) grl_fail("logm: the Schur decomposition did not converge");
  for (std::size_t k = 0; k < n; ++k)
    if (t[k + k * n] == zd(0)) grl_fail("logm: the logarithm of a singular matrix is not finite");
  // Square roots until T - I is small.
  int roots = 0;
  cmat x = t;
  for (std::size_t k = 0; k < n; ++k) x[k + k * n] -= 1.0;
  while (norm1(x, n) > 0.05 && roots < 64) {
    cmat r;
    sqrt_tri(t, n, r);
    t = r;
    x = t;
    for (std::size_t k = 0; k < n; ++k) x[k + k * n] -= 1.0;
    ++roots;
  }
  // log(I + X) = X - X^2/2 + X^3/3 - ...
  cmat sum = x, power = x;
  for (int k = 2; k < 200; ++k) {
    power = multiply(power, x, n);
    const double sign = (k % 2 == 0) ? -1.0 : 1.0;
    double size = 0;
    for (std::size_t e = 0; e < n * n; ++e) {
      const zd term = power[e] * (sign / k);
      sum[e] += term;
      size = std::max(size, std::abs(term));
    }
    if (size < 1e-18) break;
  }
  const double scale = std::ldexp(1.0, roots);
  for (zd& v : sum) v *= scale;
  return back_transform(a, sum, z, n);
}
