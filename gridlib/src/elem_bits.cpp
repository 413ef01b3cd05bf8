// Bit-wise operations on non-negative integers held in floating point: bitand, bitor,
// bitxor and bitshift, element by element with scalar and implicit expansion. Values
// keep the 53 bits a double holds exactly; bitshift drops the bits shifted beyond them.
#include <cstdint>

#include "elem_util.h"

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

template <class F> Mt bitwise(const Mt& a, const Mt& b, const char* fn, F f) {
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
