// Random integers and permutations (drawn from rand's generator, so rand('seed', s)
// repeats them), every ordering of a vector, and prime factors.
#include <cmath>
#include <algorithm>
#include <numeric>
#include <vector>

#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

// A count argument: a real integer >= 0.
double count_of(const Mt& x, const char* msg) {
  if (x.numel() != 1 || x.isc() || x.ischar()) grl_fail("%s", msg);
  const double v = double(x.cre()[0]);
  if (!(v >= 0) || v != std::floor(v)) grl_fail("%s", msg);
  return v;
}

// The bounds of randi: imax (from 1) or [imin imax], integers with imin <= imax.
void randi_bounds(const Mt& range, double& lo, double& hi) {
  if (range.ischar() || range.isc() || range.isempty() || range.numel() > 2)
    grl_fail("randi: IMIN and IMAX must be integer bounds");
  lo = range.numel() == 2 ? double(range.cre()[0]) : 1;
  hi = double(range.cre()[range.numel() - 1]);
  if (lo != std::floor(lo) || hi != std::floor(hi) || std::isinf(lo) || std::isinf(hi))
    grl_fail("randi: IMIN and IMAX must be integer bounds");
  if (range.numel() == 1 && hi < 1) grl_fail("randi: require IMAX >= 1");
  if (lo > hi) grl_fail("randi: require IMIN <= IMAX");
  if (hi - lo + 1 > 9007199254740992.0)
    grl_fail("randi: maximum integer IMAX must be smaller than flintmax");
}

// Uniform draws u in (0, 1) of the given shape turned into lo + floor(u * span).
Mt to_integers(Mt u, double lo, double hi) {
  const double span = hi - lo + 1;
  m_type* p = u.numel() ? u.pr() : nullptr;
  for (std::size_t k = 0; k < u.numel(); ++k) {
    double v = lo + std::floor(double(p[k]) * span);
    p[k] = m_type(v > hi ? hi : v);
  }
  return u;
}

// randi(..., 'class'): the draws in a numeric class; a range beyond the class is
// warned of, the values saturate.
Mt in_class(const Mt& x, const Mt& name, double lo, double hi) {
  const std::string n = text_of(name);
  const mclass c = class_arg(name);
  if (c != mc_double && c != mc_single && !is_int_class(c))
    grl_fail("randi: unknown requested output CLASS '%s'", n.c_str());
  if (is_int_class(c)) {
    const Mt top = intmax(name), bottom = intmin(name);
    if (hi > double(top.cre()[0]) || lo < double(bottom.cre()[0]))
      warn(nullptr, "randi: integer IMAX exceeds requested type.  Values might be truncated to requested type.");
  }
  return cast(x, name);
}

}  // namespace

Mt randperm(const Mt& n) { return randperm(n, n); }

Mt randperm(const Mt& n, const Mt& k) {
  const double N = count_of(n, "randperm: M and N must be non-negative");
  const double K = count_of(k, "randperm: M and N must be non-negative");
  if (K > N) grl_fail("randperm: M must be less than or equal to N");
  check_extent(1, std::size_t(N), sizeof(m_type));
  const std::size_t nn = std::size_t(N), kk = std::size_t(K);
  Mt out = Mt::alloc(1, kk);
  if (kk == 0) return out;
  // The first k steps of a Fisher-Yates shuffle of 1..n.
  std::vector<m_type> a(nn);
  for (std::size_t t = 0; t < nn; ++t) a[t] = m_type(t + 1);
  const Mt u = rand_M(Mt(m_type(1)), Mt(m_type(double(kk))));
  const m_type* pu = u.cre();
  m_type* po = out.pr();
  for (std::size_t t = 0; t < kk; ++t) {
    std::size_t j = t + std::size_t(double(pu[t]) * double(nn - t));
    if (j >= nn) j = nn - 1;
    std::swap(a[t], a[j]);
    po[t] = a[t];
  }
  return out;
}

Mt randi(const Mt& range) {
  double lo, hi;
  randi_bounds(range, lo, hi);
  return to_integers(rand_M(), lo, hi);
}

Mt randi(const Mt& range, const Mt& n) {
  double lo, hi;
  randi_bounds(range, lo, hi);
  if (n.ischar()) return in_class(to_integers(rand_M(), lo, hi), n, lo, hi);
  return to_integers(rand_M(n), lo, hi);
}

Mt randi(const Mt& range, const Mt& r, const Mt& c) {
  double lo, hi;
  randi_bounds(range, lo, hi);
  if (c.ischar()) return in_class(to_integers(rand_M(r), lo, hi), c, lo, hi);
  return to_integers(rand_M(r, c), lo, hi);
}

// --- perms --------------------------------------------------------------------------------

Mt perms(const Mt& v) {
  const std::size_t n = v.numel();
  if (n > 12) grl::fail_too_large();
  std::size_t rows = 1;
  for (std::size_t k = 2; k <= n; ++k) rows *= k;
  if (n == 0) rows = 1;
  Mt out = Mt::alloc(rows, n, v.isc());
  // The positions in descending lexicographic order: start from n..1 and step to the
  // previous permutation each row.
  std::vector<std::size_t> idx(n);
  for (std::size_t k = 0; k < n; ++k) idx[k] = n - 1 - k;
  m_type* re = n ? out.pr() : nullptr;
  m_type* im = v.isc() && n ? out.pi() : nullptr;
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < n; ++c) {
      re[r + c * rows] = v.cre()[idx[c]];
      if (im) im[r + c * rows] = v.ielem(idx[c]);
    }
    std::prev_permutation(idx.begin(), idx.end());
  }
  out.set_flags(v.ischar() ? std::uint32_t(F_STRING) : v.islogical() ? std::uint32_t(F_LOGICAL) : 0u);
  return out;
}

// --- factor -------------------------------------------------------------------------------

namespace {

std::vector<double> prime_factors(double q) {
  std::vector<double> f;
  if (q < 4) { f.push_back(q); return f; }
  unsigned long long n = (unsigned long long)q;
  for (unsigned long long p = 2; p * p <= n; p += (p == 2 ? 1 : 2))
    while (n % p == 0) { f.push_back(double(p)); n /= p; }
  if (n > 1) f.push_back(double(n));
  return f;
}

std::vector<double> factors_of(const Mt& q) {
  if (q.numel() != 1 || q.isc() || q.ischar()) grl_fail("factor: Q must be a real non-negative integer");
  const double v = double(q.cre()[0]);
  if (!(v >= 0) || v != std::floor(v) || std::isinf(v)) grl_fail("factor: Q must be a real non-negative integer");
  if (v > 9007199254740992.0) grl_fail("factor: Q too large to factor (> flintmax)");
  return prime_factors(v);
}

Mt row_of(const std::vector<double>& v) {
  Mt r = Mt::alloc(1, v.size());
  for (std::size_t k = 0; k < v.size(); ++k) r.pr()[k] = m_type(v[k]);
  return r;
}

}  // namespace

Mt factor(const Mt& q) { return row_of(factors_of(q)); }

void factor(const Mt& q, i_o_t, Mr<m_type> p, Mr<m_type> n) {
  const std::vector<double> f = factors_of(q);
  std::vector<double> primes, counts;
  for (double x : f) {
    if (!primes.empty() && primes.back() == x) counts.back() += 1;
    else { primes.push_back(x); counts.push_back(1); }
  }
  p = row_of(primes);
  n = row_of(counts);
}
