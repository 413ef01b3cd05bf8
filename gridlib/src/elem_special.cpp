// Special functions of real arguments: gamma, erf and erfc.
#include "elem_util.h"

#include <limits>

using namespace grl;
using namespace grl::elem;

namespace {

// gamma has poles at 0 and the negative integers: +-Inf at 0 (by the sign of the
// zero), Inf at the others and at -Inf.
m_type gamma1(m_type v) {
  const m_type inf = std::numeric_limits<m_type>::infinity();
  if (v == 0) return std::signbit(v) ? -inf : inf;
  if (v < 0 && (std::isinf(v) || v == std::floor(v))) return inf;
  return std::tgamma(v);
}

}  // namespace

Mt gamma_M(const Mt& x) {
  need_real(x, "gamma");
  return mth::map_real(x, gamma1);
}

// The error functions take real arguments only.
Mt erf_M(const Mt& x) {
  need_real(x, "erf");
  return mth::map_real(x, [](m_type v) { return std::erf(v); });
}
Mt erfc_M(const Mt& x) {
  need_real(x, "erfc");
  return mth::map_real(x, [](m_type v) { return std::erfc(v); });
}

Mt gamma_M(const Mc&) { grl_fail("gamma: not defined for cell"); }
Mt erf_M(const Mc&) { grl_fail("erf: not defined for cell"); }
Mt erfc_M(const Mc&) { grl_fail("erfc: not defined for cell"); }
