// The printf engine behind sprintf, fprintf and num2str: the format's escapes are
// expanded, its conversions are applied to the elements of all arguments in turn,
// and the format is recycled until every element is used. Integer conversions of
// values that are not integers print in %g form with the same flags and width.
#include "gridlib.h"
#include "gridlib_text.h"
#include "strutil.h"
#include "int64_util.h"

#include <cmath>
#include <cstring>
#include <iostream>
#include <vector>

namespace grl {
namespace {

typedef M<m_type> Mt;

// One piece of a parsed format: literal text, or a conversion.
struct piece_t {
  bool conv = false;
  std::string text;    // literal text; for a conversion its flags
  int width = -1;      // -1 none, -2 taken from the arguments ('*')
  int prec = -1;       // likewise
  char type = 0;
};

bool is_int_conv(char t) { return std::strchr("diuoxX", t) != nullptr; }

[[noreturn]] void bad_format(const char* who) { grl_fail("%s: invalid format specified", who); }

int read_number(const std::string& f, std::size_t& k) {
  long v = 0;
  while (k < f.size() && f[k] >= '0' && f[k] <= '9') {
    v = v * 10 + (f[k++] - '0');
    if (v > 1000000) v = 1000000;  // wider fields than this are refused below
  }
  return int(v);
}

std::vector<piece_t> parse_format(const char* who, const std::string& f) {
  std::vector<piece_t> out;
  std::string lit;
  for (std::size_t k = 0; k < f.size(); ++k) {
    if (f[k] != '%') {
      lit += f[k];
      continue;
    }
    if (k + 1 < f.size() && f[k + 1] == '%') {
      lit += '%';
      ++k;
      continue;
    }
    piece_t p;
    p.conv = true;
    ++k;
    while (k < f.size() && std::strchr("-+ 0#", f[k])) p.text += f[k++];
    if (k < f.size() && f[k] == '*') p.width = -2, ++k;
    else if (k < f.size() && f[k] >= '0' && f[k] <= '9') p.width = read_number(f, k);
    if (k < f.size() && f[k] == '.') {
      ++k;
      if (k < f.size() && f[k] == '*') p.prec = -2, ++k;
      else p.prec = read_number(f, k);
    }
    char mod = 0;
    if (k < f.size() && std::strchr("lhL", f[k])) mod = f[k++];
    if (k >= f.size() || !std::strchr("diuoxXfeEgGcs", f[k])) bad_format(who);
    p.type = f[k];
    if ((mod == 'L' && !std::strchr("feEgG", p.type)) || ((mod == 'l' || mod == 'h') && !is_int_conv(p.type)))
      bad_format(who);
    if (!lit.empty()) {
      piece_t t;
      t.text = lit;
      out.push_back(t);
      lit.clear();
    }
    out.push_back(p);
  }
  if (!lit.empty()) {
    piece_t t;
    t.text = lit;
    out.push_back(t);
  }
  return out;
}

// The elements of the arguments in order, consumed one conversion at a time.
struct cursor_t {
  const std::vector<const Mt*>& args;
  std::size_t a = 0, e = 0;
  explicit cursor_t(const std::vector<const Mt*>& v) : args(v) {}
  bool done() const { return a >= args.size(); }
  const Mt& cur() const { return *args[a]; }
  void next_arg() { ++a; e = 0; }
};

// A value taken for one conversion: nothing (an empty argument), a string, or a number.
struct value_t {
  enum { none, text, number } kind = none;
  std::string s;
  double d = 0;
  // An element of an int64 or uint64 value: its exact value, for the integer conversions.
  bool exact = false;
  long double x = 0;
};

value_t take(cursor_t& c, char type) {
  value_t v;
  const Mt& m = c.cur();
  if (m.numel() == 0) {
    c.next_arg();
    return v;
  }
  if (type == 's' && m.ischar()) {
    v.kind = value_t::text;
    for (std::size_t k = c.e; k < m.numel(); ++k) v.s += char(int(m.cre()[k]));
    c.next_arg();
    return v;
  }
  v.kind = value_t::number;
  v.d = double(m.cre()[c.e]);
  if (w64::wide(m)) {
    v.exact = true;
    v.x = w64::at(m, c.e);
  }
  if (++c.e >= m.numel()) c.next_arg();
  return v;
}

// The C conversion for one piece: its flags (less those in drop), width, precision,
// length modifier and type.
std::string conversion(const piece_t& p, int width, int prec, const char* len, char type,
                       const char* drop = "") {
  std::string s = "%";
  for (char f : p.text)
    if (!std::strchr(drop, f)) s += f;
  if (width >= 0) s += std::to_string(width);
  if (prec >= 0) s += "." + std::to_string(prec);
  return s + len + type;
}

template <class V> void put(std::string& out, const std::string& f, V v) {
  char small[256];
  int n = std::snprintf(small, sizeof small, f.c_str(), v);
  if (n < 0) return;
  if (std::size_t(n) < sizeof small) {
    out.append(small, std::size_t(n));
    return;
  }
  std::vector<char> big(std::size_t(n) + 1);
  std::snprintf(big.data(), big.size(), f.c_str(), v);
  out.append(big.data(), std::size_t(n));
}

bool is_integer(double d) { return std::isfinite(d) && d == std::floor(d); }

void put_number(std::string& out, const piece_t& p, int width, int prec, double d) {
  char t = p.type;
  if (std::isnan(d) || std::isinf(d)) {
    std::string s = std::isnan(d) ? "NaN" : d < 0 ? "-Inf" : "Inf";
    if (!std::isnan(d) && d > 0 && p.text.find('+') != std::string::npos) s = "+Inf";
    put(out, conversion(p, width, -1, "", 's', "+ 0#"), s.c_str());
    return;
  }
  if (t == 'c' || t == 's') {
    if (is_integer(d) && d >= 0 && d <= 255) {
      char ch[2] = {char(int(d)), 0};
      if (ch[0] == 0) {  // a NUL character: pad by hand, %s would stop at it
        std::string s(1, '\0');
        int pad = width > 1 ? width - 1 : 0;
        if (p.text.find('-') != std::string::npos) out += s + std::string(pad, ' ');
        else out += std::string(pad, ' ') + s;
        return;
      }
      put(out, conversion(p, width, t == 's' ? prec : -1, "", 's'), ch);
      return;
    }
    put(out, conversion(p, width, prec, "", 'g'), d);
    return;
  }
  if (t == 'd' || t == 'i') {
    if (is_integer(d) && d >= -9223372036854775808.0 && d < 9223372036854775808.0) {
      put(out, conversion(p, width, prec, "ll", t), static_cast<long long>(d));
      return;
    }
    put(out, conversion(p, width, prec, "", 'g'), d);
    return;
  }
  if (is_int_conv(t)) {
    if (is_integer(d) && d >= 0 && d < 18446744073709551616.0) {
      put(out, conversion(p, width, prec, "ll", t), static_cast<unsigned long long>(d));
      return;
    }
    put(out, conversion(p, width, prec, "", 'g'), d);
    return;
  }
  put(out, conversion(p, width, prec, "", t), d);
}

void put_value(std::string& out, const piece_t& p, int width, int prec, const value_t& v) {
  switch (v.kind) {
    case value_t::none:
      if (p.type == 's' || p.type == 'c') put(out, conversion(p, width, -1, "", 's'), "");
      return;
    case value_t::text:
      put(out, conversion(p, width, prec, "", 's'), v.s.c_str());
      return;
    case value_t::number:
      if (v.exact && (p.type == 'd' || p.type == 'i') && v.x < 9223372036854775808.0L) {
        // Every digit of a 64-bit integer (a uint64 above int64's range takes %g form, as
        // Octave gives it).
        put(out, conversion(p, width, prec, "ll", p.type), static_cast<long long>(v.x));
        return;
      }
      if (v.exact && is_int_conv(p.type) && p.type != 'd' && p.type != 'i' && v.x >= 0) {
        put(out, conversion(p, width, prec, "ll", p.type), static_cast<unsigned long long>(v.x));
        return;
      }
      put_number(out, p, width, prec, v.d);
  }
}

// A field width or precision taken from the arguments ('*'); false when none is left.
bool take_size(const char* who, cursor_t& c, int& n) {
  while (!c.done() && c.cur().numel() == 0) c.next_arg();
  if (c.done()) return false;
  value_t v = take(c, 'd');
  if (!is_integer(v.d) || v.d < 0 || v.d > 2147483647.0)
    grl_fail("%s: invalid field width, must be integer >= 0 and <= INT_MAX", who);
  n = int(v.d);
  return true;
}

int hexval(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

// Backslash escapes of a format: \n \t \\ \a \b \f \r \v \" \', octal \ooo, hex \xhh.
std::string su::expand_escapes(const std::string& s) {
  std::string out;
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (s[k] != '\\' || k + 1 >= s.size()) {
      out += s[k];
      continue;
    }
    char c = s[++k];
    switch (c) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'r': out += '\r'; break;
      case 'v': out += '\v'; break;
      case '"': out += '"'; break;
      case '\'': out += '\''; break;
      case 'x': {
        int v = 0, n = 0;
        while (n < 2 && k + 1 < s.size() && hexval(s[k + 1]) >= 0) v = v * 16 + hexval(s[++k]), ++n;
        if (n == 0) out += 'x';
        else out += char(v);
        break;
      }
      default:
        if (c >= '0' && c <= '7') {
          int v = c - '0', n = 1;
          while (n < 3 && k + 1 < s.size() && s[k + 1] >= '0' && s[k + 1] <= '7') v = v * 8 + (s[++k] - '0'), ++n;
          out += char(v & 0xFF);
        } else {
          grl::warn("", "unrecognized escape sequence '\\%c' -- converting to '%c'", c, c);
          out += c;
        }
    }
  }
  return out;
}


std::string text_of(const Mt& x) {
  std::string s;
  s.reserve(x.numel());
  for (std::size_t k = 0; k < x.numel(); ++k) s += char(int(x.cre()[k]));
  return s;
}

Mt str_M(const std::string& s) {
  Mt m = Mt::alloc(1, s.size());
  if (!s.empty()) {
    m_type* p = m.pr();
    for (std::size_t k = 0; k < s.size(); ++k) p[k] = m_type(static_cast<unsigned char>(s[k]));
  }
  m.set_flags(F_STRING);
  return m;
}

std::string format_text(const char* who, const std::string& format, const std::vector<const Mt*>& args) {
  std::vector<piece_t> pieces = parse_format(who, su::expand_escapes(format));
  bool any_conv = false;
  for (const piece_t& p : pieces) any_conv = any_conv || p.conv;
  std::string out;
  cursor_t c(args);
  // Without conversions the format is written once; without arguments it is
  // written up to its first conversion.
  for (;;) {
    for (const piece_t& p : pieces) {
      if (!p.conv) {
        out += p.text;
        continue;
      }
      if (c.done()) return out;
      int width = p.width, prec = p.prec;
      if (width == -2 && !take_size(who, c, width)) return out;
      if (prec == -2 && !take_size(who, c, prec)) return out;
      if (c.done()) return out;
      put_value(out, p, width, prec, take(c, p.type));
    }
    if (!any_conv || c.done()) return out;
  }
}

// The format and arguments of a printf-family call, checked.
std::string format_call(const char* who, const Mt& format, const std::vector<const Mt*>& args) {
  if (!format.ischar() && !format.isempty()) grl_fail("%s: format TEMPLATE must be a string", who);
  if (!format.ischar() && format.isempty()) grl_fail("%s: format TEMPLATE must be a string", who);
  return format_text(who, text_of(format), args);
}

void append_text_arg(std::vector<text_arg_t>& v, const cs_t<m_type>& a) {
  for (int k = a.first; k <= a.end(); ++k) v.emplace_back(a.at(k));
}

}  // namespace grl

namespace {
typedef M<m_type> Mt;

// The given arguments of a call; junkM fills places that were not given.
std::vector<const Mt*> given(const char* who, const grl::text_arg_t* a, std::size_t n) {
  std::vector<const Mt*> v;
  for (std::size_t k = 0; k < n; ++k) {
    if (a[k].cell) grl_fail("%s: wrong type argument 'cell'", who);
    if (a[k].given) v.push_back(&a[k].v);
  }
  return v;
}
}  // namespace

void grl::fail_no_format(const char* who) { grl_fail("Invalid call to %s", who); }

M<m_type> grl::sprintf_args(const M<m_type>& fmt, const text_arg_t* a, std::size_t n) {
  return str_M(format_call("sprintf", fmt, given("sprintf", a, n)));
}

grl::quiet grl::fprintf_args(const M<m_type>& first, const text_arg_t* a, std::size_t n) {
  const Mt* fmt = &first;
  std::vector<const Mt*> rest = given("fprintf", a, n);
  std::vector<const Mt*> args = rest;
  double fid = 1;
  if (!first.ischar()) {
    if (rest.empty()) grl_fail("Invalid call to fprintf");
    if (first.numel() != 1) grl_fail("fprintf: invalid stream number = %s", first.numel() ? "matrix" : "[]");
    fid = double(first.cre()[0]);
    fmt = rest[0];
    args.erase(args.begin());
  }
  // An id from fopen: the file must be open before the format is applied.
  std::FILE* file = (fid == 0 || fid == 1 || fid == 2) ? nullptr : grl::fid_file(fid);
  std::string s = format_call("fprintf", *fmt, args);
  if (file) {
    std::fwrite(s.data(), 1, s.size(), file);
  } else if (fid == 1) {
    std::cout.write(s.data(), std::streamsize(s.size()));
  } else if (fid == 2) {
    std::cout.flush();
    std::cerr.write(s.data(), std::streamsize(s.size()));
  }
  grl::quiet q;
  static_cast<Mt&>(q) = Mt(m_type(fid == 0 ? 0 : s.size()));
  return q;
}

grl::quiet grl::printf_args(const M<m_type>& fmt, const text_arg_t* a, std::size_t n) {
  if (!fmt.ischar()) grl_fail("printf: format TEMPLATE must be a string");
  return fprintf_args(fmt, a, n);
}

namespace {
// Writes s to the stream fid: 1 standard output, 2 standard error (after what
// standard output holds), else a file from fopen.
void write_stream(const M<m_type>& fid, const std::string& s, const char* who) {
  const double f = fid.numel() == 1 && !fid.ischar() ? double(fid.cre()[0]) : -1;
  if (f == 1) {
    std::cout.write(s.data(), std::streamsize(s.size()));
  } else if (f == 2) {
    std::cout.flush();
    std::cerr.write(s.data(), std::streamsize(s.size()));
  } else {
    std::FILE* file = grl::fid_stream(fid, who);
    std::fwrite(s.data(), 1, s.size(), file);
  }
}
}  // namespace

grl::quiet puts(const M<m_type>& s) {
  const std::string t = grl::text_of(s);
  std::cout.write(t.data(), std::streamsize(t.size()));
  return grl::quiet();
}

grl::quiet fputs(const M<m_type>& fid, const M<m_type>& s) {
  write_stream(fid, grl::text_of(s), "fputs");
  return grl::quiet();
}

grl::quiet fdisp(const M<m_type>& fid, const M<m_type>& x) {
  write_stream(fid, grl::disp_text(x), "fdisp");
  return grl::quiet();
}

grl::quiet fdisp(const M<m_type>& fid, const M<M<m_type>>& x) {
  write_stream(fid, grl::disp_text(x), "fdisp");
  return grl::quiet();
}
