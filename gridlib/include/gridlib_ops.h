// The operators of M programs over matrices: element-wise arithmetic and comparison
// with scalar and implicit expansion, the matrix product and division, transposes,
// and the logical operators. A 1 x 1 real operand pair takes an inline path, so that
// scalar loops do no more than the arithmetic itself.
#ifndef GRIDLIB_OPS_H
#define GRIDLIB_OPS_H

namespace grl {
enum binop { op_add, op_sub, op_mul, op_div, op_ldiv, op_pow,
             op_lt, op_le, op_gt, op_ge, op_eq, op_ne, op_and, op_or };
// Element by element, with expansion of 1 x 1 and of singleton dimensions.
M<m_type> elementwise(binop op, const M<m_type>& a, const M<m_type>& b);
// The same with a temporary operand (or two): when a temporary is real, has the
// result's shape and owns its storage alone, the result is written over it.
M<m_type> elementwise(binop op, M<m_type>&& a, const M<m_type>& b);
M<m_type> elementwise(binop op, const M<m_type>& a, M<m_type>&& b);
M<m_type> elementwise(binop op, M<m_type>&& a, M<m_type>&& b);
M<m_type> negate(const M<m_type>& a);
M<m_type> logical_not(const M<m_type>& a);
// The matrix operations; linear algebra lives in its own module.
M<m_type> mtimes(const M<m_type>& a, const M<m_type>& b);
M<m_type> mldivide(const M<m_type>& a, const M<m_type>& b);
M<m_type> mrdivide(const M<m_type>& a, const M<m_type>& b);
M<m_type> mpower(const M<m_type>& a, const M<m_type>& b);
M<m_type> ctranspose(const M<m_type>& a);
M<m_type> transpose(const M<m_type>& a);

// Two real 1 x 1 operands of double, logical or char class: the plain C++ operation
// gives the result. Any other class takes the library's path, which applies its rules.
inline bool both_scalar(const M<m_type>& a, const M<m_type>& b) {
  return a.is_plain_scalar() && b.is_plain_scalar();
}
inline M<m_type> boolean(bool v) {
  M<m_type> m(m_type(v ? 1 : 0));
  m.set_flags(F_LOGICAL);
  return m;
}
}  // namespace grl

// Each operator has the forms (M,M), (M,scalar) and (scalar,M); the scalar forms keep a
// literal in a loop from becoming a temporary matrix. The forms with a temporary
// operand (M&&) let the result reuse its storage. RES makes the result of two scalars.
#define GRL_ELEMENTWISE(OP, CODE, RES)                                                   \
  inline M<m_type> OP(const M<m_type>& a, const M<m_type>& b) {                          \
    if (grl::both_scalar(a, b)) return RES(a.r.v, b.r.v);                                \
    return grl::elementwise(CODE, a, b);                                                 \
  }                                                                                      \
  inline M<m_type> OP(M<m_type>&& a, const M<m_type>& b) {                               \
    if (grl::both_scalar(a, b)) return RES(a.r.v, b.r.v);                                \
    return grl::elementwise(CODE, std::move(a), b);                                      \
  }                                                                                      \
  inline M<m_type> OP(const M<m_type>& a, M<m_type>&& b) {                               \
    if (grl::both_scalar(a, b)) return RES(a.r.v, b.r.v);                                \
    return grl::elementwise(CODE, a, std::move(b));                                      \
  }                                                                                      \
  inline M<m_type> OP(M<m_type>&& a, M<m_type>&& b) {                                    \
    if (grl::both_scalar(a, b)) return RES(a.r.v, b.r.v);                                \
    return grl::elementwise(CODE, std::move(a), std::move(b));                           \
  }
#define GRL_SCALAR_RIGHT(OP, CODE, RES)                                                  \
  inline M<m_type> OP(const M<m_type>& a, m_type b) {                                    \
    if (a.is_plain_scalar()) return RES(a.r.v, b);                                       \
    return grl::elementwise(CODE, a, M<m_type>(b));                                      \
  }                                                                                      \
  inline M<m_type> OP(M<m_type>&& a, m_type b) {                                         \
    if (a.is_plain_scalar()) return RES(a.r.v, b);                                       \
    return grl::elementwise(CODE, std::move(a), M<m_type>(b));                           \
  }
#define GRL_SCALAR_LEFT(OP, CODE, RES)                                                   \
  inline M<m_type> OP(m_type a, const M<m_type>& b) {                                    \
    if (b.is_plain_scalar()) return RES(a, b.r.v);                                       \
    return grl::elementwise(CODE, M<m_type>(a), b);                                      \
  }                                                                                      \
  inline M<m_type> OP(m_type a, M<m_type>&& b) {                                         \
    if (b.is_plain_scalar()) return RES(a, b.r.v);                                       \
    return grl::elementwise(CODE, M<m_type>(a), std::move(b));                           \
  }
#define GRL_NUMBER(OP) [](m_type x, m_type y) { return M<m_type>(x OP y); }
#define GRL_LOGICAL(OP) [](m_type x, m_type y) { return grl::boolean(x OP y); }
#define GRL_LEFT_DIVIDE [](m_type x, m_type y) { return M<m_type>(y / x); }
GRL_ELEMENTWISE(operator+, grl::op_add, GRL_NUMBER(+))
GRL_SCALAR_RIGHT(operator+, grl::op_add, GRL_NUMBER(+))
GRL_SCALAR_LEFT(operator+, grl::op_add, GRL_NUMBER(+))
GRL_ELEMENTWISE(operator-, grl::op_sub, GRL_NUMBER(-))
GRL_SCALAR_RIGHT(operator-, grl::op_sub, GRL_NUMBER(-))
GRL_SCALAR_LEFT(operator-, grl::op_sub, GRL_NUMBER(-))
GRL_ELEMENTWISE(operator<, grl::op_lt, GRL_LOGICAL(<))
GRL_SCALAR_RIGHT(operator<, grl::op_lt, GRL_LOGICAL(<))
GRL_SCALAR_LEFT(operator<, grl::op_lt, GRL_LOGICAL(<))
GRL_ELEMENTWISE(operator<=, grl::op_le, GRL_LOGICAL(<=))
GRL_SCALAR_RIGHT(operator<=, grl::op_le, GRL_LOGICAL(<=))
GRL_SCALAR_LEFT(operator<=, grl::op_le, GRL_LOGICAL(<=))
GRL_ELEMENTWISE(operator>, grl::op_gt, GRL_LOGICAL(>))
GRL_SCALAR_RIGHT(operator>, grl::op_gt, GRL_LOGICAL(>))
GRL_SCALAR_LEFT(operator>, grl::op_gt, GRL_LOGICAL(>))
GRL_ELEMENTWISE(operator>=, grl::op_ge, GRL_LOGICAL(>=))
GRL_SCALAR_RIGHT(operator>=, grl::op_ge, GRL_LOGICAL(>=))
GRL_SCALAR_LEFT(operator>=, grl::op_ge, GRL_LOGICAL(>=))
GRL_ELEMENTWISE(operator==, grl::op_eq, GRL_LOGICAL(==))
GRL_SCALAR_RIGHT(operator==, grl::op_eq, GRL_LOGICAL(==))
GRL_SCALAR_LEFT(operator==, grl::op_eq, GRL_LOGICAL(==))
GRL_ELEMENTWISE(operator!=, grl::op_ne, GRL_LOGICAL(!=))
GRL_SCALAR_RIGHT(operator!=, grl::op_ne, GRL_LOGICAL(!=))
GRL_SCALAR_LEFT(operator!=, grl::op_ne, GRL_LOGICAL(!=))
// .* ./ .\ (the translator writes them as calls); * and / by a number are element-wise.
GRL_ELEMENTWISE(times, grl::op_mul, GRL_NUMBER(*))
GRL_ELEMENTWISE(rdivide, grl::op_div, GRL_NUMBER(/))
GRL_ELEMENTWISE(ldivide, grl::op_ldiv, GRL_LEFT_DIVIDE)
GRL_SCALAR_RIGHT(operator*, grl::op_mul, GRL_NUMBER(*))
GRL_SCALAR_LEFT(operator*, grl::op_mul, GRL_NUMBER(*))
GRL_SCALAR_RIGHT(operator/, grl::op_div, GRL_NUMBER(/))
#undef GRL_NUMBER
#undef GRL_LOGICAL
#undef GRL_LEFT_DIVIDE
#undef GRL_SCALAR_RIGHT
#undef GRL_SCALAR_LEFT
#undef GRL_ELEMENTWISE

// `*` and `/` between matrices are the matrix operations; for scalars they are the
// plain ones. A number over a matrix is a matrix division.
inline M<m_type> operator*(const M<m_type>& a, const M<m_type>& b) {
  if (grl::both_scalar(a, b)) return M<m_type>(a.r.v * b.r.v);
  return grl::mtimes(a, b);
}
inline M<m_type> operator/(const M<m_type>& a, const M<m_type>& b) {
  if (grl::both_scalar(a, b)) return M<m_type>(a.r.v / b.r.v);
  return grl::mrdivide(a, b);
}
inline M<m_type> operator/(m_type a, const M<m_type>& b) {
  if (b.is_plain_scalar()) return M<m_type>(a / b.r.v);
  return grl::mrdivide(M<m_type>(a), b);
}

// & and | are element-wise; && and || use the explicit truth of M and short-circuit.
inline M<m_type> operator&(const M<m_type>& a, const M<m_type>& b) { return grl::elementwise(grl::op_and, a, b); }
inline M<m_type> operator|(const M<m_type>& a, const M<m_type>& b) { return grl::elementwise(grl::op_or, a, b); }
inline M<m_type> operator-(const M<m_type>& a) {
  if (a.is_plain_scalar()) return M<m_type>(-a.r.v);
  return grl::negate(a);
}
inline M<m_type> operator+(const M<m_type>& a) { return a; }
inline M<m_type> operator!(const M<m_type>& a) {
  if (a.is_real_scalar()) return grl::boolean(a.r.v == 0);
  return grl::logical_not(a);
}
inline M<m_type> operator~(const M<m_type>& a) { return !a; }

// The operator functions that the translator writes for .* ./ .\ .^ ^ \ ' .' and
// that programs may call by name.
inline M<m_type> plus(const M<m_type>& a, const M<m_type>& b) { return a + b; }
inline M<m_type> minus(const M<m_type>& a, const M<m_type>& b) { return a - b; }
M<m_type> power(const M<m_type>& a, const M<m_type>& b);
// x.^y of a temporary: a scalar pair takes the plain power above.
inline M<m_type> power(M<m_type>&& a, const M<m_type>& b) {
  if (grl::both_scalar(a, b)) return power(a, b);
  return grl::elementwise(grl::op_pow, std::move(a), b);
}
inline M<m_type> power(const M<m_type>& a, M<m_type>&& b) {
  if (grl::both_scalar(a, b)) return power(a, b);
  return grl::elementwise(grl::op_pow, a, std::move(b));
}
inline M<m_type> power(M<m_type>&& a, M<m_type>&& b) {
  if (grl::both_scalar(a, b)) return power(a, b);
  return grl::elementwise(grl::op_pow, std::move(a), std::move(b));
}
inline M<m_type> mpower(const M<m_type>& a, const M<m_type>& b) {
  if (grl::both_scalar(a, b)) return power(a, b);
  return grl::mpower(a, b);
}
inline M<m_type> mldivide(const M<m_type>& a, const M<m_type>& b) {
  if (grl::both_scalar(a, b)) return M<m_type>(b.r.v / a.r.v);
  return grl::mldivide(a, b);
}
inline M<m_type> mrdivide(const M<m_type>& a, const M<m_type>& b) { return a / b; }
inline M<m_type> mtimes(const M<m_type>& a, const M<m_type>& b) { return a * b; }
inline M<m_type> ctranspose(const M<m_type>& a) { return a.isscalar() && !a.isc() ? a : grl::ctranspose(a); }
inline M<m_type> transpose(const M<m_type>& a) { return a.isscalar() ? a : grl::transpose(a); }
inline M<m_type> uminus(const M<m_type>& a) { return -a; }
inline M<m_type> not_M(const M<m_type>& a) { return !a; }
inline M<m_type> eq(const M<m_type>& a, const M<m_type>& b) { return a == b; }
inline M<m_type> ne(const M<m_type>& a, const M<m_type>& b) { return a != b; }
inline M<m_type> lt(const M<m_type>& a, const M<m_type>& b) { return a < b; }
inline M<m_type> le(const M<m_type>& a, const M<m_type>& b) { return a <= b; }
inline M<m_type> gt(const M<m_type>& a, const M<m_type>& b) { return a > b; }
inline M<m_type> ge(const M<m_type>& a, const M<m_type>& b) { return a >= b; }
inline M<m_type> and_M(const M<m_type>& a, const M<m_type>& b) { return a & b; }
inline M<m_type> or_M(const M<m_type>& a, const M<m_type>& b) { return a | b; }

// --- cells as operands ------------------------------------------------------------
// A cell is no number: each operator compiles with a cell operand and ends the program
// with the interpreter's message, naming the operand kinds ("cell", "scalar", ...).
namespace grl {
[[noreturn]] void cell_binop_fail(const char* op, const char* left, const char* right);
[[noreturn]] void cell_unop_fail(const char* op);
// op of two values at least one of which holds a cell (a variable of any class).
[[noreturn]] void cell_operands_fail(const char* op, const M<m_type>& a, const M<m_type>& b);
const char* operand_kind(const M<m_type>& x);
}  // namespace grl

#define GRL_CELL_BINOP(F, OP)                                                            \
  [[noreturn]] inline M<m_type> F(const M<M<m_type>>&, const M<M<m_type>>&) {            \
    grl::cell_binop_fail(OP, "cell", "cell");                                            \
  }                                                                                      \
  [[noreturn]] inline M<m_type> F(const M<M<m_type>>&, const M<m_type>& b) {             \
    grl::cell_binop_fail(OP, "cell", grl::operand_kind(b));                              \
  }                                                                                      \
  [[noreturn]] inline M<m_type> F(const M<m_type>& a, const M<M<m_type>>&) {             \
    grl::cell_binop_fail(OP, grl::operand_kind(a), "cell");                              \
  }                                                                                      \
  [[noreturn]] inline M<m_type> F(const M<M<m_type>>&, m_type) {                         \
    grl::cell_binop_fail(OP, "cell", "scalar");                                          \
  }                                                                                      \
  [[noreturn]] inline M<m_type> F(m_type, const M<M<m_type>>&) {                         \
    grl::cell_binop_fail(OP, "scalar", "cell");                                          \
  }
GRL_CELL_BINOP(operator+, "+") GRL_CELL_BINOP(operator-, "-") GRL_CELL_BINOP(operator*, "*")
GRL_CELL_BINOP(operator/, "/") GRL_CELL_BINOP(operator<, "<") GRL_CELL_BINOP(operator<=, "<=")
GRL_CELL_BINOP(operator>, ">") GRL_CELL_BINOP(operator>=, ">=") GRL_CELL_BINOP(operator==, "==")
GRL_CELL_BINOP(operator!=, "!=") GRL_CELL_BINOP(operator&, "&") GRL_CELL_BINOP(operator|, "|")
GRL_CELL_BINOP(plus, "+") GRL_CELL_BINOP(minus, "-") GRL_CELL_BINOP(times, ".*")
GRL_CELL_BINOP(rdivide, "./") GRL_CELL_BINOP(ldivide, ".\\") GRL_CELL_BINOP(power, ".^")
GRL_CELL_BINOP(mpower, "^") GRL_CELL_BINOP(mldivide, "\\") GRL_CELL_BINOP(mrdivide, "/")
GRL_CELL_BINOP(mtimes, "*") GRL_CELL_BINOP(eq, "==") GRL_CELL_BINOP(ne, "!=")
GRL_CELL_BINOP(lt, "<") GRL_CELL_BINOP(le, "<=") GRL_CELL_BINOP(gt, ">") GRL_CELL_BINOP(ge, ">=")
GRL_CELL_BINOP(and_M, "&") GRL_CELL_BINOP(or_M, "|")
#undef GRL_CELL_BINOP

[[noreturn]] inline M<m_type> operator-(const M<M<m_type>>&) { grl::cell_unop_fail("-"); }
[[noreturn]] inline M<m_type> operator!(const M<M<m_type>>&) { grl::cell_unop_fail("!"); }
[[noreturn]] inline M<m_type> operator~(const M<M<m_type>>&) { grl::cell_unop_fail("!"); }
[[noreturn]] inline M<m_type> uminus(const M<M<m_type>>&) { grl::cell_unop_fail("-"); }
[[noreturn]] inline M<m_type> not_M(const M<M<m_type>>&) { grl::cell_unop_fail("!"); }

#endif
