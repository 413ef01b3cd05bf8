// The classes of values: names, limits, conversion between the numeric classes, the
// class rules of arithmetic, assignment and concatenation.
#include "gridlib.h"

#include <cmath>
#include <cstring>

#include "int64_util.h"
#include "math_util.h"

namespace grl {

namespace {
struct class_info {
  const char* name;
  std::size_t bytes;
  double lo, hi;   // range of an integer class
};
const class_info kClasses[] = {
    {"double", 8, 0, 0},
    {"single", 4, 0, 0},
    {"int8", 1, -128.0, 127.0},
    {"uint8", 1, 0, 255.0},
    {"int16", 2, -32768.0, 32767.0},
    {"uint16", 2, 0, 65535.0},
    {"int32", 4, -2147483648.0, 2147483647.0},
    {"uint32", 4, 0, 4294967295.0},
    // As doubles the 64-bit limits round to 2^63 and 2^64; the exact limits are in the
    // values' 64-bit elements (int64_util.h).
    {"int64", 8, -9223372036854775808.0, 9223372036854775807.0},
    {"uint64", 8, 0, 18446744073709551615.0},
    {"logical", 1, 0, 0},
    {"char", 1, 0, 0},
    {"cell", 0, 0, 0},
    {"function_handle", 0, 0, 0},
    {"struct", 0, 0, 0},
};
constexpr int kCount = int(sizeof kClasses / sizeof kClasses[0]);
}  // namespace

mclass class_of(const Mt& x) {
  if (x.holds_cell()) return mc_cell;
  if (x.holds_struct()) return mc_struct;
  if (x.flags_ & F_HANDLE) return mc_handle;
  if (x.ischar()) return mc_char;
  if (x.islogical()) return mc_logical;
  if (x.cls_ == mc_double && sizeof(m_type) == sizeof(float)) return mc_single;
  return mclass(x.cls_);
}

const char* class_name(mclass c) { return int(c) < kCount ? kClasses[c].name : "double"; }

mclass class_named(const std::string& name) {
  for (int k = 0; k < kCount; ++k)
    if (name == kClasses[k].name) return mclass(k);
  return mc_none;
}

std::size_t class_bytes(mclass c) { return int(c) < kCount ? kClasses[c].bytes : 0; }
double class_min(mclass c) { return kClasses[c].lo; }
double class_max(mclass c) { return kClasses[c].hi; }

void apply_class(Mt& x, mclass c) {
  if (w64::wide(c) && (c != x.num_class() || x.flags_ || !x.x64_)) {
    // Exact conversion: from the other 64-bit class bit for bit as values, from any
    // other value rounded and saturated (2^63 as a double is int64's 9223372036854775807).
    if (x.isc()) x.drop_imag();
    w64::store(x, c, w64::all_bits(x, c));
    return;
  }
  if (c != mc_double && (c != x.num_class() || x.flags_)) {
    const std::size_t n = x.numel();
    if (n) {
      m_type* p = x.pr();
      for (std::size_t k = 0; k < n; ++k) p[k] = m_type(class_value(double(p[k]), c));
      if (x.isc() && c == mc_single) {
        m_type* q = x.pi();
        for (std::size_t k = 0; k < n; ++k) q[k] = m_type(class_value(double(q[k]), c));
      }
    }
  }
  x.set_class(c);
}

namespace {
// "scalar", "matrix", "complex scalar", with the class in front for the classes Octave
// names (integers, single, logical, char).
const char* shape_word(const Mt& x) { return x.numel() == 1 ? "scalar" : "matrix"; }
}  // namespace

std::string operand_name(const Mt& x) {
  const mclass c = class_of(x);
  const std::string shape = shape_word(x);
  if (is_int_class(c)) return std::string(class_name(c)) + " " + shape;
  if (c == mc_single) return std::string(x.isc() ? "float complex " : "float ") + shape;
  if (c == mc_logical) return x.numel() == 1 ? "bool" : "bool matrix";
  if (c == mc_char) return x.numel() == 1 ? "char matrix" : "char matrix";
  if (c == mc_cell) return "cell";
  return x.isc() ? "complex " + shape : shape;
}

Mt to_class(const Mt& x, mclass c) {
  if (x.holds_cell()) grl_fail("invalid conversion from cell to %s", class_name(c));
  if (is_int_class(c) && x.isc())
    grl_fail("invalid conversion from complex %s to %s", shape_word(x), class_name(c));
  Mt o = x;
  o.unshare();
  apply_class(o, c);
  return o;
}

mclass arith_class(const Mt& a, const Mt& b, const char* op) {
  const mclass ca = mclass(a.cls_), cb = mclass(b.cls_);
  const bool ia = is_int_class(ca), ib = is_int_class(cb);
  if ((ia && ib && ca != cb) || (ia && b.isc()) || (ib && a.isc()))
    grl_fail("binary operator '%s' not implemented for '%s' by '%s' operations", op,
             operand_name(a).c_str(), operand_name(b).c_str());
  if (ia) return ca;
  if (ib) return cb;
  if (ca == mc_single || cb == mc_single) return mc_single;
  return mc_double;
}

mclass assign_class(const Mt& x, const Mt& v, bool was_empty) {
  if (was_empty) return mclass(v.cls_);
  if (x.flags_) return mc_double;
  if (x.cls_) return mclass(x.cls_);
  if (v.cls_ == mc_single) return mc_single;
  return mc_double;
}

// Text wins over every numeric class ([uint8(65) 'a'] is 'Aa'), then an integer
// class, then single.
mclass concat_class(const Mt* p, std::size_t n) {
  mclass found = mc_none;
  for (std::size_t k = 0; k < n; ++k)
    if (p[k].ischar()) return mc_none;
  for (std::size_t k = 0; k < n; ++k) {
    const mclass c = mclass(p[k].cls_);
    if (is_int_class(c)) return c;
    if (c == mc_single) found = mc_single;
  }
  return found;
}

mclass class_arg(const Mt& x) {
  if (!x.ischar()) return mc_none;
  return class_named(mth::text(x));
}

}  // namespace grl

using grl::Mt;
using grl::Mc;
using namespace grl;

namespace {
Mt convert_named(const Mt& x, mclass c) { return to_class(x, c); }
[[noreturn]] void cell_to(mclass c) {
  grl_fail("invalid conversion from cell to %s", class_name(c));
}
}  // namespace

#define GRL_CONVERT(F, C)                                  \
  Mt F(const Mt& x) { return convert_named(x, C); }        \
  Mt F(const Mc&) { cell_to(C); }
GRL_CONVERT(int8, mc_int8)
GRL_CONVERT(uint8, mc_uint8)
GRL_CONVERT(int16, mc_int16)
GRL_CONVERT(uint16, mc_uint16)
GRL_CONVERT(int32, mc_int32)
GRL_CONVERT(uint32_M, mc_uint32)
GRL_CONVERT(int64, mc_int64)
GRL_CONVERT(uint64, mc_uint64)
GRL_CONVERT(single, mc_single)
#undef GRL_CONVERT

Mt isinteger(const Mt& x) { return boolean(is_int_class(class_of(x))); }
Mt isinteger(const Mc&) { return boolean(false); }
Mt isfloat(const Mt& x) {
  const mclass c = class_of(x);
  return boolean(c == mc_double || c == mc_single);
}
Mt isfloat(const Mc&) { return boolean(false); }

Mt cast(const Mt& x, const Mt& cls) {
  if (!cls.ischar() || cls.rows() > 1) grl_fail("cast: TYPE must be a string");
  const std::string name = mth::text(cls);
  const mclass c = class_named(name);
  if (c == mc_logical) return logical_M(x);
  if (c == mc_char) return char_M(x);
  if (c > mc_uint64) grl_fail("cast: type conversion to '%s' is not supported", name.c_str());
  if (c == mc_double) return double_M(x);
  return to_class(x, c);
}
Mt cast(const Mc&, const Mt& cls) {
  const std::string name = mth::text(cls);
  if (class_named(name) == mc_cell) grl_fail("cast: type conversion from 'cell' is not supported");
  grl_fail("cast: type conversion from 'cell' is not supported");
}

namespace {
// The integer class an intmax/intmin argument names: a class name or a value of it.
mclass int_class_arg(const Mt& cls, const char* fn) {
  mclass c;
  std::string shown;
  if (cls.ischar()) {
    shown = mth::text(cls);
    c = class_named(shown);
  } else {
    c = class_of(cls);
    if (!is_int_class(c)) grl_fail("%s: argument must be a string or integer variable", fn);
  }
  if (!is_int_class(c)) grl_fail("%s: not defined for '%s' objects", fn, shown.c_str());
  return c;
}
Mt class_scalar(double v, mclass c) {
  Mt m{m_type(v)};
  apply_class(m, c);
  return m;
}
}  // namespace

Mt intmax() { return class_scalar(2147483647.0, mc_int32); }
Mt intmax(const Mt& cls) {
  const mclass c = int_class_arg(cls, "intmax");
  return class_scalar(class_max(c), c);
}
Mt intmin() { return class_scalar(-2147483648.0, mc_int32); }
Mt intmin(const Mt& cls) {
  const mclass c = int_class_arg(cls, "intmin");
  return class_scalar(class_min(c), c);
}
Mt flintmax() { return Mt(m_type(9007199254740992.0)); }
Mt flintmax(const Mt& cls) {
  const std::string name = cls.ischar() ? mth::text(cls) : class_name(class_of(cls));
  if (name == "double") return Mt(m_type(9007199254740992.0));
  if (name == "single") return class_scalar(16777216.0, mc_single);
  grl_fail("flintmax: not defined for class '%s'", name.c_str());
}

namespace {
// The quotient a/b as idivide rounds it.
double rounded_quotient(double a, double b, int mode) {
  const double q = a / b;
  if (q != q) return 0;
  switch (mode) {
    case 0: return std::trunc(q);
    case 1: return std::round(q);
    case 2: return std::floor(q);
    default: return std::ceil(q);
  }
}
}  // namespace

Mt idivide(const Mt& a, const Mt& b, const Mt& op) {
  if (!is_int_class(mclass(a.cls_)) && !is_int_class(mclass(b.cls_)))
    grl_fail("idivide: at least one input (X or Y) must be an integer type");
  const std::string how = op.ischar() ? mth::text(op) : std::string();
  int mode;
  if (how == "fix") mode = 0;
  else if (how == "round") mode = 1;
  else if (how == "floor") mode = 2;
  else if (how == "ceil") mode = 3;
  else grl_fail("idivide: unrecognized rounding type \"%s\"", how.c_str());
  const mclass c = arith_class(a, b, "idivide");
  if (w64::wide(c))
    return w64::zip(a, b, c, "idivide", [mode, c](w64::ld x, w64::ld y) { return w64::divide(x, y, mode, c); });
  Mt o = mth::zip_real(a, b, "idivide", [mode](m_type x, m_type y) {
    return m_type(rounded_quotient(double(x), double(y), mode));
  });
  apply_class(o, c);
  return o;
}
Mt idivide(const Mt& a, const Mt& b) { return idivide(a, b, TM("fix")); }
