// textscan: columns of data read from a text or an open file with a format.
//
// C = textscan(src, format [, N] [, option, value ...]) repeats the format (N times at
// most) over the text and gives one cell per conversion that is kept: a column of
// numbers for %f %n (double), %d %d8 ... %u64 (the integer classes), a column cell of
// strings for %s. Fields are separated by white space, or by the delimiters given; an
// empty field between delimiters is EmptyValue (NaN). Reading stops at the end of the
// text or at the first field that does not match; from a file it then leaves the file
// position after what was read.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_io.h"
#include "strutil.h"

using grl::Mt;
namespace su = grl::su;

namespace {

enum class item_kind { literal, number, text };

struct item_t {
  item_kind kind;
  std::string literal;             // the text to match (literal items)
  grl::mclass cls = grl::mc_double;
  bool skip = false;               // %*...: read and dropped
};

struct options_t {
  std::string delimiters;
  std::string whitespace = " \b\t";
  double empty_value = std::numeric_limits<double>::quiet_NaN();
  std::size_t header_lines = 0;
  bool multiple_delims = false;
  bool collect = false;
  std::string comment;
};

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<item_t> parse_format(const std::string& f) {
  std::vector<item_t> items;
  for (std::size_t i = 0; i < f.size();) {
    if (std::isspace(static_cast<unsigned char>(f[i]))) { ++i; continue; }
    if (f[i] != '%' || (i + 1 < f.size() && f[i + 1] == '%')) {
      std::string lit;
      while (i < f.size() && !std::isspace(static_cast<unsigned char>(f[i])) &&
             !(f[i] == '%' && !(i + 1 < f.size() && f[i + 1] == '%'))) {
        if (f[i] == '%') ++i;
        lit += f[i++];
      }
      items.push_back({item_kind::literal, lit});
      continue;
    }
    item_t it{item_kind::number, ""};
    ++i;
    if (i < f.size() && f[i] == '*') { it.skip = true; ++i; }
    while (i < f.size() && (std::isdigit(static_cast<unsigned char>(f[i])) || f[i] == '.')) ++i;   // widths: ignored
    if (i >= f.size()) grl_fail("textscan: invalid format specifier");
    const char c = f[i++];
    if (c == 'f' || c == 'n') {
      it.cls = grl::mc_double;
      if (c == 'f' && f.compare(i, 2, "32") == 0) { it.cls = grl::mc_single; i += 2; }
      else if (c == 'f' && f.compare(i, 2, "64") == 0) i += 2;
    } else if (c == 'd' || c == 'u') {
      int bits = 32;
      for (const char* b : {"64", "32", "16", "8"})
        if (f.compare(i, std::strlen(b), b) == 0) {
          bits = std::atoi(b);
          i += std::strlen(b);
          break;
        }
      const grl::mclass s[] = {grl::mc_int8, grl::mc_int16, grl::mc_int32, grl::mc_int64};
      const grl::mclass us[] = {grl::mc_uint8, grl::mc_uint16, grl::mc_uint32, grl::mc_uint64};
      const int k = bits == 8 ? 0 : bits == 16 ? 1 : bits == 32 ? 2 : 3;
      it.cls = c == 'u' ? us[k] : s[k];
    } else if (c == 's' || c == 'q') {
      it.kind = item_kind::text;
    } else {
      grl_fail("textscan: '%%%c' is not a supported conversion", c);
    }
    items.push_back(it);
  }
  return items;
}

struct reader {
  const std::string& s;
  const options_t& o;
  std::size_t pos = 0;

  bool is_white(char c) const { return o.whitespace.find(c) != std::string::npos; }
  bool is_delim(char c) const { return !o.delimiters.empty() && o.delimiters.find(c) != std::string::npos; }
  bool is_eol(char c) const { return c == '\n' || c == '\r'; }
  bool at_end() const { return pos >= s.size(); }

  // White space, line ends and comments before a field; with no delimiters given,
  // these are what separate fields.
  void skip_blank() {
    for (;;) {
      while (pos < s.size() && (is_white(s[pos]) || is_eol(s[pos]))) ++pos;
      if (!o.comment.empty() && s.compare(pos, o.comment.size(), o.comment) == 0) {
        while (pos < s.size() && !is_eol(s[pos])) ++pos;
        continue;
      }
      return;
    }
  }
  void skip_white_only() {
    while (pos < s.size() && is_white(s[pos])) ++pos;
  }
  // The delimiter after a field, when there is one (several count as one when asked).
  void take_delimiter() {
    skip_white_only();
    if (pos < s.size() && is_delim(s[pos])) {
      ++pos;
      if (o.multiple_delims)
        while (pos < s.size() && (is_delim(s[pos]) || is_white(s[pos]))) ++pos;
    }
  }
  // Whether the field at pos is empty: a delimiter or a line end comes first.
  bool empty_field() {
    skip_white_only();
    return !o.delimiters.empty() && (pos >= s.size() || is_delim(s[pos]) || is_eol(s[pos]));
  }

  bool number(double& v) {
    const char* start = s.c_str() + pos;
    std::size_t k = pos;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
    const std::string rest = lower(s.substr(k, 3));
    if (rest == "inf" || rest == "nan") {
      v = rest == "inf" ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
      if (s[pos] == '-') v = -v;
      pos = k + 3;
      return true;
    }
    if (!(k < s.size() && (std::isdigit(static_cast<unsigned char>(s[k])) || s[k] == '.'))) return false;
    char* end = nullptr;
    v = std::strtod(start, &end);
    if (end == start) return false;
    pos += std::size_t(end - start);
    return true;
  }

  std::string word() {
    std::string w;
    while (pos < s.size() && !is_white(s[pos]) && !is_eol(s[pos]) && !is_delim(s[pos])) w += s[pos++];
    return w;
  }
};

void read_options(const std::vector<Mt>& in, std::size_t from, options_t& o) {
  if ((in.size() - from) % 2) grl_fail("textscan: the options must come in name, value pairs");
  for (std::size_t k = from; k < in.size(); k += 2) {
    if (!in[k].ischar()) grl_fail("textscan: the name of an option must be a string");
    const std::string name = lower(su::text(in[k]));
    const Mt& v = in[k + 1];
    if (name == "delimiter") {
      if (v.holds_cell()) {
        const M<Mt>& c = v.held_cell();
        for (std::size_t j = 0; j < c.numel(); ++j) o.delimiters += su::expand_escapes(su::text(c.elem(j)));
      } else {
        o.delimiters = su::expand_escapes(su::text(v));
      }
    } else if (name == "whitespace") {
      o.whitespace = su::expand_escapes(su::text(v));
    } else if (name == "headerlines") {
      if (v.ischar() || v.holds_cell() || v.numel() != 1 || v.cre()[0] < 0)
        grl_fail("textscan: HeaderLines must be a non-negative integer");
      o.header_lines = std::size_t(v.cre()[0]);
    } else if (name == "emptyvalue") {
      if (v.ischar() || v.holds_cell() || v.numel() != 1) grl_fail("textscan: EmptyValue must be a numeric scalar");
      o.empty_value = double(v.cre()[0]);
    } else if (name == "multipledelimsasone") {
      o.multiple_delims = !v.holds_cell() && v.numel() == 1 && v.cre()[0] != 0;
    } else if (name == "collectoutput") {
      o.collect = !v.holds_cell() && v.numel() == 1 && v.cre()[0] != 0;
    } else if (name == "commentstyle") {
      o.comment = v.holds_cell() ? std::string() : su::text(v);
    } else if (name == "endofline" || name == "returnonerror" || name == "bufsize") {
      // Line ends are \n, \r\n or \r always; reading always stops at a mismatch.
    } else {
      grl_fail("textscan: unrecognized option '%s'", su::text(in[k]).c_str());
    }
  }
}

struct column_t {
  bool text = false;
  grl::mclass cls = grl::mc_double;
  std::vector<double> numbers;
  std::vector<std::string> words;
};

M<Mt> scan_text(const std::string& text, const std::vector<Mt>& in, std::size_t& consumed) {
  const std::string fmt = in.size() > 1 ? su::text(in[1]) : "%f";
  if (in.size() > 1 && !in[1].ischar()) grl_fail("textscan: FORMAT must be a string");
  std::size_t from = 2;
  double repeats = std::numeric_limits<double>::infinity();
  if (in.size() > 2 && !in[2].ischar()) {
    if (in[2].holds_cell() || in[2].numel() != 1) grl_fail("textscan: N must be a scalar");
    const double n = double(in[2].cre()[0]);
    if (n >= 0) repeats = n;
    from = 3;
  }
  options_t o;
  read_options(in, from, o);
  const std::vector<item_t> items = parse_format(fmt.empty() ? "%f" : fmt);
  std::vector<column_t> cols;
  for (const item_t& it : items)
    if (it.kind != item_kind::literal && !it.skip) {
      column_t c;
      c.text = it.kind == item_kind::text;
      c.cls = it.cls;
      cols.push_back(c);
    }
  reader r{text, o};
  for (std::size_t h = 0; h < o.header_lines && !r.at_end(); ++h) {
    while (!r.at_end() && !r.is_eol(text[r.pos])) ++r.pos;
    if (r.pos + 1 < text.size() && text[r.pos] == '\r' && text[r.pos + 1] == '\n') ++r.pos;
    if (!r.at_end()) ++r.pos;
  }
  bool stop = false;
  for (double rep = 0; rep < repeats && !stop; ++rep) {
    r.skip_blank();
    if (r.at_end()) break;
    std::size_t col = 0;
    for (const item_t& it : items) {
      if (it.kind == item_kind::literal) {
        r.skip_white_only();
        if (text.compare(r.pos, it.literal.size(), it.literal) != 0) { stop = true; break; }
        r.pos += it.literal.size();
        continue;
      }
      if (o.delimiters.empty()) r.skip_blank();
      if (it.kind == item_kind::number) {
        double v;
        if (r.empty_field()) v = o.empty_value;
        else if (!r.number(v)) { stop = true; break; }
        if (!it.skip) cols[col++].numbers.push_back(v);
      } else {
        if (!o.delimiters.empty()) r.skip_white_only();
        const std::string w = r.word();
        if (!it.skip) cols[col++].words.push_back(w);
      }
      r.take_delimiter();
    }
  }
  consumed = r.pos;
  // One cell per column; CollectOutput joins neighbouring number columns of one class.
  std::vector<Mt> out;
  for (std::size_t k = 0; k < cols.size(); ++k) {
    if (cols[k].text) {
      M<Mt> c = M<Mt>::alloc(cols[k].words.size(), 1);
      for (std::size_t j = 0; j < cols[k].words.size(); ++j) c.welem(j) = su::str(cols[k].words[j]);
      out.push_back(Mt::of_cell(c));
      continue;
    }
    std::size_t end = k + 1;
    if (o.collect)
      while (end < cols.size() && !cols[end].text && cols[end].cls == cols[k].cls &&
             cols[end].numbers.size() == cols[k].numbers.size())
        ++end;
    Mt block = Mt::alloc(cols[k].numbers.size(), end - k);
    for (std::size_t j = k; j < end; ++j)
      for (std::size_t i = 0; i < cols[k].numbers.size(); ++i)
        if (block.numel()) block.pr()[i + (j - k) * cols[k].numbers.size()] = m_type(cols[j].numbers[i]);
    if (cols[k].cls != grl::mc_double) grl::apply_class(block, cols[k].cls);
    out.push_back(block);
    k = end - 1;
  }
  M<Mt> result = M<Mt>::alloc(1, out.size());
  for (std::size_t k = 0; k < out.size(); ++k) result.welem(k) = out[k];
  return result;
}

}  // namespace

M<Mt> grl::textscan_v(const std::vector<Mt>& in) {
  if (in.empty()) grl_fail("Invalid call to textscan");
  const Mt& src = in[0];
  if (src.holds_cell()) grl_fail("textscan: first argument must be a file id or string");
  std::size_t consumed = 0;
  if (src.ischar() || src.isempty()) return scan_text(su::text(src), in, consumed);
  std::FILE* f = fid_stream(src, "textscan");
  const long start = std::ftell(f);
  std::string text;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  M<Mt> c = scan_text(text, in, consumed);
  if (start >= 0) std::fseek(f, start + long(consumed), SEEK_SET);
  return c;
}
