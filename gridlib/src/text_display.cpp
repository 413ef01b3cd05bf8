// The display statement and disp: a matrix or cell is turned into the plain view
// the format engine prints, without copying when the elements are already doubles.
#include "gridlib.h"
#include "gridlib_text.h"
#include "gridlib_extra.h"

#include <cctype>
#include <deque>
#include <vector>

#include "gridlib/format.h"
#include "strutil.h"
#include "object_map.h"
#include "object_parser.h"
#include "int64_util.h"

namespace grl {
namespace {

typedef M<m_type> Mt;
typedef M<M<m_type>> Ct;
using gridlib::fmt::value_view;

// Keeps the double copies of float elements alive as long as the views use them.
struct view_store {
  std::deque<std::vector<double>> parts;
  // The codes of text made for the view (a handle's @name).
  const double* chars(const std::string& t) {
    parts.emplace_back(t.begin(), t.end());
    for (std::size_t k = 0; k < t.size(); ++k) parts.back()[k] = double((unsigned char)t[k]);
    return parts.back().data();
  }
  const double* doubles(const m_type* p, std::size_t n) {
    if (!p || n == 0) return nullptr;
    if (sizeof(m_type) == sizeof(double)) return reinterpret_cast<const double*>(p);
    parts.emplace_back(p, p + n);
    return parts.back().data();
  }
};

value_view view_of(const Ct& c, view_store& st);

// The words for a value's kind that a deeply nested structure field shows.
std::string kind_words(const Mt& x) {
  if (x.holds_cell()) return "cell";
  if (x.holds_struct()) return x.numel() == 1 ? "scalar struct" : "struct";
  if (x.flags_ & F_HANDLE) return "function handle";
  if (x.ischar()) return "sq_string";
  const bool one = x.numel() == 1 && x.ndims() == 2;
  if (x.islogical()) return one ? "bool" : "bool matrix";
  const mclass c = x.num_class();
  std::string s;
  if (is_int_class(c)) return std::string(class_name(c)) + (one ? " scalar" : " matrix");
  if (c == mc_single) s = "float ";
  if (x.isc()) s += "complex ";
  else if (c != mc_single && x.isrange() && !one) return "double_range";
  return s + (one ? "scalar" : "matrix");
}

// Its extents and kind: "1x3 matrix", "1x1 scalar struct".
std::string summary_of(const Mt& x) {
  if (x.flags_ & F_HANDLE) return "1x1 function handle";
  std::string d;
  const auto shape = x.holds_cell() ? x.held_cell().shape() : x.shape();
  for (std::size_t k = 0; k < shape.size(); ++k) d += (k ? "x" : "") + std::to_string(shape[k]);
  return d + " " + kind_words(x);
}

value_view view_of_value(const Mt& x, view_store& st);

value_view view_of(const Mt& x, view_store& st) {
  value_view v = view_of_value(x, st);
  v.summary = summary_of(x);
  return v;
}

value_view view_of_value(const Mt& x, view_store& st) {
  if (x.holds_cell()) return view_of(x.held_cell(), st);
  value_view v;
  if (x.holds_struct()) {
    v.rows = int(x.rows());
    v.cols = int(x.cols());
    if (x.ndims() > 2)
      for (std::size_t e : x.shape()) v.extents.push_back(long(e));
    const auto& names = x.st_->names;
    const bool one = x.numel() == 1;
    v.kind = one ? value_view::structure : value_view::struct_array;
    for (std::size_t f = 0; f < names.size(); ++f)
      v.fields.emplace_back(names[f], one ? view_of(x.st_->v[f], st) : value_view());
    return v;
  }
  // A named handle in a cell or field shows as @name (an anonymous one as its text).
  if ((x.flags_ & F_HANDLE) && x.numel() > 0) {
    const std::string t = su::handle_shown_name(x);
    const std::string shown = t[0] == '@' ? t : "@" + t;
    v.kind = value_view::chars;
    v.rows = 1;
    v.cols = int(shown.size());
    v.re = st.chars(shown);
    return v;
  }
  v.kind = x.ischar() ? value_view::chars : x.islogical() ? value_view::logical : value_view::numeric;
  v.rows = int(x.rows());
  v.cols = int(x.cols());
  v.single = sizeof(m_type) != sizeof(double) || x.num_class() == mc_single;
  v.integer = is_int_class(x.num_class());
  if (v.integer) v.least = class_min(x.num_class());
  if (w64::has_exact(x) && !x.isc())
    for (std::size_t k = 0; k < x.numel(); ++k) v.texts.push_back(w64::element_text(x, k));
  v.re = st.doubles(x.cre(), x.numel());
  v.im = st.doubles(x.cim(), x.numel());
  v.range = x.isrange() && !x.isc();
  v.range_limit = double(x.range_limit());
  if (x.ndims() > 2)
    for (std::size_t e : x.shape()) v.extents.push_back(long(e));
  return v;
}

value_view view_of(const Ct& c, view_store& st) {
  value_view v;
  v.kind = value_view::cell;
  v.rows = int(c.rows());
  v.cols = int(c.cols());
  if (c.ndims() > 2)
    for (std::size_t e : c.shape()) v.extents.push_back(long(e));
  v.elems.reserve(c.numel());
  for (std::size_t k = 0; k < c.numel(); ++k) v.elems.push_back(view_of(c.elem(k), st));
  return v;
}

}  // namespace

namespace {
// An anonymous function (a closure whose text is "@(...) ..."); a handle to a nested
// function is a closure too but shows as a named one.
bool anonymous_text(const Mt& x) {
  return (x.flags_ & F_HANDLE) && x.fn_ && x.numel() > 0 && x.cre()[0] == '@';
}
}  // namespace

void put_text(const std::string& s) {
  std::cout.write(s.data(), std::streamsize(s.size()));
}

std::string display_text(const Mt& x, const char* name) {
  if (is_map(x)) return map_display(name) + map_disp(x) + "\n";
  if (is_parser(x)) return map_display(name) + parser_disp(x) + "\n";
  // An anonymous function shows its text on a line of its own, between blank lines.
  if (anonymous_text(x))
    return std::string(name ? name : "ans") + " =\n\n" + su::text(x) + "\n\n";
  if (x.flags_ & F_HANDLE) return std::string(name ? name : "ans") + " = @" + su::handle_shown_name(x) + "\n";
  view_store st;
  return gridlib::fmt::display(name ? name : "ans", view_of(x, st));
}

std::string display_text(const Ct& x, const char* name) {
  view_store st;
  return gridlib::fmt::display(name ? name : "ans", view_of(x, st));
}

std::string disp_text(const Mt& x) {
  if (is_map(x)) return map_disp(x);
  if (is_parser(x)) return parser_disp(x);
  if (anonymous_text(x)) return su::text(x);   // no line end, as octave-cli
  if (x.flags_ & F_HANDLE) return "@" + su::handle_shown_name(x) + "\n";
  view_store st;
  return gridlib::fmt::disp(view_of(x, st));
}

std::string disp_text(const Ct& x) {
  view_store st;
  return gridlib::fmt::disp(view_of(x, st));
}

void show(const Mt& x, const char* name) { put_text(display_text(x, name)); }
void show(const Ct& x, const char* name) { put_text(display_text(x, name)); }

}  // namespace grl

grl::quiet disp(const M<m_type>& x) {
  grl::put_text(grl::disp_text(x));
  return grl::quiet();
}

grl::quiet disp(const M<M<m_type>>& x) {
  grl::put_text(grl::disp_text(x));
  return grl::quiet();
}

M<m_type> disp_output(const M<m_type>& x) { return TM(grl::disp_text(x).c_str()); }
M<m_type> disp_output(const M<M<m_type>>& x) { return TM(grl::disp_text(x).c_str()); }

// format alone, format short and format long: the digits values display with, in
// fixed point where it fits; the g styles (short g, longG) choose per element, the e
// styles always write e-notation. compact and loose leave the digits alone and drop or
// keep the blank lines of displays. more: output goes straight to standard output,
// never through a pager.
grl::quiet format(const M<m_type>& mode) {
  namespace fmt = gridlib::fmt;
  std::string m;
  for (char c : grl::text_of(mode))
    if (c != ' ') m.push_back(char(std::tolower(static_cast<unsigned char>(c))));
  if (m == "compact" || m == "loose") {
    fmt::set_compact(m == "compact");
    return grl::quiet();
  }
  const bool is_long = m.compare(0, 4, "long") == 0;
  const std::string style = m.substr(is_long ? 4 : m.compare(0, 5, "short") == 0 ? 5 : 0);
  if (!m.empty() && !is_long && m.compare(0, 5, "short") != 0)
    grl_fail("format: unrecognized format state '%s'", grl::text_of(mode).c_str());
  if (style.empty()) {
    fmt::set_notation(fmt::notation::fitted);
  } else if (style == "g") {
    fmt::set_notation(fmt::notation::general);
  } else if (style == "e") {
    fmt::set_notation(fmt::notation::exponent);
  } else {
    grl_fail("format: unrecognized format state '%s'", grl::text_of(mode).c_str());
  }
  fmt::set_long_format(is_long);
  if (m.empty()) fmt::set_compact(false);
  return grl::quiet();
}

grl::quiet more(const M<m_type>&) { return grl::quiet(); }
