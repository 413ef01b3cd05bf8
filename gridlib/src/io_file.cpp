// The file table: fopen and fclose, and the readers and writers of open files.
// Ids 0, 1 and 2 are standard input, output and error; fopen hands out 3, 4, ...
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_io.h"
#include "strutil.h"

namespace grl {
namespace {

struct open_file {
  std::FILE* f = nullptr;
  std::string name, mode;
};

// Index = file id; entries 0..2 are the standard streams.
std::vector<open_file>& table() {
  static std::vector<open_file> t = {{stdin, "stdin", "r"}, {stdout, "stdout", "w"}, {stderr, "stderr", "w"}};
  return t;
}

// The table entry of an open id, or nullptr.
open_file* entry(double fid) {
  std::vector<open_file>& t = table();
  if (!(fid >= 0) || fid != std::floor(fid) || fid >= double(t.size())) return nullptr;
  open_file& e = t[std::size_t(fid)];
  return e.f ? &e : nullptr;
}

[[noreturn]] void bad_stream(const char* who, double fid) {
  grl_fail("%s: invalid stream number = %g", who, fid);
}

// A mode as C's fopen takes it: 't' dropped (text and binary are the same here), 'b' kept.
bool c_mode(const std::string& m, std::string& out) {
  static const char* ok[] = {"r", "w", "a", "r+", "w+", "a+"};
  std::string base;
  for (char c : m)
    if (c != 'b' && c != 't') base.push_back(c);
  for (const char* o : ok)
    if (base == o) { out = base; return true; }
  return false;
}

}  // namespace

std::FILE* fid_stream(const Mt& fid, const char* who) {
  if (fid.numel() != 1 || fid.ischar()) grl_fail("%s: invalid stream number = %s", who,
                                                   fid.ischar() ? su::text(fid).c_str() : "[]");
  open_file* e = entry(double(fid.cre()[0]));
  if (!e) bad_stream(who, double(fid.cre()[0]));
  return e->f;
}

std::FILE* fid_file(double fid) {
  open_file* e = entry(fid);
  if (!e) bad_stream("fprintf", fid);
  return e->f;
}

}  // namespace grl

using grl::Mt;
namespace su = grl::su;

// --- opening and closing ---------------------------------------------------------

void fopen(const Mt& name, const Mt& mode, i_o_t, Mr<m_type> fid, Mr<m_type> msg) {
  const std::string n = su::text(name);
  const std::string m = mode.isempty() ? std::string("r") : su::text(mode);
  std::string cm;
  if (!name.ischar()) grl_fail("fopen: FILENAME must be a string");
  if (!grl::c_mode(m, cm)) grl_fail("fopen: invalid mode specified");
  std::FILE* f = std::fopen(n.c_str(), (cm + "b").c_str());
  if (!f) {
    const int err = errno;
    fid = Mt(m_type(-1));
    msg = su::str(std::strerror(err));
    return;
  }
  std::vector<grl::open_file>& t = grl::table();
  std::size_t k = 3;
  while (k < t.size() && t[k].f) ++k;     // the lowest free id, as ids are reused
  if (k == t.size()) t.emplace_back();
  t[k] = {f, n, m};
  fid = Mt(m_type(k));
  msg = su::str("");
}

void fopen(const Mt& name, i_o_t, Mr<m_type> fid, Mr<m_type> msg) { fopen(name, Mt(), i_o, fid, msg); }

Mt fopen(const Mt& name, const Mt& mode) {
  Mt fid, msg;
  fopen(name, mode, i_o, fid, msg);
  return fid;
}

Mt stdin_M() { return Mt(m_type(0)); }
Mt stdout_M() { return Mt(m_type(1)); }
Mt stderr_M() { return Mt(m_type(2)); }

Mt fflush(const Mt& fid) {
  const double id = su::num(fid, -1);
  if (fid.numel() != 1 || fid.ischar() || !grl::entry(id)) grl::bad_stream("fflush", id);
  // Standard output and error are written through the C++ streams.
  if (id == 1) std::cout.flush();
  else if (id == 2) std::cerr.flush();
  const int st = std::fflush(grl::entry(id)->f);
  return Mt(m_type(st == 0 ? 0 : -1));
}

Mt fclose(const Mt& fid) {
  std::vector<grl::open_file>& t = grl::table();
  if (fid.ischar()) {
    if (su::text(fid) != "all") grl_fail("fclose: invalid stream number = %s", su::text(fid).c_str());
    int status = 0;
    for (std::size_t k = 3; k < t.size(); ++k)
      if (t[k].f) { if (std::fclose(t[k].f) != 0) status = -1; t[k] = grl::open_file(); }
    return Mt(m_type(status));
  }
  const double id = su::num(fid, -1);
  grl::open_file* e = grl::entry(id);
  if (!e || fid.numel() != 1) grl::bad_stream("fclose", id);
  // The standard streams stay open: closing them would lose the program's output.
  if (id < 3) return Mt(m_type(0));
  const int st = std::fclose(e->f);
  *e = grl::open_file();
  return Mt(m_type(st == 0 ? 0 : -1));
}

// --- lines -----------------------------------------------------------------------

namespace {
// One line of f, with its end when keep_end; false at the end of the file.
bool read_line(std::FILE* f, std::string& line, bool keep_end) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') {
      if (keep_end) line.push_back('\n');
      return true;
    }
    line.push_back(char(c));
  }
  return any;
}
}  // namespace

Mt fgetl(const Mt& fid) {
  std::string line;
  if (!read_line(grl::fid_stream(fid, "fgetl"), line, false)) return Mt(m_type(-1));
  return su::str(line);
}

Mt fgets(const Mt& fid) {
  std::string line;
  if (!read_line(grl::fid_stream(fid, "fgets"), line, true)) return Mt(m_type(-1));
  return su::str(line);
}

Mt feof(const Mt& fid) {
  std::FILE* f = grl::fid_stream(fid, "feof");
  // A file read up to its last byte is at its end, also before a read has failed there.
  if (!std::feof(f) && f != stdin) {
    const int c = std::fgetc(f);
    if (c != EOF) std::ungetc(c, f);
  }
  return su::boolean(std::feof(f) != 0);
}

// --- positions --------------------------------------------------------------------

Mt ftell(const Mt& fid) { return Mt(m_type(double(std::ftell(grl::fid_stream(fid, "ftell"))))); }

Mt fseek(const Mt& fid, const Mt& offset, const Mt& origin) {
  std::FILE* f = grl::fid_stream(fid, "fseek");
  int whence = SEEK_SET;
  if (origin.ischar()) {
    const std::string o = su::text(origin);
    if (o == "bof") whence = SEEK_SET;
    else if (o == "cof") whence = SEEK_CUR;
    else if (o == "eof") whence = SEEK_END;
    else grl_fail("fseek: invalid value for origin");
  } else if (!origin.isempty()) {
    const double o = double(origin.cre()[0]);
    if (o == -1) whence = SEEK_SET;
    else if (o == 0) whence = SEEK_CUR;
    else if (o == 1) whence = SEEK_END;
    else grl_fail("fseek: invalid value for origin");
  }
  const double off = su::num(offset, 0);
  if (!std::isfinite(off) || off != std::floor(off)) grl_fail("fseek: OFFSET must be an integer");
  // A position before the start or past the end fails and leaves the position as it
  // was; C's fseek would accept the second.
  const long here = std::ftell(f);
  if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return Mt(m_type(-1));
  const long end = std::ftell(f);
  const double base = whence == SEEK_SET ? 0.0 : whence == SEEK_CUR ? double(here) : double(end);
  const double target = base + off;
  const bool ok = target >= 0 && target <= double(end);
  std::fseek(f, ok ? long(target) : here, SEEK_SET);
  return Mt(m_type(ok ? 0 : -1));
}

grl::quiet frewind(const Mt& fid) {
  std::rewind(grl::fid_stream(fid, "frewind"));
  return grl::quiet();
}

// --- formatted reading ---------------------------------------------------------------

namespace {

// The shape a size argument asks for: rows (Inf for as many as there are) and columns.
struct read_shape {
  double rows = INFINITY, cols = 1;
  bool given = false;
  double limit() const { return rows * cols; }
};

read_shape shape_of(const Mt& size, const char* who) {
  read_shape s;
  if (size.isempty()) return s;
  s.given = true;
  const double a = double(size.cre()[0]);
  if (size.numel() == 1) {
    s.rows = a;
  } else if (size.numel() == 2) {
    s.rows = a;
    s.cols = double(size.cre()[1]);
    if (std::isinf(s.rows)) grl_fail("%s: invalid SIZE specified", who);
  } else {
    grl_fail("%s: invalid SIZE specified", who);
  }
  if (std::isnan(s.rows) || s.rows < 0 || std::isnan(s.cols) || s.cols < 0) grl_fail("%s: invalid SIZE specified", who);
  s.rows = std::floor(s.rows);
  if (!std::isinf(s.cols)) s.cols = std::floor(s.cols);
  return s;
}

// The values read into the shape asked for: a column, or rows x cols filled column by
// column, the last column only as far as the values go.
Mt shaped(const std::vector<double>& v, const read_shape& s, bool chars) {
  if (chars) {
    if (v.empty()) return su::str("");
    Mt m = Mt::alloc(1, v.size());
    for (std::size_t k = 0; k < v.size(); ++k) m.pr()[k] = m_type(v[k]);
    m.set_flags(grl::F_STRING);
    return m;
  }
  std::size_t r = v.size(), c = v.empty() ? 0 : 1;
  if (s.given && s.cols != 1 && s.rows > 0) {
    r = std::size_t(s.rows);
    c = (v.size() + r - 1) / r;
  }
  if (v.empty() && !s.given) r = 0;
  Mt m = Mt::zeros(r, c);
  m_type* p = m.numel() ? m.pr() : nullptr;
  for (std::size_t k = 0; k < v.size() && k < r * c; ++k) p[k] = m_type(v[k]);
  return m;
}

// Where fscanf and sscanf read: an open file, or the text itself (no stream per call,
// so a long text reads at the speed of the scanner).
struct file_source {
  std::FILE* f;
  int get() { return std::fgetc(f); }
  int peek() {
    const int c = std::fgetc(f);
    if (c != EOF) std::ungetc(c, f);
    return c;
  }
};
struct text_source {
  const std::string& s;
  std::size_t pos = 0;
  int get() { return pos < s.size() ? static_cast<unsigned char>(s[pos++]) : EOF; }
  int peek() const { return pos < s.size() ? static_cast<unsigned char>(s[pos]) : EOF; }
};

template <class S> void skip_space(S& f) {
  while (f.peek() != EOF && std::isspace(f.peek())) f.get();
}

// The text of a number at the reading position (at most width characters): sign, digits,
// point, exponent, or Inf/NaN for the floating conversions.
template <class S> bool scan_number(S& f, char conv, std::size_t width, double& v) {
  std::string t;
  auto take = [&](int c) { t.push_back(char(c)); f.get(); };
  auto room = [&]() { return t.size() < width; };
  int c = f.peek();
  if ((c == '+' || c == '-') && room()) { take(c); c = f.peek(); }
  const bool is_float = conv == 'f' || conv == 'g' || conv == 'e';
  int base = conv == 'x' ? 16 : conv == 'o' ? 8 : 10;
  bool digits = false;
  // %i reads the base from the number: 0x1f is hexadecimal (not after a sign), 017 octal.
  if (conv == 'i' && c == '0' && room()) {
    take(c); c = f.peek();
    digits = true;
    base = 8;
    if ((c == 'x' || c == 'X') && t.size() == 1 && room()) { take(c); c = f.peek(); base = 16; }
  }
  auto digit = [&](int ch) {
    return base == 16 ? std::isxdigit(ch) != 0 : base == 8 ? (ch >= '0' && ch <= '7') : std::isdigit(ch) != 0;
  };
  while (c != EOF && digit(c) && room()) { take(c); digits = true; c = f.peek(); }
  if (is_float) {
    if (c == '.' && room()) {
      take(c); c = f.peek();
      while (c != EOF && std::isdigit(c) && room()) { take(c); digits = true; c = f.peek(); }
    }
    if (!digits && (c == 'I' || c == 'i' || c == 'N' || c == 'n')) {
      const char* word = (c == 'I' || c == 'i') ? "inf" : "nan";
      for (const char* w = word; *w && room(); ++w) {
        c = f.peek();
        if (std::tolower(c) != *w) return false;
        take(c);
      }
      v = std::strtod(t.c_str(), nullptr);
      return true;
    }
    if (digits && (c == 'e' || c == 'E') && room()) {
      take(c); c = f.peek();
      if ((c == '+' || c == '-') && room()) { take(c); c = f.peek(); }
      while (c != EOF && std::isdigit(c) && room()) { take(c); c = f.peek(); }
    }
  }
  if (!digits) return false;
  v = is_float ? std::strtod(t.c_str(), nullptr) : double(std::strtoll(t.c_str(), nullptr, base));
  return true;
}

// Reads with the format, recycled, until the input ends, a conversion fails or limit
// values are read. All-text formats (%s, %c only) give a char result.
template <class S> std::vector<double> scan(S& f, const std::string& fmt, double limit, bool& all_text) {
  std::vector<double> out;
  all_text = true;
  bool any_conv = false;
  for (std::size_t i = 0; i < fmt.size(); ++i)
    if (fmt[i] == '%' && i + 1 < fmt.size() && fmt[i + 1] != '%') {
      any_conv = true;
      std::size_t j = i + 1;
      while (j < fmt.size() && (fmt[j] == '*' || std::isdigit((unsigned char)fmt[j]) || fmt[j] == 'l' || fmt[j] == 'h')) ++j;
      if (j < fmt.size() && fmt[j] != 's' && fmt[j] != 'c') all_text = false;
    }
  if (!any_conv) { all_text = false; return out; }
  for (;;) {
    const std::size_t before = out.size();
    bool progressed = false;
    for (std::size_t i = 0; i < fmt.size(); ++i) {
      if (double(out.size()) >= limit) return out;
      const char ch = fmt[i];
      if (std::isspace((unsigned char)ch)) { skip_space(f); continue; }
      if (ch != '%' || i + 1 >= fmt.size() || fmt[i + 1] == '%') {
        if (ch == '%') ++i;
        if (f.peek() != (unsigned char)fmt[i]) return out;
        f.get();
        continue;
      }
      ++i;
      bool skip = false;
      if (fmt[i] == '*') { skip = true; ++i; }
      std::size_t width = 0;
      while (i < fmt.size() && std::isdigit((unsigned char)fmt[i])) width = width * 10 + std::size_t(fmt[i++] - '0');
      while (i < fmt.size() && (fmt[i] == 'l' || fmt[i] == 'h')) ++i;
      if (i >= fmt.size()) return out;
      const char conv = fmt[i];
      if (width == 0) width = std::numeric_limits<std::size_t>::max();
      if (conv == 'c') {
        const std::size_t n = width == std::numeric_limits<std::size_t>::max() ? 1 : width;
        for (std::size_t k = 0; k < n; ++k) {
          const int c = f.get();
          if (c == EOF) return out;
          if (!skip) out.push_back((unsigned char)c);
        }
        progressed = true;
        continue;
      }
      skip_space(f);
      if (f.peek() == EOF) return out;
      if (conv == 's') {
        int c;
        std::size_t n = 0;
        while (n < width && (c = f.peek()) != EOF && !std::isspace(c)) {
          f.get();
          if (!skip) out.push_back((unsigned char)c);
          ++n;
        }
        progressed = true;
        continue;
      }
      if (std::strchr("dioux" "feg", conv) == nullptr) grl_fail("fscanf: invalid format specifier");
      double v;
      if (!scan_number(f, conv == 'u' ? 'd' : conv, width, v)) return out;
      if (!skip) out.push_back(v);
      progressed = true;
    }
    if (!progressed && out.size() == before) return out;
    if (f.peek() == EOF) return out;
  }
}

}  // namespace

void fscanf(const Mt& fid, const Mt& format, const Mt& size, i_o_t, Mr<m_type> val, Mr<m_type> count) {
  std::FILE* f = grl::fid_stream(fid, "fscanf");
  if (!format.ischar()) grl_fail("fscanf: format TEMPLATE must be a string");
  const read_shape s = shape_of(size, "fscanf");
  bool all_text = false;
  file_source in{f};
  const std::vector<double> v = scan(in, su::text(format), s.given ? s.limit() : INFINITY, all_text);
  val = shaped(v, s, all_text && !s.given);
  count = Mt(m_type(double(v.size())));
}

void fscanf(const Mt& fid, const Mt& format, i_o_t, Mr<m_type> val, Mr<m_type> count) {
  fscanf(fid, format, Mt(), i_o, val, count);
}

Mt fscanf(const Mt& fid, const Mt& format, const Mt& size) {
  Mt v, n;
  fscanf(fid, format, size, i_o, v, n);
  return v;
}

// --- binary data ---------------------------------------------------------------------

namespace {

enum prec_t { P_U8, P_I8, P_U16, P_I16, P_U32, P_I32, P_U64, P_I64, P_F32, P_F64 };

struct precision {
  prec_t in = P_U8;
  bool out_char = false;   // "uint8=>char" and "*char": the result is a char value
  grl::mclass out_class = grl::mc_double;   // "int16=>int16", "*uint8": the result's class
};

// The class of the values a precision reads.
grl::mclass class_of_prec(prec_t p) {
  static const grl::mclass c[] = {grl::mc_uint8, grl::mc_int8, grl::mc_uint16, grl::mc_int16, grl::mc_uint32,
                                  grl::mc_int32, grl::mc_uint64, grl::mc_int64, grl::mc_single, grl::mc_double};
  return c[p];
}

prec_t prec_name(const std::string& s, const char* who) {
  struct { const char* n; prec_t p; } names[] = {
      {"uint8", P_U8},   {"uchar", P_U8},    {"unsigned char", P_U8}, {"char", P_U8},     {"char*1", P_U8},
      {"int8", P_I8},    {"schar", P_I8},    {"signed char", P_I8},   {"integer*1", P_I8}, {"uint16", P_U16},
      {"ushort", P_U16}, {"int16", P_I16},   {"short", P_I16},        {"integer*2", P_I16}, {"uint32", P_U32},
      {"uint", P_U32},   {"int32", P_I32},   {"int", P_I32},          {"integer*4", P_I32}, {"uint64", P_U64},
      {"int64", P_I64},  {"integer*8", P_I64}, {"single", P_F32},     {"float32", P_F32},  {"float", P_F32},
      {"real*4", P_F32}, {"double", P_F64},  {"float64", P_F64},      {"real*8", P_F64},   {"long", P_I64},
      {"ulong", P_U64}};
  for (const auto& n : names)
    if (s == n.n) return n.p;
  grl_fail("%s: invalid PRECISION specified", who);
}

precision parse_precision(const Mt& p, const char* who) {
  precision r;
  if (p.isempty()) return r;
  std::string s = su::text(p);
  std::string out;
  const std::size_t arrow = s.find("=>");
  if (arrow != std::string::npos) {
    out = s.substr(arrow + 2);
    s = s.substr(0, arrow);
  } else if (!s.empty() && s[0] == '*') {
    s = s.substr(1);
    out = s;
  }
  r.in = prec_name(s, who);
  if (!out.empty()) {
    if (out == "char") r.out_char = true;
    else r.out_class = class_of_prec(prec_name(out, who));
  }
  return r;
}

std::size_t prec_bytes(prec_t p) {
  static const std::size_t b[] = {1, 1, 2, 2, 4, 4, 8, 8, 4, 8};
  return b[p];
}

double decode(const unsigned char* b, prec_t p) {
  switch (p) {
    case P_U8: return b[0];
    case P_I8: return double(std::int8_t(b[0]));
    case P_U16: { std::uint16_t v; std::memcpy(&v, b, 2); return v; }
    case P_I16: { std::int16_t v; std::memcpy(&v, b, 2); return v; }
    case P_U32: { std::uint32_t v; std::memcpy(&v, b, 4); return v; }
    case P_I32: { std::int32_t v; std::memcpy(&v, b, 4); return v; }
    case P_U64: { std::uint64_t v; std::memcpy(&v, b, 8); return double(v); }
    case P_I64: { std::int64_t v; std::memcpy(&v, b, 8); return double(v); }
    case P_F32: { float v; std::memcpy(&v, b, 4); return v; }
    case P_F64: { double v; std::memcpy(&v, b, 8); return v; }
  }
  return 0;
}

// An integer class saturates, as a conversion to it does in M; NaN becomes 0.
template <class I> I saturate(double v) {
  if (std::isnan(v)) return 0;
  v = std::round(v);
  if (v <= double(std::numeric_limits<I>::min())) return std::numeric_limits<I>::min();
  if (v >= double(std::numeric_limits<I>::max())) return std::numeric_limits<I>::max();
  return I(v);
}

void encode(double v, prec_t p, unsigned char* b) {
  switch (p) {
    case P_U8: { auto x = saturate<std::uint8_t>(v); std::memcpy(b, &x, 1); break; }
    case P_I8: { auto x = saturate<std::int8_t>(v); std::memcpy(b, &x, 1); break; }
    case P_U16: { auto x = saturate<std::uint16_t>(v); std::memcpy(b, &x, 2); break; }
    case P_I16: { auto x = saturate<std::int16_t>(v); std::memcpy(b, &x, 2); break; }
    case P_U32: { auto x = saturate<std::uint32_t>(v); std::memcpy(b, &x, 4); break; }
    case P_I32: { auto x = saturate<std::int32_t>(v); std::memcpy(b, &x, 4); break; }
    case P_U64: { auto x = saturate<std::uint64_t>(v); std::memcpy(b, &x, 8); break; }
    case P_I64: { auto x = saturate<std::int64_t>(v); std::memcpy(b, &x, 8); break; }
    case P_F32: { float x = float(v); std::memcpy(b, &x, 4); break; }
    case P_F64: std::memcpy(b, &v, 8); break;
  }
}

}  // namespace

void fread(const Mt& fid, const Mt& size, const Mt& prec, i_o_t, Mr<m_type> val, Mr<m_type> count) {
  std::FILE* f = grl::fid_stream(fid, "fread");
  const read_shape s = shape_of(size, "fread");
  const precision p = parse_precision(prec, "fread");
  const std::size_t w = prec_bytes(p.in);
  std::vector<double> v;
  unsigned char buf[8];
  const double limit = s.given ? s.limit() : INFINITY;
  while (double(v.size()) < limit && std::fread(buf, 1, w, f) == w) v.push_back(decode(buf, p.in));
  Mt m = shaped(v, s, false);
  if (p.out_char) m.set_flags(grl::F_STRING);
  else if (p.out_class != grl::mc_double) grl::apply_class(m, p.out_class);
  val = m;
  count = Mt(m_type(double(v.size())));
}

Mt fread(const Mt& fid, const Mt& size, const Mt& prec) {
  Mt v, n;
  fread(fid, size, prec, i_o, v, n);
  return v;
}

Mt fwrite(const Mt& fid, const Mt& data, const Mt& prec) {
  std::FILE* f = grl::fid_stream(fid, "fwrite");
  const precision p = parse_precision(prec, "fwrite");
  const std::size_t w = prec_bytes(p.in);
  unsigned char buf[8];
  std::size_t n = 0;
  for (; n < data.numel(); ++n) {
    encode(double(data.cre()[n]), p.in, buf);
    if (std::fwrite(buf, 1, w, f) != w) break;
  }
  return Mt(m_type(double(n)));
}

// sscanf(text, format [, size]): fscanf reading from the text. [val, count, errmsg,
// next] also say whether the format stopped matching before the text ended and where
// reading stopped (from 1).
void sscanf(const Mt& str, const Mt& format, const Mt& size, i_o_t, Mr<m_type> val, Mr<m_type> count,
            Mr<m_type> errmsg, Mr<m_type> next) {
  if (!str.ischar() && !str.isempty()) grl_fail("sscanf: argument STRING must be a string");
  if (!format.ischar()) grl_fail("sscanf: format TEMPLATE must be a string");
  const read_shape s = shape_of(size, "sscanf");
  // A char matrix reads column by column, as its elements are stored.
  const std::string text = su::text(str);
  text_source in{text};
  bool all_text = false;
  const std::vector<double> v = scan(in, su::text(format), s.given ? s.limit() : INFINITY, all_text);
  const std::size_t at = in.pos;
  skip_space(in);
  const bool at_end = in.peek() == EOF;
  // Nothing read is an empty column unless the text or the size says otherwise.
  val = v.empty() && !s.given && !all_text ? Mt::zeros(0, 1) : shaped(v, s, all_text && !s.given);
  count = Mt(m_type(double(v.size())));
  errmsg = su::str(at_end || (s.given && double(v.size()) >= s.limit()) ? "" : "sscanf: format failed to match");
  next = Mt(m_type(double(at + 1)));
}

void sscanf(const Mt& str, const Mt& format, i_o_t, Mr<m_type> val, Mr<m_type> count, Mr<m_type> errmsg,
            Mr<m_type> next) {
  sscanf(str, format, Mt(), i_o, val, count, errmsg, next);
}

Mt sscanf(const Mt& str, const Mt& format, const Mt& size) {
  Mt v;
  sscanf(str, format, size, i_o, v, junkM, junkM, junkM);
  return v;
}
