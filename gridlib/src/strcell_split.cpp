// strsplit and strjoin: a string cut at its delimiters into a row cell, and a cell of
// strings joined with a delimiter between them. Delimiters may spell escape sequences
// (\t, \n, ...) as printf formats do.
#include <cctype>
#include <string>
#include <vector>

#include "strcell_util.h"

namespace {

using grl::Mc;
using grl::Mt;
namespace su = grl::su;

bool is_text_row(const Mt& s) { return s.ischar() && s.rows() <= 1; }

// The delimiter that matches s at position at, longest first; 0 when none does.
std::size_t match_at(const std::string& s, std::size_t at, const std::vector<std::string>& delims) {
  std::size_t best = 0;
  for (const std::string& d : delims)
    if (d.size() > best && s.compare(at, d.size(), d) == 0) best = d.size();
  return best;
}

Mc split(const Mt& s, const std::vector<std::string>& delims, bool collapse) {
  if (!is_text_row(s) && !s.isempty()) grl_fail("strsplit: S and DEL must be string values");
  const std::string text = su::text(s);
  std::vector<std::string> parts(1);
  bool after_delim = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t n = match_at(text, at, delims);
    if (n == 0) {
      parts.back() += text[at++];
      after_delim = false;
      continue;
    }
    if (!(collapse && after_delim)) parts.emplace_back();
    after_delim = true;
    at += n;
  }
  Mc out = Mc::alloc(1, parts.size());
  for (std::size_t k = 0; k < parts.size(); ++k) out.welem(k) = grl::sc::chars(parts[k], true);
  return out;
}

std::vector<std::string> delimiters(const Mt& d) {
  if (!is_text_row(d)) grl_fail("strsplit: S and DEL must be string values");
  return {su::expand_escapes(su::text(d))};
}

std::vector<std::string> delimiters(const Mc& d) {
  if (!grl::sc::all_text(d)) grl_fail("strsplit: S and DEL must be string values");
  std::vector<std::string> out;
  for (std::size_t k = 0; k < d.numel(); ++k) out.push_back(su::expand_escapes(su::text(d.elem(k))));
  return out;
}

// The value of the option pair 'CollapseDelimiters', value.
bool collapse_option(const Mt& name, const Mt& value) {
  std::string n = su::text(name);
  for (char& c : n) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (!name.ischar() || n != "collapsedelimiters") grl_fail("strsplit: invalid parameter name, '%s'", n.c_str());
  if (value.numel() != 1) grl_fail("strsplit: COLLAPSEDELIMITERS must be a scalar value");
  return value.cre()[0] != 0;
}

}  // namespace

Mc strsplit(const Mt& s) { return split(s, {" ", "\f", "\n", "\r", "\t", "\v"}, true); }
Mc strsplit(const Mt& s, const Mt& d) { return split(s, delimiters(d), true); }
Mc strsplit(const Mt& s, const Mc& d) { return split(s, delimiters(d), true); }
Mc strsplit(const Mt& s, const Mt& d, const Mt& name, const Mt& value) {
  return split(s, delimiters(d), collapse_option(name, value));
}
Mc strsplit(const Mt& s, const Mc& d, const Mt& name, const Mt& value) {
  return split(s, delimiters(d), collapse_option(name, value));
}

Mt strjoin(const Mc& c) { return strjoin(c, su::str(" ")); }
Mt strjoin(const Mc& c, const Mt& d) {
  if (!grl::sc::all_text(c) || (c.rows() > 1 && c.cols() > 1))
    grl_fail("strjoin: CSTR must be a cell array of strings");
  if (!is_text_row(d) && !d.isempty()) grl_fail("strjoin: DELIMITER must be a string");
  const std::string delim = su::expand_escapes(su::text(d));
  std::string out;
  for (std::size_t k = 0; k < c.numel(); ++k) out += (k ? delim : "") + su::text(c.elem(k));
  return grl::sc::chars(out, true);
}
// A value of any class: a cell held in it (a field, an element of a cell) is joined.
Mt strjoin(const Mt& c) { return strjoin(c, su::str(" ")); }
Mt strjoin(const Mt& c, const Mt& d) {
  if (!c.holds_cell()) grl_fail("Invalid call to strjoin");
  return strjoin(c.held_cell(), d);
}
