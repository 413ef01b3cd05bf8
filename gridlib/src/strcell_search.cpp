// Searching strings: strrep, strfind, findstr, strtok, and the character classes
// isspace, isletter, isdigit, isupper and islower.
#include <cmath>
#include <string>
#include <vector>

#include "strcell_util.h"
#include "held_cells.h"

namespace grl {
namespace {

// The start of every occurrence of p in s, overlapping ones included.
std::vector<std::size_t> matches(const std::string& s, const std::string& p) {
  std::vector<std::size_t> at;
  if (p.empty() || p.size() > s.size()) return at;
  for (std::size_t k = s.find(p); k != std::string::npos; k = s.find(p, k + 1)) at.push_back(k);
  return at;
}

// A row of 1-based positions; [] (0x0) when there are none.
Mt positions_row(const std::vector<std::size_t>& at) {
  if (at.empty()) return Mt();
  Mt m = Mt::alloc(1, at.size());
  for (std::size_t k = 0; k < at.size(); ++k) m.pr()[k] = m_type(at[k] + 1);
  return m;
}

// Each occurrence gives the replacement. Text between occurrences is kept; text that
// overlapping occurrences share appears only through their replacements.
std::string replace_all(const std::string& s, const std::string& p, const std::string& rep) {
  std::vector<std::size_t> at = matches(s, p);
  std::string out;
  std::size_t done = 0;
  for (std::size_t k : at) {
    if (k > done) out.append(s, done, k - done);
    out += rep;
    done = k + p.size() > done ? k + p.size() : done;
  }
  if (done < s.size()) out.append(s, done, std::string::npos);
  return out;
}

Mt replace_text(const Mt& s, const std::string& p, const std::string& rep) {
  if (s.rows() <= 1) {
    const std::string t = su::text(s);
    if (matches(t, p).empty()) return s;
    return sc::chars(replace_all(t, p, rep), false);
  }
  // A char matrix: each row on its own, padded again to the longest.
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < s.rows(); ++i) rows.push_back(replace_all(su::row_text(s, i), p, rep));
  return su::char_rows(rows);
}

void check_replace_args(const Mt& p, const Mt& rep) {
  if (!p.ischar() || !rep.ischar())
    grl_fail("strrep: PTN and REP arguments must be strings or cell arrays of strings");
}

Mt find_in(const Mt& s, const Mt& p) {
  if (!p.ischar()) grl_fail("strfind: PATTERN must be a string or cell array of strings");
  return positions_row(matches(su::text(s), su::text(p)));
}

// The default delimiters of strtok: white space.
const std::string white_space = " \t\n\v\f\r";

std::string delimiters(const Mt& d) {
  std::string out;
  for (std::size_t k = 0; k < d.numel(); ++k) {
    const double v = double(d.cre()[k]);
    if (std::isfinite(v)) out += char((unsigned long)(long(v)) & 0xFFu);
  }
  return out;
}

// One string split at its first token: the token (1x0 when there is none) and the
// rest from the delimiter that ends it (0x0 when nothing is left).
void token(const Mt& s, const std::string& delim, Mt& t, Mt& r) {
  if (s.rows() > 1) grl_fail("strtok: STR cannot be a 2-D character array");
  if (s.isempty() && s.rows() == 0) {
    t = s;
    r = su::str("");
    return;
  }
  const std::string text = su::text(s);
  std::size_t lo = text.find_first_not_of(delim);
  if (lo == std::string::npos) lo = text.size();
  std::size_t hi = text.find_first_of(delim, lo);
  if (hi == std::string::npos) hi = text.size();
  t = sc::chars(text.substr(lo, hi - lo), true);
  r = sc::chars(text.substr(hi), false);
}

void token_text(const Mt& s, const std::string& delim, Mt& t, Mt& r) {
  if (!s.ischar()) grl_fail("strtok: STR must be a string or cell array of strings");
  token(s, delim, t, r);
}

void token_cells(const Mc& s, const std::string& delim, Mc& t, Mc& r) {
  if (!sc::all_text(s)) grl_fail("strtok: STR must be a string or cell array of strings");
  t = sc::cells_of(s.rows(), s.cols());
  r = sc::cells_of(s.rows(), s.cols());
  for (std::size_t k = 0; k < s.numel(); ++k) token(s.elem(k), delim, t.welem(k), r.welem(k));
}

bool letter(double c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  // Latin-1 letters: ª µ º and 192..255 without × and ÷.
  return c == 170 || c == 181 || c == 186 || (c >= 192 && c <= 255 && c != 215 && c != 247);
}

template <class P> Mt char_class(const Mt& s, P is) {
  Mt o = sc::falses(s.rows(), s.cols());
  if (!s.ischar()) return o;
  for (std::size_t k = 0; k < s.numel(); ++k) o.pr()[k] = is(double(s.cre()[k])) ? 1 : 0;
  return o;
}

}  // namespace
}  // namespace grl

using grl::Mc;
using grl::Mt;
namespace su = grl::su;
namespace sc = grl::sc;

Mt strrep(const Mt& s, const Mt& ptn, const Mt& rep) {
  GRL_HELD_CELL_1(strrep, s, ptn, rep);
  grl::check_replace_args(ptn, rep);
  if (!s.ischar()) grl_fail("strrep: S must be a string or cell array of strings");
  return grl::replace_text(s, su::text(ptn), su::text(rep));
}

Mc strrep(const Mc& s, const Mt& ptn, const Mt& rep) {
  grl::check_replace_args(ptn, rep);
  if (!sc::all_text(s)) grl_fail("strrep: each element of S must be a string");
  const std::string p = su::text(ptn), r = su::text(rep);
  Mc out = sc::cells_of(s.rows(), s.cols());
  for (std::size_t k = 0; k < s.numel(); ++k) out.welem(k) = grl::replace_text(s.elem(k), p, r);
  return out;
}

Mt strfind(const Mt& s, const Mt& ptn) {
  GRL_HELD_CELL_1(strfind, s, ptn);
  if (!s.ischar()) grl_fail("strfind: first argument must be a string or cell array of strings");
  return grl::find_in(s, ptn);
}

Mc strfind(const Mc& s, const Mt& ptn) {
  if (!ptn.ischar()) grl_fail("strfind: PATTERN must be a string or cell array of strings");
  if (!sc::all_text(s)) grl_fail("strfind: each element of CELLSTR must be a string");
  Mc out = sc::cells_of(s.rows(), s.cols());
  for (std::size_t k = 0; k < s.numel(); ++k) out.welem(k) = grl::find_in(s.elem(k), ptn);
  return out;
}

Mt findstr(const Mt& a, const Mt& b) { return findstr(a, b, Mt(m_type(1))); }

Mt findstr(const Mt& a, const Mt& b, const Mt& overlap) {
  std::string s = su::text(a), p = su::text(b);
  if (p.size() > s.size()) s.swap(p);
  std::vector<std::size_t> at = grl::matches(s, p);
  const bool overlaps = overlap.isempty() || overlap.cre()[0] != 0;
  if (!overlaps) {
    // Each occurrence that starts inside the one kept before it is dropped.
    std::vector<std::size_t> kept;
    for (std::size_t k : at)
      if (kept.empty() || k >= kept.back() + p.size()) kept.push_back(k);
    at.swap(kept);
  }
  return grl::positions_row(at);
}

Mt strtok(const Mt& s) {
  Mt t, r;
  grl::token_text(s, grl::white_space, t, r);
  return t;
}
Mt strtok(const Mt& s, const Mt& delim) {
  Mt t, r;
  grl::token_text(s, grl::delimiters(delim), t, r);
  return t;
}
void strtok(const Mt& s, i_o_t, Mr<m_type> t) { t = strtok(s); }
void strtok(const Mt& s, i_o_t, Mr<m_type> t, Mr<m_type> r) {
  Mt a, b;
  grl::token_text(s, grl::white_space, a, b);
  t = a;
  r = b;
}
void strtok(const Mt& s, const Mt& delim, i_o_t, Mr<m_type> t) { t = strtok(s, delim); }
void strtok(const Mt& s, const Mt& delim, i_o_t, Mr<m_type> t, Mr<m_type> r) {
  Mt a, b;
  grl::token_text(s, grl::delimiters(delim), a, b);
  t = a;
  r = b;
}

Mc strtok(const Mc& s) {
  Mc t, r;
  grl::token_cells(s, grl::white_space, t, r);
  return t;
}
Mc strtok(const Mc& s, const Mt& delim) {
  Mc t, r;
  grl::token_cells(s, grl::delimiters(delim), t, r);
  return t;
}
void strtok(const Mc& s, i_o_t, Mc& t) { t = strtok(s); }
void strtok(const Mc& s, i_o_t, Mc& t, Mc& r) {
  Mc a, b;
  grl::token_cells(s, grl::white_space, a, b);
  t = a;
  r = b;
}
void strtok(const Mc& s, const Mt& delim, i_o_t, Mc& t) { t = strtok(s, delim); }
void strtok(const Mc& s, const Mt& delim, i_o_t, Mc& t, Mc& r) {
  Mc a, b;
  grl::token_cells(s, grl::delimiters(delim), a, b);
  t = a;
  r = b;
}

// Only char values have white space and letters; numbers and cells give false.
Mt isspace_M(const Mt& s) { return grl::char_class(s, sc::white); }
Mt isspace_M(const Mc& s) { return sc::falses(s.rows(), s.cols()); }
Mt isletter(const Mt& s) { return grl::char_class(s, grl::letter); }
Mt isletter(const Mc& s) { return sc::falses(s.rows(), s.cols()); }
Mt isdigit_M(const Mt& s) { return grl::char_class(s, [](double c) { return c >= '0' && c <= '9'; }); }
Mt isdigit_M(const Mc& s) { return sc::falses(s.rows(), s.cols()); }
Mt isupper_M(const Mt& s) { return grl::char_class(s, [](double c) { return c >= 'A' && c <= 'Z'; }); }
Mt isupper_M(const Mc& s) { return sc::falses(s.rows(), s.cols()); }
Mt islower_M(const Mt& s) { return grl::char_class(s, [](double c) { return c >= 'a' && c <= 'z'; }); }
Mt islower_M(const Mc& s) { return sc::falses(s.rows(), s.cols()); }
