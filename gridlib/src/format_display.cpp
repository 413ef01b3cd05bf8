// Display of values as the interpreter's short (default) or long format prints them:
// scalars on the name line, matrices in aligned columns split to fit 80
// characters, e-notation when fixed point would need too many digits, and
// cells and structures with their nested layout.
#include "gridlib/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gridlib {
namespace fmt {
namespace {

const int line_width = 80;   // terminal width the columns are split to

bool long_format = false;    // format long in effect (else format short)
notation style = notation::fitted;
bool compact = false;        // format compact: no blank lines in displays

// What a format shows: significant digits, the widest fixed-point field before
// e-notation takes over, and the most digits an integer shows in full, alone and in a
// matrix. format long shows 16 digits of a double and 8 of a single.
struct digits_t {
  int prec, fixed_width, scalar_int, matrix_int;
};

digits_t digits_for(const value_view& v) {
  if (!long_format) return {5, 9, 7, 6};
  const int prec = v.single ? 8 : 16;
  return {prec, prec + 2, prec, prec - 1};
}

enum style_t { as_integer, as_fixed, as_expo, as_general };

// How the elements of one matrix are written: one style and field widths
// shared by all of them (im_fw only for complex values).
struct layout_t {
  style_t style = as_integer;
  int fw = 0, im_fw = 0, rd = 0;
};

// Digits before the decimal point of a magnitude; zero and non-finite
// magnitudes count as 0.
int digits_of(double a) {
  if (a == 0 || !std::isfinite(a)) return 0;
  return static_cast<int>(std::floor(std::log10(a))) + 1;
}

// Digits left and right of the point needed for a magnitude with d digits.
void ld_rd(int d, int prec, int& ld, int& rd) {
  if (d > 0) {
    ld = d;
    rd = prec > d ? prec - d : prec;
  } else if (d < 0) {
    ld = 1;
    rd = prec - d;
  } else {
    ld = 1;
    rd = prec - 1;
  }
}

// Largest and smallest finite magnitude of n values (0 when none is finite).
void magnitudes(const double* p, long n, double& mx, double& mn) {
  bool any = false;
  mx = 0;
  mn = 0;
  for (long k = 0; k < n; ++k) {
    double a = std::fabs(p[k]);
    if (!std::isfinite(a)) continue;
    if (!any) {
      mx = mn = a;
      any = true;
    }
    mx = std::max(mx, a);
    mn = std::min(mn, a);
  }
}

// Whether every finite element is an integer. In a matrix (loose) an element counts
// as one when it is an integer to single precision, so that results a few units in
// the last place away from integers (polyfit, roots) show as integers, as the
// interpreter shows them; a scalar must be exact.
bool scan_int(const double* p, long n, bool& inf_or_nan, bool loose) {
  bool all_int = true;
  for (long k = 0; k < n; ++k) {
    if (!std::isfinite(p[k])) {
      inf_or_nan = true;
      continue;
    }
    double v = p[k];
    if (loose && std::fabs(v) < 1e30) v = double(static_cast<float>(v));
    if (v != std::floor(v)) all_int = false;
  }
  return all_int;
}

// Width of the exponent: three digits once any finite non-zero value needs them.
int exponent_digits(const double* p, long n) {
  for (long k = 0; k < n; ++k) {
    double a = std::fabs(p[k]);
    if (std::isfinite(a) && a != 0 && (a >= 9.99995e99 || a < 1e-99)) return 3;
  }
  return 2;
}

// The layout for magnitudes of x_max and x_min digits: integers written in full up to
// int_limit digits, fixed point up to the format's width, e-notation with ex exponent
// digits otherwise.
layout_t choose_layout(const digits_t& dg, bool all_int, bool inf_or_nan, int x_max, int x_min, int int_limit,
                       int ex) {
  const int prec = dg.prec;
  layout_t f;
  if (all_int) {
    int d = std::max(x_max, x_min);
    if (d <= int_limit) {
      f.style = as_integer;
      f.fw = d <= 0 ? 2 : d + 1;
      if (inf_or_nan && f.fw < 4) f.fw = 4;
      f.im_fw = f.fw - 1;
      return f;
    }
  } else {
    int ld1, rd1, ld2, rd2;
    ld_rd(x_max, prec, ld1, rd1);
    ld_rd(x_min, prec, ld2, rd2);
    int ld = std::max(ld1, ld2), rd = std::max(rd1, rd2);
    int fw = 1 + ld + 1 + rd;
    if (fw <= dg.fixed_width) {
      f.style = as_fixed;
      f.rd = rd;
      f.fw = (inf_or_nan && fw < 4) ? 4 : fw;
      f.im_fw = f.fw - 1;
      return f;
    }
  }
  f.style = as_expo;
  f.rd = prec - 1;
  f.fw = 1 + 1 + 1 + f.rd + 2 + ex;
  f.im_fw = f.fw - 1;
  return f;
}

// A row the colon operator made is laid out from its first element and the limit it
// was given rather than from its elements (1:2:10 is as wide as 10), and a range that
// is not all integers takes one column more, as the interpreter shows ranges.
layout_t range_layout(const value_view& v, long n) {
  const double base = v.re[0], limit = v.range_limit;
  const bool all_int = base == std::floor(base) && v.re[1] == std::floor(v.re[1]);
  const double mx = std::max(std::fabs(base), std::fabs(limit));
  const double mn = std::min(std::fabs(base), std::fabs(limit));
  const digits_t dg = digits_for(v);
  layout_t f = choose_layout(dg, all_int, false, digits_of(mx), digits_of(mn), dg.matrix_int, exponent_digits(v.re, n));
  if (f.style != as_integer) ++f.fw;
  return f;
}

// short g and long g: each element as the shorter of fixed and e-notation with the
// format's digits, right-aligned in columns six wider than the digits. short e and
// long e: e-notation with the format's digits for every element.
bool notation_layout(const value_view& v, long n, layout_t& f) {
  const digits_t dg = digits_for(v);
  if (style == notation::exponent) {
    int ex = exponent_digits(v.re, n);
    if (v.im) ex = std::max(ex, exponent_digits(v.im, n));
    f.style = as_expo;
    f.rd = dg.prec - 1;
    f.fw = 1 + 1 + 1 + f.rd + 2 + ex;
    f.im_fw = f.fw - 1;
    return true;
  }
  if (style == notation::general && !v.im) {
    f.style = as_general;
    f.rd = dg.prec;
    f.fw = n == 1 ? dg.prec : dg.prec + 6;
    return true;
  }
  return false;
}

layout_t make_layout(const value_view& v) {
  long n = static_cast<long>(v.rows) * v.cols;
  layout_t styled;
  if (notation_layout(v, n, styled)) return styled;
  if (v.range && n >= 2 && !v.im) return range_layout(v, n);
  bool scalar = n == 1;
  bool inf_or_nan = false;
  bool all_int = scan_int(v.re, n, inf_or_nan, !scalar);
  int x_max, x_min;
  double mx, mn;
  magnitudes(v.re, n, mx, mn);
  if (v.im) {
    all_int = scan_int(v.im, n, inf_or_nan, !scalar) && all_int;
    double imx, imn;
    magnitudes(v.im, n, imx, imn);
    if (scalar) {
      x_max = digits_of(mx);
      x_min = digits_of(imx);
    } else {
      x_max = std::max(digits_of(mx), digits_of(imx));
      x_min = std::max(digits_of(mn), digits_of(imn));
    }
  } else {
    x_max = digits_of(mx);
    x_min = digits_of(mn);
  }
  int ex = exponent_digits(v.re, n);
  if (v.im) ex = std::max(ex, exponent_digits(v.im, n));
  const digits_t dg = digits_for(v);
  return choose_layout(dg, all_int, inf_or_nan, x_max, x_min, scalar ? dg.scalar_int : dg.matrix_int, ex);
}

// One number in the layout's style, without padding.
std::string number(double x, const layout_t& f) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-Inf" : "Inf";
  if (x == 0) return "0";
  char buf[512];
  switch (f.style) {
    case as_integer: std::snprintf(buf, sizeof buf, "%.0f", x); break;
    case as_fixed: std::snprintf(buf, sizeof buf, "%.*f", f.rd, x); break;
    case as_expo: std::snprintf(buf, sizeof buf, "%.*e", f.rd, x); break;
    case as_general: std::snprintf(buf, sizeof buf, "%.*g", f.rd, x); break;
  }
  return buf;
}

std::string pad(const std::string& s, int w) {
  return s.size() >= static_cast<size_t>(w) ? s : std::string(w - s.size(), ' ') + s;
}

// The imaginary part with its sign as a separator: " + 2i", " - 0i".
std::string imag_part(double y, const layout_t& f, int w) {
  bool neg = !std::isnan(y) && std::signbit(y);
  return std::string(neg ? " - " : " + ") + pad(number(std::fabs(y), f), w) + "i";
}

std::string element(const value_view& v, long k, const layout_t& f) {
  std::string s = pad(v.texts.empty() ? number(v.re[k], f) : v.texts[std::size_t(k)], f.fw);
  if (v.im) s += imag_part(v.im[k], f, f.im_fw);
  return s;
}

// An integer class: every element in full, in columns as wide as the widest element
// (its sign included). The class's least value (int8 -128, ...) counts for neither
// width nor sign, as octave-cli shows it: int8([127; -128]) is "  127" over "  -128".
layout_t integer_layout(const value_view& v) {
  layout_t f;
  f.style = as_integer;
  bool neg = false;
  int d = 1;
  for (long k = 0, n = static_cast<long>(v.rows) * v.cols; k < n; ++k) {
    if (v.least < 0 && v.re[k] == v.least && n > 1) continue;
    neg |= v.re[k] < 0;
    if (!v.texts.empty()) {
      const std::string& t = v.texts[std::size_t(k)];
      d = std::max(d, int(t.size()) - (t[0] == '-' ? 1 : 0));
    } else {
      d = std::max(d, digits_of(std::fabs(v.re[k])));
    }
  }
  f.fw = d + (neg ? 1 : 0);
  return f;
}

std::string scalar_text(const value_view& v) {
  if (v.kind == value_view::logical) return v.re[0] != 0 ? "1" : "0";
  if (v.integer) return v.texts.empty() ? number(v.re[0], integer_layout(v)) : v.texts[0];
  layout_t f = make_layout(v);
  if (f.style == as_general) return pad(number(v.re[0], f), f.fw);
  if (!v.im) return number(v.re[0], f);
  return element(v, 0, f);
}

std::string dims(const value_view& v) {
  if (v.extents.size() > 2) {
    std::string s;
    for (std::size_t k = 0; k < v.extents.size(); ++k) s += (k ? "x" : "") + std::to_string(v.extents[k]);
    return s;
  }
  return std::to_string(v.rows) + "x" + std::to_string(v.cols);
}

bool is_empty(const value_view& v) { return v.rows == 0 || v.cols == 0; }

// The rows of a matrix, split into column chunks that fit the line width;
// chunks are separated by a blank line, the last row ends with '\n'.
// An integer array of more than two dimensions passes the layout of all its pages.
std::string matrix_body(const value_view& v, const std::string& indent, const layout_t* shared = nullptr) {
  layout_t f;
  if (shared) {
    f = *shared;
  } else if (v.kind == value_view::logical) {
    f.style = as_integer;
    f.fw = 1;
  } else if (v.integer) {
    f = integer_layout(v);
  } else {
    f = make_layout(v);
  }
  int colw = 2 + f.fw + (v.im ? 3 + f.im_fw + 1 : 0);
  // An integer or logical array of zeros only is split as if its digits took no room
  // (40 columns to a chunk), though each is written in three.
  if (!shared && !v.im && (v.kind == value_view::logical || v.integer) && v.texts.empty()) {
    bool zeros = v.re != nullptr;
    for (long k = 0; zeros && k < static_cast<long>(v.rows) * v.cols; ++k) zeros = v.re[k] == 0;
    if (zeros) colw = 2;
  }
  int per = std::max(1, line_width / colw);
  std::string out;
  for (int c0 = 0; c0 < v.cols; c0 += per) {
    int c1 = std::min(v.cols, c0 + per);
    if (per < v.cols) {
      if (c0 > 0) out += "\n";
      if (c1 - c0 == 1)
        out += indent + " Column " + std::to_string(c0 + 1) + ":\n\n";
      else
        out += indent + " Columns " + std::to_string(c0 + 1) +
               (c1 - c0 == 2 ? " and " : " through ") + std::to_string(c1) + ":\n\n";
    }
    for (int r = 0; r < v.rows; ++r) {
      out += indent;
      for (int c = c0; c < c1; ++c) {
        long k = static_cast<long>(c) * v.rows + r;
        out += "  " + element(v, k, f);
      }
      out += "\n";
    }
  }
  return out;
}

std::string char_row(const value_view& v, int r) {
  std::string s;
  for (int c = 0; c < v.cols; ++c)
    s += static_cast<char>(static_cast<unsigned char>(v.re[static_cast<long>(c) * v.rows + r]));
  return s;
}

void put_value(std::string& out, const std::string& indent, const std::string& name,
               const value_view& v, int depth = 0);

// Structures nested this deep (counting structures only, not cells) show each field
// as its extents and kind, not its value.
constexpr int kStructLevelsShown = 2;

// The fields of a structure at nesting depth `depth` (0 for a variable's own).
void put_fields(std::string& out, const std::string& indent, const value_view& v, int depth = 0) {
  for (const auto& fld : v.fields) {
    if (depth >= kStructLevelsShown)
      out += indent + fld.first + ": " + fld.second.summary + "\n";
    else
      put_value(out, indent, fld.first, fld.second, depth + 1);
  }
}

void put_elems(std::string& out, const std::string& indent, const value_view& v, int depth = 0) {
  for (int c = 0; c < v.cols; ++c)
    for (int r = 0; r < v.rows; ++r) {
      size_t k = static_cast<size_t>(c) * v.rows + r;
      if (k >= v.elems.size()) return;
      put_value(out, indent,
                "[" + std::to_string(r + 1) + "," + std::to_string(c + 1) + "]", v.elems[k], depth);
    }
}

// The two-dimensional pages of a value of more than two dimensions, each with its
// name: ans(:,:,1), ans(:,:,2), ... (ans(:,:,1,1) ... past three dimensions).
std::vector<std::pair<std::string, value_view>> pages(const value_view& v) {
  std::vector<std::pair<std::string, value_view>> out;
  const long r = v.extents[0], c = v.extents[1];
  long count = 1;
  for (std::size_t k = 2; k < v.extents.size(); ++k) count *= v.extents[k];
  std::vector<long> sub(v.extents.size(), 0);
  for (long p = 0; p < count; ++p) {
    std::string name = "ans(:,:";
    for (std::size_t k = 2; k < sub.size(); ++k) name += "," + std::to_string(sub[k] + 1);
    value_view page = v;
    page.extents.clear();
    page.rows = int(r);
    page.cols = int(c);
    page.range = false;
    if (v.re) page.re = v.re + p * r * c;
    if (v.im) page.im = v.im + p * r * c;
    if (!v.texts.empty()) {
      const auto first = v.texts.begin() + p * r * c;
      page.texts.assign(first, first + r * c);
    }
    out.emplace_back(name + ")", page);
    for (std::size_t k = 2; k < sub.size(); ++k) {
      if (++sub[k] < v.extents[k]) break;
      sub[k] = 0;
    }
  }
  return out;
}

// The pages of an integer array of more than two dimensions, each followed by a blank
// line: one column width for all of them, pages of one element as matrices too.
std::string integer_pages(const value_view& v, const std::string& indent) {
  const layout_t f = integer_layout(v);
  std::string out;
  for (const auto& pg : pages(v)) out += pg.first + " =\n\n" + matrix_body(pg.second, indent, &f) + "\n";
  return out;
}

void put_value(std::string& out, const std::string& indent, const std::string& name,
               const value_view& v, int depth) {
  std::string head = indent + name + " =";
  if (v.extents.size() > 2 && v.kind != value_view::cell && v.kind != value_view::structure &&
      v.kind != value_view::struct_array) {
    if (is_empty(v)) {
      out += head + " [](" + dims(v) + ")\n";
      return;
    }
    // Pages of one row of text follow the name on its line; other pages each start
    // a block, and pages of one element end with a blank line.
    // Integer pages share one column width and are written as matrices even when they
    // hold one element; their names are not indented, their rows are.
    if (v.integer && v.kind != value_view::logical) {
      out += head + "\n\n" + integer_pages(v, indent);
      return;
    }
    const bool text_rows = v.kind == value_view::chars && v.extents[0] == 1;
    out += text_rows ? head + " " : head + "\n\n";
    for (const auto& pg : pages(v)) put_value(out, text_rows ? "" : indent, pg.first, pg.second);
    if (!text_rows && v.extents[0] == 1 && v.extents[1] == 1) out += "\n";
    return;
  }
  switch (v.kind) {
    case value_view::cell:
      if (v.extents.size() > 2) {
        out += head + " {" + dims(v) + " Cell Array}\n";
        return;
      }
      if (is_empty(v)) {
        out += head + " {}(" + dims(v) + ")\n";
        return;
      }
      out += head + "\n" + indent + "{\n";
      put_elems(out, indent + "  ", v, depth);
      out += indent + "}\n\n";
      return;
    case value_view::structure:
      out += head + "\n\n" + indent + "  scalar structure containing the fields:\n\n";
      put_fields(out, indent + "    ", v, depth);
      out += "\n";
      return;
    case value_view::struct_array:
      out += head + "\n\n" + indent + "  " + dims(v) + " struct array containing the fields:\n\n";
      for (const auto& fld : v.fields) out += indent + "    " + fld.first + "\n";
      out += "\n";
      return;
    case value_view::chars:
      if (v.rows <= 1 || v.cols == 0) {
        if (v.rows > 1) {
          out += head + "\n\n" + std::string(v.rows, '\n') + "\n";
          return;
        }
        out += head + " " + (v.rows == 1 ? char_row(v, 0) : "") + "\n";
        return;
      }
      out += head + "\n\n";
      for (int r = 0; r < v.rows; ++r) out += char_row(v, r) + "\n";
      out += "\n";
      return;
    default:
      if (is_empty(v)) {
        out += head + " [](" + dims(v) + ")\n";
      } else if (v.rows == 1 && v.cols == 1) {
        out += head + " " + scalar_text(v) + "\n";
      } else {
        out += head + "\n\n" + matrix_body(v, indent) + "\n";
      }
  }
}

}  // namespace

void set_long_format(bool on) { long_format = on; }
void set_notation(notation n) { style = n; }
void set_compact(bool on) { compact = on; }

namespace {
// The text without its empty lines; a display that ended in a blank line keeps one.
std::string without_blank_lines(const std::string& text, bool keep_last) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size() - 1;
    if (end > at) out.append(text, at, end - at + 1);
    at = end + 1;
  }
  const bool blank_end = text.size() >= 2 && text.compare(text.size() - 2, 2, "\n\n") == 0;
  if (keep_last && blank_end) out += "\n";
  return out;
}

// Text of zero columns is all blank lines: compact display keeps them.
bool blank_text(const value_view& v) { return v.kind == value_view::chars && v.cols == 0; }
}  // namespace

std::string display(const std::string& name, const value_view& v) {
  std::string out;
  put_value(out, "", name, v);
  if (compact && !blank_text(v)) return without_blank_lines(out, true);
  return out;
}

static std::string disp_loose(const value_view& v);

std::string disp(const value_view& v) {
  const std::string out = disp_loose(v);
  if (compact && !blank_text(v)) return without_blank_lines(out, false);
  return out;
}

// What disp prints with format loose.
static std::string disp_loose(const value_view& v) {
  std::string out;
  if (v.extents.size() > 2 && v.kind != value_view::cell && v.kind != value_view::structure &&
      v.kind != value_view::struct_array && !is_empty(v)) {
    // As displayed, without the blank line after the last page.
    if (v.integer && v.kind != value_view::logical)
      out = integer_pages(v, "");
    else
      for (const auto& pg : pages(v)) put_value(out, "", pg.first, pg.second);
    if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\n\n") == 0) out.pop_back();
    return out;
  }
  if (v.extents.size() > 2 && v.kind == value_view::cell) return "{" + dims(v) + " Cell Array}\n";
  switch (v.kind) {
    case value_view::cell:
      if (is_empty(v)) return "{}(" + dims(v) + ")\n";
      out = "{\n";
      put_elems(out, "  ", v);
      return out + "}\n";
    case value_view::structure:
      put_fields(out, "    ", v);
      return out;
    case value_view::struct_array:
      out = "  " + dims(v) + " struct array containing the fields:\n\n";
      for (const auto& fld : v.fields) out += "    " + fld.first + "\n";
      return out;
    case value_view::chars:
      if (v.rows == 0) return "\n";
      for (int r = 0; r < v.rows; ++r) out += char_row(v, r) + "\n";
      return out;
    default:
      if (is_empty(v)) return "[](" + dims(v) + ")\n";
      if (v.rows == 1 && v.cols == 1) return scalar_text(v) + "\n";
      return matrix_body(v, "");
  }
}

}  // namespace fmt
}  // namespace gridlib
