// poly: the coefficients of the monic polynomial whose roots are the elements of a
// vector, or (of a square matrix) the characteristic polynomial, through its
// eigenvalues.
#include <algorithm>
#include <complex>
#include <vector>

#include "gridlib_extra.h"

namespace {

typedef std::complex<double> zc;

bool plain(const grl::Mt& x) {
  return !x.ischar() && !x.holds_cell() && !x.holds_struct() && !(x.flags_ & grl::F_HANDLE) && !x.fn_;
}

// Whether the roots come in conjugate pairs (the real ones pair with themselves), so
// that the product of the factors is real.
bool conjugate_pairs(const std::vector<zc>& r) {
  std::vector<zc> up, down;
  for (const zc& z : r) {
    if (z.imag() > 0) up.push_back(z);
    if (z.imag() < 0) down.push_back(std::conj(z));
  }
  auto by = [](const zc& a, const zc& b) { return a.real() != b.real() ? a.real() < b.real() : a.imag() < b.imag(); };
  std::sort(up.begin(), up.end(), by);
  std::sort(down.begin(), down.end(), by);
  return up == down;
}

}  // namespace

grl::Mt poly(const grl::Mt& x) {
  using grl::Mt;
  if (!plain(x)) grl_fail("poly: the input must be numbers");
  const bool vector = x.rows() == 1 || x.cols() == 1 || x.numel() == 0;
  const bool square = x.ndims() == 2 && x.rows() == x.cols();
  if (!vector && !square) grl_fail("Invalid call to poly");
  if (x.numel() == 0) return Mt(m_type(1));
  const Mt r = square && x.numel() > 1 ? eig(x) : x;
  std::vector<zc> roots(r.numel());
  for (std::size_t k = 0; k < r.numel(); ++k) roots[k] = zc(double(r.cre()[k]), r.cim() ? double(r.cim()[k]) : 0.0);
  // c = conv(c, [1, -root]) for each root in turn.
  std::vector<zc> c{zc(1)};
  for (const zc& z : roots) {
    c.push_back(zc(0));
    for (std::size_t k = c.size() - 1; k > 0; --k) c[k] -= z * c[k - 1];
  }
  const bool real = conjugate_pairs(roots);
  Mt out = Mt::alloc(1, c.size(), !real);
  for (std::size_t k = 0; k < c.size(); ++k) {
    out.pr()[k] = m_type(c[k].real());
    if (!real) out.pi()[k] = m_type(c[k].imag());
  }
  return out;
}
