// strcmp, strcmpi, strncmp, strncmpi: strings and cells of strings compared, giving
// logical values; anything that is not a string equals nothing. startsWith, endsWith
// and contains look for patterns at the start, the end or anywhere in strings.
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "strcell_util.h"
#include "held_cells.h"

namespace grl {
namespace {

// How two values are compared: whole or only the first n characters, with or without
// case. `fn` names the function in messages.
struct rule {
  const char* fn;
  bool fold;
  long n;     // -1: whole strings
};

char fold_case(char c, bool fold) { return fold ? char(std::tolower((unsigned char)c)) : c; }

bool same_text(const std::string& a, const std::string& b, bool fold) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k)
    if (fold_case(a[k], fold) != fold_case(b[k], fold)) return false;
  return true;
}

// Whole strings must agree in shape as well; the first n characters are compared as
// text, a shorter string matching only when both end at the same place.
bool same(const Mt& a, const Mt& b, const rule& r) {
  if (!a.ischar() || !b.ischar()) return false;
  std::string ta = su::text(a), tb = su::text(b);
  if (r.n < 0) return a.rows() == b.rows() && a.cols() == b.cols() && same_text(ta, tb, r.fold);
  const std::size_t n = std::size_t(r.n);
  if (ta.size() > n) ta.resize(n);
  if (tb.size() > n) tb.resize(n);
  return same_text(ta, tb, r.fold);
}

Mt row_of(const Mt& s, std::size_t i) { return sc::chars(su::row_text(s, i), true); }

// A cell against a string. A char matrix of several rows is a list of strings: row k
// goes with element k, or every row with the one element of a 1 x 1 cell.
Mt cell_vs_text(const Mc& c, const Mt& s, const rule& r) {
  if (!s.ischar()) return sc::falses(c.rows(), c.cols());
  if (s.rows() <= 1) {
    Mt o = sc::falses(c.rows(), c.cols());
    for (std::size_t k = 0; k < c.numel(); ++k) o.pr()[k] = same(c.elem(k), s, r) ? 1 : 0;
    return o;
  }
  if (c.numel() == s.rows()) {
    Mt o = sc::falses(c.rows(), c.cols());
    for (std::size_t k = 0; k < c.numel(); ++k) o.pr()[k] = same(c.elem(k), row_of(s, k), r) ? 1 : 0;
    return o;
  }
  if (c.numel() == 1) {
    Mt o = sc::falses(s.rows(), 1);
    for (std::size_t i = 0; i < s.rows(); ++i) o.pr()[i] = same(c.elem(0), row_of(s, i), r) ? 1 : 0;
    return o;
  }
  return su::boolean(false);
}

// Two cells: element by element, a 1 x 1 cell against every element of the other.
Mt cell_vs_cell(const Mc& a, const Mc& b, const rule& r) {
  const bool eq = a.rows() == b.rows() && a.cols() == b.cols();
  if (!eq && a.numel() != 1 && b.numel() != 1) grl_fail("%s: nonconformant cell arrays", r.fn);
  const Mc& shape = eq || b.numel() == 1 ? a : b;
  Mt o = sc::falses(shape.rows(), shape.cols());
  for (std::size_t k = 0; k < shape.numel(); ++k)
    o.pr()[k] = same(a.elem(a.numel() == 1 ? 0 : k), b.elem(b.numel() == 1 ? 0 : k), r) ? 1 : 0;
  return o;
}

// The count argument of strncmp: a positive number, truncated to an integer.
long count_arg(const Mt& n, const char* fn) {
  const double v = n.isempty() || n.ischar() ? 0 : std::floor(double(n.cre()[0]));
  if (!(v > 0)) grl_fail("%s: N must be greater than 0", fn);
  return v > 1e15 ? long(1e15) : long(v);
}

// The strings of an argument of startsWith/endsWith: a char row, or the elements of a
// cell, each a char row (an empty cell element counts as ''). `what` names the argument
// in the message.
std::vector<std::string> edge_strings(const Mt& x, const char* fn, const char* what, bool& is_cell) {
  std::vector<std::string> out;
  is_cell = x.holds_cell();
  if (is_cell) {
    const Mc& c = x.held_cell();
    for (std::size_t k = 0; k < c.numel(); ++k) {
      const Mt& e = c.elem(k);
      if (e.holds_cell() || e.holds_struct() || (!e.ischar() && e.numel() != 0) || e.rows() > 1)
        grl_fail("%s: %s must be a string or cell array of strings", fn, what);
      out.push_back(su::text(e));
    }
    return out;
  }
  if (x.holds_struct() || (!x.ischar() && x.numel() != 0))
    grl_fail("%s: %s must be a string or cell array of strings", fn, what);
  // A char matrix is a list of strings, one per row.
  if (x.rows() > 1)
    for (std::size_t i = 0; i < x.rows(); ++i) out.push_back(su::row_text(x, i));
  else
    out.push_back(su::text(x));
  return out;
}

// Where a pattern is looked for in a string: at its start, at its end or anywhere.
enum class place_t { start, end, anywhere };

bool match_at(const std::string& s, const std::string& p, std::size_t off, bool fold) {
  for (std::size_t k = 0; k < p.size(); ++k)
    if (fold_case(s[off + k], fold) != fold_case(p[k], fold)) return false;
  return true;
}

bool edge_match(const std::string& s, const std::string& p, place_t where, bool fold) {
  if (p.size() > s.size()) return false;
  if (where == place_t::start) return match_at(s, p, 0, fold);
  if (where == place_t::end) return match_at(s, p, s.size() - p.size(), fold);
  for (std::size_t off = 0; off + p.size() <= s.size(); ++off)
    if (match_at(s, p, off, fold)) return true;
  return false;
}

Mt starts_ends(place_t where, const Mt& s, const Mt& p, const Mt* name, const Mt* value) {
  const char* fn = where == place_t::end ? "endsWith" : where == place_t::start ? "startsWith" : "contains";
  bool fold = false;
  if (name) {
    const std::string n = name->ischar() ? su::text(*name) : std::string();
    std::string low;
    for (char ch : n) low += char(std::tolower((unsigned char)ch));
    if (low != "ignorecase") grl_fail("%s: third input must be \"IgnoreCase\"", fn);
    if (value->ischar()) grl_fail("logical: wrong type argument 'sq_string'");
    if (value->holds_cell() || value->holds_struct() || value->numel() != 1)
      grl_fail("%s: \"IgnoreCase\" value must be a logical scalar", fn);
    fold = double(value->cre()[0]) != 0;
  }
  bool s_cell = false, p_cell = false;
  const std::vector<std::string> ss = edge_strings(s, fn, "STR", s_cell);
  const std::vector<std::string> ps = edge_strings(p, fn, "PATTERN", p_cell);
  Mt o = s_cell ? sc::falses(s.held_cell().rows(), s.held_cell().cols()) : sc::falses(ss.size(), 1);
  for (std::size_t k = 0; k < ss.size(); ++k)
    for (const std::string& q : ps)
      if (edge_match(ss[k], q, where, fold)) {
        o.pr()[k] = 1;
        break;
      }
  return o;
}

}  // namespace
}  // namespace grl

using grl::Mc;
using grl::Mt;
using grl::rule;

Mt strcmp(const Mt& a, const Mt& b) {
  GRL_HELD_CELL_2(strcmp, a, b);
  return grl::su::boolean(grl::same(a, b, rule{"strcmp", false, -1})); }
Mt strcmp(const Mc& a, const Mt& b) { return grl::cell_vs_text(a, b, rule{"strcmp", false, -1}); }
Mt strcmp(const Mt& a, const Mc& b) { return grl::cell_vs_text(b, a, rule{"strcmp", false, -1}); }
Mt strcmp(const Mc& a, const Mc& b) { return grl::cell_vs_cell(a, b, rule{"strcmp", false, -1}); }

Mt strcmpi(const Mt& a, const Mt& b) {
  GRL_HELD_CELL_2(strcmpi, a, b);
  return grl::su::boolean(grl::same(a, b, rule{"strcmpi", true, -1})); }
Mt strcmpi(const Mc& a, const Mt& b) { return grl::cell_vs_text(a, b, rule{"strcmpi", true, -1}); }
Mt strcmpi(const Mt& a, const Mc& b) { return grl::cell_vs_text(b, a, rule{"strcmpi", true, -1}); }
Mt strcmpi(const Mc& a, const Mc& b) { return grl::cell_vs_cell(a, b, rule{"strcmpi", true, -1}); }

Mt strncmp(const Mt& a, const Mt& b, const Mt& n) {
  GRL_HELD_CELL_2(strncmp, a, b, n);
  return grl::su::boolean(grl::same(a, b, rule{"strncmp", false, grl::count_arg(n, "strncmp")}));
}
Mt strncmp(const Mc& a, const Mt& b, const Mt& n) {
  return grl::cell_vs_text(a, b, rule{"strncmp", false, grl::count_arg(n, "strncmp")});
}
Mt strncmp(const Mt& a, const Mc& b, const Mt& n) {
  return grl::cell_vs_text(b, a, rule{"strncmp", false, grl::count_arg(n, "strncmp")});
}
Mt strncmp(const Mc& a, const Mc& b, const Mt& n) {
  return grl::cell_vs_cell(a, b, rule{"strncmp", false, grl::count_arg(n, "strncmp")});
}

Mt strncmpi(const Mt& a, const Mt& b, const Mt& n) {
  GRL_HELD_CELL_2(strncmpi, a, b, n);
  return grl::su::boolean(grl::same(a, b, rule{"strncmpi", true, grl::count_arg(n, "strncmpi")}));
}
Mt strncmpi(const Mc& a, const Mt& b, const Mt& n) {
  return grl::cell_vs_text(a, b, rule{"strncmpi", true, grl::count_arg(n, "strncmpi")});
}
Mt strncmpi(const Mt& a, const Mc& b, const Mt& n) {
  return grl::cell_vs_text(b, a, rule{"strncmpi", true, grl::count_arg(n, "strncmpi")});
}
Mt strncmpi(const Mc& a, const Mc& b, const Mt& n) {
  return grl::cell_vs_cell(a, b, rule{"strncmpi", true, grl::count_arg(n, "strncmpi")});
}

Mt startsWith(const Mt& s, const Mt& p) { return grl::starts_ends(grl::place_t::start, s, p, nullptr, nullptr); }
Mt startsWith(const Mt& s, const Mt& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::start, s, p, &name, &value);
}
Mt startsWith(const Mt& s, const Mc& p) { return grl::starts_ends(grl::place_t::start, s, Mt::of_cell(p), nullptr, nullptr); }
Mt startsWith(const Mt& s, const Mc& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::start, s, Mt::of_cell(p), &name, &value);
}
Mt startsWith(const Mc& s, const Mt& p) { return grl::starts_ends(grl::place_t::start, Mt::of_cell(s), p, nullptr, nullptr); }
Mt startsWith(const Mc& s, const Mt& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::start, Mt::of_cell(s), p, &name, &value);
}
Mt startsWith(const Mc& s, const Mc& p) { return grl::starts_ends(grl::place_t::start, Mt::of_cell(s), Mt::of_cell(p), nullptr, nullptr); }
Mt startsWith(const Mc& s, const Mc& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::start, Mt::of_cell(s), Mt::of_cell(p), &name, &value);
}
Mt endsWith(const Mt& s, const Mt& p) { return grl::starts_ends(grl::place_t::end, s, p, nullptr, nullptr); }
Mt endsWith(const Mt& s, const Mt& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::end, s, p, &name, &value);
}
Mt endsWith(const Mt& s, const Mc& p) { return grl::starts_ends(grl::place_t::end, s, Mt::of_cell(p), nullptr, nullptr); }
Mt endsWith(const Mt& s, const Mc& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::end, s, Mt::of_cell(p), &name, &value);
}
Mt endsWith(const Mc& s, const Mt& p) { return grl::starts_ends(grl::place_t::end, Mt::of_cell(s), p, nullptr, nullptr); }
Mt endsWith(const Mc& s, const Mt& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::end, Mt::of_cell(s), p, &name, &value);
}
Mt endsWith(const Mc& s, const Mc& p) { return grl::starts_ends(grl::place_t::end, Mt::of_cell(s), Mt::of_cell(p), nullptr, nullptr); }
Mt endsWith(const Mc& s, const Mc& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::end, Mt::of_cell(s), Mt::of_cell(p), &name, &value);
}

Mt contains(const Mt& s, const Mt& p) { return grl::starts_ends(grl::place_t::anywhere, s, p, nullptr, nullptr); }
Mt contains(const Mt& s, const Mt& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::anywhere, s, p, &name, &value);
}
Mt contains(const Mt& s, const Mc& p) { return grl::starts_ends(grl::place_t::anywhere, s, Mt::of_cell(p), nullptr, nullptr); }
Mt contains(const Mt& s, const Mc& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::anywhere, s, Mt::of_cell(p), &name, &value);
}
Mt contains(const Mc& s, const Mt& p) { return grl::starts_ends(grl::place_t::anywhere, Mt::of_cell(s), p, nullptr, nullptr); }
Mt contains(const Mc& s, const Mt& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::anywhere, Mt::of_cell(s), p, &name, &value);
}
Mt contains(const Mc& s, const Mc& p) { return grl::starts_ends(grl::place_t::anywhere, Mt::of_cell(s), Mt::of_cell(p), nullptr, nullptr); }
Mt contains(const Mc& s, const Mc& p, const Mt& name, const Mt& value) {
  return grl::starts_ends(grl::place_t::anywhere, Mt::of_cell(s), Mt::of_cell(p), &name, &value);
}
