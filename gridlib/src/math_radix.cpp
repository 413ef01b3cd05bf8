// Least-significant-digit radix sort of numbers through order-preserving unsigned keys.
#include "math_radix.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace grl {
namespace mth {

namespace {

constexpr int DIGIT_BITS = 11;
constexpr std::size_t BUCKETS = std::size_t(1) << DIGIT_BITS;
constexpr int DIGITS = (64 + DIGIT_BITS - 1) / DIGIT_BITS;

// The key of a number: unsigned order equals numeric order, NaN above everything.
inline std::uint64_t key_of(double v) {
  if (v != v) return ~std::uint64_t(0);
  if (v == 0) v = 0.0;  // -0 sorts as +0
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return (b >> 63) ? ~b : (b | (std::uint64_t(1) << 63));
}

inline std::uint64_t key_of(float v) {
  if (v != v) return ~std::uint64_t(0);
  if (v == 0) v = 0.0f;
  std::uint32_t b;
  std::memcpy(&b, &v, sizeof b);
  const std::uint32_t k = (b >> 31) ? ~b : (b | (std::uint32_t(1) << 31));
  // Widened so that NaN (all ones) stays above every number.
  return std::uint64_t(k) << 32;
}

// The number of a key: the inverse of key_of.
inline void value_of(std::uint64_t k, double& v) {
  if (k == ~std::uint64_t(0)) { v = std::numeric_limits<double>::quiet_NaN(); return; }
  const std::uint64_t b = (k >> 63) ? (k & ~(std::uint64_t(1) << 63)) : ~k;
  std::memcpy(&v, &b, sizeof v);
}

inline void value_of(std::uint64_t k, float& v) {
  if (k == ~std::uint64_t(0)) { v = std::numeric_limits<float>::quiet_NaN(); return; }
  const std::uint32_t h = std::uint32_t(k >> 32);
  const std::uint32_t b = (h >> 31) ? (h & ~(std::uint32_t(1) << 31)) : ~h;
  std::memcpy(&v, &b, sizeof v);
}

inline bool negative_zero(m_type v) { return v == 0 && std::signbit(v); }

using counts_t = std::vector<std::array<std::uint32_t, BUCKETS>>;

// One pass per digit that the keys do not all share, carrying the positions along
// when there are any.
void passes(std::vector<std::uint64_t>& key, std::vector<std::uint32_t>* order, counts_t& count) {
  const std::size_t n = key.size();
  std::vector<std::uint64_t> key2(n);
  std::vector<std::uint32_t> idx2(order ? n : 0);
  for (int d = 0; d < DIGITS; ++d) {
    auto& c = count[d];
    const int shift = d * DIGIT_BITS;
    if (c[(key[0] >> shift) & (BUCKETS - 1)] == n) continue;
    std::uint32_t sum = 0;
    for (auto& v : c) { const std::uint32_t here = v; v = sum; sum += here; }
    for (std::size_t t = 0; t < n; ++t) {
      const std::uint32_t at = c[(key[t] >> shift) & (BUCKETS - 1)]++;
      key2[at] = key[t];
      if (order) idx2[at] = (*order)[t];
    }
    key.swap(key2);
    if (order) order->swap(idx2);
  }
}

// The keys of the group (complemented for descending) and the digit counts of all
// passes, in one reading of the data.
void keys_of(const m_type* a, std::size_t n, std::size_t stride, bool desc,
             std::vector<std::uint64_t>& key, counts_t& count) {
  key.resize(n);
  count.assign(DIGITS, {});
  for (std::size_t t = 0; t < n; ++t) {
    std::uint64_t k = key_of(a[t * stride]);
    if (desc) k = ~k;
    key[t] = k;
    for (int d = 0; d < DIGITS; ++d) ++count[d][(k >> (d * DIGIT_BITS)) & (BUCKETS - 1)];
  }
}

}  // namespace

bool radix_values(const m_type* a, std::size_t n, std::size_t stride, bool desc, m_type* out,
                  std::size_t out_stride) {
  for (std::size_t t = 0; t < n; ++t)
    if (negative_zero(a[t * stride])) return false;
  std::vector<std::uint64_t> key;
  counts_t count;
  keys_of(a, n, stride, desc, key, count);
  passes(key, nullptr, count);
  for (std::size_t t = 0; t < n; ++t) value_of(desc ? ~key[t] : key[t], out[t * out_stride]);
  return true;
}

void radix_order(const m_type* a, std::size_t n, std::size_t stride, bool desc,
                 std::vector<std::uint32_t>& order) {
  // Descending is ascending on the complemented keys; NaN, the largest key, becomes
  // the smallest and so comes first, as it should.
  std::vector<std::uint64_t> key;
  counts_t count;
  keys_of(a, n, stride, desc, key, count);
  order.resize(n);
  for (std::size_t t = 0; t < n; ++t) order[t] = std::uint32_t(t);
  passes(key, &order, count);
}

}  // namespace mth
}  // namespace grl
