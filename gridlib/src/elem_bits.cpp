// Bit-wise operations on non-negative integers held in floating point: bitand, bitor,
// bitxor and bitshift, element by element with scalar and implicit expansion. Values
// keep the 53 bits a double holds exactly; bitshift drops the bits shifted beyond them.
#include <cmath>
#include <cstdint>

#include "elem_util.h"
#include "int64_util.h"

using namespace grl;

namespace {

constexpr double kFlintMax = 9007199254740992.0;   // 2^53
constexpr std::uint64_t kMask = (std::uint64_t(1) << 53) - 1;

// Octave takes negative and fractional values as they convert; MATLAB refuses them,
// and so do we, as a fraction silently dropped is a wrong result.
void bit_args(const Mt& x, const char* fn) {
  elem::need_real(x, fn);
  const m_type* p = x.cre();
  for (std::size_t k = 0; k < x.numel(); ++k)
    if (!(p[k] >= 0 && p[k] < kFlintMax && p[k] == std::floor(p[k])))
      grl_fail("%s: inputs must be non-negative integers below 2^53", fn);
}

// The integer classes work on the bits of their own width, signed classes in two's
// complement (bitand(int8(-1), 3) is 3, bitshift(int8(127), 1) is -2).
struct int_bits {
  std::uint64_t mask;
  bool is_signed;
  explicit int_bits(mclass c) {
    const int width = int(class_bytes(c)) * 8;
    mask = width == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << width) - 1;
    is_signed = class_min(c) < 0;
  }
  std::uint64_t of(double v) const {
    return (is_signed ? std::uint64_t(std::int64_t(v)) : std::uint64_t(v)) & mask;
  }
  double value(std::uint64_t u) const {
    u &= mask;
    if (is_signed && (u & ~(mask >> 1))) return double(std::int64_t(u | ~mask));
    return double(u);
  }
};

template <class F> Mt bitwise(const Mt& a, const Mt& b, const char* fn, F f) {
  const mclass c = (a.cls_ | b.cls_) ? arith_class(a, b, fn) : mc_double;
  if (w64::wide(c)) {
    elem::need_real(a, fn);
    elem::need_real(b, fn);
    return w64::zip(a, b, c, fn, [&](w64::ld x, w64::ld y) { return f(w64::bits(x, c), w64::bits(y, c)); });
  }
  if (is_int_class(c)) {
    elem::need_real(a, fn);
    elem::need_real(b, fn);
    const int_bits ib(c);
    Mt o = mth::zip_real(a, b, fn, [&](m_type x, m_type y) {
      return m_type(ib.value(f(ib.of(class_value(double(x), c)), ib.of(class_value(double(y), c)))));
    });
    apply_class(o, c);
    return o;
  }
  bit_args(a, fn);
  bit_args(b, fn);
  return mth::zip_real(a, b, fn, [&](m_type x, m_type y) {
    return m_type(double(f(std::uint64_t(x), std::uint64_t(y))));
  });
}

}  // namespace

Mt bitand_M(const Mt& a, const Mt& b) {
  return bitwise(a, b, "bitand", [](std::uint64_t x, std::uint64_t y) { return x & y; });
}
Mt bitor_M(const Mt& a, const Mt& b) {
  return bitwise(a, b, "bitor", [](std::uint64_t x, std::uint64_t y) { return x | y; });
}
Mt bitxor(const Mt& a, const Mt& b) {
  return bitwise(a, b, "bitxor", [](std::uint64_t x, std::uint64_t y) { return x ^ y; });
}

// bitshift(a, k): a * 2^k for k > 0, a / 2^k rounded down for k < 0.
Mt bitshift(const Mt& a, const Mt& k) {
  if (is_int_class(a.num_class())) {
    elem::need_real(k, "bitshift");
    if (!elem::all_integers(k)) grl_fail("bitshift: N must be an integer");
    const mclass c = a.num_class();
    if (w64::wide(c)) {
      return w64::zip(a, k, c, "bitshift", [c](w64::ld x, w64::ld n) -> std::uint64_t {
        const std::uint64_t u = w64::bits(x, c);
        if (n >= 64 || n <= -64) return 0;
        const int s = int(n);
        if (s >= 0) return u << s;
        // A right shift of a negative int64 keeps its sign bits, as Octave's does.
        return c == mc_int64 ? std::uint64_t(std::int64_t(u) >> -s) : u >> -s;
      });
    }
    const int_bits ib(c);
    Mt o = mth::zip_real(a, k, "bitshift", [&](m_type x, m_type n) {
      const std::uint64_t u = ib.of(double(x));
      if (n >= 64 || n <= -64) return m_type(0);
      const int s = int(n);
      // A right shift keeps the sign of a negative value (bitshift(int8(-8), -1) is -4).
      if (s < 0 && ib.is_signed) return m_type(double(std::int64_t(x) >> -s));
      return m_type(ib.value(s >= 0 ? u << s : u >> -s));
    });
    apply_class(o, c);
    return o;
  }
  bit_args(a, "bitshift");
  elem::need_real(k, "bitshift");
  if (!elem::all_integers(k)) grl_fail("bitshift: N must be an integer");
  return mth::zip_real(a, k, "bitshift", [](m_type x, m_type n) {
    const std::uint64_t u = std::uint64_t(x);
    if (n >= 53 || n <= -53) return m_type(0);
    const int s = int(n);
    return m_type(double(s >= 0 ? (u << s) & kMask : u >> -s));
  });
}

// bitcmp(a): the complement of a's bits, in its class's width (53 bits for a double).
Mt bitcmp(const Mt& a) {
  if (is_int_class(a.num_class())) {
    const mclass c = a.num_class();
    if (w64::wide(c)) {
      Mt o = Mt::alloc(a.rows(), a.cols());
      o.same_shape(a);
      std::vector<std::uint64_t> w = w64::all_bits(a, c);
      for (std::uint64_t& u : w) u = ~u;
      w64::store(o, c, std::move(w));
      return o;
    }
    const int_bits ib(c);
    Mt o = mth::map_real(a, [&](m_type x) { return m_type(ib.value(~ib.of(double(x)))); });
    apply_class(o, c);
    return o;
  }
  bit_args(a, "bitcmp");
  const bool sgl = a.num_class() == mc_single;
  const std::uint64_t mask = sgl ? (std::uint64_t(1) << 24) - 1 : kMask;
  Mt o = mth::map_real(a, [mask](m_type x) { return m_type(double(mask ^ std::uint64_t(x))); });
  if (sgl) apply_class(o, mc_single);
  return o;
}

// bitget and bitset: bit n (from 1) of each element, n within the class's width: 53
// for double, 24 for single, the width of an integer class (one less for bitset of a
// signed class, whose top bit is its sign).
namespace {

int bit_width(const Mt& a, bool for_set) {
  const mclass c = a.num_class();
  if (c == mc_single) return 24;
  if (!is_int_class(c)) return 53;
  const int width = int(class_bytes(c)) * 8;
  return for_set && class_min(c) < 0 ? width - 1 : width;
}

// The mask 2^(n-1) of each n, in a's class.
Mt bit_masks(const Mt& a, const Mt& n, const char* fn, bool for_set) {
  elem::need_real(n, fn);
  const int w = bit_width(a, for_set);
  for (std::size_t k = 0; k < n.numel(); ++k) {
    const m_type v = n.cre()[k];
    if (!(v >= 1 && v <= w && v == std::floor(v))) grl_fail("%s: N must be in the range [1,%d]", fn, w);
  }
  if (!is_int_class(a.num_class())) {
    bit_args(a, fn);
    return mth::map_real(n, [](m_type v) { return m_type(std::ldexp(1.0, int(v) - 1)); });
  }
  Mt one(m_type(1));
  apply_class(one, a.num_class());
  Mt shift = mth::map_real(n, [](m_type v) { return v - 1; });
  return bitshift(one, shift);
}

}  // namespace

// bitget gives logical values, as Octave does (MATLAB keeps a's class).
Mt bitget(const Mt& a, const Mt& n) {
  const Mt hits = bitand_M(a, bit_masks(a, n, "bitget", false));
  Mt o = Mt::alloc(hits.rows(), hits.cols());
  o.same_shape(hits);
  for (std::size_t k = 0; k < hits.numel(); ++k) o.pr()[k] = hits.cre()[k] != 0 ? 1 : 0;
  o.set_flags(F_LOGICAL);
  return o;
}

Mt bitset(const Mt& a, const Mt& n) { return bitset(a, n, Mt(m_type(1))); }

Mt bitset(const Mt& a, const Mt& n, const Mt& v) {
  elem::need_real(v, "bitset");
  const Mt mask = bit_masks(a, n, "bitset", true);
  bool any_set = false, any_clear = false;
  for (std::size_t k = 0; k < v.numel(); ++k) (v.cre()[k] != 0 ? any_set : any_clear) = true;
  if (!any_clear) return bitor_M(a, mask);
  const Mt cleared = bitand_M(a, bitcmp(mask));
  if (!any_set) return cleared;
  // Some bits set and some cleared: element by element, v expanded to the result.
  const Mt set = bitor_M(a, mask);
  if (w64::wide(set.num_class())) grl_fail("bitset: V must be one value for 64-bit integers");
  if (v.numel() != 1 && v.numel() != set.numel()) grl_fail("bitset: V must be a scalar or match the size of A");
  Mt o = cleared;
  m_type* p = o.pr();
  for (std::size_t k = 0; k < o.numel(); ++k)
    if (v.cre()[v.numel() == 1 ? 0 : k] != 0) p[k] = set.cre()[k];
  return o;
}
