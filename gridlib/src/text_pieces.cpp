// Text functions of a char row or of each element of a cell of char rows: classes of
// characters (isstrprop), trimming and padding (strip, pad), finding and replacing
// (erase, replace, count), cutting (split, extractBefore, extractAfter) and joining.
#include "strcell_util.h"
#include "gridlib_extra.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

using namespace grl;

namespace {

bool is_row_text(const Mt& a) { return a.ischar() && (a.rows() == 1 || a.numel() == 0) && !a.holds_cell(); }

[[noreturn]] void bad_text(const char* fn) {
  grl_fail("%s: STR must be a character vector or a cell array of character vectors", fn);
}

// f applied to the text of s: a char row gives a char row; a cell, a cell of the
// same shape whose elements must all be char rows.
Mt each_text(const Mt& s, const char* fn, const std::function<std::string(const std::string&)>& f) {
  if (s.holds_cell()) {
    const Mc& c = s.held_cell();
    Mc out = Mc::alloc(c.shape());
    for (std::size_t k = 0; k < c.numel(); ++k) {
      if (!is_row_text(c.elem(k))) bad_text(fn);
      out.welem(k) = su::str(f(su::text(c.elem(k))));
    }
    return Mt(out);
  }
  if (!is_row_text(s)) bad_text(fn);
  return su::str(f(su::text(s)));
}

// The patterns of a char row or a cell of char rows.
std::vector<std::string> patterns(const Mt& p, const char* fn) {
  std::vector<std::string> out;
  if (p.holds_cell()) {
    const Mc& c = p.held_cell();
    for (std::size_t k = 0; k < c.numel(); ++k) {
      if (!is_row_text(c.elem(k))) grl_fail("%s: PAT must be a character vector or a cell array of character vectors", fn);
      out.push_back(su::text(c.elem(k)));
    }
  } else {
    if (!is_row_text(p)) grl_fail("%s: PAT must be a character vector or a cell array of character vectors", fn);
    out.push_back(su::text(p));
  }
  return out;
}

// The pattern (longest first) that occurs in s at i, or -1.
long match_at(const std::string& s, std::size_t i, const std::vector<std::string>& pats) {
  long best = -1;
  for (std::size_t k = 0; k < pats.size(); ++k) {
    const std::string& p = pats[k];
    if (p.empty() || s.compare(i, p.size(), p) != 0) continue;
    if (best < 0 || p.size() > pats[std::size_t(best)].size()) best = long(k);
  }
  return best;
}

// s with each occurrence of a pattern (scanning left to right, no overlaps) replaced by
// with[k] (one text for all when with has one element); counted in n.
std::string substitute(const std::string& s, const std::vector<std::string>& pats, const std::vector<std::string>& with,
                       std::size_t& n) {
  std::string out;
  n = 0;
  for (std::size_t i = 0; i < s.size();) {
    const long k = match_at(s, i, pats);
    if (k < 0) {
      out += s[i++];
      continue;
    }
    ++n;
    if (!with.empty()) out += with.size() == 1 ? with[0] : with[std::size_t(k)];
    i += pats[std::size_t(k)].size();
  }
  return out;
}

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

bool char_of_type(int c, const std::string& type) {
  const unsigned char u = (unsigned char)c;
  if (c < 0 || c > 255) return false;
  if (type == "alpha") return std::isalpha(u);
  if (type == "digit") return std::isdigit(u);
  if (type == "alphanum") return std::isalnum(u);
  if (type == "lower") return std::islower(u);
  if (type == "upper") return std::isupper(u);
  if (type == "wspace") return std::isspace(u);
  if (type == "punct") return std::ispunct(u);
  if (type == "cntrl") return std::iscntrl(u);
  if (type == "graphic" || type == "graph") return std::isgraph(u);
  if (type == "print") return std::isprint(u);
  if (type == "xdigit") return std::isxdigit(u);
  return c < 128;   // "ascii"
}

Mt props_of(const Mt& s, const std::string& type) {
  if (s.holds_struct() || (s.flags_ & F_HANDLE)) grl_fail("isstrprop: invalid input");
  Mt o = Mt::alloc(s.rows(), s.cols());
  for (std::size_t k = 0; k < s.numel(); ++k) {
    const double v = double(s.cre()[k]);
    o.pr()[k] = char_of_type(v == std::floor(v) ? int(v) : -1, type) ? 1 : 0;
  }
  o.same_shape(s);
  o.set_flags(F_LOGICAL);
  return o;
}

void at_most_one_output(const deal_t& d, const char* fn) {
  if (d.out.size() > 1) grl_fail("%s: function called with too many outputs", fn);
}

Mt first_out(const deal_t& d, const Mt& v) {
  if (!d.out.empty()) {
    Mr<m_type> r = d.out[0];
    r = v;
  }
  return v;
}

}  // namespace

Mt grl::isstrprop_run(const deal_t& d) {
  if (d.in.size() != 2) grl_fail("Invalid call to isstrprop");
  at_most_one_output(d, "isstrprop");
  const std::string type = is_row_text(d.in[1]) ? su::text(d.in[1]) : std::string();
  static const char* const types[] = {"alpha", "digit", "alphanum", "lower", "upper", "wspace", "punct",
                                      "cntrl", "graphic", "graph", "print", "xdigit", "ascii"};
  if (std::find(std::begin(types), std::end(types), type) == std::end(types))
    grl_fail("isstrprop: invalid string property");
  const Mt& s = d.in[0];
  if (s.holds_cell()) {
    const Mc& c = s.held_cell();
    Mc out = Mc::alloc(c.shape());
    for (std::size_t k = 0; k < c.numel(); ++k) {
      if (c.elem(k).holds_cell()) grl_fail("isstrprop: invalid input");
      out.welem(k) = props_of(c.elem(k), type);
    }
    return first_out(d, Mt(out));
  }
  return first_out(d, props_of(s, type));
}

Mt grl::strip_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 3) grl_fail("Invalid call to strip");
  at_most_one_output(d, "strip");
  std::string side = "both";
  int strip_char = -1;   // -1: white space
  for (std::size_t k = 1; k < d.in.size(); ++k) {
    if (!is_row_text(d.in[k])) grl_fail("strip: SIDE and STRIPCHAR must be character vectors");
    const std::string a = su::text(d.in[k]);
    const std::string w = lower(a);
    if (k == 1 && (w == "both" || w == "left" || w == "right")) side = w;
    else if (a.size() == 1) strip_char = (unsigned char)a[0];
    else grl_fail("strip: SIDE must be 'both', 'left' or 'right' and STRIPCHAR one character");
  }
  auto strippable = [strip_char](char c) {
    return strip_char < 0 ? std::isspace((unsigned char)c) != 0 : (unsigned char)c == strip_char;
  };
  return first_out(d, each_text(d.in[0], "strip", [&](const std::string& s) {
    std::size_t b = 0, e = s.size();
    if (side != "right")
      while (b < e && strippable(s[b])) ++b;
    if (side != "left")
      while (e > b && strippable(s[e - 1])) --e;
    return s.substr(b, e - b);
  }));
}

Mt grl::erase_run(const deal_t& d) {
  if (d.in.size() != 2) grl_fail("Invalid call to erase");
  at_most_one_output(d, "erase");
  const std::vector<std::string> pats = patterns(d.in[1], "erase");
  return first_out(d, each_text(d.in[0], "erase", [&](const std::string& s) {
    std::size_t n = 0;
    return substitute(s, pats, {}, n);
  }));
}

Mt grl::replace_run(const deal_t& d) {
  if (d.in.size() != 3) grl_fail("Invalid call to replace");
  at_most_one_output(d, "replace");
  const std::vector<std::string> pats = patterns(d.in[1], "replace");
  std::vector<std::string> with = patterns(d.in[2], "replace");
  if (with.size() != 1 && with.size() != pats.size())
    grl_fail("replace: NEW must be one text or have as many elements as OLD");
  // An empty replacement text still counts as one.
  if (with.empty()) with.push_back("");
  return first_out(d, each_text(d.in[0], "replace", [&](const std::string& s) {
    std::size_t n = 0;
    return substitute(s, pats, with, n);
  }));
}

Mt grl::count_run(const deal_t& d) {
  if (d.in.size() != 2) grl_fail("Invalid call to count");
  at_most_one_output(d, "count");
  const std::vector<std::string> pats = patterns(d.in[1], "count");
  auto count_of = [&](const Mt& t) {
    if (!is_row_text(t)) bad_text("count");
    std::size_t n = 0;
    substitute(su::text(t), pats, {}, n);
    return m_type(n);
  };
  const Mt& s = d.in[0];
  if (!s.holds_cell()) return first_out(d, Mt(count_of(s)));
  const Mc& c = s.held_cell();
  Mt o = Mt::alloc(c.shape());
  for (std::size_t k = 0; k < c.numel(); ++k) o.pr()[k] = count_of(c.elem(k));
  return first_out(d, o);
}

Mt grl::split_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 2) grl_fail("Invalid call to split");
  at_most_one_output(d, "split");
  const Mt& s = d.in[0];
  std::string text;
  if (s.holds_cell()) {
    const Mc& c = s.held_cell();
    if (c.numel() != 1 || !is_row_text(c.elem(0)))
      grl_fail("split: only one text (a character vector or a cell holding one) can be split");
    text = su::text(c.elem(0));
  } else {
    if (!is_row_text(s)) bad_text("split");
    text = su::text(s);
  }
  std::vector<std::string> delims;
  if (d.in.size() > 1) delims = patterns(d.in[1], "split");
  else delims = {" ", "\f", "\n", "\r", "\t", "\v"};
  // Consecutive delimiters count as one.
  std::vector<std::string> pieces(1);
  bool after_delim = false;
  for (std::size_t i = 0; i < text.size();) {
    const long k = match_at(text, i, delims);
    if (k < 0) {
      pieces.back() += text[i++];
      after_delim = false;
      continue;
    }
    if (!after_delim) pieces.emplace_back();
    after_delim = true;
    i += delims[std::size_t(k)].size();
  }
  Mc out = Mc::alloc(pieces.size(), 1);
  for (std::size_t k = 0; k < pieces.size(); ++k) out.welem(k) = su::str(pieces[k]);
  return first_out(d, Mt(out));
}

Mt grl::join_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 2) grl_fail("Invalid call to join");
  at_most_one_output(d, "join");
  std::string delim = " ";
  if (d.in.size() > 1) {
    if (!is_row_text(d.in[1])) grl_fail("join: DELIMITER must be a character vector");
    delim = su::text(d.in[1]);
  }
  const Mt& s = d.in[0];
  if (!s.holds_cell()) {
    if (!is_row_text(s)) bad_text("join");
    return first_out(d, s);
  }
  const Mc& c = s.held_cell();
  if (c.ndims() > 2 || (c.rows() > 1 && c.cols() > 1))
    grl_fail("join: only a row or a column of texts can be joined");
  std::string all;
  for (std::size_t k = 0; k < c.numel(); ++k) {
    if (!is_row_text(c.elem(k))) bad_text("join");
    if (k) all += delim;
    all += su::text(c.elem(k));
  }
  Mc out = Mc::alloc(1, 1);
  out.welem(0) = su::str(all);
  return first_out(d, Mt(out));
}

Mt grl::pad_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 4) grl_fail("Invalid call to pad");
  at_most_one_output(d, "pad");
  const Mt& s = d.in[0];
  std::size_t k = 1;
  double width = -1;
  if (k < d.in.size() && !d.in[k].ischar()) {
    const Mt& n = d.in[k++];
    if (n.numel() != 1 || n.holds_cell() || n.holds_struct() || n.isc() || !(double(n.cre()[0]) >= 0) ||
        double(n.cre()[0]) != std::floor(double(n.cre()[0])))
      grl_fail("pad: NUMBEROFCHARACTERS must be a non-negative integer");
    width = double(n.cre()[0]);
  }
  std::string side = "right";
  char fill = ' ';
  for (; k < d.in.size(); ++k) {
    if (!is_row_text(d.in[k])) grl_fail("pad: SIDE and PADCHARACTER must be character vectors");
    const std::string a = su::text(d.in[k]);
    const std::string w = lower(a);
    if (w == "left" || w == "right" || w == "both") side = w;
    else if (a.size() == 1) fill = a[0];
    else grl_fail("pad: SIDE must be 'left', 'right' or 'both' and PADCHARACTER one character");
  }
  if (width < 0) {   // the longest element
    width = 0;
    if (s.holds_cell())
      for (std::size_t e = 0; e < s.held_cell().numel(); ++e)
        width = std::max(width, double(s.held_cell().elem(e).numel()));
    else
      width = double(s.numel());
  }
  if (width > 4294967295.0) grl::fail_too_large();
  const std::size_t w = std::size_t(width);
  return first_out(d, each_text(s, "pad", [&](const std::string& t) {
    if (t.size() >= w) return t;
    const std::size_t add = w - t.size();
    const std::size_t left = side == "left" ? add : side == "both" ? add / 2 : 0;
    return std::string(left, fill) + t + std::string(add - left, fill);
  }));
}

namespace {

// extractBefore / extractAfter: the text before (after) the first occurrence of a
// pattern, or before (after) a position.
Mt extract(const deal_t& d, bool before) {
  const char* fn = before ? "extractBefore" : "extractAfter";
  if (d.in.size() != 2) grl_fail("Invalid call to %s", fn);
  at_most_one_output(d, fn);
  const Mt& where = d.in[1];
  const bool at_position = !where.ischar() && !where.holds_cell();
  double pos = 0;
  std::vector<std::string> pats;
  if (at_position) {
    if (where.numel() != 1 || where.holds_struct() || where.isc() || double(where.cre()[0]) != std::floor(double(where.cre()[0])))
      grl_fail("%s: POS must be a whole number", fn);
    pos = double(where.cre()[0]);
  } else {
    pats = patterns(where, fn);
  }
  return first_out(d, each_text(d.in[0], fn, [&](const std::string& s) {
    if (at_position) {
      const double lo = before ? 1 : 0;
      if (pos < lo || pos > double(s.size()) + (before ? 1 : 0))
        grl_fail("%s: POS must be between %g and %zu", fn, lo, s.size() + (before ? 1 : 0));
      const std::size_t p = std::size_t(pos);
      return before ? s.substr(0, p - 1) : s.substr(p);
    }
    for (std::size_t i = 0; i <= s.size(); ++i)
      for (const std::string& p : pats)
        if (s.compare(i, p.size(), p) == 0) return before ? s.substr(0, i) : s.substr(i + p.size());
    return std::string();
  }));
}

}  // namespace

Mt grl::extract_before_run(const deal_t& d) { return extract(d, true); }
Mt grl::extract_after_run(const deal_t& d) { return extract(d, false); }
