// interp2: values of a function of two variables between the points of a grid.
//
// Calling forms: interp2(Z), interp2(Z, n), interp2(Z, XI, YI), interp2(X, Y, Z, XI, YI),
// each followed by an optional method ('linear', 'nearest') and, after the method, a
// value for the points outside the grid (NaN otherwise). X runs along Z's columns and
// Y down its rows, as meshgrid makes them; vectors or meshgrid matrices both do.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "math_util.h"

using namespace grl;

namespace {

enum class method_t { linear, nearest };

// The coordinates of the grid along one axis: a vector, or the first row (X) or first
// column (Y) of a meshgrid matrix. They must increase.
std::vector<double> axis_of(const Mt& a, bool along_rows, std::size_t n, const char* name) {
  if (a.holds_cell() || a.ischar() || a.isc()) grl_fail("interp2: %s must be a real numeric vector or matrix", name);
  std::vector<double> v;
  const m_type* p = a.cre();
  if (a.rows() == 1 || a.cols() == 1) {
    for (std::size_t k = 0; k < a.numel(); ++k) v.push_back(double(p[k]));
  } else if (along_rows) {
    for (std::size_t j = 0; j < a.cols(); ++j) v.push_back(double(p[j * a.rows()]));
  } else {
    for (std::size_t i = 0; i < a.rows(); ++i) v.push_back(double(p[i]));
  }
  if (v.size() != n) grl_fail("interp2: X and Y must match the dimensions of Z");
  for (std::size_t k = 1; k < v.size(); ++k)
    if (!(v[k] > v[k - 1])) grl_fail("interp2: X and Y must be strictly monotonic");
  return v;
}

std::vector<double> one_to(std::size_t n) {
  std::vector<double> v(n);
  for (std::size_t k = 0; k < n; ++k) v[k] = double(k + 1);
  return v;
}

// The cell of the axis that holds t: k with v[k] <= t <= v[k+1]; false outside.
bool cell_of(const std::vector<double>& v, double t, std::size_t& k) {
  if (!(t >= v.front() && t <= v.back())) return false;
  std::size_t lo = 0, hi = v.size() - 1;
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    if (v[mid] <= t) lo = mid;
    else hi = mid;
  }
  k = lo;
  return true;
}

struct grid_t {
  std::vector<double> x, y;   // x along the columns, y down the rows
  const m_type* z;
  std::size_t rows;
  double at(std::size_t i, std::size_t j) const { return double(z[i + j * rows]); }
};

double value_at(const grid_t& g, double xi, double yi, method_t how, double outside) {
  std::size_t j, i;
  if (!cell_of(g.x, xi, j) || !cell_of(g.y, yi, i)) return outside;
  const bool flat_x = g.x.size() == 1, flat_y = g.y.size() == 1;
  const double tx = flat_x ? 0 : (xi - g.x[j]) / (g.x[j + 1] - g.x[j]);
  const double ty = flat_y ? 0 : (yi - g.y[i]) / (g.y[i + 1] - g.y[i]);
  if (how == method_t::nearest) {
    // Halfway between two points goes to the upper one.
    const std::size_t jn = !flat_x && tx >= 0.5 ? j + 1 : j, in = !flat_y && ty >= 0.5 ? i + 1 : i;
    return g.at(in, jn);
  }
  const std::size_t j1 = flat_x ? j : j + 1, i1 = flat_y ? i : i + 1;
  const double top = g.at(i, j) + tx * (g.at(i, j1) - g.at(i, j));
  const double bottom = g.at(i1, j) + tx * (g.at(i1, j1) - g.at(i1, j));
  return top + ty * (bottom - top);
}

method_t method_of(const Mt& m) {
  std::string s = mth::text(m);
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (s == "linear" || s == "*linear") return method_t::linear;
  if (s == "nearest" || s == "*nearest") return method_t::nearest;
  if (s == "cubic" || s == "spline" || s == "pchip")
    grl_fail("interp2: the method '%s' is not available; use 'linear' or 'nearest'", s.c_str());
  grl_fail("interp2: unrecognized METHOD '%s'", s.c_str());
}

// The points asked for: XI and YI of one size, or a row and a column that span a grid.
void points_of(const Mt& xi, const Mt& yi, std::vector<double>& px, std::vector<double>& py, std::size_t& rows,
               std::size_t& cols) {
  if (xi.holds_cell() || yi.holds_cell() || xi.ischar() || yi.ischar() || xi.isc() || yi.isc())
    grl_fail("interp2: XI and YI must be real numeric arrays");
  const bool grid = (xi.rows() == 1 && yi.cols() == 1 && yi.rows() > 1) ||
                    (xi.cols() == 1 && xi.rows() > 1 && yi.rows() == 1 && yi.cols() > 1);
  if (grid) {
    rows = yi.numel();
    cols = xi.numel();
    for (std::size_t j = 0; j < cols; ++j)
      for (std::size_t i = 0; i < rows; ++i) {
        px.push_back(double(xi.cre()[j]));
        py.push_back(double(yi.cre()[i]));
      }
    return;
  }
  if (xi.rows() != yi.rows() || xi.cols() != yi.cols())
    grl_fail("interp2: XI and YI must be matrices of equal size");
  rows = xi.rows();
  cols = xi.cols();
  for (std::size_t k = 0; k < xi.numel(); ++k) {
    px.push_back(double(xi.cre()[k]));
    py.push_back(double(yi.cre()[k]));
  }
}

Mt interp2_of(const std::vector<const Mt*>& in) {
  std::size_t numeric = 0;
  while (numeric < in.size() && !in[numeric]->ischar()) ++numeric;
  method_t how = method_t::linear;
  double outside = std::numeric_limits<double>::quiet_NaN();
  if (numeric < in.size()) {
    how = method_of(*in[numeric]);
    if (numeric + 2 < in.size()) grl_fail("Invalid call to interp2");
    if (numeric + 1 < in.size()) {
      const Mt& e = *in[numeric + 1];
      if (e.holds_cell() || e.ischar() || e.numel() != 1) grl_fail("interp2: EXTRAP must be a numeric scalar");
      outside = double(e.cre()[0]);
    }
  }
  if (numeric != 1 && numeric != 2 && numeric != 3 && numeric != 5) grl_fail("Invalid call to interp2");
  const Mt& z = numeric == 5 ? *in[2] : *in[0];
  if (z.holds_cell() || z.ischar()) grl_fail("interp2: Z must be a numeric matrix");
  if (z.rows() < 2 || z.cols() < 2) grl_fail("interp2: Z must be at least a 2-by-2 matrix");
  grid_t g;
  g.rows = z.rows();
  if (numeric == 5) {
    g.x = axis_of(*in[0], true, z.cols(), "X");
    g.y = axis_of(*in[1], false, z.rows(), "Y");
  } else {
    g.x = one_to(z.cols());
    g.y = one_to(z.rows());
  }
  std::vector<double> px, py;
  std::size_t rows = 0, cols = 0;
  if (numeric <= 2) {
    // interp2(Z, n): each interval cut in two, n times.
    double n = 1;
    if (numeric == 2) {
      const Mt& k = *in[1];
      if (k.isc() || k.numel() != 1 || k.cre()[0] < 0 || k.cre()[0] != std::floor(k.cre()[0]))
        grl_fail("interp2: N must be a non-negative integer");
      n = double(k.cre()[0]);
    }
    const double step = std::pow(2.0, -n);
    cols = std::size_t((z.cols() - 1) / step + 0.5) + 1;
    rows = std::size_t((z.rows() - 1) / step + 0.5) + 1;
    for (std::size_t j = 0; j < cols; ++j)
      for (std::size_t i = 0; i < rows; ++i) {
        px.push_back(1 + double(j) * step);
        py.push_back(1 + double(i) * step);
      }
  } else {
    points_of(*in[numeric - 2], *in[numeric - 1], px, py, rows, cols);
  }
  Mt out = Mt::alloc(rows, cols, z.isc());
  g.z = z.cre();
  m_type* o = out.pr();
  for (std::size_t k = 0; k < px.size(); ++k) o[k] = m_type(value_at(g, px[k], py[k], how, outside));
  if (z.isc()) {
    g.z = z.cim();
    m_type* oi = out.pi();
    for (std::size_t k = 0; k < px.size(); ++k) oi[k] = m_type(value_at(g, px[k], py[k], how, 0));
    out.drop_imag();
  }
  return out;
}

}  // namespace

Mt interp2(const Mt& a) { return interp2_of({&a}); }
Mt interp2(const Mt& a, const Mt& b) { return interp2_of({&a, &b}); }
Mt interp2(const Mt& a, const Mt& b, const Mt& c) { return interp2_of({&a, &b, &c}); }
Mt interp2(const Mt& a, const Mt& b, const Mt& c, const Mt& d) { return interp2_of({&a, &b, &c, &d}); }
Mt interp2(const Mt& a, const Mt& b, const Mt& c, const Mt& d, const Mt& e) {
  return interp2_of({&a, &b, &c, &d, &e});
}
Mt interp2(const Mt& a, const Mt& b, const Mt& c, const Mt& d, const Mt& e, const Mt& f) {
  return interp2_of({&a, &b, &c, &d, &e, &f});
}
Mt interp2(const Mt& a, const Mt& b, const Mt& c, const Mt& d, const Mt& e, const Mt& f, const Mt& g) {
  return interp2_of({&a, &b, &c, &d, &e, &f, &g});
}
