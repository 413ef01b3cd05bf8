// Argument checks of the element-wise built-ins.
#include "elem_util.h"

namespace grl {
namespace elem {

void need_real(const Mt& x, const char* fn) {
  if (x.isc()) grl_fail("%s: not defined for complex %s", fn, x.numel() == 1 ? "scalar" : "matrix");
}

bool all_integers(const Mt& x) {
  const m_type* p = x.cre();
  const std::size_t n = x.numel();
  for (std::size_t k = 0; k < n; ++k)
    if (!std::isfinite(p[k]) || p[k] != std::floor(p[k])) return false;
  return true;
}

}  // namespace elem
}  // namespace grl
