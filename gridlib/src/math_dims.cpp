// Reductions over several dimensions at once: sum(x, [1 3]), max(x, [], 'all'), ...
// x is rearranged so that the named dimensions come first, joined into one, and the
// reduction then works along that one.
#include <algorithm>
#include <vector>

#include "math_util.h"

namespace grl {
namespace mth {

bool several_dims(const Mt& d) {
  if (d.ischar()) return text(d) == "all";
  return !d.holds_cell() && !d.holds_struct() && d.numel() > 1;
}

Mt fold_dims(const Mt& x, const Mt& d, const char* fn, sizes& shape) {
  shape = x.shape();
  if (d.ischar()) {
    Mt v = x;
    v.reshape_to(x.numel(), 1);
    shape = sizes{1, 1};
    return v;
  }
  if (d.isc() || (d.ndims() > 2 || (d.rows() != 1 && d.cols() != 1)))
    grl_fail("%s: DIM must be a valid dimension", fn);
  std::vector<std::size_t> chosen;
  for (std::size_t k = 0; k < d.numel(); ++k) {
    const Mt one(d.cre()[k]);
    const std::size_t v = std::size_t(dim_arg(one, fn));
    if (std::find(chosen.begin(), chosen.end(), v) != chosen.end())
      grl_fail("%s: vector of dimensions must not repeat a dimension", fn);
    chosen.push_back(v);
  }
  // Dimensions beyond x's own have extent 1: they join nothing and need no moving.
  const std::size_t n = shape.size();
  chosen.erase(std::remove_if(chosen.begin(), chosen.end(), [n](std::size_t v) { return v > n; }), chosen.end());
  // The named dimensions first, in the order given, then the others in order.
  Mt order = Mt::alloc(1, n);
  std::size_t at = 0, joined = 1;
  for (std::size_t v : chosen) {
    order.pr()[at++] = m_type(v);
    joined *= shape[v - 1];
  }
  sizes rest{joined};
  for (std::size_t k = 1; k <= n; ++k)
    if (std::find(chosen.begin(), chosen.end(), k) == chosen.end()) {
      order.pr()[at++] = m_type(k);
      rest.push_back(shape[k - 1]);
    }
  for (std::size_t v : chosen) shape[v - 1] = 1;
  // Leading dimensions in order ([1 2]) are joined as they lie: no elements move.
  bool in_place = true;
  for (std::size_t k = 0; k < n; ++k) in_place = in_place && order.cre()[k] == m_type(k + 1);
  Mt moved = in_place ? x : ::permute(x, order);
  if (rest.size() < 2) rest.push_back(1);
  moved.set_shape(rest);
  return moved;
}

Mt unfold_result(Mt r, const sizes& shape) {
  // Reductions that keep an extent of 0 (max of no elements) keep their own shape.
  std::size_t n = 1;
  for (std::size_t e : shape) n *= e;
  if (r.numel() == n) r.set_shape(shape);
  return r;
}

}  // namespace mth
}  // namespace grl
