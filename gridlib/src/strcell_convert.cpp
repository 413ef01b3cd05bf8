// Conversions between text, numbers and cells: str2double, num2cell, cellstr,
// iscellstr, cell2mat.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "strcell_util.h"
#include "held_cells.h"

namespace grl {
namespace {

// --- str2double: one number, real or complex, or nothing ----------------------------------

struct number_text {
  const std::string& s;
  std::size_t p = 0;

  void blanks() { while (p < s.size() && sc::white((unsigned char)s[p])) ++p; }
  bool at(char c) const { return p < s.size() && s[p] == c; }
  bool word(const char* w) {
    std::size_t n = 0;
    while (w[n]) {
      if (p + n >= s.size() || std::tolower((unsigned char)s[p + n]) != w[n]) return false;
      ++n;
    }
    p += n;
    return true;
  }
  bool unit() {     // the imaginary unit, not the start of a longer word
    if (!(at('i') || at('j') || at('I') || at('J'))) return false;
    if (p + 1 < s.size() && std::isalnum((unsigned char)s[p + 1])) return false;
    ++p;
    return true;
  }
  // Digits with an optional point and exponent, read by strtod.
  bool magnitude(double& v) {
    const std::size_t start = p;
    std::size_t digits = 0;
    while (p < s.size() && std::isdigit((unsigned char)s[p])) ++p, ++digits;
    if (at('.')) {
      ++p;
      while (p < s.size() && std::isdigit((unsigned char)s[p])) ++p, ++digits;
    }
    if (digits == 0) { p = start; return false; }
    if (at('e') || at('E')) {
      ++p;
      if (at('+') || at('-')) ++p;
      std::size_t e = 0;
      while (p < s.size() && std::isdigit((unsigned char)s[p])) ++p, ++e;
      if (e == 0) return false;
    }
    v = std::strtod(s.substr(start, p - start).c_str(), nullptr);
    return true;
  }
  // One term: [sign] (number [[*] i] | inf | nan | i [* number]).
  bool term(double& v, bool& imag) {
    double sign = 1;
    if (at('+') || at('-')) { sign = at('-') ? -1 : 1; ++p; blanks(); }
    imag = false;
    if (unit()) {       // i, or i*2
      v = sign;
      imag = true;
      const std::size_t back = p;
      blanks();
      if (!at('*')) { p = back; return true; }
      ++p;
      blanks();
      double m;
      if (!magnitude(m)) return false;
      v = sign * m;
      return true;
    }
    if (word("inf")) v = std::numeric_limits<double>::infinity();
    else if (word("nan")) v = std::numeric_limits<double>::quiet_NaN();
    else if (!magnitude(v)) return false;
    v *= sign;
    const std::size_t back = p;
    blanks();
    if (at('*')) { ++p; blanks(); if (!unit()) return false; imag = true; return true; }
    if (unit()) { imag = true; return true; }
    p = back;
    return true;
  }
};

bool parse_number(std::string s, double& re, double& im) {
  std::string t;
  for (char c : s) if (c != ',') t += c;      // thousands separators
  number_text n{t};
  re = im = 0;
  double v;
  bool imag;
  n.blanks();
  if (!n.term(v, imag)) return false;
  (imag ? im : re) = v;
  n.blanks();
  if (n.p < t.size()) {
    if (!(n.at('+') || n.at('-'))) return false;
    const bool first_imag = imag;
    if (!n.term(v, imag) || imag == first_imag) return false;
    (imag ? im : re) = v;
    n.blanks();
  }
  return n.p == t.size();
}

// The numbers of the given texts, in a rows x cols value (complex when any is).
Mt numbers(const std::vector<std::string>& texts, std::size_t rows, std::size_t cols,
           const std::vector<bool>& is_text) {
  Mt o = Mt::alloc(rows, cols, true);
  for (std::size_t k = 0; k < texts.size(); ++k) {
    double re = std::numeric_limits<double>::quiet_NaN(), im = 0;
    if (is_text[k] && !parse_number(texts[k], re, im)) re = std::numeric_limits<double>::quiet_NaN(), im = 0;
    o.pr()[k] = m_type(re);
    o.pi()[k] = m_type(im);
  }
  o.drop_imag();
  return o;
}

// --- cell2mat: concatenation with the shape checks of cat -----------------------------

enum kind_t { k_number, k_char, k_logical };
kind_t kind_of(const Mt& m) { return m.ischar() ? k_char : m.islogical() ? k_logical : k_number; }

// Joins values one after another along dim 1 (below each other) or 2 (side by side).
// A 0x0 value adds nothing; every other value must agree in the other dimension.
Mt join(const std::vector<Mt>& parts, int dim) {
  std::vector<const Mt*> used;
  for (const Mt& p : parts)
    if (!(p.rows() == 0 && p.cols() == 0)) used.push_back(&p);
  if (used.empty()) return Mt();
  const std::size_t fixed = dim == 1 ? used[0]->cols() : used[0]->rows();
  std::size_t total = 0;
  bool cplx = false;
  for (const Mt* p : used) {
    if ((dim == 1 ? p->cols() : p->rows()) != fixed) grl_fail("cat: dimension mismatch");
    total += dim == 1 ? p->rows() : p->cols();
    cplx = cplx || p->isc();
  }
  const std::size_t rows = dim == 1 ? total : fixed, cols = dim == 1 ? fixed : total;
  Mt o = Mt::zeros(rows, cols, cplx);
  std::size_t off = 0;
  for (const Mt* p : used) {
    for (std::size_t j = 0; j < p->cols(); ++j)
      for (std::size_t i = 0; i < p->rows(); ++i) {
        const std::size_t at = dim == 1 ? (off + i) + j * rows : i + (off + j) * rows;
        o.pr()[at] = p->cre()[i + j * p->rows()];
        if (cplx) o.pi()[at] = p->ielem(i + j * p->rows());
      }
    off += dim == 1 ? p->rows() : p->cols();
  }
  return o;
}

}  // namespace
}  // namespace grl

using grl::Mc;
using grl::Mt;
namespace su = grl::su;
namespace sc = grl::sc;

// --- str2double -----------------------------------------------------------------------

Mt str2double(const Mt& s) {
  GRL_HELD_CELL_1(str2double, s);
  if (!s.ischar() || s.rows() == 0) return Mt(std::numeric_limits<m_type>::quiet_NaN());
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < s.rows(); ++i) texts.push_back(su::row_text(s, i));
  return grl::numbers(texts, s.rows(), 1, std::vector<bool>(texts.size(), true));
}

Mt str2double(const Mc& c) {
  std::vector<std::string> texts;
  std::vector<bool> is_text;
  for (std::size_t k = 0; k < c.numel(); ++k) {
    const Mt& e = c.elem(k);
    // Only a string of one row (or '') is a number's text.
    const bool one = e.ischar() && e.rows() <= 1 && !e.isempty();
    texts.push_back(one ? su::text(e) : std::string());
    is_text.push_back(one);
  }
  return grl::numbers(texts, c.rows(), c.cols(), is_text);
}

Mt double_M(const Mc&) { grl_fail("invalid conversion from cell array"); }

// --- cells --------------------------------------------------------------------------

Mc num2cell(const Mt& x) {
  Mc c = sc::cells_of(x.rows(), x.cols());
  for (std::size_t k = 0; k < x.numel(); ++k) {
    Mt e = x.isc() ? Mt::cplx(x.cre()[k], x.cim()[k]) : Mt(x.cre()[k]);
    e.drop_imag();
    e.set_flags(sc::class_flags(x));
    c.welem(k) = e;
  }
  if (x.ndims() > 2) c.set_shape(x.shape());
  return c;
}

Mc num2cell(const Mt& x, const Mt& dims) {
  bool down = false, across = false;     // dimensions 1 and 2 kept inside each element
  double before = 0;
  for (std::size_t k = 0; k < dims.numel(); ++k) {
    const double d = double(dims.cre()[k]);
    if (!(d >= 1) || d != std::floor(d)) grl_fail("num2cell: dimension indices must be positive");
    if (k > 0 && !(d > before)) grl_fail("num2cell: dimension indices must be strictly increasing");
    before = d;
    down = down || d == 1;
    across = across || d == 2;
  }
  const std::size_t er = down ? x.rows() : 1, ec = across ? x.cols() : 1;
  const std::size_t cr = down ? 1 : x.rows(), cc = across ? 1 : x.cols();
  Mc c = sc::cells_of(cr, cc);
  for (std::size_t cj = 0; cj < cc; ++cj)
    for (std::size_t ci = 0; ci < cr; ++ci) {
      Mt e = Mt::zeros(er, ec, x.isc());
      for (std::size_t j = 0; j < ec; ++j)
        for (std::size_t i = 0; i < er; ++i) {
          const std::size_t from = (ci + i) + (cj + j) * x.rows();
          e.pr()[i + j * er] = x.cre()[from];
          if (x.isc()) e.pi()[i + j * er] = x.cim()[from];
        }
      e.drop_imag();
      e.set_flags(sc::class_flags(x));
      c.welem(ci + cj * cr) = e;
    }
  return c;
}

Mc cellstr(const Mt& s) {
  if (!s.ischar()) grl_fail("cellstr: argument STRING must be a 2-D character array");
  if (s.rows() == 0) {
    Mc c = sc::cells_of(1, 1);
    c.welem(0) = su::str("");
    return c;
  }
  Mc c = sc::cells_of(s.rows(), 1);
  for (std::size_t i = 0; i < s.rows(); ++i) {
    std::string r = su::row_text(s, i);
    r.erase(r.find_last_not_of(' ') == std::string::npos ? 0 : r.find_last_not_of(' ') + 1);
    c.welem(i) = su::str(r);
  }
  return c;
}

Mc cellstr(const Mc& c) {
  if (!sc::all_text(c)) grl_fail("cellstr: argument STRING must be a 2-D character array");
  return c;
}

// What is wrong with the text of an anonymous function, as Octave's parser says it;
// nullptr when its parameter list closes and a body with paired brackets follows.
static const char* anonymous_text_fault(const std::string& t, std::size_t at) {
  std::size_t p = t.find_first_not_of(" \t", at + 1);
  if (p == std::string::npos || t[p] != '(') return "invalid parameter list";
  const std::size_t close = t.find(')', p);
  if (close == std::string::npos) return "invalid parameter list";
  bool name = false, gap = false;
  for (std::size_t k = p + 1; k < close; ++k) {
    const unsigned char c = static_cast<unsigned char>(t[k]);
    if (std::isalnum(c) || c == '_' || c == '~') {
      if (name && gap) return "invalid parameter list";
      name = true;
      gap = false;
    } else if (c == ',') {
      name = gap = false;
    } else if (c == ' ' || c == '\t') {
      gap = name;
    } else {
      return "invalid parameter list";
    }
  }
  if (t.find_first_not_of(" \t", close + 1) == std::string::npos) return "anonymous function bodies must be single expressions";
  int depth = 0;
  for (std::size_t k = close + 1; k < t.size(); ++k) {
    if (t[k] == '(' || t[k] == '[' || t[k] == '{') ++depth;
    if (t[k] == ')' || t[k] == ']' || t[k] == '}') --depth;
    if (depth < 0) break;
  }
  if (depth != 0) return "anonymous function bodies must be single expressions";
  const std::size_t last = t.find_last_not_of(" \t");
  if (std::strchr("+-*/^=<>&|,", t[last]) != nullptr) return "anonymous function bodies must be single expressions";
  return nullptr;
}

Mt str2func(const Mt& name) {
  if (!name.ischar() || (name.flags_ & grl::F_HANDLE))
    grl_fail("str2func: FCN_NAME must be a string");
  // Anonymous text known when the file is read is compiled; text made only when the
  // program runs would need an interpreter, which a compiled program does not have.
  const std::string text = grl::su::text(name);
  const std::size_t at = text.find_first_not_of(" \t");
  if (at != std::string::npos && text[at] == '@') {
    if (const char* fault = anonymous_text_fault(text, at)) grl_fail("parse error:\n\n  %s\n\n", fault);
    grl_fail("str2func: the anonymous function '%s' is text made while the program runs; "
             "a compiled program can only make one written in the M-file",
             text.c_str());
  }
  return grl::handle(name);
}
Mt str2func(const Mc&) { grl_fail("str2func: FCN_NAME must be a string"); }

Mt func2str(const Mt& h) {
  if (!(h.flags_ & grl::F_HANDLE))
    grl_fail("func2str: FCN_HANDLE argument must be a function handle object");
  // A local function's handle gives its name in the M-file.
  if (!grl::is_anon(h)) return TM(grl::su::handle_shown_name(h).c_str());
  Mt name = h;
  name.set_flags(grl::F_STRING);
  return name;
}
Mt func2str(const Mc&) {
  grl_fail("func2str: FCN_HANDLE argument must be a function handle object");
}

Mt iscellstr(const Mt& x) { return su::boolean(x.holds_cell() && sc::all_text(x.held_cell())); }
Mt iscellstr(const Mc& c) { return su::boolean(sc::all_text(c)); }

Mt cell2mat(const Mt& c) {
  GRL_HELD_CELL_1(cell2mat, c);
  grl_fail("cell2mat: C must be a cell array");
}

namespace {
// The elements of one page of c (rows x cols elements from first) joined: each column
// of the page below each other first, then the columns side by side.
Mt cell2mat_page(const Mc& c, std::size_t first, std::size_t rows, std::size_t cols) {
  std::vector<Mt> columns;
  for (std::size_t j = 0; j < cols; ++j) {
    std::vector<Mt> parts;
    for (std::size_t i = 0; i < rows; ++i) parts.push_back(c.elem(first + i + j * rows));
    columns.push_back(grl::join(parts, 1));
  }
  return grl::join(columns, 2);
}
}  // namespace

Mt cell2mat(const Mc& c) {
  if (c.isempty()) {
    Mt o = Mt::zeros(c.rows(), c.cols());
    if (c.ndims() > 2) o.set_shape(c.shape());
    return o;
  }
  const grl::kind_t kind = grl::kind_of(c.elem(0));
  for (std::size_t k = 1; k < c.numel(); ++k)
    if (grl::kind_of(c.elem(k)) != kind)
      grl_fail("cell2mat: wrong type elements or mixed cells, structs, and matrices");
  Mt o;
  if (c.ndims() <= 2) {
    o = cell2mat_page(c, 0, c.rows(), c.cols());
  } else {
    // A cell of more dimensions: each page joined as above, the pages stacked along
    // the third and further dimensions as the cell's pages are.
    const std::size_t rows = c.extent(0), cols = c.extent(1), page = rows * cols;
    const std::size_t pages = c.numel() / page;
    std::vector<Mt> joined;
    bool cplx = false;
    for (std::size_t p = 0; p < pages; ++p) {
      joined.push_back(cell2mat_page(c, p * page, rows, cols));
      const Mt& m = joined.back();
      if (m.ndims() > 2 || m.rows() != joined[0].rows() || m.cols() != joined[0].cols())
        grl_fail("cat: dimension mismatch");
      cplx = cplx || m.isc();
    }
    const std::size_t n = joined[0].numel();
    o = Mt::zeros(joined[0].rows(), joined[0].cols() * pages, cplx);
    for (std::size_t p = 0; p < pages; ++p)
      for (std::size_t k = 0; k < n; ++k) {
        o.pr()[p * n + k] = joined[p].cre()[k];
        if (cplx) o.pi()[p * n + k] = joined[p].ielem(k);
      }
    grl::sizes shape = c.shape();
    shape[0] = joined[0].rows();
    shape[1] = joined[0].cols();
    o.set_shape(shape);
  }
  o.drop_imag();
  if (!o.isempty() || kind != grl::k_number)
    o.set_flags(sc::class_flags(c.elem(0)));
  return o;
}

// --- mat2cell -----------------------------------------------------------------------

namespace {
// The block sizes along dimension dim (1 or 2) of a value of `extent` there: whole
// non-negative numbers adding up to the extent.
std::vector<std::size_t> block_sizes(const Mt& counts, int dim, std::size_t extent) {
  if (counts.holds_cell() || counts.holds_struct() || counts.isc())
    grl_fail("mat2cell: dimension vectors must be real numbers");
  std::vector<std::size_t> out;
  double total = 0;
  for (std::size_t k = 0; k < counts.numel(); ++k) {
    const double v = double(counts.cre()[k]);
    if (!(v >= 0) || v != std::floor(v) || v > 1e15)
      grl_fail("mat2cell: dimension vectors must hold non-negative integers");
    out.push_back(std::size_t(v));
    total += v;
  }
  if (total != double(extent)) grl_fail("mat2cell: mismatch on dimension %d (%zu != %.0f)", dim, extent, total);
  return out;
}

// Positions first+1 .. first+n as a row of indices.
Mt span(std::size_t first, std::size_t n) {
  Mt v = Mt::zeros(1, n);
  for (std::size_t k = 0; k < n; ++k) v.pr()[k] = double(first + k + 1);
  return v;
}

Mt as_element(const Mt& x) { return x; }
Mt as_element(const Mc& x) { return Mt::of_cell(x); }

template <class A> Mc cut_blocks(const A& a, const Mt& r, const Mt* c) {
  if (a.ndims() > 2) grl_fail("mat2cell: A must have two dimensions at most");
  const std::vector<std::size_t> rs = block_sizes(r, 1, a.rows());
  const std::vector<std::size_t> cs = c ? block_sizes(*c, 2, a.cols()) : std::vector<std::size_t>{a.cols()};
  Mc out = sc::cells_of(rs.size(), cs.size());
  std::size_t col = 0;
  for (std::size_t j = 0; j < cs.size(); ++j) {
    std::size_t row = 0;
    const Mt col_list = span(col, cs[j]);   // an index refers to its list: the list must outlive it
    for (std::size_t i = 0; i < rs.size(); ++i) {
      const Mt row_list = span(row, rs[i]);
      out.welem(i + j * rs.size()) = as_element(a.get2(grl::ix<m_type>(row_list), grl::ix<m_type>(col_list)));
      row += rs[i];
    }
    col += cs[j];
  }
  return out;
}
}  // namespace

Mc mat2cell(const Mt& a, const Mt& r) { return cut_blocks(a, r, nullptr); }
Mc mat2cell(const Mt& a, const Mt& r, const Mt& c) { return cut_blocks(a, r, &c); }
Mc mat2cell(const Mc& a, const Mt& r) { return cut_blocks(a, r, nullptr); }
Mc mat2cell(const Mc& a, const Mt& r, const Mt& c) { return cut_blocks(a, r, &c); }
