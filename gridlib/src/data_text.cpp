// Numbers in any base (dec2base, base2dec) and validatestring.
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The symbols of a base: 2 to 36 of kDigits, or a string of distinct symbols without
// blanks.
std::string symbols_of(const Mt& base, const char* who, const char* msg) {
  if (base.ischar()) {
    const std::string s = text(base);
    if (s.size() < 2) grl_fail("%s: symbols representing digits must be unique", who);
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (std::isspace((unsigned char)s[i])) grl_fail("%s: whitespace characters are not valid symbols", who);
      for (std::size_t j = 0; j < i; ++j)
        if (s[i] == s[j]) grl_fail("%s: symbols representing digits must be unique", who);
    }
    return s;
  }
  if (base.numel() != 1 || base.isc()) grl_fail("%s", msg);
  const double b = double(base.cre()[0]);
  if (!(b >= 2 && b <= 36) || b != std::floor(b)) grl_fail("%s", msg);
  return std::string(kDigits, std::size_t(b));
}

}  // namespace

Mt dec2base(const Mt& d, const Mt& base) { return dec2base(d, base, Mt()); }

Mt dec2base(const Mt& d, const Mt& base, const Mt& len) {
  if (d.ischar() || d.isc() || d.holds_cell()) grl_fail("dec2base: input must be real non-negative integers");
  const std::string sym = symbols_of(base, "dec2base", "dec2base: BASE must be an integer between 2 and 36, or a string of symbols");
  const double nb = double(sym.size());
  double minlen = 0;
  if (!len.isempty()) {
    if (len.numel() != 1 || len.ischar()) grl_fail("dec2base: LEN must be a non-negative integer");
    minlen = double(len.cre()[0]);
    if (!(minlen >= 0) || minlen != std::floor(minlen) || minlen > 1e6)
      grl_fail("dec2base: LEN must be a non-negative integer");
  }
  std::vector<std::string> rows;
  std::size_t width = std::size_t(minlen);
  for (std::size_t k = 0; k < d.numel(); ++k) {
    double v = double(d.cre()[k]);
    if (!(v >= 0) || v != std::floor(v) || std::isinf(v)) grl_fail("dec2base: input must be real non-negative integers");
    std::string s;
    do {
      const double q = std::floor(v / nb);
      s.insert(s.begin(), sym[std::size_t(v - q * nb)]);
      v = q;
    } while (v > 0);
    width = s.size() > width ? s.size() : width;
    rows.push_back(s);
  }
  // Every row as wide as the widest, padded with the symbol for zero.
  for (std::string& s : rows) s.insert(0, width - s.size(), sym[0]);
  Mt out = Mt::alloc(rows.size(), rows.empty() ? 0 : width);
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = 0; j < width; ++j) out.pr()[i + j * rows.size()] = m_type((unsigned char)rows[i][j]);
  out.set_flags(F_STRING);
  return out;
}

namespace {

double base_value(const std::string& row, const std::string& sym, bool fold) {
  double v = 0;
  bool any = false;
  for (char c0 : row) {
    if (c0 == ' ') continue;
    const char c = fold ? char(std::toupper((unsigned char)c0)) : c0;
    const std::size_t at = sym.find(c);
    if (at == std::string::npos) return NAN;
    v = v * double(sym.size()) + double(at);
    any = true;
  }
  return any ? v : NAN;
}

Mt base_values(const std::vector<std::string>& rows, const Mt& base) {
  const std::string sym = symbols_of(base, "base2dec", "base2dec: BASE must be between 2 and 36, or a string of symbols");
  const bool fold = !base.ischar();
  Mt out = Mt::alloc(rows.size(), 1);
  for (std::size_t k = 0; k < rows.size(); ++k) out.pr()[k] = m_type(base_value(rows[k], sym, fold));
  return out;
}

}  // namespace

Mt base2dec(const Mt& s, const Mt& base) {
  if (!s.ischar() && !s.isempty()) grl_fail("base2dec: S must be a string or cellstring");
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < s.rows(); ++i) {
    std::string r;
    for (std::size_t j = 0; j < s.cols(); ++j) r += char((unsigned char)(long(s.cre()[i + j * s.rows()]) & 0xFF));
    rows.push_back(r);
  }
  return base_values(rows, base);
}

Mt base2dec(const Mc& s, const Mt& base) {
  std::vector<std::string> rows;
  for (std::size_t k = 0; k < s.numel(); ++k) {
    if (!s.elem(k).ischar() && !s.elem(k).isempty()) grl_fail("base2dec: S must be a string or cellstring");
    rows.push_back(text(s.elem(k)));
  }
  return base_values(rows, base);
}

// --- validatestring -----------------------------------------------------------------------

namespace {

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

// The prefix of the message: the function's name (or validatestring), the variable's
// name and the argument's position when given.
std::string who_text(const std::vector<const Mt*>& extra, const std::string& str) {
  std::string who = "validatestring", var, pos;
  std::size_t k = 0;
  if (k < extra.size() && extra[k]->ischar()) who = text(*extra[k++]);
  if (k < extra.size() && extra[k]->ischar()) var = text(*extra[k++]);
  if (k < extra.size() && !extra[k]->ischar() && extra[k]->numel() == 1) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", double(extra[k]->cre()[0]));
    pos = buf;
  }
  std::string s = who + ": '" + str + "'";
  if (!var.empty())
    s += " (variable " + var + (pos.empty() ? "" : ", argument #" + pos) + ")";
  else if (!pos.empty())
    s += " (argument #" + pos + ")";
  return s;
}

std::string options_list(const Mc& opts) {
  std::string s;
  for (std::size_t k = 0; k < opts.numel(); ++k) s += (k ? ", '" : "'") + text(opts.elem(k)) + "'";
  return s;
}

Mt validate(const Mt& str, const Mc& opts, const std::vector<const Mt*>& extra) {
  if (!str.ischar() || str.rows() > 1) grl_fail("validatestring: STR must be a single character string");
  for (std::size_t k = 0; k < opts.numel(); ++k)
    if (!opts.elem(k).ischar() && !opts.elem(k).isempty())
      grl_fail("validatestring: STRARRAY must be a cellstr");
  const std::string s = lower(text(str));
  std::vector<std::size_t> hits;
  for (std::size_t k = 0; k < opts.numel(); ++k) {
    const std::string o = lower(text(opts.elem(k)));
    if (o.compare(0, s.size(), s) == 0 && o.size() >= s.size()) {
      if (o == s) return opts.elem(k);
      hits.push_back(k);
    }
  }
  if (hits.size() == 1) return opts.elem(hits[0]);
  if (hits.empty())
    grl_fail("%s does not match any of\n%s", who_text(extra, text(str)).c_str(), options_list(opts).c_str());
  // Several: the shortest wins when it starts each of the others.
  std::size_t best = hits[0];
  for (std::size_t h : hits)
    if (opts.elem(h).numel() < opts.elem(best).numel()) best = h;
  const std::string b = lower(text(opts.elem(best)));
  for (std::size_t h : hits)
    if (lower(text(opts.elem(h))).compare(0, b.size(), b) != 0)
      grl_fail("%s matches multiple possible values:\n%s", who_text(extra, text(str)).c_str(),
               options_list(opts).c_str());
  return opts.elem(best);
}

}  // namespace

Mt validatestring(const Mt& str, const Mc& opts) { return validate(str, opts, {}); }
Mt validatestring(const Mt& str, const Mc& opts, const Mt& a) { return validate(str, opts, {&a}); }
Mt validatestring(const Mt& str, const Mc& opts, const Mt& a, const Mt& b) { return validate(str, opts, {&a, &b}); }
Mt validatestring(const Mt& str, const Mc& opts, const Mt& a, const Mt& b, const Mt& c) {
  return validate(str, opts, {&a, &b, &c});
}

// The options given as a value that holds a cell.
namespace {
const Mc& held_options(const Mt& opts) {
  if (!opts.holds_cell()) grl_fail("validatestring: STRARRAY must be a cellstr");
  return opts.held_cell();
}
}  // namespace

Mt validatestring(const Mt& str, const Mt& opts) { return validate(str, held_options(opts), {}); }
Mt validatestring(const Mt& str, const Mt& opts, const Mt& a) { return validate(str, held_options(opts), {&a}); }
Mt validatestring(const Mt& str, const Mt& opts, const Mt& a, const Mt& b) {
  return validate(str, held_options(opts), {&a, &b});
}
Mt validatestring(const Mt& str, const Mt& opts, const Mt& a, const Mt& b, const Mt& c) {
  return validate(str, held_options(opts), {&a, &b, &c});
}
