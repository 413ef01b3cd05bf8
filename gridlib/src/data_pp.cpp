// Piecewise polynomials: the structure mkpp makes (form 'pp', breaks, coefs, pieces,
// order, dim), unmkpp taking it apart, ppval evaluating it, and the same structure from
// spline(x, y) and pchip(x, y). Row (i - 1) * dim + j of coefs is the polynomial of
// component j on piece i, in powers of (x - breaks(i)), the highest first.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "gridlib_extra.h"
#include "poly_slopes.h"
#include "strutil.h"

namespace grl {
namespace {

typedef std::vector<m_type> vec;

bool plain_numbers(const Mt& x) {
  return !x.ischar() && !x.holds_cell() && !x.holds_struct() && !(x.flags_ & F_HANDLE) && !x.fn_;
}

// A whole number >= 1 given as a real scalar.
std::size_t count_of(const Mt& v, const char* msg) {
  if (!plain_numbers(v) || v.numel() != 1 || v.isc()) grl_fail("%s", msg);
  const double d = double(v.cre()[0]);
  if (!(d >= 1) || d != std::floor(d) || d > 1e15) grl_fail("%s", msg);
  return std::size_t(d);
}

Mt row_of(const vec& v) {
  Mt r = Mt::alloc(1, v.size());
  std::copy(v.begin(), v.end(), v.empty() ? nullptr : r.pr());
  return r;
}

Mt number(std::size_t n) { return Mt(m_type(double(n))); }

// The structure of breaks (a row) and coefs, pieces * dim rows of order columns.
Mt make_pp(const vec& breaks, const Mt& coefs, std::size_t dim) {
  Mt s = make_struct(1, 1, {"form", "breaks", "coefs", "pieces", "order", "dim"});
  field_ref(s, "form") = su::str("pp");
  field_ref(s, "breaks") = row_of(breaks);
  field_ref(s, "coefs") = coefs;
  field_ref(s, "pieces") = number(breaks.size() - 1);
  field_ref(s, "order") = number(coefs.cols());
  field_ref(s, "dim") = number(dim);
  return s;
}

// The parts of a pp structure, checked against each other so that evaluation stays
// inside coefs whatever a program put in the fields.
struct pp_parts {
  vec breaks;
  Mt coefs;
  std::size_t pieces = 0, order = 0, dim = 1;
};

pp_parts parts_of(const Mt& pp, const char* msg) {
  if (!pp.holds_struct() || pp.numel() != 1) grl_fail("%s", msg);
  const std::vector<std::string> names = field_names(pp);
  for (const char* need : {"form", "breaks", "coefs", "dim"})
    if (std::find(names.begin(), names.end(), need) == names.end()) grl_fail("%s", msg);
  const Mt& form = field(pp, "form");
  if (!form.ischar() || su::text(form) != "pp") grl_fail("%s", msg);
  pp_parts p;
  const Mt& b = field(pp, "breaks");
  const Mt& c = field(pp, "coefs");
  if (!plain_numbers(b) || !plain_numbers(c) || b.isc() || c.isc() || b.numel() < 2)
    grl_fail("%s", msg);
  p.breaks.assign(b.cre(), b.cre() + b.numel());
  p.pieces = b.numel() - 1;
  p.dim = count_of(field(pp, "dim"), msg);
  if (c.rows() != p.pieces * p.dim || c.cols() < 1 || c.numel() != c.rows() * c.cols())
    grl_fail("%s", msg);
  p.coefs = c;
  p.order = c.cols();
  return p;
}

// Strictly increasing points with their values: the columns of y are sorted with x.
// y has n columns (or n + 2 when clamped) and one row per component.
struct points {
  vec x;
  std::vector<vec> y;  // y[j] the values of component j
  std::vector<std::pair<m_type, m_type>> ends;  // clamped end slopes per component
};

points sorted(const Mt& x, const Mt& y, const char* who, bool allow_clamped) {
  auto vector_like = [](const Mt& a) { return a.rows() == 1 || a.cols() == 1; };
  if (!plain_numbers(x) || !plain_numbers(y) || x.isc() || y.isc())
    grl_fail("%s: X and Y must be real numbers", who);
  if (!vector_like(x)) grl_fail("%s: X must be a vector", who);
  const std::size_t n = x.numel();
  if (n < 2) grl_fail(std::string(who) == "pchip" ? "pchip: X must be at least of length 2" : "spline: requires at least 2 points");
  // A vector y is one component; a matrix has a row per component.
  const bool yvec = vector_like(y);
  const std::size_t dim = yvec ? 1 : y.rows(), cols = yvec ? y.numel() : y.cols();
  if (y.numel() != dim * cols) grl_fail("%s: Y must be a vector or a matrix", who);
  const bool clamped = allow_clamped && cols == n + 2;
  if (cols != n && !clamped)
    grl_fail(std::string(who) == "pchip" ? "pchip: length of X and Y must match"
                                         : "spline: number of X and Y values must match");
  std::vector<std::size_t> ord(n);
  std::iota(ord.begin(), ord.end(), 0);
  std::stable_sort(ord.begin(), ord.end(), [&](std::size_t i, std::size_t j) { return x.cre()[i] < x.cre()[j]; });
  points p;
  for (std::size_t k = 0; k < n; ++k) {
    const m_type v = x.cre()[ord[k]];
    if (std::isnan(double(v))) grl_fail("%s: X must not contain NaN", who);
    p.x.push_back(v);
  }
  for (std::size_t k = 0; k + 1 < n; ++k)
    if (p.x[k] == p.x[k + 1]) grl_fail("%s: X must be strictly monotonic", who);
  const std::size_t skip = clamped ? 1 : 0;
  p.y.assign(dim, vec(n));
  for (std::size_t j = 0; j < dim; ++j) {
    for (std::size_t k = 0; k < n; ++k) p.y[j][k] = y.cre()[j + (ord[k] + skip) * dim];
    if (clamped) p.ends.emplace_back(y.cre()[j], y.cre()[j + (n + 1) * dim]);
  }
  return p;
}

// The cubic of piece i from the values and slopes at both its ends.
void hermite_row(const points& p, const vec& y, const vec& s, std::size_t i, m_type* row) {
  const m_type h = p.x[i + 1] - p.x[i], d = (y[i + 1] - y[i]) / h;
  row[0] = (s[i] + s[i + 1] - 2 * d) / (h * h);
  row[1] = (3 * d - 2 * s[i] - s[i + 1]) / h;
  row[2] = s[i];
  row[3] = y[i];
}

// coefs as an (r x order) matrix whose element (i, k) is c[k][i] ... written row-wise.
Mt rows_matrix(const std::vector<vec>& rows, std::size_t order) {
  Mt c = Mt::alloc(rows.size(), order);
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t k = 0; k < order; ++k) c.pr()[i + k * rows.size()] = rows[i][k];
  return c;
}

Mt cubic_pp(const Mt& x, const Mt& y, bool shape_preserving) {
  const char* who = shape_preserving ? "pchip" : "spline";
  const points p = sorted(x, y, who, !shape_preserving);
  const std::size_t n = p.x.size(), dim = p.y.size();
  const bool clamped = !p.ends.empty();
  // Without end slopes, spline through two points is the line and through three the
  // parabola, each one piece.
  if (!shape_preserving && !clamped && n <= 3) {
    std::vector<vec> rows;
    for (std::size_t j = 0; j < dim; ++j) {
      const vec& v = p.y[j];
      const m_type d0 = (v[1] - v[0]) / (p.x[1] - p.x[0]);
      if (n == 2) {
        rows.push_back({d0, v[0]});
      } else {
        const m_type d1 = (v[2] - v[1]) / (p.x[2] - p.x[1]);
        const m_type c2 = (d1 - d0) / (p.x[2] - p.x[0]);
        rows.push_back({c2, d0 - c2 * (p.x[1] - p.x[0]), v[0]});
      }
    }
    return make_pp({p.x.front(), p.x.back()}, rows_matrix(rows, n), dim);
  }
  std::vector<vec> slopes;
  for (std::size_t j = 0; j < dim; ++j)
    slopes.push_back(clamped ? la::cubic_slopes_clamped(p.x, p.y[j], p.ends[j].first, p.ends[j].second)
                             : la::cubic_slopes(p.x, p.y[j], shape_preserving));
  std::vector<vec> rows;
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = 0; j < dim; ++j) {
      vec r(4);
      hermite_row(p, p.y[j], slopes[j], i, r.data());
      rows.push_back(r);
    }
  return make_pp(p.x, rows_matrix(rows, 4), dim);
}

}  // namespace
}  // namespace grl

using grl::Mt;

Mt mkpp(const Mt& breaks, const Mt& coefs) { return mkpp(breaks, coefs, Mt(m_type(1))); }

Mt mkpp(const Mt& breaks, const Mt& coefs, const Mt& d) {
  using namespace grl;
  if (!plain_numbers(breaks) || !plain_numbers(coefs) || breaks.isc() || coefs.isc())
    grl_fail("mkpp: BREAKS and COEFS must be real numbers");
  if (breaks.numel() < 2) grl_fail("mkpp: BREAKS must have at least one interval");
  const std::size_t dim = count_of(d, "mkpp: D must be a whole number of at least 1");
  const std::size_t pieces = breaks.numel() - 1, rows = pieces * dim;
  // (The message is the one of the reshape to pieces * d rows that fails.)
  if (coefs.numel() == 0 || coefs.numel() % rows != 0)
    grl_fail("reshape: can't reshape %zux%zu array to %zux%zu array", coefs.rows(), coefs.numel() / std::max<std::size_t>(coefs.rows(), 1),
             rows, coefs.numel() / rows);
  // The coefficients in column order make pieces * dim rows.
  Mt c = Mt::alloc(rows, coefs.numel() / rows);
  std::copy(coefs.cre(), coefs.cre() + coefs.numel(), c.pr());
  return make_pp(vec(breaks.cre(), breaks.cre() + breaks.numel()), c, dim);
}

Mt grl::unmkpp_run(const deal_t& d) {
  if (d.in.size() != 1) grl_fail("Invalid call to unmkpp");
  if (d.out.size() > 5) grl_fail("unmkpp: function called with too many outputs");
  const pp_parts p = parts_of(d.in[0], "unmkpp: PP must be a piecewise polynomial structure");
  const Mt values[] = {row_of(p.breaks), p.coefs, number(p.pieces), number(p.order), number(p.dim)};
  for (std::size_t k = 0; k < d.out.size(); ++k) {
    Mr<m_type> r = d.out[k];
    r = values[k];
  }
  return values[0];
}

Mt ppval(const Mt& pp, const Mt& xi) {
  using namespace grl;
  const pp_parts p = parts_of(pp, "ppval: first argument must be a pp-form structure");
  if (!plain_numbers(xi)) grl_fail("ppval: XI must be numbers");
  if (xi.isc()) grl_fail("ppval: XI must be real");
  const std::size_t n = xi.numel(), dim = p.dim, rows = p.coefs.rows();
  const m_type* c = p.coefs.cre();
  Mt out = Mt::alloc(dim, n);
  for (std::size_t e = 0; e < n; ++e) {
    const m_type v = xi.cre()[e];
    if (std::isnan(double(v))) {
      for (std::size_t j = 0; j < dim; ++j) out.pr()[j + e * dim] = std::numeric_limits<m_type>::quiet_NaN();
      continue;
    }
    // The piece whose break is the last one at or below v (the first and the last
    // piece reach beyond the ends).
    const std::size_t at = std::size_t(std::upper_bound(p.breaks.begin() + 1, p.breaks.end() - 1, v) - p.breaks.begin()) - 1;
    const m_type t = v - p.breaks[at];
    for (std::size_t j = 0; j < dim; ++j) {
      const std::size_t r = at * dim + j;
      m_type acc = 0;
      for (std::size_t k = 0; k < p.order; ++k) acc = acc * t + c[r + k * rows];
      out.pr()[j + e * dim] = acc;
    }
  }
  // One component keeps xi's shape; several give dim x numel(xi) for a vector xi and
  // dim x size(xi) otherwise.
  sizes shape;
  if (dim == 1) {
    shape = xi.shape();
  } else {
    shape.push_back(dim);
    const sizes xs = xi.shape();
    const bool vector = xs.size() == 2 && (xs[0] == 1 || xs[1] == 1);
    if (vector) shape.push_back(n);
    else shape.insert(shape.end(), xs.begin(), xs.end());
  }
  out.set_shape(shape);
  return out;
}

Mt spline(const Mt& x, const Mt& y) { return grl::cubic_pp(x, y, false); }
Mt pchip(const Mt& x, const Mt& y) { return grl::cubic_pp(x, y, true); }
