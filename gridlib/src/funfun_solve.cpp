// Root finding, minimisation and integration of functions given as handles: fzero,
// fminbnd, fminsearch, integral, quad, quadgk, with the options of optimset (a
// structure: TolX, TolFun, MaxIter, MaxFunEvals, Display, AbsTol, RelTol).
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

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

// The options a solver reads: the fields of the structure optimset or odeset gave,
// by name in lower case.
struct options {
  std::vector<std::pair<std::string, Mt>> v;
  const Mt* find(const char* name) const {
    for (const auto& p : v)
      if (p.first == name) return &p.second;
    return nullptr;
  }
  double number(const char* name, double dflt) const {
    const Mt* m = find(name);
    return m && !m->isempty() && !m->ischar() ? double(m->cre()[0]) : dflt;
  }
};

options options_of(const grl::deal_t& d, std::size_t from, const char* who) {
  options o;
  if (from >= d.in.size()) return o;
  const Mt& s = d.in[from];
  if (s.isempty() && !s.holds_struct()) return o;
  if (!s.holds_struct() || s.numel() != 1) grl_fail("%s: OPTIONS must be a structure (see optimset)", who);
  for (const std::string& name : grl::field_names(s)) o.v.emplace_back(lower(name), grl::field(s, name.c_str()));
  return o;
}

// integral(f, a, b, 'AbsTol', t, ...): options given as name/value pairs.
void name_value_pairs(options& o, const std::vector<Mt>& in, std::size_t from, const char* who) {
  for (std::size_t k = from; k < in.size(); k += 2) {
    if (!in[k].ischar() || k + 1 >= in.size()) grl_fail("%s: options must be name/value pairs", who);
    o.v.emplace_back(lower(grl::su::text(in[k])), in[k + 1]);
  }
}

// The options each function knows, in the spelling it shows; a name is matched
// without regard to case.
const std::vector<std::string>& known_options(bool ode) {
  static const std::vector<std::string> optim = {
      "AutoScaling", "ComplexEqn", "Display", "FinDiffType", "FunValCheck", "GradObj", "Jacobian",
      "MaxFunEvals", "MaxIter", "OutputFcn", "TolFun", "TolX", "TypicalX", "Updating"};
  static const std::vector<std::string> odes = {
      "AbsTol", "BDF", "Events", "InitialSlope", "InitialStep", "JConstant", "JPattern", "Jacobian",
      "MStateDependence", "Mass", "MassSingular", "MaxOrder", "MaxStep", "MvPattern", "NonNegative",
      "NormControl", "OutputFcn", "OutputSel", "Refine", "RelTol", "Stats", "Vectorized"};
  return ode ? odes : optim;
}

std::string known_spelling(const std::string& name, bool ode, const char* who) {
  for (const std::string& k : known_options(ode))
    if (lower(k) == lower(name)) return k;
  if (!grl::valid_field_name(name)) grl_fail("%s: invalid option name '%s'", who, name.c_str());
  return name;
}

// Sets option `name` of s, replacing a field of that name in any case.
void set_option(Mt& s, const std::string& name, const Mt& value) {
  for (const std::string& f : grl::field_names(s))
    if (lower(f) == lower(name)) {
      grl::field_ref(s, f.c_str()) = value;
      return;
    }
  grl::field_ref(s, name.c_str()) = value;
}

// optimset / odeset: a structure of options. No inputs: every option the function
// knows (odeset always gives them all), empty; then structures merged in order and
// name/value pairs.
Mt option_struct(const grl::deal_t& d, bool ode, const char* who) {
  std::vector<std::string> names;
  if (d.in.empty() || ode) names = known_options(ode);
  Mt s = grl::make_struct(1, 1, names);
  for (std::size_t k = 0; k < d.in.size(); ++k) {
    const Mt& x = d.in[k];
    if (x.holds_struct()) {
      if (x.numel() != 1) grl_fail("%s: OLDOPTS and NEWOPTS must be scalar structures", who);
      for (const std::string& f : grl::field_names(x)) {
        const Mt& v = grl::field(x, f.c_str());
        // odeset(old, new): the empty options of new leave old's.
        if (ode && v.isempty() && !v.holds_struct() && k > 0) continue;
        set_option(s, known_spelling(f, ode, who), v);
      }
      continue;
    }
    if (!x.ischar()) grl_fail("%s: expecting option names as strings, with a value each", who);
    if (k + 1 >= d.in.size()) grl_fail("%s: no value for option '%s'", who, grl::su::text(x).c_str());
    set_option(s, known_spelling(grl::su::text(x), ode, who), d.in[k + 1]);
    ++k;
  }
  return s;
}

// optimget / odeget (opts, name[, default]): the option, or the default when it is
// absent or empty.
Mt option_get(const grl::deal_t& d, const char* who) {
  if (d.in.size() < 2 || d.in.size() > 3) grl_fail("Invalid call to %s", who);
  const Mt& s = d.in[0];
  if (!s.holds_struct() || s.numel() != 1) grl_fail("%s: OPTIONS must be a struct", who);
  if (!d.in[1].ischar()) grl_fail("%s: PARNAME must be a string", who);
  const std::string want = lower(grl::su::text(d.in[1]));
  for (const std::string& f : grl::field_names(s))
    if (lower(f) == want) {
      const Mt& v = grl::field(s, f.c_str());
      if (!v.isempty() || v.holds_struct()) return v;
      break;
    }
  return d.in.size() == 3 ? d.in[2] : Mt();
}

struct scalar_fn {
  Mt h;
  const char* who;
  int calls = 0;
  double operator()(double x) {
    ++calls;
    Mc a = Mc::alloc(1, 1);
    a.welem(0) = Mt(m_type(x));
    const Mt y = grl::call_handle(h, a);
    if (y.numel() != 1) grl_fail("%s: FUN must return a real scalar", who);
    return double(y.cre()[0]);
  }
};

void put(const grl::deal_t& d, std::size_t k, const Mt& v) {
  if (k < d.out.size()) {
    Mr<m_type> r = d.out[k];
    r = v;
  }
}

Mt number(double v) { return Mt(m_type(v)); }

}  // namespace

namespace {

// optimset('solver'): the options that solver reads, with its defaults, in the order
// octave-cli lists them.
Mt solver_defaults(const std::string& solver) {
  const Mt none, off = TM("off"), notify = TM("notify");
  const Mt inf = number(std::numeric_limits<double>::infinity());
  std::vector<std::pair<const char*, Mt>> o;
  if (solver == "fzero")
    o = {{"Display", notify}, {"FunValCheck", off}, {"MaxFunEvals", inf}, {"MaxIter", inf},
         {"OutputFcn", none}, {"TolX", number(std::numeric_limits<double>::epsilon())}};
  else if (solver == "fminsearch")
    o = {{"Display", notify}, {"FunValCheck", off}, {"MaxFunEvals", none}, {"MaxIter", none},
         {"OutputFcn", none}, {"TolFun", number(1e-4)}, {"TolX", number(1e-4)}};
  else if (solver == "fminbnd")
    o = {{"Display", notify}, {"FunValCheck", off}, {"MaxFunEvals", number(500)}, {"MaxIter", number(500)},
         {"OutputFcn", none}, {"TolX", number(1e-4)}};
  else if (solver == "fminunc")
    o = {{"AutoScaling", off}, {"FunValCheck", off}, {"FinDiffType", TM("forward")}, {"GradObj", off},
         {"MaxFunEvals", none}, {"MaxIter", number(400)}, {"OutputFcn", none}, {"TolFun", number(1e-6)},
         {"TolX", number(1e-6)}, {"TypicalX", none}};
  else if (solver == "fsolve")
    o = {{"AutoScaling", off}, {"ComplexEqn", off}, {"FunValCheck", off}, {"FinDiffType", TM("forward")},
         {"Jacobian", off}, {"MaxFunEvals", none}, {"MaxIter", number(400)}, {"OutputFcn", none},
         {"Updating", off}, {"TolFun", number(1e-6)}, {"TolX", number(1e-6)}, {"TypicalX", none}};
  else if (solver == "lsqnonneg")
    o = {{"MaxIter", number(1e5)}};
  else
    grl_fail("optimset: no defaults for function '%s'", solver.c_str());
  std::vector<std::string> names;
  for (const auto& [n, v] : o) names.push_back(n);
  Mt s = grl::make_struct(1, 1, names);
  for (const auto& [n, v] : o) grl::field_ref(s, n) = v;
  return s;
}

}  // namespace

Mt grl::optimset_run(const deal_t& d) {
  if (d.in.size() == 1 && d.in[0].ischar()) return solver_defaults(grl::su::text(d.in[0]));
  if (d.in.size() == 1 && !d.in[0].holds_struct()) grl_fail("Invalid call to optimset");
  return option_struct(d, false, "optimset");
}
Mt grl::odeset_run(const deal_t& d) { return option_struct(d, true, "odeset"); }
Mt grl::optimget_run(const deal_t& d) { return option_get(d, "optimget"); }
Mt grl::odeget_run(const deal_t& d) { return option_get(d, "odeget"); }

// fzero: a bracket [a, b] with a sign change, or one from a search around the
// start; then Brent's method (bisection, secant and inverse quadratic steps).
Mt grl::fzero_run(const deal_t& d) {
  if (d.in.size() < 2) grl_fail("Invalid call to fzero");
  scalar_fn f{d.in[0], "fzero"};
  const options o = options_of(d, 2, "fzero");
  const double tolx = o.number("tolx", std::numeric_limits<double>::epsilon());
  const Mt& x0 = d.in[1];
  double a, b, fa, fb;
  if (x0.numel() >= 2) {
    a = double(x0.cre()[0]);
    b = double(x0.cre()[1]);
    fa = f(a);
    fb = f(b);
    if (std::signbit(fa) == std::signbit(fb) && fa != 0 && fb != 0)
      grl_fail("fzero: not a valid initial bracketing");
  } else {
    if (x0.numel() != 1) grl_fail("fzero: X0 must be a scalar or 2-element vector");
    a = double(x0.cre()[0]);
    fa = f(a);
    b = a;
    fb = fa;
    const double srch[] = {-.01, .025, -.05, .1, -.25, .5, -1, 2.5, -5, 10, -50, 100, -500, 1000};
    const double scale = a != 0 ? a : 1;
    bool found = fa == 0;
    for (double s : srch) {
      if (found) break;
      b = a + scale * s;
      fb = f(b);
      found = std::signbit(fa) != std::signbit(fb) || fb == 0;
    }
    if (!found) grl_fail("fzero: unable to find a valid initial bracketing");
  }
  if (std::isnan(fa) || std::isnan(fb)) grl_fail("fzero: the function value at the start is NaN");
  double c = a, fc = fa, e = b - a, dd = e;
  for (int it = 0; it < 1000; ++it) {
    if (fb == 0) break;
    if (std::signbit(fb) == std::signbit(fc)) {
      c = a; fc = fa; dd = e = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b; b = c; c = a;
      fa = fb; fb = fc; fc = fa;
    }
    const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b) + 0.5 * tolx;
    const double m = 0.5 * (c - b);
    if (std::fabs(m) <= tol || fb == 0) break;
    if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
      double p, q, r;
      const double s = fb / fa;
      if (a == c) {
        p = 2 * m * s;
        q = 1 - s;
      } else {
        q = fa / fc;
        r = fb / fc;
        p = s * (2 * m * q * (q - r) - (b - a) * (r - 1));
        q = (q - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) q = -q; else p = -p;
      if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
        e = dd;
        dd = p / q;
      } else {
        dd = m;
        e = m;
      }
    } else {
      dd = m;
      e = m;
    }
    a = b;
    fa = fb;
    b += std::fabs(dd) > tol ? dd : (m > 0 ? tol : -tol);
    fb = f(b);
    if (std::isnan(fb)) grl_fail("fzero: the function gave NaN at %g", b);
  }
  put(d, 0, number(b));
  put(d, 1, number(fb));
  put(d, 2, number(1));
  return number(b);
}

// fminbnd: golden section search with parabolic interpolation (Brent), TolX 1e-4.
Mt grl::fminbnd_run(const deal_t& d) {
  if (d.in.size() < 3) grl_fail("Invalid call to fminbnd");
  scalar_fn f{d.in[0], "fminbnd"};
  const options o = options_of(d, 3, "fminbnd");
  const double tolx = o.number("tolx", 1e-4);
  const int maxfun = int(o.number("maxfunevals", 500));
  double a = double(d.in[1].numel() ? d.in[1].cre()[0] : 0);
  double b = double(d.in[2].numel() ? d.in[2].cre()[0] : 0);
  if (a > b) grl_fail("fminbnd: the lower bound cannot be greater than the upper one");
  const double c = 0.5 * (3 - std::sqrt(5.0));
  const double seps = std::sqrt(std::numeric_limits<double>::epsilon());
  double v = a + c * (b - a), w = v, x = v, e = 0, dd = 0;
  double fx = f(x), fv = fx, fw = fx;
  double xm = 0.5 * (a + b);
  double tol1 = seps * std::fabs(x) + tolx / 3, tol2 = 2 * tol1;
  while (std::fabs(x - xm) > tol2 - 0.5 * (b - a) && f.calls < maxfun) {
    bool golden = true;
    if (std::fabs(e) > tol1) {
      double r = (x - w) * (fx - fv);
      double q = (x - v) * (fx - fw);
      double p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p;
      q = std::fabs(q);
      r = e;
      e = dd;
      if (std::fabs(p) < std::fabs(0.5 * q * r) && p > q * (a - x) && p < q * (b - x)) {
        dd = p / q;
        const double u = x + dd;
        if ((u - a) < tol2 || (b - u) < tol2) dd = xm >= x ? tol1 : -tol1;
        golden = false;
      }
    }
    if (golden) {
      e = x >= xm ? a - x : b - x;
      dd = c * e;
    }
    const double u = x + (std::fabs(dd) >= tol1 ? dd : (dd > 0 ? tol1 : -tol1));
    const double fu = f(u);
    if (fu <= fx) {
      if (u >= x) a = x; else b = x;
      v = w; fv = fw; w = x; fw = fx; x = u; fx = fu;
    } else {
      if (u < x) a = u; else b = u;
      if (fu <= fw || w == x) {
        v = w; fv = fw; w = u; fw = fu;
      } else if (fu <= fv || v == x || v == w) {
        v = u; fv = fu;
      }
    }
    xm = 0.5 * (a + b);
    tol1 = seps * std::fabs(x) + tolx / 3;
    tol2 = 2 * tol1;
  }
  put(d, 0, number(x));
  put(d, 1, number(fx));
  put(d, 2, number(f.calls < maxfun ? 1 : 0));
  return number(x);
}

// fminsearch: Nelder-Mead with reflection 1, expansion 2, contraction 1/2 and
// shrinking 1/2; the first simplex moves each coordinate by 5% (0.00025 for a zero).
Mt grl::fminsearch_run(const deal_t& d) {
  if (d.in.size() < 2) grl_fail("Invalid call to fminsearch");
  const Mt h = d.in[0];
  const Mt x0 = d.in[1];
  const std::size_t n = x0.numel();
  const options o = options_of(d, 2, "fminsearch");
  const double tolx = o.number("tolx", 1e-4), tolf = o.number("tolfun", 1e-4);
  const int maxit = int(o.number("maxiter", 200.0 * n)), maxfun = int(o.number("maxfunevals", 200.0 * n));
  int calls = 0;
  auto value = [&](const std::vector<double>& x) {
    Mt v = x0;
    for (std::size_t k = 0; k < n; ++k) v.pr()[k] = m_type(x[k]);
    Mc a = Mc::alloc(1, 1);
    a.welem(0) = v;
    ++calls;
    const Mt y = grl::call_handle(h, a);
    if (y.numel() != 1) grl_fail("fminsearch: FUN must return a real scalar");
    return double(y.cre()[0]);
  };
  std::vector<std::vector<double>> s(n + 1, std::vector<double>(n));
  for (std::size_t k = 0; k < n; ++k) s[0][k] = double(x0.cre()[k]);
  std::vector<double> fv(n + 1);
  fv[0] = value(s[0]);
  for (std::size_t j = 0; j < n; ++j) {
    s[j + 1] = s[0];
    s[j + 1][j] = s[0][j] != 0 ? 1.05 * s[0][j] : 0.00025;
    fv[j + 1] = value(s[j + 1]);
  }
  std::vector<std::size_t> idx(n + 1);
  auto order = [&]() {
    for (std::size_t k = 0; k <= n; ++k) idx[k] = k;
    std::stable_sort(idx.begin(), idx.end(), [&](std::size_t p, std::size_t q) { return fv[p] < fv[q]; });
    std::vector<std::vector<double>> s2(n + 1);
    std::vector<double> f2(n + 1);
    for (std::size_t k = 0; k <= n; ++k) { s2[k] = s[idx[k]]; f2[k] = fv[idx[k]]; }
    s = s2;
    fv = f2;
  };
  order();
  int it = 0;
  while (calls < maxfun && it < maxit) {
    double dx = 0, df = 0;
    for (std::size_t j = 1; j <= n; ++j) {
      df = std::max(df, std::fabs(fv[0] - fv[j]));
      for (std::size_t k = 0; k < n; ++k) dx = std::max(dx, std::fabs(s[j][k] - s[0][k]));
    }
    if (dx <= tolx && df <= tolf) break;
    ++it;
    std::vector<double> xbar(n, 0.0);
    for (std::size_t j = 0; j < n; ++j)
      for (std::size_t k = 0; k < n; ++k) xbar[k] += s[j][k] / double(n);
    auto along = [&](double t) {
      std::vector<double> x(n);
      for (std::size_t k = 0; k < n; ++k) x[k] = (1 + t) * xbar[k] - t * s[n][k];
      return x;
    };
    const std::vector<double> xr = along(1);
    const double fr = value(xr);
    if (fr < fv[0]) {
      const std::vector<double> xe = along(2);
      const double fe = value(xe);
      if (fe < fr) { s[n] = xe; fv[n] = fe; } else { s[n] = xr; fv[n] = fr; }
    } else if (fr < fv[n - 1]) {
      s[n] = xr;
      fv[n] = fr;
    } else {
      bool shrink = false;
      if (fr < fv[n]) {
        const std::vector<double> xc = along(0.5);
        const double fc = value(xc);
        if (fc <= fr) { s[n] = xc; fv[n] = fc; } else shrink = true;
      } else {
        const std::vector<double> xcc = along(-0.5);
        const double fcc = value(xcc);
        if (fcc < fv[n]) { s[n] = xcc; fv[n] = fcc; } else shrink = true;
      }
      if (shrink) {
        for (std::size_t j = 1; j <= n; ++j) {
          for (std::size_t k = 0; k < n; ++k) s[j][k] = s[0][k] + 0.5 * (s[j][k] - s[0][k]);
          fv[j] = value(s[j]);
        }
      }
    }
    order();
  }
  Mt x = x0;
  for (std::size_t k = 0; k < n; ++k) x.pr()[k] = m_type(s[0][k]);
  put(d, 0, x);
  put(d, 1, number(fv[0]));
  const bool converged = calls < maxfun && it < maxit;
  put(d, 2, number(converged ? 1 : 0));
  if (d.out.size() > 3) {
    Mt out = grl::make_struct(1, 1, {"iterations", "funcCount", "algorithm", "message"});
    grl::field_ref(out, "iterations") = number(it);
    grl::field_ref(out, "funcCount") = number(calls);
    grl::field_ref(out, "algorithm") = TM("Nelder-Mead simplex direct search");
    grl::field_ref(out, "message") =
        TM(converged ? "Algorithm converged." : "Maximum number of iterations or function evaluations has been exhausted.");
    put(d, 3, out);
  }
  return x;
}

namespace {

// The function of an integral, called with a vector of points at once (as
// integral and quadgk do) and giving a value per point.
struct vector_fn {
  Mt h;
  const char* who;
  std::vector<double> operator()(const std::vector<double>& x) {
    Mt v = Mt::zeros(1, x.size());
    for (std::size_t k = 0; k < x.size(); ++k) v.pr()[k] = m_type(x[k]);
    Mc a = Mc::alloc(1, 1);
    a.welem(0) = v;
    const Mt y = grl::call_handle(h, a);
    if (y.numel() != x.size())
      grl_fail("%s: integrand F must return a single, real-valued vector of the same size as the input", who);
    std::vector<double> out(x.size());
    for (std::size_t k = 0; k < x.size(); ++k) out[k] = double(y.cre()[k]);
    return out;
  }
};

// Gauss-Kronrod 7-15 on [a, b]: the Kronrod estimate and its difference from Gauss.
const double xgk[8] = {0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                       0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                       0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                       0.207784955007898467600689403773245, 0.000000000000000000000000000000000};
const double wgk[8] = {0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
                       0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
                       0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
                       0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
const double wg[4] = {0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                      0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

struct segment {
  double a, b, q, err;
};

// Adaptive Gauss-Kronrod: the segment of the largest error is halved until the total
// error is within max(AbsTol, RelTol |Q|). Infinite limits map onto a finite interval.
double gauss_kronrod(const Mt& h, double a, double b, double abstol, double reltol, const char* who) {
  if (a == b) return 0;
  if (a > b) return -gauss_kronrod(h, b, a, abstol, reltol, who);
  vector_fn raw{h, who};
  const bool lo = std::isinf(a), hi = std::isinf(b);
  // x = t / (1 - t^2) on (-1, 1); x = a + t / (1 - t) on [0, 1); x = b - (1-t)/t on (0, 1].
  struct mapped {
    vector_fn* f;
    double a, b;
    bool lo, hi;
  } m{&raw, a, b, lo, hi};
  double ta = a, tb = b;
  if (lo && hi) { ta = -1; tb = 1; }
  else if (hi) { ta = 0; tb = 1; }
  else if (lo) { ta = 0; tb = 1; }
  else { ta = -1; tb = 1; }
  // A finite interval is taken as x = (b-a)/4 s (3 - s^2) + (b+a)/2 on [-1, 1], which
  // puts fewer points near the ends and weakens a singularity there.
  auto eval = [&](const std::vector<double>& t) {
    std::vector<double> x(t.size()), jac(t.size());
    for (std::size_t k = 0; k < t.size(); ++k) {
      const double u = t[k];
      if (!m.lo && !m.hi) {
        x[k] = 0.25 * (m.b - m.a) * u * (3 - u * u) + 0.5 * (m.b + m.a);
        jac[k] = 0.75 * (m.b - m.a) * (1 - u * u);
      } else if (m.lo && m.hi) { x[k] = u / (1 - u * u); jac[k] = (1 + u * u) / ((1 - u * u) * (1 - u * u)); }
      else if (m.hi) { x[k] = m.a + u / (1 - u); jac[k] = 1 / ((1 - u) * (1 - u)); }
      else { x[k] = m.b - (1 - u) / u; jac[k] = 1 / (u * u); }
    }
    std::vector<double> y = raw(x);
    for (std::size_t k = 0; k < y.size(); ++k) y[k] *= jac[k];
    return y;
  };
  // The segments, refined where the error is largest.
  std::vector<segment> segs;
  auto rule = [&](double p, double q) {
    const double c = 0.5 * (p + q), hh = 0.5 * (q - p);
    std::vector<double> x(15);
    for (int k = 0; k < 7; ++k) {
      x[2 * k] = c - hh * xgk[k];
      x[2 * k + 1] = c + hh * xgk[k];
    }
    x[14] = c;
    const std::vector<double> y = eval(x);
    double k15 = wgk[7] * y[14], g7 = wg[3] * y[14];
    for (int k = 0; k < 7; ++k) {
      k15 += wgk[k] * (y[2 * k] + y[2 * k + 1]);
      if (k % 2 == 1) g7 += wg[k / 2] * (y[2 * k] + y[2 * k + 1]);
    }
    return segment{p, q, k15 * hh, std::fabs((k15 - g7) * hh)};
  };
  const int first = 10;
  for (int k = 0; k < first; ++k) {
    const double p = ta + (tb - ta) * k / first, q = ta + (tb - ta) * (k + 1) / first;
    segs.push_back(rule(p, q));
  }
  for (int round = 0; round < 650; ++round) {
    double q = 0, err = 0;
    std::size_t worst = 0;
    for (std::size_t k = 0; k < segs.size(); ++k) {
      q += segs[k].q;
      err += segs[k].err;
      if (segs[k].err > segs[worst].err) worst = k;
    }
    if (std::isnan(q)) return q;
    if (err <= std::max(abstol, reltol * std::fabs(q))) return q;
    const segment s = segs[worst];
    const double mid = 0.5 * (s.a + s.b);
    if (mid <= s.a || mid >= s.b) return q;
    segs[worst] = rule(s.a, mid);
    segs.push_back(rule(mid, s.b));
  }
  double q = 0;
  for (const segment& s : segs) q += s.q;
  return q;
}

double limit(const Mt& v, const char* who) {
  if (v.numel() != 1) grl_fail("%s: A and B must be real scalars", who);
  return double(v.cre()[0]);
}

}  // namespace

Mt grl::integral_run(const deal_t& d) {
  if (d.in.size() < 3) grl_fail("Invalid call to integral");
  options o;
  name_value_pairs(o, d.in, 3, "integral");
  const double q = gauss_kronrod(d.in[0], limit(d.in[1], "integral"), limit(d.in[2], "integral"),
                                 o.number("abstol", 1e-10), o.number("reltol", 1e-6), "integral");
  return number(q);
}

Mt grl::quadgk_run(const deal_t& d) {
  if (d.in.size() < 3) grl_fail("Invalid call to quadgk");
  options o;
  name_value_pairs(o, d.in, 3, "quadgk");
  const double q = gauss_kronrod(d.in[0], limit(d.in[1], "quadgk"), limit(d.in[2], "quadgk"),
                                 o.number("abstol", 1e-10), o.number("reltol", 1e-6), "quadgk");
  put(d, 0, number(q));
  put(d, 1, number(0));
  return number(q);
}

// quad: the same adaptive rule to the absolute tolerance given (1e-6 by default).
Mt grl::quad_run(const deal_t& d) {
  if (d.in.size() < 3) grl_fail("Invalid call to quad");
  double tol = 1e-6;
  if (d.in.size() > 3 && d.in[3].numel() >= 1) tol = double(d.in[3].cre()[0]);
  const double q = gauss_kronrod(d.in[0], limit(d.in[1], "quad"), limit(d.in[2], "quad"), tol, 0, "quad");
  put(d, 0, number(q));
  put(d, 1, number(0));
  return number(q);
}
