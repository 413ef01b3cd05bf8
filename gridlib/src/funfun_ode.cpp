// ode45 and ode23: explicit Runge-Kutta pairs with error control (Dormand-Prince 5(4)
// and Bogacki-Shampine 3(2)), RelTol 1e-3 and AbsTol 1e-6 by default, as odeset
// changes them. [t, y] = ode45(f, tspan, y0): with two times, every step (ode45 adds
// three points inside each step); with more, the solution at those times.
// sol = ode45(...) gives the solution structure, which deval reads.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gridlib_funfun.h"
#include "strcell_util.h"

using grl::Mc;
using grl::Mt;

namespace {

typedef std::vector<double> vec;

// [a, b] = ...: the outputs the caller asked for, the second before the first (a call
// with fewer outputs leaves the others).
void give_two(const grl::deal_t& d, const Mt& first, const Mt& second) {
  if (d.out.size() > 1) {
    Mr<m_type> r = d.out[1];
    r = second;
  }
  if (!d.out.empty()) {
    Mr<m_type> r = d.out[0];
    r = first;
  }
}

struct tableau {
  int stages;
  double order;               // of the error estimate's exponent: 1 / (order + 1)
  std::vector<double> c;
  std::vector<std::vector<double>> a;
  vec b, e;                   // the solution's weights; the error's (b - b*)
  int refine;
};

const tableau& dormand_prince() {
  static const tableau t{
      7, 4, {0, 1.0 / 5, 3.0 / 10, 4.0 / 5, 8.0 / 9, 1, 1},
      {{},
       {1.0 / 5},
       {3.0 / 40, 9.0 / 40},
       {44.0 / 45, -56.0 / 15, 32.0 / 9},
       {19372.0 / 6561, -25360.0 / 2187, 64448.0 / 6561, -212.0 / 729},
       {9017.0 / 3168, -355.0 / 33, 46732.0 / 5247, 49.0 / 176, -5103.0 / 18656},
       {35.0 / 384, 0, 500.0 / 1113, 125.0 / 192, -2187.0 / 6784, 11.0 / 84}},
      {35.0 / 384, 0, 500.0 / 1113, 125.0 / 192, -2187.0 / 6784, 11.0 / 84, 0},
      {71.0 / 57600, 0, -71.0 / 16695, 71.0 / 1920, -17253.0 / 339200, 22.0 / 525, -1.0 / 40},
      4};
  return t;
}

const tableau& bogacki_shampine() {
  static const tableau t{4, 2, {0, 0.5, 0.75, 1},
                         {{}, {0.5}, {0, 0.75}, {2.0 / 9, 1.0 / 3, 4.0 / 9}},
                         {2.0 / 9, 1.0 / 3, 4.0 / 9, 0},
                         {-5.0 / 72, 1.0 / 12, 1.0 / 9, -1.0 / 8},
                         1};
  return t;
}

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

// Option `name` (lower case) of the structure odeset gave, or dflt when it is absent
// or empty.
double option(const Mt& opts, const char* name, double dflt) {
  if (!opts.holds_struct() || opts.numel() != 1) return dflt;
  for (const std::string& f : grl::field_names(opts))
    if (lower(f) == name) {
      const Mt& v = grl::field(opts, f.c_str());
      if (!v.isempty() && !v.ischar() && !v.holds_struct() && !v.holds_cell()) return double(v.cre()[0]);
    }
  return dflt;
}

struct system_fn {
  Mt h;
  const char* who;
  std::size_t n;
  vec operator()(double t, const vec& y) {
    Mt yv = Mt::zeros(n, 1);
    for (std::size_t k = 0; k < n; ++k) yv.pr()[k] = m_type(y[k]);
    Mc a = Mc::alloc(1, 2);
    a.welem(0) = Mt(m_type(t));
    a.welem(1) = yv;
    const Mt d = grl::call_handle(h, a);
    if (d.numel() != n)
      grl_fail("%s: the function must return a vector of %zu elements, as many as Y0 has", who, n);
    vec out(n);
    for (std::size_t k = 0; k < n; ++k) out[k] = double(d.cre()[k]);
    return out;
  }
};

// Cubic Hermite interpolation inside a step from (t0, y0, f0) to (t1, y1, f1).
vec hermite(double t, double t0, double t1, const vec& y0, const vec& y1, const vec& f0, const vec& f1) {
  const double h = t1 - t0, s = (t - t0) / h;
  const double h00 = (1 + 2 * s) * (1 - s) * (1 - s), h10 = s * (1 - s) * (1 - s);
  const double h01 = s * s * (3 - 2 * s), h11 = s * s * (s - 1);
  vec y(y0.size());
  for (std::size_t k = 0; k < y.size(); ++k)
    y[k] = h00 * y0[k] + h10 * h * f0[k] + h01 * y1[k] + h11 * h * f1[k];
  return y;
}

// The columns of a matrix whose column k is v[k].
Mt columns(const std::vector<vec>& v, std::size_t n) {
  Mt m = Mt::zeros(n, v.size());
  for (std::size_t k = 0; k < v.size(); ++k)
    for (std::size_t q = 0; q < n; ++q) m.pr()[q + k * n] = m_type(v[k][q]);
  return m;
}

// The solution structure: x (the steps' times, a row), y (the solution there, a
// column each), solver, and idata (the slope at each step) from which deval
// interpolates.
Mt solution(const std::vector<double>& t, const std::vector<vec>& y, const std::vector<vec>& f, const char* who) {
  const std::size_t n = y.empty() ? 0 : y[0].size();
  Mt s = grl::make_struct(1, 1, {"x", "y", "solver", "idata"});
  Mt x = Mt::zeros(1, t.size());
  for (std::size_t k = 0; k < t.size(); ++k) x.pr()[k] = m_type(t[k]);
  grl::field_ref(s, "x") = x;
  grl::field_ref(s, "y") = columns(y, n);
  grl::field_ref(s, "solver") = grl::su::str(who);
  grl::field_ref(s, "idata") = columns(f, n);
  return s;
}

Mt solve(const grl::deal_t& d, const tableau& tb, const char* who) {
  if (d.in.size() < 3) grl_fail("Invalid call to %s", who);
  const Mt& span = d.in[1];
  const Mt& y0m = d.in[2];
  const Mt opts = d.in.size() > 3 ? d.in[3] : Mt();
  if (span.numel() < 2) grl_fail("%s: TRANGE must contain at least 2 elements", who);
  if (!opts.isempty() && !opts.holds_struct()) grl_fail("%s: OPTIONS must be a structure (see odeset)", who);
  // sol = ode45(...): the solution structure, every step with its slope for deval.
  const bool structure = d.out.size() < 2;
  std::vector<double> step_t;
  std::vector<vec> step_y, step_f;
  const std::size_t n = y0m.numel();
  vec times(span.numel());
  for (std::size_t k = 0; k < times.size(); ++k) times[k] = double(span.cre()[k]);
  const double t0 = times.front(), tf = times.back();
  const double dir = tf >= t0 ? 1 : -1;
  const double rtol = option(opts, "reltol", 1e-3), atol = option(opts, "abstol", 1e-6);
  const double hmax = option(opts, "maxstep", 0.1 * std::fabs(tf - t0));
  const int refine = int(option(opts, "refine", tb.refine));
  system_fn f{d.in[0], who, n};
  vec y(n);
  for (std::size_t k = 0; k < n; ++k) y[k] = double(y0m.cre()[k]);
  double t = t0;
  vec f0 = f(t, y);
  const double pw = 1.0 / (tb.order + 1);
  const double threshold = atol / rtol;
  double h = option(opts, "initialstep", 0);
  if (h <= 0) {
    double rh = 0;
    for (std::size_t k = 0; k < n; ++k)
      rh = std::max(rh, std::fabs(f0[k]) / std::max(std::fabs(y[k]), threshold));
    rh /= 0.8 * std::pow(rtol, pw);
    h = std::min(hmax, std::fabs(tf - t0));
    if (h * rh > 1) h = 1 / rh;
  }
  const double eps = std::numeric_limits<double>::epsilon();
  std::vector<double> out_t;
  std::vector<vec> out_y;
  out_t.push_back(t0);
  out_y.push_back(y);
  if (structure) {
    step_t.push_back(t0);
    step_y.push_back(y);
    step_f.push_back(f0);
  }
  std::size_t next = 1;   // the next requested time when tspan lists them
  const bool every_step = times.size() == 2;
  std::vector<vec> k(std::size_t(tb.stages));
  while (dir * (tf - t) > 0) {
    const double hmin = 16 * eps * std::fabs(t);
    h = std::min(std::max(h, hmin), hmax);
    if (1.1 * h >= std::fabs(tf - t)) h = std::fabs(tf - t);
    vec ynew, fnew;
    double err;
    for (;;) {
      const double hs = dir * h;
      k[0] = f0;
      for (int s = 1; s < tb.stages; ++s) {
        vec ys = y;
        for (int j = 0; j < s; ++j) {
          const double a = j < int(tb.a[std::size_t(s)].size()) ? tb.a[std::size_t(s)][std::size_t(j)] : 0;
          if (a != 0)
            for (std::size_t q = 0; q < n; ++q) ys[q] += hs * a * k[std::size_t(j)][q];
        }
        // The last stage of both pairs is the new solution (first same as last).
        if (s == tb.stages - 1) {
          ynew = ys;
          k[std::size_t(s)] = f(t + hs, ys);
        } else {
          k[std::size_t(s)] = f(t + tb.c[std::size_t(s)] * hs, ys);
        }
      }
      fnew = k[std::size_t(tb.stages - 1)];
      err = 0;
      for (std::size_t q = 0; q < n; ++q) {
        double e = 0;
        for (int s = 0; s < tb.stages; ++s) e += tb.e[std::size_t(s)] * k[std::size_t(s)][q];
        const double scale = std::max(std::max(std::fabs(y[q]), std::fabs(ynew[q])), threshold);
        err = std::max(err, std::fabs(hs * e) / scale);
      }
      if (std::isnan(err)) grl_fail("%s: the function gave NaN at t = %g", who, t);
      if (err <= rtol) break;
      if (h <= hmin) grl_fail("%s: unable to meet integration tolerances at t = %g", who, t);
      h = std::max(hmin, h * std::max(0.1, 0.8 * std::pow(rtol / err, pw)));
    }
    const double tnew = t + dir * h;
    if (structure) {
      step_t.push_back(tnew);
      step_y.push_back(ynew);
      step_f.push_back(fnew);
    } else if (every_step) {
      for (int r = 1; r < refine; ++r) {
        const double tr = t + dir * h * r / refine;
        out_t.push_back(tr);
        out_y.push_back(hermite(tr, t, tnew, y, ynew, f0, fnew));
      }
      out_t.push_back(tnew);
      out_y.push_back(ynew);
    } else {
      while (next < times.size() && dir * (times[next] - tnew) <= 0) {
        out_t.push_back(times[next]);
        out_y.push_back(times[next] == tnew ? ynew : hermite(times[next], t, tnew, y, ynew, f0, fnew));
        ++next;
      }
    }
    t = tnew;
    y = ynew;
    f0 = fnew;
    const double grow = err == 0 ? 5 : std::min(5.0, 0.8 * std::pow(rtol / err, pw));
    h *= grow;
  }
  if (structure) return solution(step_t, step_y, step_f, who);
  Mt tv = Mt::zeros(out_t.size(), 1), yv = Mt::zeros(out_t.size(), n);
  for (std::size_t r = 0; r < out_t.size(); ++r) {
    tv.pr()[r] = m_type(out_t[r]);
    for (std::size_t q = 0; q < n; ++q) yv.pr()[r + q * out_t.size()] = m_type(out_y[r][q]);
  }
  give_two(d, tv, yv);
  return tv;
}

}  // namespace

Mt grl::ode45_run(const deal_t& d) { return solve(d, dormand_prince(), "ode45"); }
Mt grl::ode23_run(const deal_t& d) { return solve(d, bogacki_shampine(), "ode23"); }

// deval(sol, t[, idx]) or deval(t, sol[, idx]): the solution at the times t (a column
// each), by cubic Hermite interpolation between the steps around each time; its
// second output is the slope there.
Mt grl::deval_run(const deal_t& d) {
  if (d.in.size() < 2 || d.in.size() > 3) grl_fail("Invalid call to deval");
  const bool sol_first = d.in[0].holds_struct();
  const Mt& sol = sol_first ? d.in[0] : d.in[1];
  const Mt& at = sol_first ? d.in[1] : d.in[0];
  if (!sol.holds_struct() || sol.numel() != 1)
    grl_fail("deval: SOL must be the structure that ode45 or ode23 returned");
  const std::vector<std::string> names = grl::field_names(sol);
  for (const char* f : {"x", "y", "idata"})
    if (std::find(names.begin(), names.end(), f) == names.end())
      grl_fail("deval: SOL must be the structure that ode45 or ode23 returned");
  const Mt& x = grl::field(sol, "x");
  const Mt& y = grl::field(sol, "y");
  const Mt& yp = grl::field(sol, "idata");
  const std::size_t steps = x.numel(), n = y.rows();
  if (steps == 0 || y.numel() != n * steps || yp.numel() != y.numel())
    grl_fail("deval: SOL must be the structure that ode45 or ode23 returned");
  std::vector<std::size_t> rows;
  if (d.in.size() == 3) {
    const Mt& idx = d.in[2];
    for (std::size_t k = 0; k < idx.numel(); ++k) {
      const double r = double(idx.cre()[k]);
      if (r < 1 || r > double(n) || r != std::floor(r)) grl_fail("deval: IDX must hold components of the solution, 1 to %zu", n);
      rows.push_back(std::size_t(r) - 1);
    }
  } else {
    for (std::size_t q = 0; q < n; ++q) rows.push_back(q);
  }
  const double first = double(x.cre()[0]), last = double(x.cre()[steps - 1]);
  const double lo = std::min(first, last), hi = std::max(first, last);
  const double dir = last >= first ? 1 : -1;
  auto column = [&](const Mt& m, std::size_t k) {
    vec v(n);
    for (std::size_t q = 0; q < n; ++q) v[q] = double(m.cre()[q + k * n]);
    return v;
  };
  Mt out = Mt::zeros(rows.size(), at.numel()), slope = Mt::zeros(rows.size(), at.numel());
  for (std::size_t j = 0; j < at.numel(); ++j) {
    const double t = double(at.cre()[j]);
    if (!(t >= lo && t <= hi))
      grl_fail("deval: the time %g lies outside the interval of integration [%g, %g]", t, lo, hi);
    // The step [x(k), x(k+1)] holding t.
    std::size_t k = 0;
    while (k + 2 < steps && dir * (t - double(x.cre()[k + 1])) > 0) ++k;
    vec v, s(n);
    if (steps == 1) {
      v = column(y, 0);
      s = column(yp, 0);
    } else {
      const double t0 = double(x.cre()[k]), t1 = double(x.cre()[k + 1]);
      const vec y0 = column(y, k), y1 = column(y, k + 1), f0 = column(yp, k), f1 = column(yp, k + 1);
      v = hermite(t, t0, t1, y0, y1, f0, f1);
      const double h = t1 - t0, u = (t - t0) / h;
      for (std::size_t q = 0; q < n; ++q)
        s[q] = (6 * u * u - 6 * u) / h * y0[q] + (3 * u * u - 4 * u + 1) * f0[q] +
               (6 * u - 6 * u * u) / h * y1[q] + (3 * u * u - 2 * u) * f1[q];
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      out.pr()[r + j * rows.size()] = m_type(v[rows[r]]);
      slope.pr()[r + j * rows.size()] = m_type(s[rows[r]]);
    }
  }
  give_two(d, out, slope);
  return out;
}
