// Delimited text files: dlmread, csvread, dlmwrite and csvwrite.
//
// A file is read line by line; each line is split at the separator into fields, and a
// field that is empty or not a number takes the empty value (0 unless given). Rows of
// different lengths are padded with the empty value. Without a separator the first
// line that has one decides: a comma, else a semicolon, else runs of blanks and tabs.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gridlib.h"
#include "strutil.h"

using grl::Mt;
namespace su = grl::su;

namespace {

struct read_opts {
  char sep = 0;            // 0: decide from the file; ' ' with `runs`: blanks and tabs
  bool runs = false;       // separators in a row count as one (whitespace)
  double empty = 0;
  long r0 = 0, c0 = 0, r1 = -1, c1 = -1;   // the range read, from 0; -1: to the end
};

std::string read_all(const char* who, const std::string& name) {
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) grl_fail("%s: unable to open file '%s'", who, name.c_str());
  std::string text;
  char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, got);
  std::fclose(f);
  return text;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t k = 0;
  while (k < text.size()) {
    std::size_t e = text.find('\n', k);
    if (e == std::string::npos) e = text.size();
    std::string l = text.substr(k, e - k);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
    k = e + 1;
  }
  return lines;
}

void decide_separator(read_opts& o, const std::vector<std::string>& lines) {
  if (o.sep) return;
  for (const std::string& l : lines) {
    if (l.find(',') != std::string::npos) { o.sep = ','; return; }
    if (l.find(';') != std::string::npos) { o.sep = ';'; return; }
  }
  o.sep = ' ';
  o.runs = true;
}

std::vector<std::string> fields_of(const std::string& line, const read_opts& o) {
  std::vector<std::string> f;
  if (o.runs) {
    std::size_t k = 0;
    while (k < line.size()) {
      while (k < line.size() && (line[k] == ' ' || line[k] == '\t')) ++k;
      if (k >= line.size()) break;
      std::size_t e = k;
      while (e < line.size() && line[e] != ' ' && line[e] != '\t') ++e;
      f.push_back(line.substr(k, e - k));
      k = e;
    }
    return f;
  }
  std::size_t k = 0;
  for (;;) {
    std::size_t e = line.find(o.sep, k);
    if (e == std::string::npos) { f.push_back(line.substr(k)); break; }
    f.push_back(line.substr(k, e - k));
    k = e + 1;
  }
  return f;
}

// The value of one field: a real number, a complex one written a+bi, Inf or NaN;
// anything else is not a number.
bool field_value(const std::string& s, double& re, double& im) {
  std::size_t a = 0, b = s.size();
  while (a < b && std::isspace((unsigned char)s[a])) ++a;
  while (b > a && std::isspace((unsigned char)s[b - 1])) --b;
  if (a == b) return false;
  const std::string t = s.substr(a, b - a);
  const char* p = t.c_str();
  char* end = nullptr;
  re = std::strtod(p, &end);
  im = 0;
  if (end == p) return false;
  if (*end == '\0') return true;
  if ((*end == 'i' || *end == 'j') && end[1] == '\0') { im = re; re = 0; return true; }
  if (*end == '+' || *end == '-') {
    const char* q = end;
    char* e2 = nullptr;
    im = std::strtod(q, &e2);
    if (e2 != q && (*e2 == 'i' || *e2 == 'j') && e2[1] == '\0') return true;
  }
  return false;
}

// A spreadsheet column of letters (A, B, ..., Z, AA, ...) as a number from 0.
long column_of(const std::string& s, std::size_t& k) {
  long c = 0;
  bool any = false;
  while (k < s.size() && std::isalpha((unsigned char)s[k])) {
    c = c * 26 + (std::toupper((unsigned char)s[k]) - 'A' + 1);
    if (c > 1000000000L) grl_fail("dlmread: error parsing RANGE");
    ++k;
    any = true;
  }
  if (!any) grl_fail("dlmread: error parsing RANGE");
  return c - 1;
}

long row_of(const std::string& s, std::size_t& k) {
  long r = 0;
  bool any = false;
  while (k < s.size() && std::isdigit((unsigned char)s[k])) {
    r = r * 10 + (s[k] - '0');
    if (r > 1000000000L) grl_fail("dlmread: error parsing RANGE");
    ++k;
    any = true;
  }
  if (!any || r < 1) grl_fail("dlmread: error parsing RANGE");
  return r - 1;
}

// A range: [r0 c0 r1 c1] from 0, or spreadsheet cells "A2..C3" or "A2:C3".
void range_arg(const Mt& r, read_opts& o) {
  if (r.ischar()) {
    const std::string s = su::text(r);
    std::size_t k = 0;
    o.c0 = column_of(s, k);
    o.r0 = row_of(s, k);
    if (k == s.size()) { o.r1 = o.r0; o.c1 = o.c0; return; }
    if (s.compare(k, 2, "..") == 0) k += 2;
    else if (s[k] == ':') k += 1;
    else grl_fail("dlmread: error parsing RANGE");
    o.c1 = column_of(s, k);
    o.r1 = row_of(s, k);
    if (k != s.size()) grl_fail("dlmread: error parsing RANGE");
    return;
  }
  if (r.numel() != 4 || r.isc()) grl_fail("dlmread: error parsing RANGE");
  long v[4];
  for (int k = 0; k < 4; ++k) {
    const double d = double(r.cre()[k]);
    if (!(d >= 0) || d > 1e9 || d != std::floor(d)) grl_fail("dlmread: error parsing RANGE");
    v[k] = long(d);
  }
  o.r0 = v[0]; o.c0 = v[1]; o.r1 = v[2]; o.c1 = v[3];
}

long offset_arg(const char* what, const Mt& x) {
  if (x.numel() != 1 || x.ischar() || x.isc()) grl_fail("dlmread: %s must be a non-negative integer", what);
  const double d = double(x.cre()[0]);
  if (!(d >= 0) || d > 1e9 || d != std::floor(d)) grl_fail("dlmread: %s must be a non-negative integer", what);
  return long(d);
}

void separator_arg(const Mt& s, read_opts& o) {
  if (!s.ischar() && !s.isempty()) grl_fail("dlmread: SEP must be a string");
  const std::string t = su::expand_escapes(su::text(s));
  if (t.empty()) return;
  o.sep = t[0];
  o.runs = false;
}

Mt read_file(const Mt& file, read_opts o, const char* who) {
  if (!file.ischar()) grl_fail("%s: FILE argument must be a string or file id", who);
  const std::vector<std::string> lines = lines_of(read_all("dlmread", su::text(file)));
  decide_separator(o, lines);
  std::vector<std::vector<std::string>> rows;
  std::size_t width = 0;
  for (const std::string& l : lines) {
    rows.push_back(fields_of(l, o));
    if (l.empty() && o.runs) rows.back().clear();
    width = rows.back().size() > width ? rows.back().size() : width;
  }
  // The rows and columns read: the range, cut to what the file holds.
  const long nr = long(rows.size()), nc = long(width);
  const long r1 = o.r1 < 0 || o.r1 >= nr ? nr - 1 : o.r1;
  const long c1 = o.c1 < 0 || o.c1 >= nc ? nc - 1 : o.c1;
  if (o.r0 > r1 || o.c0 > c1) return Mt();
  const std::size_t R = std::size_t(r1 - o.r0 + 1), C = std::size_t(c1 - o.c0 + 1);
  grl::check_extent(R, C, sizeof(m_type));
  Mt x = Mt::alloc(R, C);
  m_type* re = x.pr();
  m_type* im = nullptr;
  for (std::size_t i = 0; i < R; ++i) {
    const std::vector<std::string>& f = rows[std::size_t(o.r0) + i];
    for (std::size_t j = 0; j < C; ++j) {
      const std::size_t c = std::size_t(o.c0) + j;
      double a = o.empty, b = 0;
      if (c < f.size() && !field_value(f[c], a, b)) { a = o.empty; b = 0; }
      re[i + j * R] = m_type(a);
      if (b != 0 && !im) im = x.pi();
      if (im) im[i + j * R] = m_type(b);
    }
  }
  return x;
}

// The options after the file: a separator, r0 and c0 or a range, 'emptyvalue', v.
Mt dlmread_args(const Mt& file, const std::vector<const Mt*>& a) {
  read_opts o;
  std::vector<const Mt*> pos;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k]->ischar() && su::text(*a[k]).size() > 1) {
      std::string key = su::text(*a[k]);
      for (char& ch : key) ch = char(std::tolower((unsigned char)ch));
      if (key == "emptyvalue") {
        if (k + 1 >= a.size()) grl_fail("dlmread: missing value for \"emptyvalue\"");
        const Mt& v = *a[++k];
        if (v.numel() != 1 || v.ischar()) grl_fail("dlmread: \"emptyvalue\" must be a scalar");
        o.empty = double(v.cre()[0]);
        continue;
      }
    }
    pos.push_back(a[k]);
  }
  // dlmread(file, range) with a spreadsheet range and no separator.
  std::size_t p = 0;
  if (pos.size() == 1 && pos[0]->ischar() && su::text(*pos[0]).size() > 2) {
    range_arg(*pos[0], o);
    return read_file(file, o, "dlmread");
  }
  if (p < pos.size()) separator_arg(*pos[p++], o);
  if (pos.size() - p == 1) {
    range_arg(*pos[p], o);
  } else if (pos.size() - p == 2) {
    o.r0 = offset_arg("R0", *pos[p]);
    o.c0 = offset_arg("C0", *pos[p + 1]);
  } else if (pos.size() - p > 2) {
    grl_fail("Invalid call to dlmread");
  }
  return read_file(file, o, "dlmread");
}

// --- writing -------------------------------------------------------------------------

struct write_opts {
  std::string delim = ",", newline = "\n", format = "%.16g";
  long roff = 0, coff = 0;
  bool append = false;
};

long write_offset(const Mt& x) {
  if (x.numel() != 1 || x.ischar() || x.isc()) grl_fail("dlmwrite: offsets must be non-negative integers");
  const double d = double(x.cre()[0]);
  if (!(d >= 0) || d > 1e6 || d != std::floor(d)) grl_fail("dlmwrite: offsets must be non-negative integers");
  return long(d);
}

// A number as dlmwrite writes it: the format, with Inf and NaN spelt as M spells them.
std::string number_text(const std::string& fmt, double v, bool sign) {
  if (std::isnan(v)) return sign ? "+NaN" : "NaN";
  if (std::isinf(v)) return v > 0 ? (sign ? "+Inf" : "Inf") : "-Inf";
  std::string f = fmt;
  if (sign && f.size() > 1 && f[0] == '%' && f[1] != '+') f.insert(1, "+");
  char buf[512];
  std::snprintf(buf, sizeof buf, f.c_str(), v);
  return buf;
}

// A format given by the program: one conversion of a floating value, nothing else.
std::string checked_format(const std::string& f) {
  std::size_t pct = f.find('%');
  if (pct == std::string::npos) grl_fail("dlmwrite: PRECISION must be a format or a number of digits");
  std::size_t k = pct + 1;
  while (k < f.size() && std::strchr("-+ #0", f[k])) ++k;
  while (k < f.size() && std::isdigit((unsigned char)f[k])) ++k;
  if (k < f.size() && f[k] == '.') { ++k; while (k < f.size() && std::isdigit((unsigned char)f[k])) ++k; }
  if (k >= f.size() || !std::strchr("eEfgGaA", f[k]) || f.find('%', k) != std::string::npos ||
      k - pct > 12)
    grl_fail("dlmwrite: PRECISION must be a format or a number of digits");
  return f;
}

void option_pairs(const std::vector<Mt>& opts, write_opts& w) {
  std::size_t k = 0;
  std::vector<const Mt*> pos;
  while (k < opts.size()) {
    const Mt& a = opts[k];
    std::string key = a.ischar() ? su::text(a) : "";
    std::string low = key;
    for (char& ch : low) ch = char(std::tolower((unsigned char)ch));
    if (low == "-append") { w.append = true; ++k; continue; }
    const bool named = low == "delimiter" || low == "newline" || low == "roffset" ||
                       low == "coffset" || low == "precision" || low == "append";
    if (named) {
      if (k + 1 >= opts.size()) grl_fail("dlmwrite: missing value for \"%s\"", key.c_str());
      const Mt& v = opts[k + 1];
      if (low == "delimiter") w.delim = su::expand_escapes(su::text(v));
      else if (low == "append") w.append = su::text(v) == "on";
      else if (low == "roffset") w.roff = write_offset(v);
      else if (low == "coffset") w.coff = write_offset(v);
      else if (low == "newline") {
        const std::string n = su::text(v);
        w.newline = n == "pc" ? "\r\n" : n == "unix" ? "\n" : n == "mac" ? "\r" : su::expand_escapes(n);
      } else if (v.ischar()) {
        w.format = checked_format(su::text(v));
      } else {
        if (v.numel() != 1) grl_fail("dlmwrite: PRECISION must be a format or a number of digits");
        const double d = double(v.cre()[0]);
        if (!(d >= 0) || d > 100 || d != std::floor(d))
          grl_fail("dlmwrite: PRECISION must be a format or a number of digits");
        w.format = "%." + std::to_string(long(d)) + "g";
      }
      k += 2;
      continue;
    }
    pos.push_back(&a);
    ++k;
  }
  // Positional: delimiter, then row and column offsets.
  if (pos.size() > 3) grl_fail("Invalid call to dlmwrite");
  if (!pos.empty()) {
    if (!pos[0]->ischar() && !pos[0]->isempty()) grl_fail("dlmwrite: DELIM must be a string");
    w.delim = su::expand_escapes(su::text(*pos[0]));
  }
  if (pos.size() == 2) grl_fail("Invalid call to dlmwrite");
  if (pos.size() == 3) { w.roff = write_offset(*pos[1]); w.coff = write_offset(*pos[2]); }
}

}  // namespace

Mt dlmread(const Mt& file) { return dlmread_args(file, {}); }
Mt dlmread(const Mt& file, const Mt& a) { return dlmread_args(file, {&a}); }
Mt dlmread(const Mt& file, const Mt& a, const Mt& b) { return dlmread_args(file, {&a, &b}); }
Mt dlmread(const Mt& file, const Mt& a, const Mt& b, const Mt& c) { return dlmread_args(file, {&a, &b, &c}); }
Mt dlmread(const Mt& file, const Mt& a, const Mt& b, const Mt& c, const Mt& d) {
  return dlmread_args(file, {&a, &b, &c, &d});
}
Mt dlmread(const Mt& file, const Mt& a, const Mt& b, const Mt& c, const Mt& d, const Mt& e) {
  return dlmread_args(file, {&a, &b, &c, &d, &e});
}

Mt csvread(const Mt& file) { return dlmread(file, su::str(",")); }
Mt csvread(const Mt& file, const Mt& range) { return dlmread(file, su::str(","), range); }
Mt csvread(const Mt& file, const Mt& r0, const Mt& c0) { return dlmread(file, su::str(","), r0, c0); }
Mt csvread(const Mt& file, const Mt& r0, const Mt& c0, const Mt& range) {
  // The range decides; r0 and c0 only repeat its corner.
  (void)r0;
  (void)c0;
  return dlmread(file, su::str(","), range);
}

void grl::dlmwrite_v(const Mt& file, const Mt& x, const std::vector<Mt>& opts) {
  if (!file.ischar()) grl_fail("dlmwrite: FILE must be a filename string or numeric FID");
  write_opts w;
  option_pairs(opts, w);
  const std::string name = su::text(file);
  std::FILE* f = std::fopen(name.c_str(), w.append ? "ab" : "wb");
  if (!f) grl_fail("dlmwrite: could not open file %s", name.c_str());
  const std::size_t R = x.rows(), C = x.cols();
  std::string out;
  const std::size_t width = C + std::size_t(w.coff);
  for (long r = 0; r < w.roff; ++r) {
    for (std::size_t j = 1; j < width; ++j) out += w.delim;
    out += w.newline;
  }
  for (std::size_t i = 0; i < R && C > 0; ++i) {
    for (long c = 0; c < w.coff; ++c) out += w.delim;
    for (std::size_t j = 0; j < C; ++j) {
      if (j) out += w.delim;
      const std::size_t k = i + j * R;
      if (x.ischar()) {
        out += char(int(x.cre()[k]));
      } else {
        out += number_text(w.format, double(x.cre()[k]), false);
        if (x.isc()) out += number_text(w.format, double(x.cim()[k]), true) + "i";
      }
    }
    out += w.newline;
    if (out.size() > (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), f);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
}

grl::quiet csvwrite(const Mt& file, const Mt& x) { return dlmwrite(file, x, su::str(",")); }
grl::quiet csvwrite(const Mt& file, const Mt& x, const Mt& r, const Mt& c) {
  return dlmwrite(file, x, su::str(","), r, c);
}
