// Element-by-element operators with scalar and implicit expansion, real and complex.
#include "gridlib.h"
#include "shape_nd.h"
#include "struct_util.h"
#include "int64_util.h"

#include <cmath>
#include <complex>

typedef M<m_type> Mt;
typedef std::complex<m_type> cx;

namespace {

const char* op_name(grl::binop op) {
  switch (op) {
    case grl::op_add: return "operator +";
    case grl::op_sub: return "operator -";
    case grl::op_mul: return "product";
    case grl::op_div: case grl::op_ldiv: return "quotient";
    case grl::op_pow: return "operator .^";
    case grl::op_and: return "operator &";
    case grl::op_or: return "operator |";
    default: return "nonconformant arguments";
  }
}

bool is_compare(grl::binop op) { return op >= grl::op_lt && op <= grl::op_or; }

// The element-wise operator as the program wrote it, for the message of a class
// mismatch (the matrix operators *, / and \ check their operands before they come here).
const char* op_symbol(grl::binop op) {
  static const char* const symbol[] = {"+", "-", ".*", "./", ".\\", ".^", "<", "<=", ">", ">=",
                                       "==", "!=", "&", "|"};
  return symbol[op];
}

inline m_type real_op(grl::binop op, m_type x, m_type y) {
  switch (op) {
    case grl::op_add: return x + y;
    case grl::op_sub: return x - y;
    case grl::op_mul: return x * y;
    case grl::op_div: return x / y;
    case grl::op_ldiv: return y / x;
    case grl::op_pow: return std::pow(x, y);
    case grl::op_lt: return x < y;
    case grl::op_le: return x <= y;
    case grl::op_gt: return x > y;
    case grl::op_ge: return x >= y;
    case grl::op_eq: return x == y;
    case grl::op_ne: return x != y;
    case grl::op_and: return x != 0 && y != 0;
    case grl::op_or: return x != 0 || y != 0;
  }
  return 0;
}

// The operands and result of a real element-wise operation and how they expand.
struct real_shape_t {
  const m_type* x;
  const m_type* y;
  m_type* o;
  std::size_t n, rr, rc, ar, ac, br, bc;
  bool same, sa, sb;
};

// One loop per operator, so that the operator is known inside the loop and the
// compiler can keep it tight (and vectorise the simple ones).
template <grl::binop OP> void real_loop(const real_shape_t& s) {
  const m_type *x = s.x, *y = s.y;
  m_type* o = s.o;
  if (s.same) {
    for (std::size_t k = 0; k < s.n; ++k) o[k] = real_op(OP, x[k], y[k]);
  } else if (s.sb) {
    const m_type v = y[0];
    for (std::size_t k = 0; k < s.n; ++k) o[k] = real_op(OP, x[k], v);
  } else if (s.sa) {
    const m_type v = x[0];
    for (std::size_t k = 0; k < s.n; ++k) o[k] = real_op(OP, v, y[k]);
  } else {
    for (std::size_t j = 0; j < s.rc; ++j)
      for (std::size_t i = 0; i < s.rr; ++i)
        o[i + j * s.rr] = real_op(OP, x[(s.ar == 1 ? 0 : i) + (s.ac == 1 ? 0 : j) * s.ar],
                                  y[(s.br == 1 ? 0 : i) + (s.bc == 1 ? 0 : j) * s.br]);
  }
}

inline cx cx_op(grl::binop op, cx x, cx y) {
  switch (op) {
    case grl::op_add: return x + y;
    case grl::op_sub: return x - y;
    case grl::op_mul: return x * y;
    case grl::op_div: return x / y;
    case grl::op_ldiv: return y / x;
    case grl::op_pow:
      if (y.imag() == 0 && y.real() == std::floor(y.real()) && std::fabs(y.real()) <= 1024) {
        long n = long(y.real());
        cx r(1), b = n < 0 ? cx(1) / x : x;
        for (unsigned long k = n < 0 ? -n : n; k; k >>= 1, b *= b)
          if (k & 1) r *= b;
        return r;
      }
      return std::pow(x, y);
    case grl::op_lt: return x.real() < y.real();
    case grl::op_le: return x.real() <= y.real();
    case grl::op_gt: return x.real() > y.real();
    case grl::op_ge: return x.real() >= y.real();
    case grl::op_eq: return x == y;
    case grl::op_ne: return x != y;
    case grl::op_and: return (x != cx(0)) && (y != cx(0));
    case grl::op_or: return (x != cx(0)) || (y != cx(0));
  }
  return 0;
}

// A real power whose result is complex: a negative base with a non-integer exponent.
bool needs_complex_power(const Mt& a, const Mt& b) {
  bool neg = false, frac = false;
  for (std::size_t k = 0; k < a.numel() && !neg; ++k) neg = a.cre()[k] < 0;
  if (!neg) return false;
  for (std::size_t k = 0; k < b.numel() && !frac; ++k) frac = b.cre()[k] != std::floor(b.cre()[k]);
  return frac;
}

// Whether the result of an element-wise operation may be written over the temporary
// t: t is real, already has the result's shape, and no other value shares its block.
bool can_take(const Mt* t, std::size_t rows, std::size_t cols) {
  return t && t->owns_block() && !t->isc() && t->rows() == rows && t->cols() == cols;
}

// a op b; ta and tb, when not null, are a and b themselves, temporaries whose storage
// may take a real result. Element k of the result depends only on element k of an
// operand of the result's shape, so writing over that operand as the loop goes is safe.
Mt compute(grl::binop op, const Mt& a, const Mt& b, Mt* ta, Mt* tb);

// An operand of more than two dimensions: equal shapes or a 1 x 1 operand work on the
// rows x cols views; other shapes expand where an extent is 1 (implicit expansion).
Mt compute_nd(grl::binop op, const Mt& a, const Mt& b) {
  using namespace grl;
  const bool sa = a.numel() == 1, sb = b.numel() == 1;
  if (sa || sb || a.shape() == b.shape()) {
    Mt a2 = a, b2 = b;
    a2.reshape_to(a.rows(), a.cols());
    b2.reshape_to(b.rows(), b.cols());
    Mt out = compute(op, a2, b2, nullptr, nullptr);
    out.set_shape(sa ? b.shape() : a.shape());
    return out;
  }
  const std::size_t n = a.ndims() > b.ndims() ? a.ndims() : b.ndims();
  const sizes ea = shp::padded(a.shape(), n), eb = shp::padded(b.shape(), n);
  sizes r(n);
  for (std::size_t k = 0; k < n; ++k) {
    if (ea[k] != eb[k] && ea[k] != 1 && eb[k] != 1) {
      const std::string x = dims_text(a.shape()), y = dims_text(b.shape());
      if (is_compare(op) && op != op_and && op != op_or)
        grl_fail("nonconformant arguments (op1 is %s, op2 is %s)", x.c_str(), y.c_str());
      grl_fail("%s: nonconformant arguments (op1 is %s, op2 is %s)", op_name(op), x.c_str(), y.c_str());
    }
    r[k] = ea[k] == 1 ? eb[k] : ea[k];
  }
  Mt xa = shp::expand_to(a, r), xb = shp::expand_to(b, r);
  xa.reshape_to(xa.rows(), xa.cols());
  xb.reshape_to(xb.rows(), xb.cols());
  Mt out = compute(op, xa, xb, nullptr, nullptr);
  out.set_shape(r);
  return out;
}

Mt compute(grl::binop op, const Mt& a, const Mt& b, Mt* ta, Mt* tb) {
  using namespace grl;
  if (a.holds_cell() || b.holds_cell()) cell_operands_fail(op_symbol(op), a, b);
  if (a.ndims() > 2 || b.ndims() > 2) return compute_nd(op, a, b);
  // An integer class or single operand gives its class to the result, computed in
  // double and then converted (rounded and limited).
  // Comparisons take any two classes; no operator takes a structure.
  if (a.holds_struct() || b.holds_struct()) struct_binop_fail(op_symbol(op), a, b);
  const mclass rcls = (a.cls_ | b.cls_) && !is_compare(op) ? arith_class(a, b, op_symbol(op)) : mc_double;
  // int64 and uint64 compute exactly in their own range, and compare exactly.
  if ((a.cls_ | b.cls_) && (w64::wide(rcls) || (is_compare(op) && (w64::wide(a) || w64::wide(b)))))
    return w64::arith(op, a, b, rcls);
  std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  bool sa = ar == 1 && ac == 1, sb = br == 1 && bc == 1;
  std::size_t rr, rc;
  if (sa) { rr = br; rc = bc; }
  else if (sb) { rr = ar; rc = ac; }
  else {
    if ((ar != br && ar != 1 && br != 1) || (ac != bc && ac != 1 && bc != 1)) {
      if (is_compare(op) && op != op_and && op != op_or)
        grl_fail("nonconformant arguments (op1 is %zux%zu, op2 is %zux%zu)", ar, ac, br, bc);
      grl_fail("%s: nonconformant arguments (op1 is %zux%zu, op2 is %zux%zu)", op_name(op), ar, ac, br, bc);
    }
    rr = ar == 1 ? br : ar;
    rc = ac == 1 ? bc : ac;
  }
  bool cplx = a.isc() || b.isc() || (op == op_pow && needs_complex_power(a, b));
  bool logical = is_compare(op);
  const m_type* x = a.cre();
  const m_type* y = b.cre();
  Mt out;
  if (!cplx && can_take(ta, rr, rc)) out = std::move(*ta);
  else if (!cplx && can_take(tb, rr, rc)) out = std::move(*tb);
  else out = Mt::alloc(rr, rc, cplx && !logical);
  out.set_flags(0);
  m_type* o = out.pr();
  std::size_t n = rr * rc;
  bool same = ar == rr && ac == rc && br == rr && bc == rc;
  if (!cplx) {
    const real_shape_t sh{x, y, o, n, rr, rc, ar, ac, br, bc, same, sa, sb};
    if (op == op_pow && sb && sh.y[0] == 2) {
      // x.^2, the commonest power, is one product: the same correctly rounded value.
      for (std::size_t k = 0; k < n; ++k) o[k] = sh.x[k] * sh.x[k];
    } else {
      switch (op) {
        case op_add: real_loop<op_add>(sh); break;
        case op_sub: real_loop<op_sub>(sh); break;
        case op_mul: real_loop<op_mul>(sh); break;
        case op_div: real_loop<op_div>(sh); break;
        case op_ldiv: real_loop<op_ldiv>(sh); break;
        case op_pow: real_loop<op_pow>(sh); break;
        case op_lt: real_loop<op_lt>(sh); break;
        case op_le: real_loop<op_le>(sh); break;
        case op_gt: real_loop<op_gt>(sh); break;
        case op_ge: real_loop<op_ge>(sh); break;
        case op_eq: real_loop<op_eq>(sh); break;
        case op_ne: real_loop<op_ne>(sh); break;
        case op_and: real_loop<op_and>(sh); break;
        case op_or: real_loop<op_or>(sh); break;
      }
    }
  } else {
    m_type* oi = logical ? nullptr : out.pi();
    for (std::size_t j = 0; j < rc; ++j)
      for (std::size_t i = 0; i < rr; ++i) {
        std::size_t ka = sa ? 0 : (ar == 1 ? 0 : i) + (ac == 1 ? 0 : j) * ar;
        std::size_t kb = sb ? 0 : (br == 1 ? 0 : i) + (bc == 1 ? 0 : j) * br;
        cx r = cx_op(op, cx(a.cre()[ka], a.ielem(ka)), cx(b.cre()[kb], b.ielem(kb)));
        o[i + j * rr] = r.real();
        if (oi) oi[i + j * rr] = r.imag();
      }
    out.drop_imag();
  }
  if (logical) out.set_flags(F_LOGICAL);
  else if (rcls != mc_double) apply_class(out, rcls);
  return out;
}

}  // namespace

namespace grl {

Mt elementwise(binop op, const Mt& a, const Mt& b) { return compute(op, a, b, nullptr, nullptr); }
Mt elementwise(binop op, Mt&& a, const Mt& b) { return compute(op, a, b, &a, nullptr); }
Mt elementwise(binop op, const Mt& a, Mt&& b) { return compute(op, a, b, nullptr, &b); }
Mt elementwise(binop op, Mt&& a, Mt&& b) { return compute(op, a, b, &a, &b); }

Mt negate(const Mt& a) {
  if (a.holds_cell()) cell_unop_fail("-");
  if (a.holds_struct()) grl_fail("unary operator '-' not implemented for '%s' operations", a.numel() == 1 ? "scalar struct" : "struct");
  if (w64::wide(a)) return w64::negate(a);
  Mt out = Mt::alloc(a.rows(), a.cols(), a.isc());
  out.same_shape(a);
  m_type* o = out.pr();
  for (std::size_t k = 0; k < a.numel(); ++k) o[k] = -a.cre()[k];
  if (a.isc()) {
    m_type* oi = out.pi();
    for (std::size_t k = 0; k < a.numel(); ++k) oi[k] = -a.cim()[k];
  }
  if (a.cls_) apply_class(out, a.num_class());   // -int8(-128) is 127
  return out;
}

Mt logical_not(const Mt& a) {
  if (a.holds_cell()) cell_unop_fail("!");
  Mt out = Mt::alloc(a.rows(), a.cols());
  out.same_shape(a);
  m_type* o = out.pr();
  for (std::size_t k = 0; k < a.numel(); ++k) {
    if (a.cre()[k] != a.cre()[k]) grl_fail("logical: NaN can't be converted to logical value");
    o[k] = a.cre()[k] == 0 && a.ielem(k) == 0;
  }
  out.set_flags(F_LOGICAL);
  return out;
}

}  // namespace grl

Mt power(const Mt& a, const Mt& b) {
  if (grl::both_scalar(a, b) && (a.r.v >= 0 || b.r.v == std::floor(b.r.v))) return Mt(std::pow(a.r.v, b.r.v));
  return grl::elementwise(grl::op_pow, a, b);
}

// --- cells as operands ----------------------------------------------------------------
namespace grl {
// The interpreter converts logical and char operands to numbers before it finds that no
// operator takes a cell, so they are named as numbers too; integer classes and single
// keep their class.
const char* operand_kind(const Mt& x) {
  // Integer classes and single keep their class in the name ("int8 scalar").
  thread_local std::string named;
  if (x.cls_) {
    named = operand_name(x);
    return named.c_str();
  }
  const bool one = x.rows() == 1 && x.cols() == 1;
  if (x.isc()) return one ? "complex scalar" : "complex matrix";
  return one ? "scalar" : "matrix";
}

void cell_binop_fail(const char* op, const char* left, const char* right) {
  grl_fail("binary operator '%s' not implemented for '%s' by '%s' operations", op, left, right);
}

void cell_operands_fail(const char* op, const Mt& a, const Mt& b) {
  cell_binop_fail(op, a.holds_cell() ? "cell" : operand_kind(a), b.holds_cell() ? "cell" : operand_kind(b));
}

void cell_unop_fail(const char* op) {
  grl_fail("unary operator '%s' not implemented for 'cell' operands", op);
}
}  // namespace grl
