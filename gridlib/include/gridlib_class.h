// MATLAB's classes at run time: the class of a value, the conversions between the
// numeric classes (int8 ... uint64, single, double), the class rules of arithmetic, the
// class predicates and the limits of each class. The value model itself is described
// at the top of gridlib_matrix.h.
#ifndef GRIDLIB_CLASS_H
#define GRIDLIB_CLASS_H

#include <cmath>
#include <string>

namespace grl {

// The class of a value, one of mclass (never mc_none).
mclass class_of(const M<m_type>& x);
inline mclass class_of(const M<M<m_type>>&) { return mc_cell; }
// "double", "int8", "cell", ...
const char* class_name(mclass c);
// The class a name names; mc_none for a name that is no class.
mclass class_named(const std::string& name);
// Bytes of one element of a numeric class as MATLAB counts them (whos, sizeof).
std::size_t class_bytes(mclass c);
// The range of an integer class.
double class_min(mclass c);
double class_max(mclass c);

// One number as a value of the numeric class c: for an integer class rounded half away
// from zero and limited to the class's range, NaN giving 0; for single rounded to float.
inline double class_value(double v, mclass c) {
  if (c == mc_double) return v;
  if (c == mc_single) return double(float(v));
  if (v != v) return 0;
  v = std::round(v);
  const double lo = class_min(c), hi = class_max(c);
  return v < lo ? lo : v > hi ? hi : v;
}
// Converts the elements of x in place to the numeric class c and gives x that class.
void apply_class(M<m_type>& x, mclass c);
// x converted to the numeric class c, as the function named fn (int8, single, ...)
// converts: a cell or a complex value into an integer class fails with Octave's message.
M<m_type> to_class(const M<m_type>& x, mclass c);
// out takes the numeric class of x (a result whose elements x's class already holds).
inline void keep_class(M<m_type>& out, const M<m_type>& x) {
  if (x.cls_ && !out.flags_ && !out.holds_cell()) out.cls_ = x.cls_;
}
// The class of a op b for the arithmetic operators: an integer class wins, then single,
// then double. Two different integer classes, or an integer class with a complex value,
// fail with Octave's message naming op.
mclass arith_class(const M<m_type>& a, const M<m_type>& b, const char* op);
// How Octave names an operand in an operator's message: "int8 scalar", "matrix", ...
std::string operand_name(const M<m_type>& x);
// The class an assignment x(i) = v leaves x with: an empty x takes v's class; otherwise
// x keeps its class, except that a double x takes an integer class or single from v.
// Logical and char values follow the older rules of the indexing code.
mclass assign_class(const M<m_type>& x, const M<m_type>& v, bool was_empty);
// The class of a concatenation [a, b, ...] of numeric, logical and char pieces: char
// wins, then an integer class (the first one), then single, then logical when all are.
// Returns mc_none when no piece has an integer class or single (the older rules apply).
mclass concat_class(const M<m_type>* pieces, std::size_t n);
// A class name argument of zeros, ones, eye, cast, intmax, ...: mc_none when x is no text.
mclass class_arg(const M<m_type>& x);

}  // namespace grl

// --- conversion functions ----------------------------------------------------------
#define GRL_CLASS_FN(F)                    \
  M<m_type> F(const M<m_type>& x);         \
  M<m_type> F(const M<M<m_type>>& x);
GRL_CLASS_FN(int8) GRL_CLASS_FN(uint8) GRL_CLASS_FN(int16) GRL_CLASS_FN(uint16)
GRL_CLASS_FN(int32) GRL_CLASS_FN(uint32_M) GRL_CLASS_FN(int64) GRL_CLASS_FN(uint64)
GRL_CLASS_FN(single)
// Predicates on the class.
GRL_CLASS_FN(isinteger) GRL_CLASS_FN(isfloat)
#undef GRL_CLASS_FN
// cast(x, 'class')
M<m_type> cast(const M<m_type>& x, const M<m_type>& cls);
M<m_type> cast(const M<M<m_type>>& x, const M<m_type>& cls);
// The limits of the integer classes (int32 without an argument) and of whole numbers
// held exactly in a floating class.
M<m_type> intmax();
M<m_type> intmax(const M<m_type>& cls);
M<m_type> intmin();
M<m_type> intmin(const M<m_type>& cls);
M<m_type> flintmax();
M<m_type> flintmax(const M<m_type>& cls);
// idivide(a, b, op): integer division rounded as op says ('fix' unless given).
M<m_type> idivide(const M<m_type>& a, const M<m_type>& b);
M<m_type> idivide(const M<m_type>& a, const M<m_type>& b, const M<m_type>& op);

#endif
