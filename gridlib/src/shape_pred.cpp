// Predicates on the kind and shape of a value (each a logical scalar), the element-wise
// classification isfinite, isinf and isnan, and the comparison of isequal.
#include "shape_util.h"
#include "int64_util.h"

#include <cmath>

using namespace grl;
using namespace grl::mth;

namespace grl {

Mt logical_scalar(bool v) { return boolean(v); }

namespace {
bool same_number(m_type x, m_type y, bool nan_equal) {
  return x == y || (nan_equal && std::isnan(x) && std::isnan(y));
}
}  // namespace

bool equal_values(const Mt& a, const Mt& b, bool nan_equal) {
  // Two anonymous functions are equal when one is a copy of the other: the same text
  // made twice captures its own values.
  if (is_anon(a) || is_anon(b)) return a.fn_ == b.fn_;
  if ((a.flags_ & F_HANDLE) != (b.flags_ & F_HANDLE)) return false;
  if (a.holds_struct() || b.holds_struct()) return equal_structs(a, b, nan_equal);
  if (a.holds_cell() || b.holds_cell())
    return a.holds_cell() && b.holds_cell() && equal_values(a.held_cell(), b.held_cell(), nan_equal);
  if (a.rows() != b.rows() || a.cols() != b.cols() || a.dims_ != b.dims_) return false;
  if (a.ndims() > 2 && a.shape() != b.shape()) return false;
  const std::size_t n = a.numel();
  if (w64::has_exact(a) || w64::has_exact(b)) {
    for (std::size_t k = 0; k < n; ++k)
      if (w64::at(a, k) != w64::at(b, k)) return false;
    return true;
  }
  for (std::size_t k = 0; k < n; ++k)
    if (!same_number(a.elem(k), b.elem(k), nan_equal) || !same_number(a.ielem(k), b.ielem(k), nan_equal))
      return false;
  return true;
}

bool equal_values(const Mc& a, const Mc& b, bool nan_equal) {
  if (a.rows() != b.rows() || a.cols() != b.cols() || a.shape() != b.shape()) return false;
  const std::size_t n = a.numel();
  for (std::size_t k = 0; k < n; ++k)
    if (!equal_values(a.elem(k), b.elem(k), nan_equal)) return false;
  return true;
}

// A cell variable and a value that holds a cell (a field, an element of a cell, an
// output of a function) compare as two cells.
bool equal_values(const Mt& a, const Mc& b, bool nan_equal) {
  return a.holds_cell() && equal_values(a.held_cell(), b, nan_equal);
}
bool equal_values(const Mc& a, const Mt& b, bool nan_equal) { return equal_values(b, a, nan_equal); }

bool all_equal(const std::vector<Mt>& v, bool nan_equal) {
  if (v.size() < 2) grl_fail("Invalid call to isequal");
  for (std::size_t k = 1; k < v.size(); ++k)
    if (!equal_values(v[0], v[k], nan_equal)) return false;
  return true;
}

}  // namespace grl

namespace {

template <class P> Mt classify(const Mt& x, P p) {
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  const std::size_t n = x.numel();
  if (n > 0) {
    m_type* out = o.pr();
    for (std::size_t k = 0; k < n; ++k) out[k] = p(x.elem(k), x.ielem(k)) ? m_type(1) : m_type(0);
  }
  return logical(o);
}

}  // namespace

Mt isscalar(const Mt& x) { return boolean(x.rows() == 1 && x.cols() == 1); }
Mt isscalar(const Mc& x) { return boolean(x.rows() == 1 && x.cols() == 1); }
Mt isvector(const Mt& x) { return boolean(shp::is_vector(x.rows(), x.cols())); }
Mt isvector(const Mc& x) { return boolean(shp::is_vector(x.rows(), x.cols())); }
Mt isrow(const Mt& x) { return boolean(x.rows() == 1); }
Mt isrow(const Mc& x) { return boolean(x.rows() == 1); }
Mt iscolumn(const Mt& x) { return boolean(x.cols() == 1); }
Mt iscolumn(const Mc& x) { return boolean(x.cols() == 1); }
Mt ismatrix(const Mt& x) { return boolean(x.ndims() == 2); }
Mt ismatrix(const Mc& x) { return boolean(x.ndims() == 2); }
Mt issquare(const Mt& x) { return boolean(x.ndims() == 2 && x.rows() == x.cols()); }
Mt issquare(const Mc& x) { return boolean(x.ndims() == 2 && x.rows() == x.cols()); }
Mt isreal(const Mt& x) { return boolean(!x.isc() && !x.holds_cell() && !x.holds_struct() && !(x.flags_ & F_HANDLE)); }
Mt isreal(const Mc&) { return boolean(false); }
Mt ischar(const Mt& x) { return boolean(x.ischar()); }
Mt ischar(const Mc&) { return boolean(false); }
Mt isnumeric(const Mt& x) {
  return boolean(!x.ischar() && !x.islogical() && !x.holds_struct() && !x.holds_cell() && !(x.flags_ & F_HANDLE));
}
Mt isnumeric(const Mc&) { return boolean(false); }
Mt islogical(const Mt& x) { return boolean(x.islogical()); }
Mt islogical(const Mc&) { return boolean(false); }
Mt iscell(const Mt& x) { return boolean(x.holds_cell()); }
Mt iscell(const Mc&) { return boolean(true); }
Mt isstruct(const Mt& x) { return boolean(x.holds_struct()); }
Mt isstruct(const Mc&) { return boolean(false); }

Mt isfinite_M(const Mt& x) {
  if (x.holds_cell()) grl_fail("isfinite: not defined for cell");
  return classify(x, [](m_type re, m_type im) { return std::isfinite(re) && std::isfinite(im); });
}
Mt isinf_M(const Mt& x) {
  if (x.holds_cell()) grl_fail("isinf: not defined for cell");
  return classify(x, [](m_type re, m_type im) { return std::isinf(re) || std::isinf(im); });
}
Mt isnan_M(const Mt& x) {
  if (x.holds_cell()) grl_fail("isnan: not defined for cell");
  return classify(x, [](m_type re, m_type im) { return std::isnan(re) || std::isnan(im); });
}
Mt isfinite_M(const Mc&) { grl_fail("isfinite: not defined for cell"); }
Mt isinf_M(const Mc&) { grl_fail("isinf: not defined for cell"); }
Mt isnan_M(const Mc&) { grl_fail("isnan: not defined for cell"); }
