// Exact int64 and uint64 elements (see the value model in gridlib_matrix.h): reading an
// element's exact value, converting a number to one of the two classes, and storing
// results so that the doubles and the exact 64 bits (x64_) agree.
//
// Exact values are carried as long double, whose 64-bit significand holds every int64
// and uint64 value and every double exactly; the sum, difference and product of two such
// values is exact whenever it is within the classes' range and saturates otherwise.
#ifndef GRIDLIB_INT64_UTIL_H
#define GRIDLIB_INT64_UTIL_H

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "gridlib.h"

namespace grl {
namespace w64 {

static_assert(std::numeric_limits<long double>::digits >= 64, "long double must hold 64-bit integers");
typedef long double ld;

inline bool wide(mclass c) { return c == mc_int64 || c == mc_uint64; }
// A numeric value of class int64 or uint64.
inline bool wide(const M<m_type>& x) { return !x.flags_ && wide(mclass(x.cls_)); }

// The value the 64 bits b stand for in class c.
inline ld value(std::uint64_t b, mclass c) {
  return c == mc_int64 ? ld(std::int64_t(b)) : ld(b);
}
// v rounded half away from zero and limited to the range of c (NaN is 0), as c's bits.
std::uint64_t bits(ld v, mclass c);
// Element k of x, exact: the 64-bit value of an int64/uint64 element, else the number.
ld at(const M<m_type>& x, std::size_t k);
// Whether x holds exact 64-bit elements that match its doubles.
inline bool has_exact(const M<m_type>& x) { return x.x64_ && x.x64_->size() == x.numel() && wide(x); }
// The decimal text of bits b in class c.
std::string text(std::uint64_t b, mclass c);
// The decimal text of element k of x as its class shows it (exact for int64/uint64).
std::string element_text(const M<m_type>& x, std::size_t k);
// Gives out (real, with as many elements as b) the class c and the elements b: the
// doubles nearest to them, and x64_ when one of them is beyond 2^53.
void store(M<m_type>& out, mclass c, std::vector<std::uint64_t>&& b);
// The bits of every element of x converted to c.
std::vector<std::uint64_t> all_bits(const M<m_type>& x, mclass c);

// The shape of an element-wise operation with scalar and implicit expansion over two
// dimensions (fails with Octave's message for fn); calls f(out_k, a_k, b_k).
void pair_shape(const M<m_type>& a, const M<m_type>& b, const char* fn, std::size_t& rr, std::size_t& rc);
template <class F>
void each_pair(const M<m_type>& a, const M<m_type>& b, std::size_t rr, std::size_t rc, F f) {
  const std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  const bool la = a.numel() == rr * rc, lb = b.numel() == rr * rc;
  for (std::size_t j = 0; j < rc; ++j)
    for (std::size_t i = 0; i < rr; ++i) {
      const std::size_t k = i + j * rr;
      const std::size_t ka = a.numel() == 1 ? 0 : la ? k : (ar == 1 ? 0 : i) + (ac == 1 ? 0 : j) * ar;
      const std::size_t kb = b.numel() == 1 ? 0 : lb ? k : (br == 1 ? 0 : i) + (bc == 1 ? 0 : j) * br;
      f(k, ka, kb);
    }
}
// The result of an element-wise operation in the 64-bit class c: f(x, y) gives the bits
// of one element from the exact operands.
template <class F> M<m_type> zip(const M<m_type>& a, const M<m_type>& b, mclass c, const char* fn, F f) {
  std::size_t rr, rc;
  pair_shape(a, b, fn, rr, rc);
  M<m_type> out = M<m_type>::alloc(rr, rc);
  if (a.numel() == rr * rc && a.ndims() > 2) out.same_shape(a);
  else if (b.numel() == rr * rc && b.ndims() > 2) out.same_shape(b);
  std::vector<std::uint64_t> w(rr * rc);
  each_pair(a, b, rr, rc, [&](std::size_t k, std::size_t ka, std::size_t kb) { w[k] = f(at(a, ka), at(b, kb)); });
  store(out, c, std::move(w));
  return out;
}

// The 64-bit arithmetic of the element-wise operators +, -, .*, ./, .\, .^ in class c
// and the comparisons (a logical result), exact; op is a grl::binop.
M<m_type> arith(int op, const M<m_type>& a, const M<m_type>& b, mclass c);
// -a, abs(a) in a's 64-bit class.
M<m_type> negate(const M<m_type>& a);
M<m_type> abs(const M<m_type>& a);
// x / y rounded as mode says (0 fix, 1 round half away, 2 floor, 3 ceil) in class c;
// y 0 gives the class's limit of x's sign (0 for 0).
std::uint64_t divide(ld x, ld y, int mode, mclass c);
// mod(x, y) and rem(x, y) of exact values in class c.
std::uint64_t mod(ld x, ld y, mclass c);
std::uint64_t rem(ld x, ld y, mclass c);

// Order-keeping work (sort, min, max) on exact elements: ranks(x) is a double value of
// x's shape holding the rank (1, 2, ...) of each element among x's distinct values, table
// those values' bits in order; unrank turns ranks picked from it back into elements.
M<m_type> ranks(const M<m_type>& x, std::vector<std::uint64_t>& table);
void unrank(M<m_type>& out, mclass c, const std::vector<std::uint64_t>& table);

// Keeping exact elements through indexing: the exact words of x picked as the double
// indexing picked positions. ids holds, for each element of a result, 1 + the position
// of the element it came from in the concatenation of the sources' elements (0 for an
// element the operation filled with zero).
void store_from_ids(M<m_type>& out, mclass c, const M<m_type>& ids, const std::vector<const M<m_type>*>& sources);
// A double value of x's shape whose elements are first, first + 1, ...
M<m_type> id_shadow(const M<m_type>& x, double first);

}  // namespace w64
}  // namespace grl

#endif
