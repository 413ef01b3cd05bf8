// Reductions over several dimensions at once: sum(x, [1 3]), max(x, [], 'all'), ...
// The named dimensions are joined into one (in place when they are neighbours, else
// after moving them first), and the reduction then works along that one.
#include <algorithm>
#include <vector>

#include "math_util.h"

namespace grl {
namespace mth {

bool several_dims(const Mt& d) {
  if (d.ischar()) return text(d) == "all";
  return !d.holds_cell() && !d.holds_struct() && d.numel() > 1;
}

Mt fold_dims(const Mt& x, const Mt& d, const char* fn, sizes& shape, int& along) {
  shape = x.shape();
  along = 1;
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
  sizes joined_shape;
  if (!chosen.empty()) {
    // Neighbouring dimensions ([2 3], [3 2], [1 2 3]) are joined as they lie: no
    // element moves, and the reduction works along the joined one.
    const std::size_t lo = *std::min_element(chosen.begin(), chosen.end());
    const std::size_t hi = *std::max_element(chosen.begin(), chosen.end());
    if (hi - lo + 1 == chosen.size()) {
      std::size_t joined = 1;
      for (std::size_t k = 0; k < n; ++k) {
        if (k + 1 < lo || k + 1 > hi) joined_shape.push_back(shape[k]);
        else joined *= shape[k];
        if (k + 1 == hi) joined_shape.push_back(joined);
      }
      for (std::size_t v : chosen) shape[v - 1] = 1;
      while (joined_shape.size() < 2) joined_shape.push_back(1);
      Mt same = x;
      same.set_shape(joined_shape);
      along = int(lo);
      return same;
    }
  }
  // Else the named dimensions first, in the order given, then the others in order.
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
  // With no dimension of x named, order is 1..n: x is only given a leading 1.
  Mt moved = chosen.empty() ? x : ::permute(x, order);
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
