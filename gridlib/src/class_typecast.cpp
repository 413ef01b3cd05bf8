// typecast and swapbytes: the bytes of numeric values as this machine stores them,
// read again as another numeric class or in the reverse order.
#include "gridlib.h"
#include "gridlib_extra.h"
#include "int64_util.h"
#include "strutil.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace grl;
namespace su = grl::su;

namespace {

// The bytes of element k of x (of numeric class c) as this machine stores it.
template <class T> void put(std::vector<unsigned char>& out, T v) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, &v, sizeof(T));
  out.insert(out.end(), b, b + sizeof(T));
}

std::vector<unsigned char> bytes_of(const Mt& x, mclass c) {
  std::vector<unsigned char> out;
  const std::size_t n = x.numel();
  out.reserve(n * class_bytes(c));
  if (w64::wide(c)) {
    for (std::uint64_t b : w64::all_bits(x, c)) put(out, b);
    return out;
  }
  for (std::size_t k = 0; k < n; ++k) {
    const double v = double(x.cre()[k]);
    switch (c) {
      case mc_double: put(out, v); break;
      case mc_single: put(out, float(v)); break;
      case mc_int8: put(out, std::int8_t(v)); break;
      case mc_uint8: put(out, std::uint8_t(v)); break;
      case mc_int16: put(out, std::int16_t(v)); break;
      case mc_uint16: put(out, std::uint16_t(v)); break;
      case mc_int32: put(out, std::int32_t(v)); break;
      default: put(out, std::uint32_t(v)); break;
    }
  }
  return out;
}

template <class T> T get(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof(T));
  return v;
}

// n elements of class c read from the bytes b, into a value r x col.
Mt from_bytes(const std::vector<unsigned char>& b, mclass c, std::size_t r, std::size_t col) {
  const std::size_t size = class_bytes(c), n = b.size() / size;
  Mt o = Mt::alloc(r, col);
  if (w64::wide(c)) {
    std::vector<std::uint64_t> bits(n);
    for (std::size_t k = 0; k < n; ++k) bits[k] = get<std::uint64_t>(&b[k * size]);
    w64::store(o, c, std::move(bits));
    return o;
  }
  for (std::size_t k = 0; k < n; ++k) {
    const unsigned char* p = &b[k * size];
    double v;
    switch (c) {
      case mc_double: v = get<double>(p); break;
      case mc_single: v = get<float>(p); break;
      case mc_int8: v = get<std::int8_t>(p); break;
      case mc_uint8: v = get<std::uint8_t>(p); break;
      case mc_int16: v = get<std::int16_t>(p); break;
      case mc_uint16: v = get<std::uint16_t>(p); break;
      case mc_int32: v = get<std::int32_t>(p); break;
      default: v = get<std::uint32_t>(p); break;
    }
    o.pr()[k] = m_type(v);
  }
  if (c != mc_double) o.set_class(c);
  return o;
}

bool numeric_class(mclass c) { return c <= mc_uint64; }

}  // namespace

Mt typecast(const Mt& x, const Mt& cls) {
  const mclass from = class_of(x);
  if (!numeric_class(from) || x.isc())
    grl_fail("typecast: X must be a real numeric value (not logical, char, cell or structure)");
  if (x.ndims() > 2 || (x.rows() != 1 && x.cols() != 1 && x.numel() > 0))
    grl_fail("typecast: X must be a scalar or a vector");
  if (!cls.ischar() || (cls.rows() != 1 && cls.numel() > 0)) grl_fail("typecast: TYPE must be a string");
  const std::string name = su::text(cls);
  const mclass to = class_named(name);
  if (!numeric_class(to)) grl_fail("typecast: cannot convert to %s class", name.c_str());
  const std::vector<unsigned char> b = bytes_of(x, from);
  const std::size_t size = class_bytes(to);
  if (b.size() % size != 0) grl_fail("typecast: incorrect number of input values to make output value");
  const std::size_t n = b.size() / size;
  // A column stays a column; a row, a scalar or an empty value gives a row.
  const bool column = x.cols() == 1 && x.rows() != 1;
  return from_bytes(b, to, column ? n : (n ? 1 : x.rows()), column ? 1 : n);
}

Mt swapbytes(const Mt& x) {
  const mclass c = class_of(x);
  if (!numeric_class(c) || x.isc()) grl_fail("swapbytes: X must be a real numeric value");
  std::vector<unsigned char> b = bytes_of(x, c);
  const std::size_t size = class_bytes(c);
  for (std::size_t k = 0; k + size <= b.size(); k += size) std::reverse(b.begin() + long(k), b.begin() + long(k + size));
  Mt o = from_bytes(b, c, x.rows(), x.cols());
  o.same_shape(x);
  return o;
}
