// regexprep: the matches of a pattern replaced, in a string or in each string of a
// cell. The replacement text may name tokens ($0 the whole match, $1..$9 the groups,
// $<name> a named token) and spell escapes (\n, \t, \\, \$).
#include <cctype>
#include <string>
#include <vector>

#include "strcell_regexp.h"
#include "strcell_util.h"
#include "gridlib_regexp.h"

namespace grl {
namespace {

namespace su = grl::su;

struct options {
  rx::reading how;
  bool once = false, empty = false;
};

options read_options(const std::vector<Mt>& in) {
  options o;
  for (std::size_t k = 3; k < in.size(); ++k) {
    if (!in[k].ischar()) grl_fail("regexprep: optional arguments must be strings");
    std::string w = su::text(in[k]);
    for (char& c : w) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (w == "once") o.once = true;
    else if (w == "ignorecase") o.how.icase = true;
    else if (w == "matchcase") o.how.icase = false;
    else if (w == "emptymatch") o.empty = true;
    else if (w == "noemptymatch") o.empty = false;
    else if (w == "dotall") o.how.dot_all = true;
    else if (w == "dotexceptnewline") o.how.dot_all = false;
    else if (w == "lineanchors") o.how.line_anchors = true;
    else if (w == "stringanchors") o.how.line_anchors = false;
    else if (w == "freespacing") o.how.free_spacing = true;
    else if (w == "literalspacing") o.how.free_spacing = false;
    else if (w != "warnings")
      grl_fail("regexprep: unrecognized option");
  }
  return o;
}

// The strings of a pattern or replacement argument: a string or a cell of them.
std::vector<std::string> strings_of(const Mt& x) {
  if (!x.holds_cell()) {
    if (!x.ischar() && !x.isempty()) grl_fail("regexprep: PATTERN and REPSTR must be strings or cell arrays of strings");
    return {su::text(x)};
  }
  const Mc& c = x.held_cell();
  std::vector<std::string> out;
  for (std::size_t k = 0; k < c.numel(); ++k) {
    if (!c.elem(k).ischar() && !c.elem(k).isempty())
      grl_fail("regexprep: PATTERN and REPSTR must be strings or cell arrays of strings");
    out.push_back(su::text(c.elem(k)));
  }
  return out;
}

char escaped(char c) {
  switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'r': return '\r';
    case 'f': return '\f';
    case 'v': return '\v';
    case 'a': return '\a';
    case 'b': return '\b';
    default: return c;
  }
}

std::string piece(const std::string& s, rx::span sp) { return sp.found() ? s.substr(sp.start, sp.len) : ""; }

// The replacement of one match.
std::string expand(const std::string& rep, const std::string& s, const rx::match& m, const rx::pattern& p) {
  std::string out;
  for (std::size_t i = 0; i < rep.size(); ++i) {
    const char c = rep[i];
    if (c == '\\' && i + 1 < rep.size()) {
      out += escaped(rep[++i]);
      continue;
    }
    if (c == '$' && i + 1 < rep.size() && std::isdigit(static_cast<unsigned char>(rep[i + 1]))) {
      const std::size_t g = std::size_t(rep[++i] - '0');
      if (g == 0) out += piece(s, m.whole);
      else if (g <= m.groups.size()) out += piece(s, m.groups[g - 1]);
      continue;
    }
    if (c == '$' && i + 1 < rep.size() && rep[i + 1] == '<') {
      const std::size_t close = rep.find('>', i + 2);
      const int g = close == std::string::npos ? 0 : p.group_of(rep.substr(i + 2, close - i - 2));
      if (g > 0) {
        out += piece(s, m.groups[std::size_t(g - 1)]);
        i = close;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string replace(const std::string& s, const std::string& pat, const std::string& rep, const options& o) {
  const rx::pattern p = rx::translate(pat, o.how, "regexprep");
  const std::regex& re = rx::compile(p, o.how, "regexprep");
  const std::vector<rx::match> ms = rx::find(s, re, p.groups(), o.once, o.empty, "regexprep");
  std::string out;
  std::size_t from = 0;
  for (const rx::match& m : ms) {
    out += s.substr(from, m.whole.start - from) + expand(rep, s, m, p);
    from = m.whole.start + m.whole.len;
  }
  return out + s.substr(from);
}

// One string with every pattern applied in turn, each with its replacement (or the
// only one).
Mt replace_all(const Mt& str, const std::vector<std::string>& pats, const std::vector<std::string>& reps,
               const options& o) {
  if (!str.ischar() && !str.isempty()) grl_fail("regexprep: STR must be a string or cell array of strings");
  std::string s = su::text(str);
  for (std::size_t k = 0; k < pats.size(); ++k) s = replace(s, pats[k], reps.size() == 1 ? reps[0] : reps[k], o);
  return s.empty() ? su::str("") : sc::chars(s, true);
}

}  // namespace

rx_value regexprep_value(const std::vector<Mt>& in) {
  if (in.size() < 3) grl_fail("Invalid call to regexprep");
  const options o = read_options(in);
  const std::vector<std::string> pats = strings_of(in[1]);
  const std::vector<std::string> reps = strings_of(in[2]);
  if (reps.size() != 1 && reps.size() != pats.size())
    grl_fail("regexprep: inconsistent cell array dimensions");
  rx_value out = rx_result();
  if (!in[0].holds_cell()) {
    static_cast<Mt&>(out) = replace_all(in[0], pats, reps, o);
    return out;
  }
  const Mc& c = in[0].held_cell();
  Mc r = Mc::alloc(c.rows(), c.cols());
  for (std::size_t k = 0; k < c.numel(); ++k) r.welem(k) = replace_all(c.elem(k), pats, reps, o);
  out.set_cell(std::move(r));
  return out;
}

}  // namespace grl
