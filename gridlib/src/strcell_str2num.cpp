// str2num: the value of the text of a numeric matrix expression. The text is read as
// the inside of a matrix literal: numbers (with i or j for imaginary ones), the
// constants pi, Inf, NaN, eps, i, j, true, false, parentheses and brackets, ranges,
// arithmetic, comparison and negation. Anything else makes the text no number, which
// str2num reports as [] and, asked for, a false second output.
#include <cctype>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "strcell_util.h"

namespace grl {
namespace {

typedef std::complex<double> cd;

// A value during evaluation: rows x cols complex numbers, possibly logical.
struct val {
  std::size_t r = 0, c = 0;
  std::vector<cd> v;
  bool logical = false;
  static val scalar(cd x, bool lg = false) {
    val o;
    o.r = o.c = 1;
    o.v.push_back(x);
    o.logical = lg;
    return o;
  }
  bool is_scalar() const { return r == 1 && c == 1; }
  bool empty00() const { return r == 0 && c == 0; }
};

// Thrown nowhere: a failed step returns false and evaluation stops.
struct parser {
  const std::string& s;
  std::size_t p = 0;
  int depth = 0;

  bool end() const { return p >= s.size(); }
  char ch(std::size_t off = 0) const { return p + off < s.size() ? s[p + off] : '\0'; }
  static bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
  void spaces() { while (blank(ch())) ++p; }

  // --- arithmetic: real operands give real results (1/0 is Inf, not Inf+NaNi) ---
  static cd real_or(cd x) { return cd(x.real(), x.imag() == 0 ? 0.0 : x.imag()); }
  static cd mul(cd x, cd y) { return x.imag() == 0 && y.imag() == 0 ? cd(x.real() * y.real(), 0) : x * y; }
  static cd div(cd x, cd y) { return x.imag() == 0 && y.imag() == 0 ? cd(x.real() / y.real(), 0) : x / y; }
  static cd neg(cd x) { return real_or(cd(-x.real(), -x.imag())); }

  // --- element-wise work with scalar and implicit expansion ---
  template <class F> static bool zip(const val& a, const val& b, val& o, F f) {
    const std::size_t r = a.r == b.r ? a.r : a.r == 1 ? b.r : b.r == 1 ? a.r : std::size_t(-1);
    const std::size_t c = a.c == b.c ? a.c : a.c == 1 ? b.c : b.c == 1 ? a.c : std::size_t(-1);
    if (r == std::size_t(-1) || c == std::size_t(-1)) return false;
    o = val();
    o.r = r;
    o.c = c;
    o.v.resize(r * c);
    for (std::size_t j = 0; j < c; ++j)
      for (std::size_t i = 0; i < r; ++i)
        o.v[i + j * r] = f(a.v[(a.r == 1 ? 0 : i) + (a.c == 1 ? 0 : j) * a.r],
                           b.v[(b.r == 1 ? 0 : i) + (b.c == 1 ? 0 : j) * b.r]);
    return true;
  }

  static bool product(const val& a, const val& b, val& o) {
    if (a.is_scalar() || b.is_scalar()) return zip(a, b, o, mul);
    if (a.c != b.r) return false;
    o = val();
    o.r = a.r;
    o.c = b.c;
    o.v.assign(o.r * o.c, cd(0));
    for (std::size_t j = 0; j < b.c; ++j)
      for (std::size_t k = 0; k < a.c; ++k)
        for (std::size_t i = 0; i < a.r; ++i) o.v[i + j * o.r] += mul(a.v[i + k * a.r], b.v[k + j * b.r]);
    return true;
  }

  static cd power(cd x, cd y) {
    if (x.imag() == 0 && y.imag() == 0 && (x.real() >= 0 || y.real() == std::floor(y.real())))
      return cd(std::pow(x.real(), y.real()), 0);
    return std::pow(real_or(x), real_or(y));
  }

  // --- primaries ---
  bool number(val& o) {
    const std::size_t start = p;
    std::size_t digits = 0;
    while (std::isdigit((unsigned char)ch())) ++p, ++digits;
    if (ch() == '.' && !(ch(1) == '*' || ch(1) == '/' || ch(1) == '^' || ch(1) == '\\' || ch(1) == '\'')) {
      ++p;
      while (std::isdigit((unsigned char)ch())) ++p, ++digits;
    }
    if (digits == 0) return false;
    if ((ch() == 'e' || ch() == 'E') &&
        (std::isdigit((unsigned char)ch(1)) || ((ch(1) == '+' || ch(1) == '-') && std::isdigit((unsigned char)ch(2))))) {
      p += 2;
      while (std::isdigit((unsigned char)ch())) ++p;
    }
    const double x = std::strtod(s.substr(start, p - start).c_str(), nullptr);
    if ((ch() == 'i' || ch() == 'j' || ch() == 'I' || ch() == 'J') && !std::isalnum((unsigned char)ch(1))) {
      ++p;
      o = val::scalar(cd(0, x));
    } else {
      o = val::scalar(cd(x, 0));
    }
    return !std::isalpha((unsigned char)ch()) && ch() != '_';
  }

  bool constant(val& o) {
    std::size_t q = p;
    while (q < s.size() && (std::isalnum((unsigned char)s[q]) || s[q] == '_')) ++q;
    const std::string w = s.substr(p, q - p);
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    if (w == "pi") o = val::scalar(cd(M_PI, 0));
    else if (w == "Inf" || w == "inf") o = val::scalar(cd(inf, 0));
    else if (w == "NaN" || w == "nan") o = val::scalar(cd(nan, 0));
    else if (w == "eps") o = val::scalar(cd(std::numeric_limits<m_type>::epsilon(), 0));
    else if (w == "i" || w == "j" || w == "I" || w == "J") o = val::scalar(cd(0, 1));
    else if (w == "true") o = val::scalar(cd(1, 0), true);
    else if (w == "false") o = val::scalar(cd(0, 0), true);
    else return false;
    p = q;
    return true;
  }

  bool primary(val& o, bool in_matrix) {
    if (++depth > 200) return false;         // nesting too deep for a number's text
    bool ok;
    const char c = ch();
    if (c == '(') {
      ++p;
      spaces();
      ok = range(o, false);
      spaces();
      ok = ok && ch() == ')';
      ++p;
    } else if (c == '[') {
      ++p;
      ok = matrix(o, ']');
    } else if (std::isdigit((unsigned char)c) || (c == '.' && std::isdigit((unsigned char)ch(1)))) {
      ok = number(o);
    } else if (std::isalpha((unsigned char)c)) {
      ok = constant(o);
    } else {
      ok = false;
    }
    --depth;
    // Transposes follow their operand directly.
    while (ok && (ch() == '\'' || (ch() == '.' && ch(1) == '\''))) {
      const bool conj = ch() == '\'';
      p += conj ? 1 : 2;
      val t;
      t.r = o.c;
      t.c = o.r;
      t.logical = o.logical;
      t.v.resize(o.v.size());
      for (std::size_t j = 0; j < o.c; ++j)
        for (std::size_t i = 0; i < o.r; ++i) t.v[j + i * o.c] = conj ? std::conj(o.v[i + j * o.r]) : o.v[i + j * o.r];
      o = t;
    }
    (void)in_matrix;
    return ok;
  }

  // --- operators, from the tightest ---
  bool power_level(val& o, bool in_matrix) {
    if (!primary(o, in_matrix)) return false;
    for (;;) {
      const std::size_t save = p;
      spaces();
      const bool dot = ch() == '.' && ch(1) == '^';
      if (!(ch() == '^' || dot)) { p = save; return true; }
      p += dot ? 2 : 1;
      spaces();
      val b;
      if (!unary_operand(b, in_matrix)) return false;
      if (!dot && !(o.is_scalar() && b.is_scalar())) return false;
      val r;
      if (!zip(o, b, r, power)) return false;
      o = r;
    }
  }

  // The operand of ^: a signed primary (2^-1).
  bool unary_operand(val& o, bool in_matrix) {
    if (ch() == '-' || ch() == '+') {
      const bool neg = ch() == '-';
      ++p;
      if (!unary_operand(o, in_matrix)) return false;
      if (neg) for (cd& x : o.v) x = parser::neg(x);
      o.logical = false;
      return true;
    }
    return primary(o, in_matrix);
  }

  bool unary(val& o, bool in_matrix) {
    const char c = ch();
    if (c == '-' || c == '+' || c == '~' || c == '!') {
      ++p;
      spaces();
      if (!unary(o, in_matrix)) return false;
      if (c == '-') for (cd& x : o.v) x = neg(x);
      if (c == '~' || c == '!') {
        for (cd& x : o.v) x = cd(x == cd(0) ? 1 : 0, 0);
        o.logical = true;
      } else {
        o.logical = false;
      }
      return true;
    }
    return power_level(o, in_matrix);
  }

  // In a matrix, "a -b" is two elements and "a - b" one difference.
  bool starts_element(bool in_matrix, std::size_t save) const {
    return in_matrix && p > save && !blank(ch(1)) && ch(1) != '\0';
  }

  bool product_level(val& o, bool in_matrix) {
    if (!unary(o, in_matrix)) return false;
    for (;;) {
      const std::size_t save = p;
      spaces();
      int op = 0;     // 1 *, 2 .*, 3 /, 4 ./, 5 \, 6 .\ .
      if (ch() == '*') op = 1;
      else if (ch() == '.' && ch(1) == '*') op = 2;
      else if (ch() == '/') op = 3;
      else if (ch() == '.' && ch(1) == '/') op = 4;
      else if (ch() == '\\') op = 5;
      else if (ch() == '.' && ch(1) == '\\') op = 6;
      if (!op) { p = save; return true; }
      p += (op % 2 == 0) ? 2 : 1;
      spaces();
      val b, r;
      if (!unary(b, in_matrix)) return false;
      bool ok;
      if (op == 1) ok = product(o, b, r);
      else if (op == 2) ok = zip(o, b, r, mul);
      else if (op == 4 || (op == 3 && b.is_scalar())) ok = zip(o, b, r, div);
      else if (op == 6 || (op == 5 && o.is_scalar())) ok = zip(o, b, r, [](cd x, cd y) { return div(y, x); });
      else ok = false;       // matrix division is no part of a number's text
      if (!ok) return false;
      o = r;
    }
  }

  bool sum_level(val& o, bool in_matrix) {
    if (!product_level(o, in_matrix)) return false;
    for (;;) {
      const std::size_t save = p;
      spaces();
      if (!(ch() == '+' || ch() == '-') || starts_element(in_matrix, save)) { p = save; return true; }
      const bool minus = ch() == '-';
      ++p;
      spaces();
      val b, r;
      if (!product_level(b, in_matrix)) return false;
      if (!zip(o, b, r, [minus](cd x, cd y) { return real_or(minus ? x - y : x + y); })) return false;
      o = r;
    }
  }

  bool compare_level(val& o, bool in_matrix) {
    if (!sum_level(o, in_matrix)) return false;
    for (;;) {
      const std::size_t save = p;
      spaces();
      std::string op;
      if ((ch() == '=' || ch() == '~' || ch() == '!' || ch() == '<' || ch() == '>') && ch(1) == '=') op = s.substr(p, 2);
      else if (ch() == '<' || ch() == '>') op = s.substr(p, 1);
      if (op.empty()) { p = save; return true; }
      p += op.size();
      spaces();
      val b, r;
      if (!sum_level(b, in_matrix)) return false;
      if (!zip(o, b, r, [op](cd x, cd y) {
            const double a = x.real(), c = y.real();
            bool t = op == "==" ? x == y : op == "~=" || op == "!=" ? x != y
                   : op == "<" ? a < c : op == "<=" ? a <= c : op == ">" ? a > c : a >= c;
            return cd(t ? 1 : 0, 0);
          }))
        return false;
      r.logical = true;
      o = r;
    }
  }

  static bool real_scalar(const val& x, double& d) {
    if (x.v.empty()) return false;
    d = x.v[0].real();
    return true;
  }

  // a, a:b or a:b:c; the bounds are the first elements of their values.
  bool range(val& o, bool in_matrix) {
    if (!compare_level(o, in_matrix)) return false;
    const std::size_t save = p;
    spaces();
    if (ch() != ':') { p = save; return true; }
    ++p;
    spaces();
    val b, c;
    if (!compare_level(b, in_matrix)) return false;
    const std::size_t save2 = p;
    spaces();
    double lo, step = 1, hi;
    if (ch() == ':') {
      ++p;
      spaces();
      if (!compare_level(c, in_matrix)) return false;
      if (!real_scalar(o, lo) || !real_scalar(b, step) || !real_scalar(c, hi)) return false;
    } else {
      p = save2;
      if (!real_scalar(o, lo) || !real_scalar(b, hi)) return false;
    }
    double n = step == 0 || std::isnan(step) || std::isnan(lo) || std::isnan(hi) ? -1
             : std::floor((hi - lo) / step * (1 + 1e-15) + 1e-10);
    if (n > 1e8) return false;
    const std::size_t count = n < 0 ? 0 : std::size_t(n) + 1;
    o = val();
    o.r = 1;
    o.c = count;
    for (std::size_t k = 0; k < count; ++k) o.v.push_back(cd(lo + double(k) * step, 0));
    return true;
  }

  // --- matrices ---
  static bool join(const std::vector<val>& parts, bool across, val& o) {
    std::vector<const val*> used;
    for (const val& x : parts)
      if (!x.empty00()) used.push_back(&x);
    o = val();
    if (used.empty()) {
      o.logical = !parts.empty();
      for (const val& x : parts) o.logical = o.logical && x.logical;
      return true;
    }
    const std::size_t fixed = across ? used[0]->r : used[0]->c;
    std::size_t total = 0;
    o.logical = true;
    for (const val* x : used) {
      if ((across ? x->r : x->c) != fixed) return false;
      total += across ? x->c : x->r;
      o.logical = o.logical && x->logical;
    }
    o.r = across ? fixed : total;
    o.c = across ? total : fixed;
    o.v.resize(o.r * o.c);
    std::size_t off = 0;
    for (const val* x : used) {
      for (std::size_t j = 0; j < x->c; ++j)
        for (std::size_t i = 0; i < x->r; ++i)
          o.v[across ? i + (off + j) * o.r : (off + i) + j * o.r] = x->v[i + j * x->r];
      off += across ? x->c : x->r;
    }
    return true;
  }

  // The inside of a matrix literal up to `close` ('\0': the end of the text).
  bool matrix(val& o, char close) {
    std::vector<val> rows, row;
    bool need_sep = false;     // an element was read and no separator followed yet
    for (;;) {
      const std::size_t before = p;
      spaces();
      const bool spaced = p > before;
      const char c = ch();
      if (c == close) {
        if (close) ++p;
        break;
      }
      if (c == '\0') return false;
      if (c == ';' || c == '\n') {
        ++p;
        val r;
        if (!join(row, true, r)) return false;
        rows.push_back(r);
        row.clear();
        need_sep = false;
        continue;
      }
      if (c == ',') {
        if (!need_sep) return false;
        ++p;
        need_sep = false;
        continue;
      }
      if (need_sep && !spaced) return false;
      val e;
      if (!range(e, true)) return false;
      row.push_back(e);
      need_sep = true;
    }
    val r;
    if (!join(row, true, r)) return false;
    rows.push_back(r);
    return join(rows, false, o);
  }
};

bool evaluate(const Mt& s, Mt& out) {
  std::string text;
  for (std::size_t i = 0; i < s.rows(); ++i) text += su::row_text(s, i) + (i + 1 < s.rows() ? "\n" : "");
  parser ps{text};
  val v;
  if (!ps.matrix(v, '\0')) return false;
  bool cplx = false;
  for (const cd& x : v.v) cplx = cplx || x.imag() != 0;
  out = Mt::zeros(v.r, v.c, cplx);
  for (std::size_t k = 0; k < v.v.size(); ++k) {
    out.pr()[k] = m_type(v.v[k].real());
    if (cplx) out.pi()[k] = m_type(v.v[k].imag());
  }
  if (v.logical && !v.v.empty()) out.set_flags(F_LOGICAL);
  return true;
}

}  // namespace
}  // namespace grl

using grl::Mc;
using grl::Mt;

void str2num(const Mt& s, i_o_t, Mr<m_type> x, Mr<m_type> ok) {
  if (!s.ischar()) grl_fail("str2num: S must be a string or string array");
  Mt v;
  const bool good = grl::evaluate(s, v);
  x = good ? v : Mt();
  ok = grl::su::boolean(good);
}
void str2num(const Mt& s, i_o_t, Mr<m_type> x) {
  Mt ok;
  str2num(s, i_o, x, ok);
}
Mt str2num(const Mt& s) {
  Mt x, ok;
  str2num(s, i_o, x, ok);
  return x;
}
Mt str2num(const Mc&) { grl_fail("str2num: S must be a string or string array"); }
