// hist: counts of values in bins given by their centres: nbins equal bins over the
// finite values' range (10 by default), or the centres given. A value on the boundary
// of two bins (halfway between their centres) counts in the lower one; values beyond
// the outer centres (infinities too) count in the outer bins; NaN is not counted.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gridlib_extra.h"
#include "strutil.h"

namespace {

using grl::Mt;

bool plain_numbers(const Mt& x) {
  return !x.ischar() && !x.holds_cell() && !x.holds_struct() && !(x.flags_ & grl::F_HANDLE) && !x.fn_;
}

// nbins centres over the finite values of y (a constant gives bins around it, an
// empty or all-NaN y the range [0, 1]).
std::vector<double> even_centres(const Mt& y, std::size_t nbins) {
  double lo = INFINITY, hi = -INFINITY;
  for (std::size_t k = 0; k < y.numel(); ++k) {
    const double v = double(y.cre()[k]);
    if (std::isfinite(v)) {
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  }
  if (lo > hi) {
    lo = 0;
    hi = 1;
  }
  std::vector<double> c(nbins);
  if (lo == hi) {
    const double first = lo + 1 - std::ceil(double(nbins) / 2);
    for (std::size_t k = 0; k < nbins; ++k) c[k] = first + double(k);
    return c;
  }
  const double delta = (hi - lo) / double(nbins) / 2;
  const double a = lo + delta, b = hi - delta;
  for (std::size_t k = 0; k < nbins; ++k)
    c[k] = nbins == 1 ? (a + b) / 2 : a + (b - a) * double(k) / double(nbins - 1);
  return c;
}

}  // namespace

Mt grl::hist_run(const deal_t& d) {
  if (d.in.empty() || d.in.size() > 3) grl_fail("Invalid call to hist");
  if (d.out.size() > 2) grl_fail("hist: function called with too many outputs");
  const Mt& y = d.in[0];
  if (!plain_numbers(y) || y.isc()) grl_fail("hist: Y must be real-valued");
  std::vector<double> centres;
  if (d.in.size() < 2 || (d.in[1].numel() == 1 && plain_numbers(d.in[1]))) {
    double nb = 10;
    if (d.in.size() >= 2) nb = double(d.in[1].cre()[0]);
    if (!(nb >= 1) || nb != std::floor(nb) || nb > 1e8) grl_fail("hist: number of bins NBINS must be positive");
    centres = even_centres(y, std::size_t(nb));
  } else {
    const Mt& x = d.in[1];
    if (!plain_numbers(x) || x.isc() || x.numel() == 0) grl_fail("hist: bin specification must be a scalar or vector");
    centres.assign(x.cre(), x.cre() + x.numel());
    if (!std::is_sorted(centres.begin(), centres.end())) {
      warning(su::str("hist: bin values X not sorted on input"));
      std::sort(centres.begin(), centres.end());
    }
  }
  const std::size_t nb = centres.size();
  std::vector<double> edges(nb > 0 ? nb - 1 : 0);
  for (std::size_t k = 0; k + 1 < nb; ++k) edges[k] = (centres[k] + centres[k + 1]) / 2;
  // A vector is one column of values; a matrix counts each column.
  const bool vector = y.rows() == 1 || y.cols() == 1;
  const std::size_t len = vector ? y.numel() : y.rows(), cols = vector ? 1 : y.numel() / std::max<std::size_t>(y.rows(), 1);
  Mt n = Mt::zeros(vector ? 1 : nb, vector ? nb : cols);
  for (std::size_t c = 0; c < cols; ++c) {
    m_type* out = n.pr() + c * nb;
    for (std::size_t i = 0; i < len; ++i) {
      const double v = double(y.cre()[c * len + i]);
      if (std::isnan(v)) continue;
      // The first edge at or above v names the bin.
      out[std::size_t(std::lower_bound(edges.begin(), edges.end(), v) - edges.begin())] += 1;
    }
  }
  if (d.in.size() == 3) {
    const Mt& norm = d.in[2];
    if (!plain_numbers(norm) || norm.numel() != 1 || norm.isc() || !(double(norm.cre()[0]) > 0))
      grl_fail("hist: NORM must be a numeric constant > 0");
    const double to = double(norm.cre()[0]);
    for (std::size_t c = 0; c < cols; ++c) {
      double total = 0;
      for (std::size_t k = 0; k < nb; ++k) total += n.pr()[c * nb + k];
      if (total > 0)
        for (std::size_t k = 0; k < nb; ++k) n.pr()[c * nb + k] *= m_type(to / total);
    }
  }
  Mt centre_values = Mt::alloc(vector ? 1 : nb, vector ? nb : 1);
  std::copy(centres.begin(), centres.end(), centre_values.pr());
  if (!d.out.empty()) {
    Mr<m_type> r = d.out[0];
    r = n;
  }
  if (d.out.size() > 1) {
    Mr<m_type> r = d.out[1];
    r = centre_values;
  }
  return n;
}
