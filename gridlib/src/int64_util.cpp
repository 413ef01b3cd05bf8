// Exact int64 and uint64 elements: conversion, storage and the arithmetic of the two
// classes (see int64_util.h).
#include "int64_util.h"
#include "math_util.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace grl {
namespace w64 {

namespace {
constexpr ld two53 = 9007199254740992.0L;
constexpr ld two63 = 9223372036854775808.0L;
constexpr ld two64 = 18446744073709551616.0L;
typedef __int128 i128;

std::uint64_t max_bits(mclass c) { return c == mc_int64 ? std::uint64_t(INT64_MAX) : UINT64_MAX; }
std::uint64_t min_bits(mclass c) { return c == mc_int64 ? std::uint64_t(INT64_MIN) : 0; }

// Whether v is a whole number that an i128 holds with room for a product's sign.
bool whole(ld v) { return v == std::floor(v) && std::fabs(v) < two64; }
}  // namespace

std::uint64_t bits(ld v, mclass c) {
  if (v != v) return 0;
  v = std::round(v);
  if (c == mc_int64) {
    if (v >= two63) return max_bits(c);
    if (v < -two63) return min_bits(c);
    return std::uint64_t(std::int64_t(v));
  }
  if (v <= 0) return 0;
  if (v >= two64) return max_bits(c);
  return std::uint64_t(v);
}

ld at(const M<m_type>& x, std::size_t k) {
  const double d = double(x.cre()[k]);
  if (has_exact(x)) {
    const ld v = value((*x.x64_)[k], mclass(x.cls_));
    if (double(v) == d) return v;
  }
  return d;
}

std::string text(std::uint64_t b, mclass c) {
  if (c == mc_int64) return std::to_string(std::int64_t(b));
  return std::to_string(b);
}

std::string element_text(const M<m_type>& x, std::size_t k) {
  const mclass c = mclass(x.cls_);
  if (wide(x)) return text(bits(at(x, k), c), c);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.0f", double(x.cre()[k]));
  return buf;
}

void store(M<m_type>& out, mclass c, std::vector<std::uint64_t>&& b) {
  const std::size_t n = b.size();
  m_type* p = n ? out.pr() : nullptr;
  bool big = false;
  for (std::size_t k = 0; k < n; ++k) {
    const ld v = value(b[k], c);
    p[k] = m_type(double(v));
    big |= std::fabs(v) > two53;
  }
  out.set_class(c);
  out.x64_.reset();
  if (big) out.x64_ = std::make_shared<const words64>(std::move(b));
}

std::vector<std::uint64_t> all_bits(const M<m_type>& x, mclass c) {
  std::vector<std::uint64_t> b(x.numel());
  for (std::size_t k = 0; k < b.size(); ++k) b[k] = bits(at(x, k), c);
  return b;
}

void pair_shape(const M<m_type>& a, const M<m_type>& b, const char* fn, std::size_t& rr, std::size_t& rc) {
  const std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  if (a.numel() == 1) { rr = br; rc = bc; return; }
  if (b.numel() == 1 || a.shape() == b.shape()) { rr = ar; rc = ac; return; }
  if (a.ndims() > 2 || b.ndims() > 2 || (ar != br && ar != 1 && br != 1) || (ac != bc && ac != 1 && bc != 1)) {
    const std::string x = dims_text(a.shape()), y = dims_text(b.shape());
    grl_fail("%s: nonconformant arguments (op1 is %s, op2 is %s)", fn, x.c_str(), y.c_str());
  }
  rr = ar == 1 ? br : ar;
  rc = ac == 1 ? bc : ac;
}

std::uint64_t divide(ld x, ld y, int mode, mclass c) {
  if (x != x || y != y) return 0;
  if (y == 0) return x > 0 ? max_bits(c) : x < 0 ? min_bits(c) : 0;
  if (whole(x) && whole(y)) {
    const i128 a = i128(x), d = i128(y);
    i128 q = a / d;
    const i128 r = a % d;
    if (r != 0) {
      const bool neg = (a < 0) != (d < 0);
      const i128 r2 = r < 0 ? -2 * r : 2 * r, ad = d < 0 ? -d : d;
      switch (mode) {
        case 1: if (r2 >= ad) q += neg ? -1 : 1; break;
        case 2: if (neg) q -= 1; break;
        case 3: if (!neg) q += 1; break;
        default: break;
      }
    }
    return bits(ld(q), c);
  }
  const ld q = x / y;
  switch (mode) {
    case 0: return bits(std::trunc(q), c);
    case 2: return bits(std::floor(q), c);
    case 3: return bits(std::ceil(q), c);
    default: return bits(q, c);
  }
}

std::uint64_t mod(ld x, ld y, mclass c) {
  if (y == 0) return bits(x, c);
  if (whole(x) && whole(y)) {
    const i128 a = i128(x), d = i128(y);
    i128 r = a % d;
    if (r != 0 && ((r < 0) != (d < 0))) r += d;
    return bits(ld(r), c);
  }
  ld r = std::fmod(x, y);
  if (r != 0 && ((r < 0) != (y < 0))) r += y;
  return bits(r, c);
}

std::uint64_t rem(ld x, ld y, mclass c) {
  if (y == 0) return bits(x, c);
  if (whole(x) && whole(y)) return bits(ld(i128(x) % i128(y)), c);
  return bits(std::fmod(x, y), c);
}

namespace {
// x^y with a whole y >= 0 by repeated squaring: exact while within the classes' range;
// a magnitude beyond it stays beyond it and saturates.
ld whole_power(ld x, ld y) {
  ld r = 1, b = x;
  for (std::uint64_t n = std::uint64_t(y); n; n >>= 1) {
    if (n & 1) r *= b;
    if (n > 1) b = std::fabs(b) > two64 ? (b < 0 ? -two64 * 2 : two64 * 2) : b * b;
    if (std::fabs(r) > two64) r = r < 0 ? -two64 * 2 : two64 * 2;
  }
  return r;
}

ld op_value(int op, ld x, ld y) {
  switch (op) {
    case op_add: return x + y;
    case op_sub: return x - y;
    case op_mul: return x * y;
    case op_pow: return y >= 0 && y == std::floor(y) && y < two64 ? whole_power(x, y) : std::pow(x, y);
    default: return 0;
  }
}
}  // namespace

M<m_type> arith(int op, const M<m_type>& a, const M<m_type>& b, mclass c) {
  static const char* const names[] = {"operator +", "operator -", "product", "quotient", "quotient",
                                      "operator .^", "", "", "", "", "", "", "", ""};
  if (op >= op_lt) {
    std::size_t rr, rc;
    pair_shape(a, b, "nonconformant arguments", rr, rc);
    M<m_type> out = M<m_type>::alloc(rr, rc);
    m_type* p = out.pr();
    each_pair(a, b, rr, rc, [&](std::size_t k, std::size_t ka, std::size_t kb) {
      const ld x = at(a, ka), y = at(b, kb);
      bool r = false;
      switch (op) {
        case op_lt: r = x < y; break;
        case op_le: r = x <= y; break;
        case op_gt: r = x > y; break;
        case op_ge: r = x >= y; break;
        case op_eq: r = x == y; break;
        case op_ne: r = x != y; break;
        case op_and: r = x != 0 && y != 0; break;
        default: r = x != 0 || y != 0; break;
      }
      p[k] = m_type(r);
    });
    if (a.numel() == rr * rc && a.ndims() > 2) out.same_shape(a);
    else if (b.numel() == rr * rc && b.ndims() > 2) out.same_shape(b);
    out.set_flags(F_LOGICAL);
    return out;
  }
  return zip(a, b, c, names[op], [op, c](ld x, ld y) -> std::uint64_t {
    if (op == op_div) return divide(x, y, 1, c);
    if (op == op_ldiv) return divide(y, x, 1, c);
    return bits(op_value(op, x, y), c);
  });
}

M<m_type> negate(const M<m_type>& a) {
  const mclass c = mclass(a.cls_);
  M<m_type> out = M<m_type>::alloc(a.rows(), a.cols());
  out.same_shape(a);
  std::vector<std::uint64_t> w(a.numel());
  for (std::size_t k = 0; k < w.size(); ++k) w[k] = bits(-at(a, k), c);
  store(out, c, std::move(w));
  return out;
}

M<m_type> abs(const M<m_type>& a) {
  const mclass c = mclass(a.cls_);
  M<m_type> out = M<m_type>::alloc(a.rows(), a.cols());
  out.same_shape(a);
  std::vector<std::uint64_t> w(a.numel());
  for (std::size_t k = 0; k < w.size(); ++k) w[k] = bits(std::fabs(at(a, k)), c);
  store(out, c, std::move(w));
  return out;
}

M<m_type> ranks(const M<m_type>& x, std::vector<std::uint64_t>& table) {
  const mclass c = mclass(x.cls_);
  const std::size_t n = x.numel();
  std::vector<std::pair<ld, std::size_t>> v(n);
  for (std::size_t k = 0; k < n; ++k) v[k] = {at(x, k), k};
  std::sort(v.begin(), v.end());
  M<m_type> r = M<m_type>::alloc(x.rows(), x.cols());
  r.same_shape(x);
  m_type* p = n ? r.pr() : nullptr;
  table.clear();
  for (std::size_t k = 0; k < n; ++k) {
    if (k == 0 || v[k].first != v[k - 1].first) table.push_back(bits(v[k].first, c));
    p[v[k].second] = m_type(double(table.size()));
  }
  return r;
}

void unrank(M<m_type>& out, mclass c, const std::vector<std::uint64_t>& table) {
  std::vector<std::uint64_t> w(out.numel());
  for (std::size_t k = 0; k < w.size(); ++k) {
    const std::size_t r = std::size_t(double(out.cre()[k]));
    w[k] = r >= 1 && r <= table.size() ? table[r - 1] : 0;
  }
  store(out, c, std::move(w));
}

void store_from_ids(M<m_type>& out, mclass c, const M<m_type>& ids, const std::vector<const M<m_type>*>& sources) {
  std::vector<std::size_t> start(sources.size() + 1, 0);
  for (std::size_t s = 0; s < sources.size(); ++s) start[s + 1] = start[s] + sources[s]->numel();
  std::vector<std::uint64_t> w(out.numel(), 0);
  const m_type* id = ids.cre();
  for (std::size_t k = 0; k < w.size() && k < ids.numel(); ++k) {
    const std::size_t pos = std::size_t(id[k]);
    if (pos == 0 || pos > start.back()) { w[k] = bits(double(out.cre()[k]), c); continue; }
    std::size_t s = 0;
    while (start[s + 1] < pos) ++s;
    w[k] = bits(at(*sources[s], pos - 1 - start[s]), c);
  }
  const std::uint32_t rows = out.rows_, cols = out.cols_;
  (void)rows; (void)cols;
  store(out, c, std::move(w));
}

M<m_type> id_shadow(const M<m_type>& x, double first) {
  M<m_type> s = M<m_type>::alloc(x.rows(), x.cols());
  s.same_shape(x);
  m_type* p = s.numel() ? s.pr() : nullptr;
  for (std::size_t k = 0; k < s.numel(); ++k) p[k] = m_type(first + double(k));
  return s;
}

}  // namespace w64
}  // namespace grl
