// Integer arithmetic on real matrices: gcd (with the Bezout coefficients), lcm,
// factorial, nchoosek (binomial coefficients and combinations), primes and isprime.
#include "elem_util.h"

#include <cstdint>
#include <limits>
#include <vector>

using namespace grl;
using namespace grl::elem;

namespace {

void integer_args(const Mt& a, const Mt& b, const char* fn) {
  if (a.isc() || b.isc()) grl_fail("%s: all values must be real integers", fn);
  if (!all_integers(a) || !all_integers(b)) grl_fail("gcd: all values must be integers");
}

// Extended Euclid on |a|, |b|: g = u*a + v*b, g >= 0.
void euclid(m_type a, m_type b, m_type& g, m_type& u, m_type& v) {
  m_type r0 = std::fabs(a), r1 = std::fabs(b), s0 = 1, s1 = 0, t0 = 0, t1 = 1;
  while (r1 != 0) {
    const m_type q = std::floor(r0 / r1);
    m_type t = r0 - q * r1; r0 = r1; r1 = t;
    t = s0 - q * s1; s0 = s1; s1 = t;
    t = t0 - q * t1; t0 = t1; t1 = t;
  }
  g = r0;
  u = a < 0 ? -s0 : s0;
  v = b < 0 ? -t0 : t0;
}

m_type gcd1(m_type a, m_type b) {
  m_type g, u, v;
  euclid(a, b, g, u, v);
  return g;
}

// lcm keeps the sign of the product, as Octave's a.*b./gcd does.
m_type lcm1(m_type a, m_type b) {
  if (a == 0 || b == 0) return 0;
  return a * (b / gcd1(a, b));
}

void gcd_outputs(const Mt& a, const Mt& b, Mr<m_type>* g, Mr<m_type>* u, Mr<m_type>* v) {
  integer_args(a, b, "gcd");
  std::size_t r, c;
  mth::conform(a, b, "gcd", r, c);
  Mt go = Mt::alloc(r, c), uo = Mt::alloc(r, c), vo = Mt::alloc(r, c);
  m_type* pg = go.pr();
  m_type* pu = uo.pr();
  m_type* pv = vo.pr();
  const m_type* pa = a.cre();
  const m_type* pb = b.cre();
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      const std::size_t k = i + j * r;
      euclid(pa[mth::expand_at(a, i, j)], pb[mth::expand_at(b, i, j)], pg[k], pu[k], pv[k]);
    }
  if (g) *g = go;
  if (u) *u = uo;
  if (v) *v = vo;
}

// n*(n-1)*...*(n-k+1)/k!, built so that every partial result is itself a binomial
// coefficient (exact while it fits the mantissa).
m_type binomial(double n, double k) {
  if (k > n - k) k = n - k;
  long double c = 1;
  for (double t = 1; t <= k; ++t) c = std::round(c * (n - k + t) / t);
  return m_type(c);
}

// The rows of all k-element combinations of the elements of v, in order.
Mt combinations(const Mt& v, std::size_t k) {
  const std::size_t n = v.numel();
  if (k > n) return Mt::zeros(0, k);
  std::size_t rows = 1;
  for (std::size_t t = 1; t <= k; ++t) {
    rows = rows * (n - k + t) / t;
    if (rows > (std::size_t(1) << 31)) grl::fail_too_large();
  }
  if (double(rows) * double(k) > 4294967295.0)
    grl::fail_too_large();
  Mt o = Mt::alloc(rows, k, v.isc());
  m_type* p = o.pr();
  m_type* q = v.isc() ? o.pi() : nullptr;
  std::vector<std::size_t> at(k);
  for (std::size_t t = 0; t < k; ++t) at[t] = t;
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t t = 0; t < k; ++t) {
      p[row + t * rows] = v.cre()[at[t]];
      if (q) q[row + t * rows] = v.cim()[at[t]];
    }
    // The next combination: advance the last position that can still move.
    std::size_t t = k;
    while (t > 0 && at[t - 1] == n - k + t - 1) --t;
    if (t == 0) break;
    ++at[t - 1];
    for (std::size_t s = t; s < k; ++s) at[s] = at[s - 1] + 1;
  }
  // The rows are elements of v: they keep its class (char, logical, single, integers).
  if (v.num_class() != mc_double)
    o.set_class(v.num_class());
  else
    o.set_flags(v.flags_ & (F_STRING | F_LOGICAL));
  return o;
}

std::uint64_t mulmod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
  return std::uint64_t((unsigned __int128)a * b % m);
}
std::uint64_t powmod(std::uint64_t a, std::uint64_t e, std::uint64_t m) {
  std::uint64_t r = 1;
  a %= m;
  for (; e; e >>= 1) {
    if (e & 1) r = mulmod(r, a, m);
    a = mulmod(a, a, m);
  }
  return r;
}

// Miller-Rabin with the bases that decide every 64-bit number.
bool is_prime(std::uint64_t n) {
  if (n < 2) return false;
  for (std::uint64_t p : {2u, 3u, 5u, 7u, 11u, 13u, 17u, 19u, 23u, 29u, 31u, 37u}) {
    if (n % p == 0) return n == p;
  }
  std::uint64_t d = n - 1;
  int s = 0;
  while ((d & 1) == 0) { d >>= 1; ++s; }
  for (std::uint64_t a : {2u, 3u, 5u, 7u, 11u, 13u, 17u, 19u, 23u, 29u, 31u, 37u}) {
    std::uint64_t x = powmod(a, d, n);
    if (x == 1 || x == n - 1) continue;
    bool composite = true;
    for (int r = 1; r < s && composite; ++r) {
      x = mulmod(x, x, n);
      if (x == n - 1) composite = false;
    }
    if (composite) return false;
  }
  return true;
}

}  // namespace

Mt gcd(const Mt& a, const Mt& b) {
  integer_args(a, b, "gcd");
  return mth::zip_real(a, b, "gcd", gcd1);
}
Mt gcd(const Mt& a, const Mt& b, const Mt& c) { return gcd(gcd(a, b), c); }
void gcd(const Mt& a, const Mt& b, i_o_t, Mr<m_type> g) { g = gcd(a, b); }
void gcd(const Mt& a, const Mt& b, i_o_t, Mr<m_type> g, Mr<m_type> u) { gcd_outputs(a, b, &g, &u, nullptr); }
void gcd(const Mt& a, const Mt& b, i_o_t, Mr<m_type> g, Mr<m_type> u, Mr<m_type> v) {
  gcd_outputs(a, b, &g, &u, &v);
}

Mt lcm(const Mt& a, const Mt& b) {
  integer_args(a, b, "lcm");
  return mth::zip_real(a, b, "lcm", lcm1);
}
Mt lcm(const Mt& a, const Mt& b, const Mt& c) { return lcm(lcm(a, b), c); }

// factorial(n) = gamma(n+1), rounded; Inf from 171 on.
Mt factorial(const Mt& n) {
  const m_type* p = n.cre();
  const std::size_t cnt = n.numel();
  bool ok = !n.isc();
  for (std::size_t k = 0; k < cnt && ok; ++k)
    if (!(p[k] >= 0) || p[k] != std::floor(p[k])) ok = false;
  if (!ok) grl_fail("factorial: all N must be real non-negative integers");
  return mth::map_real(n, [](m_type v) { return std::round(std::tgamma(v + 1)); });
}

Mt nchoosek(const Mt& n, const Mt& k) {
  if (k.numel() != 1 || k.isc() || !(k.cre()[0] >= 0) || k.cre()[0] != std::floor(k.cre()[0]) ||
      std::isinf(k.cre()[0]))
    grl_fail("nchoosek: K must be an integer >= 0");
  const double kv = double(k.cre()[0]);
  if (n.numel() == 1) {
    const double nv = double(n.cre()[0]);
    if (n.isc() || !(nv >= kv) || nv != std::floor(nv) || std::isinf(nv))
      grl_fail("nchoosek: N must be a non-negative integer >= K");
    return Mt(binomial(nv, kv));
  }
  if (n.isempty() || (n.rows() != 1 && n.cols() != 1))
    grl_fail("nchoosek: first argument must be a scalar or a vector");
  if (kv > 4294967295.0) return Mt::zeros(0, 0);
  return combinations(n, std::size_t(kv));
}

Mt primes(const Mt& n) {
  if (n.numel() != 1 || n.isc()) grl_fail("primes: N must be a real scalar");
  const double v = double(n.cre()[0]);
  if (!std::isfinite(v)) grl_fail("primes: N must be finite (not +Inf or NaN)");
  if (v < 2) return Mt::zeros(1, 0);
  if (v > 4294967295.0) grl::fail_too_large();
  const std::size_t top = std::size_t(v);
  std::vector<bool> composite(top + 1, false);
  std::vector<m_type> found;
  for (std::size_t p = 2; p <= top; ++p) {
    if (composite[p]) continue;
    found.push_back(m_type(p));
    for (std::size_t q = p * p; q <= top; q += p) composite[q] = true;
  }
  Mt o = Mt::alloc(1, found.size());
  m_type* po = o.pr();
  for (std::size_t t = 0; t < found.size(); ++t) po[t] = found[t];
  return o;
}

// isprime takes non-negative integers, as MATLAB does (Octave also takes negative and
// complex Gaussian integers).
Mt isprime(const Mt& x) {
  if (x.isc()) grl_fail("isprime: X must be real");
  const m_type* p = x.cre();
  const std::size_t cnt = x.numel();
  for (std::size_t k = 0; k < cnt; ++k)
    if (p[k] != std::floor(p[k]) || std::isinf(p[k])) grl_fail("isprime: X contains non-integer entries");
  for (std::size_t k = 0; k < cnt; ++k)
    if (p[k] < 0) grl_fail("isprime: X must contain non-negative integers");
  Mt o = mth::map_real(x, [](m_type v) {
    return m_type(v < 18446744073709551616.0 && is_prime(std::uint64_t(v)) ? 1 : 0);
  });
  return mth::logical(o);
}

Mt factorial(const Mc&) { grl_fail("factorial: all N must be real non-negative integers"); }
Mt isprime(const Mc&) { grl_fail("fix: not defined for cell"); }
Mt primes(const Mc&) { grl_fail("primes: N must be a real scalar"); }
