// Numbers written in base 2 and base 16: dec2bin and dec2hex give char rows, one per
// element, padded with zeros to a common width; bin2dec and hex2dec read them back.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "strcell_util.h"

namespace {

using grl::Mc;
using grl::Mt;

// The digits of v in base 2^bits, at least len of them. A negative integer is written
// as its two's complement in the fewest of 8, 16, 32 or 64 bits that hold it.
std::string digits(double v, unsigned bits, std::size_t len) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::uint64_t u;
  if (v < 0) {
    unsigned width = 8;
    while (width < 64 && -v > std::ldexp(1.0, int(width) - 1)) width *= 2;
    const std::uint64_t magnitude = std::uint64_t(-v);
    u = width == 64 ? ~magnitude + 1 : ((std::uint64_t(1) << width) - magnitude);
  } else {
    u = v >= 18446744073709551615.0 ? ~std::uint64_t(0) : std::uint64_t(v);
  }
  std::string s;
  do {
    s.insert(s.begin(), kDigits[u & ((1u << bits) - 1)]);
    u >>= bits;
  } while (u != 0);
  if (s.size() < len) s.insert(0, len - s.size(), '0');
  return s;
}

Mt to_base(const Mt& d, const Mt* len, unsigned bits, const char* fn) {
  if (d.isc()) grl_fail("%s: input must be real", fn);
  std::size_t width = 0;
  if (len) {
    if (len->numel() != 1 || !(len->cre()[0] >= 0) || std::isinf(double(len->cre()[0])))
      grl_fail("%s: LEN must be a non-negative integer", fn);
    if (double(len->cre()[0]) > 4294967295.0) grl::fail_too_large();
    width = std::size_t(len->cre()[0]);
  }
  std::vector<std::string> rows;
  const std::size_t n = d.numel();
  for (std::size_t k = 0; k < n; ++k) {
    const double v = double(d.cre()[k]);
    if (!std::isfinite(v) || v != std::floor(v)) grl_fail("%s: input must be integers", fn);
    rows.push_back(digits(v, bits, 0));
  }
  for (const std::string& r : rows) width = r.size() > width ? r.size() : width;
  for (std::string& r : rows) r.insert(0, width - r.size(), '0');
  if (rows.empty()) return grl::su::str("");
  return grl::su::char_rows(rows);
}

// The value of one row of digits; blanks are skipped, any other character that is no
// digit of the base makes the value NaN.
double from_digits(const std::string& s, int base) {
  double v = 0;
  bool any = false;
  for (char ch : s) {
    if (ch == ' ') continue;
    int digit = -1;
    if (ch >= '0' && ch <= '9') digit = ch - '0';
    else if (ch >= 'a' && ch <= 'f') digit = ch - 'a' + 10;
    else if (ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
    if (digit < 0 || digit >= base) return NAN;
    v = v * base + digit;
    any = true;
  }
  return any ? v : NAN;
}

Mt column(const std::vector<double>& v) {
  Mt m = Mt::alloc(v.size(), v.empty() ? 0 : 1);
  for (std::size_t k = 0; k < v.size(); ++k) m.pr()[k] = m_type(v[k]);
  return m;
}

Mt from_base(const Mt& s, int base, const char* fn) {
  if (!s.ischar() && !s.isempty()) grl_fail("%s: S must be a string or cellstring", fn);
  std::vector<double> v;
  for (std::size_t i = 0; i < s.rows(); ++i) v.push_back(from_digits(grl::su::row_text(s, i), base));
  return column(v);
}

Mt from_base(const Mc& s, int base, const char* fn) {
  if (!grl::sc::all_text(s)) grl_fail("%s: S must be a string or cellstring", fn);
  std::vector<double> v;
  for (std::size_t k = 0; k < s.numel(); ++k) v.push_back(from_digits(grl::su::text(s.elem(k)), base));
  return column(v);
}

}  // namespace

Mt dec2bin(const Mt& d) { return to_base(d, nullptr, 1, "dec2bin"); }
Mt dec2bin(const Mt& d, const Mt& len) { return to_base(d, &len, 1, "dec2bin"); }
Mt dec2hex(const Mt& d) { return to_base(d, nullptr, 4, "dec2hex"); }
Mt dec2hex(const Mt& d, const Mt& len) { return to_base(d, &len, 4, "dec2hex"); }
Mt bin2dec(const Mt& s) { return from_base(s, 2, "bin2dec"); }
Mt bin2dec(const Mc& s) { return from_base(s, 2, "bin2dec"); }
Mt hex2dec(const Mt& s) { return from_base(s, 16, "hex2dec"); }
Mt hex2dec(const Mc& s) { return from_base(s, 16, "hex2dec"); }
