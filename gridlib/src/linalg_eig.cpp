// Eigenvalues (symmetric and Hermitian by syev/heev, general by geev) and the singular
// value decomposition (gesvd).
#include "linalg_lapack.h"

#include <cmath>
#include <cstring>

namespace grl {
namespace la {

namespace {

bool has_nonfinite(const Mt& a) {
  for (std::size_t k = 0, n = a.numel(); k < n; ++k)
    if (!std::isfinite(a.cre()[k]) || (a.cim() && !std::isfinite(a.cim()[k]))) return true;
  return false;
}

// Exactly symmetric (real) or Hermitian (complex): the cases with real eigenvalues.
bool is_hermitian(const Mt& a) {
  std::size_t n = a.rows();
  const T* re = a.cre();
  const T* im = a.cim();
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t i = j; i < n; ++i) {
      if (re[i + j * n] != re[j + i * n]) return false;
      if (im && im[i + j * n] != -im[j + i * n]) return false;
    }
  return true;
}

Mt diag_of(const std::vector<C>& d) {
  std::size_t n = d.size();
  std::vector<C> full(n * n, C(0));
  for (std::size_t k = 0; k < n; ++k) full[k + k * n] = d[k];
  return from_z(n, n, full.data());
}

}  // namespace

// Values into *d as a column, vectors into *v when v is given.
void eigen(const Mt& a, Mt* v, Mt* d) {
  if (a.rows() != a.cols()) grl_fail("eig: A must be a square matrix");
  std::size_t n = a.rows();
  if (n == 0) {
    *d = Mt::zeros(0, v ? 0 : 1);
    if (v) *v = Mt::zeros(0, 0);
    return;
  }
  if (has_nonfinite(a)) grl_fail("EIG: matrix contains Inf or NaN values");
  li ln = li(n);
  char job = v ? 'V' : 'N';
  if (is_hermitian(a)) {
    std::vector<T> w(n);
    if (!a.isc()) {
      std::vector<T> aa = rbuf(a);
      syev(job, ln, aa.data(), ln, w.data());
      if (v) *v = from_r(n, n, aa.data());
    } else {
      std::vector<C> aa = zbuf(a);
      syev(job, ln, aa.data(), ln, w.data());
      if (v) *v = from_z(n, n, aa.data());
    }
    *d = from_r(n, 1, w.data());
    return;
  }
  std::vector<C> w(n);
  if (!a.isc()) {
    std::vector<T> aa = rbuf(a), wr(n), wi(n), vr(v ? n * n : 1);
    if (geev(job, ln, aa.data(), ln, wr.data(), wi.data(), vr.data(), ln) > 0)
      grl_fail("eig: the QR algorithm failed to converge");
    for (std::size_t k = 0; k < n; ++k) w[k] = C(wr[k], wi[k]);
    if (v) {
      // A complex pair shares two columns: re in the first, im in the second.
      std::vector<C> vv(n * n);
      for (std::size_t j = 0; j < n; ++j) {
        if (wi[j] != 0 && j + 1 < n) {
          for (std::size_t i = 0; i < n; ++i) {
            T re = vr[i + j * n], im = vr[i + (j + 1) * n];
            vv[i + j * n] = C(re, im);
            vv[i + (j + 1) * n] = C(re, -im);
          }
          ++j;
        } else {
          for (std::size_t i = 0; i < n; ++i) vv[i + j * n] = C(vr[i + j * n], 0);
        }
      }
      *v = from_z(n, n, vv.data());
    }
  } else {
    std::vector<C> aa = zbuf(a), vr(v ? n * n : 1);
    if (geev(job, ln, aa.data(), ln, w.data(), vr.data(), ln) > 0)
      grl_fail("eig: the QR algorithm failed to converge");
    if (v) *v = from_z(n, n, vr.data());
  }
  *d = from_z(n, 1, w.data());
}

std::vector<T> singular_values(const Mt& a) {
  std::size_t m = a.rows(), n = a.cols(), k = m < n ? m : n;
  std::vector<T> s(k);
  if (k == 0) return s;
  if (has_nonfinite(a)) grl_fail("svd: cannot take SVD of matrix containing Inf or NaN values");
  T du = 0, dv = 0;
  if (!a.isc()) {
    std::vector<T> aa = rbuf(a);
    gesvd('N', 'N', li(m), li(n), aa.data(), li(m), s.data(), &du, 1, &dv, 1);
  } else {
    std::vector<C> aa = zbuf(a);
    C zu, zv;
    gesvd('N', 'N', li(m), li(n), aa.data(), li(m), s.data(), &zu, 1, &zv, 1);
  }
  return s;
}

namespace {

// The full (econ false) or economy decomposition a = u*s*v'.
void svd_full(const Mt& a, bool econ, Mt* u, Mt* s, Mt* v) {
  std::size_t m = a.rows(), n = a.cols(), k = m < n ? m : n;
  std::size_t ucols = econ ? k : m, vrows = econ ? k : n;
  if (k == 0) {
    *u = econ ? Mt::zeros(m, 0) : eye(m);
    *s = Mt::zeros(econ ? 0 : m, econ ? 0 : n);
    *v = econ ? Mt::zeros(n, 0) : eye(n);
    return;
  }
  if (has_nonfinite(a)) grl_fail("svd: cannot take SVD of matrix containing Inf or NaN values");
  std::vector<T> sv(k);
  char job = econ ? 'S' : 'A';
  if (!a.isc()) {
    std::vector<T> aa = rbuf(a), uu(m * ucols), vt(vrows * n);
    gesvd(job, job, li(m), li(n), aa.data(), li(m), sv.data(), uu.data(), li(m), vt.data(), li(vrows));
    *u = from_r(m, ucols, uu.data());
    *v = grl::transpose(from_r(vrows, n, vt.data()));
  } else {
    std::vector<C> aa = zbuf(a), uu(m * ucols), vt(vrows * n);
    gesvd(job, job, li(m), li(n), aa.data(), li(m), sv.data(), uu.data(), li(m), vt.data(), li(vrows));
    *u = from_z(m, ucols, uu.data());
    *v = grl::ctranspose(from_z(vrows, n, vt.data()));
  }
  *s = Mt::zeros(ucols, vrows);
  for (std::size_t j = 0; j < k; ++j) s->pr()[j + j * ucols] = sv[j];
}

bool econ_flag(const Mt& e) {
  if (e.ischar()) {
    std::string w;
    for (std::size_t k = 0; k < e.numel(); ++k) w += char(e.cre()[k]);
    if (w == "econ") return true;
    grl_fail("svd: second argument must be 0 or \"econ\"");
  }
  if (e.numel() == 1 && e.cre()[0] == 0) return true;
  grl_fail("svd: second argument must be 0 or \"econ\"");
}

}  // namespace
}  // namespace la
}  // namespace grl

using grl::la::Mt;
using grl::la::T;

Mt eig(const Mt& a) {
  if (a.holds_cell()) grl_fail("eig: wrong type argument 'cell'");
  Mt d;
  grl::la::eigen(a, nullptr, &d);
  return d;
}

void eig(const Mt& a, i_o_t, Mr<m_type> d) { d = eig(a); }

void eig(const Mt& a, i_o_t, Mr<m_type> v, Mr<m_type> d) {
  if (a.holds_cell()) grl_fail("eig: wrong type argument 'cell'");
  Mt vv, dd;
  grl::la::eigen(a, &vv, &dd);
  std::size_t n = dd.numel();
  std::vector<grl::la::C> dz(n);
  for (std::size_t k = 0; k < n; ++k) dz[k] = grl::la::C(dd.cre()[k], dd.cim() ? dd.cim()[k] : T(0));
  v = vv;
  d = grl::la::diag_of(dz);
}

Mt svd(const Mt& a) {
  if (a.holds_cell()) grl_fail("svd: wrong type argument 'cell'");
  std::vector<T> s = grl::la::singular_values(a);
  return grl::la::from_r(s.size(), 1, s.data());
}

Mt svd(const Mt& a, const Mt& econ) {
  if (a.holds_cell()) grl_fail("svd: wrong type argument 'cell'");
  grl::la::econ_flag(econ);
  return svd(a);
}

void svd(const Mt& a, i_o_t, Mr<m_type> s) { s = svd(a); }

void svd(const Mt& a, i_o_t, Mr<m_type> u, Mr<m_type> s) {
  Mt uu, ss, vv;
  grl::la::svd_full(a, false, &uu, &ss, &vv);
  u = uu;
  s = ss;
}

void svd(const Mt& a, i_o_t, Mr<m_type> u, Mr<m_type> s, Mr<m_type> v) {
  Mt uu, ss, vv;
  grl::la::svd_full(a, false, &uu, &ss, &vv);
  u = uu;
  s = ss;
  v = vv;
}

void svd(const Mt& a, const Mt& econ, i_o_t, Mr<m_type> u, Mr<m_type> s, Mr<m_type> v) {
  Mt uu, ss, vv;
  grl::la::svd_full(a, grl::la::econ_flag(econ), &uu, &ss, &vv);
  u = uu;
  s = ss;
  v = vv;
}
