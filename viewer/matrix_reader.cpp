#include "viewer/matrix_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace lumigrid {
namespace {

// The most bytes one element array may take: the run-time library refuses larger
// values, so a larger header is not a matrix.
constexpr std::uint64_t kMaxArrayBytes = std::uint64_t(1) << 40;
// Elements converted at a time from a float array.
constexpr std::size_t kFloatChunk = 1 << 16;
constexpr std::uint64_t kPage = 4096;

// An unsigned decimal at the start of the text ("%lu"); 0 when there is none or it
// does not fit 32 bits (no process id does).
unsigned long leading_decimal(const std::string& text) {
  std::size_t k = 0;
  while (k < text.size() && std::isspace(static_cast<unsigned char>(text[k]))) ++k;
  if (k < text.size() && text[k] == '+') ++k;
  unsigned long long v = 0;
  bool any = false;
  for (; k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); ++k) {
    v = v * 10 + unsigned(text[k] - '0');
    any = true;
    if (v > 0xFFFFFFFFull) return 0;
  }
  return any ? static_cast<unsigned long>(v) : 0;
}

// "0x" and every hex digit after it (at most 16), nothing else but blanks at the end.
bool parse_address(const std::string& text, std::uint64_t& addr) {
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
  std::size_t k = 2, digits = 0;
  std::uint64_t v = 0;
  for (; k < text.size() && std::isxdigit(static_cast<unsigned char>(text[k])); ++k, ++digits) {
    if (digits == 16) return false;
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[k])));
    v = (v << 4) | std::uint64_t(c <= '9' ? c - '0' : c - 'a' + 10);
  }
  while (k < text.size() && std::isspace(static_cast<unsigned char>(text[k]))) ++k;
  if (digits == 0 || k != text.size()) return false;
  addr = v;
  return true;
}

// The element type of a pointer type the debugger named: "M<double> *" (possibly
// inside a namespace) gives "double"; anything else gives "".
std::string matrix_element_type(const std::string& type) {
  std::string t;
  for (char c : type)
    if (c != ' ') t += c;
  if (t.size() < 2 || t.compare(t.size() - 2, 2, ">*") != 0) return "";
  t.erase(t.size() - 2);
  const std::size_t open = t.find('<');
  if (open == std::string::npos) return "";
  const std::string klass = t.substr(0, open);
  if (klass != "M" && (klass.size() < 3 || klass.compare(klass.size() - 3, 3, "::M") != 0)) return "";
  return t.substr(open + 1);
}

char string_char(double v) {
  // Character codes are small whole numbers; anything else would be undefined to cast.
  if (!(v > -2147483648.0 && v < 2147483648.0)) return '?';
  return static_cast<char>(static_cast<unsigned char>(static_cast<int>(v) & 0xFF));
}

}  // namespace

std::string format_number(double v, int digits) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
  char text[512];
  std::snprintf(text, sizeof text, "%.*g", std::clamp(digits, 0, 99), v);
  return text;
}

void MatrixReader::fail(const std::string& text) {
  error_ = true;
  error_text_ = text;
}

unsigned long MatrixReader::EvaluateProcessId(const std::string& expression) {
  error_ = false;
  error_text_.clear();
  if (!debugger_ || debugger_->get_State() != 1) {
    fail(kNotInBreakpoint);
    return 0;
  }
  const evaluation e = debugger_->Evaluate(expression);
  const unsigned long pid = e.ok ? leading_decimal(e.value) : 0;
  if (pid == 0) fail(kNoProcess);
  return pid;
}

std::uint64_t MatrixReader::EvaluateAddress(const std::string& expression) {
  error_ = false;
  error_text_.clear();
  last_type_.clear();
  if (!debugger_ || debugger_->get_State() != 1) {
    fail(kNotInBreakpoint);
    return 0;
  }
  const evaluation e = debugger_->Evaluate(expression);
  if (!e.ok) {
    fail(e.error.empty() ? "Error: " + expression + " cannot be evaluated." : e.error);
    return 0;
  }
  std::uint64_t addr = 0;
  if (!parse_address(e.value, addr) || addr == 0) {
    fail("Error: " + expression + " is not an address (" + e.value + ").");
    return 0;
  }
  last_type_ = e.type;
  return addr;
}

int MatrixReader::element_bytes(const std::string& name) {
  if (last_type_.empty()) return 8;   // the debugger does not say: the library's doubles
  const std::string elem = matrix_element_type(last_type_);
  if (elem == "double") return 8;
  if (elem == "float") return 4;
  std::string type = last_type_;
  if (type.size() > 2 && type.compare(type.size() - 2, 2, " *") == 0) type.erase(type.size() - 2);
  if (elem.compare(0, 2, "M<") == 0 || elem.find("::M<") != std::string::npos)
    fail("Error: " + name + " is a cell array (" + type + "), not a matrix.");
  else
    fail("Error: " + name + " is not a matrix (" + type + ").");
  return 0;
}

int MatrixReader::LoadMatrix(const std::string& name) {
  // A failed read leaves nothing of the previous matrix or of a half-read new one.
  matrix_ = matrix_copy();
  last_name_ = name;
  const unsigned long pid = EvaluateProcessId("grlibpr");
  if (error_) return 1;
  const std::uint64_t addr = EvaluateAddress("&" + name);
  if (error_) return 1;
  const int elem = element_bytes(name);
  if (error_) return 1;

  std::string why;
  if (!memory_ || !memory_->open(static_cast<std::uint32_t>(pid), why)) {
    fail(why.empty() ? kNoProcess : why);
    return 1;
  }
  const int word = memory_->word_size();
  unsigned char raw[64];
  matrix_header h;
  if (!memory_->read(addr, raw, header_size(word), why) || !parse_header(raw, sizeof raw, word, h)) {
    fail(why);
    return 1;
  }

  matrix_copy m;
  if (h.name != 0) {
    if (!read_name(h.name, m.name)) return 1;
  } else {
    m.name = "\"ans\"";
  }
  m.flags = h.flags;
  m.dims = h.dims;
  m.rows = h.rows;
  m.cols = h.cols;
  const std::uint64_t count = std::uint64_t(h.rows) * h.cols;   // cannot wrap: 32 x 32 bits
  if (count > kMaxArrayBytes / 8) {
    fail(kOutOfMemory);
    return 1;
  }
  m.count = static_cast<std::size_t>(count);
  if (h.real != 0 && !read_elements(h.real, m.count, elem, m.real)) return 1;
  if (h.imag != 0 && !read_elements(h.imag, m.count, elem, m.imag)) return 1;
  matrix_ = std::move(m);
  return 0;
}

bool MatrixReader::read_name(std::uint64_t addr, std::string& name) {
  // Up to the end of the page first: a short name near the end of a mapping must not
  // fail because the bytes after it cannot be read. When a piece cannot be read whole,
  // its bytes are read one by one up to the name's end.
  char buf[kNameBytes];
  std::size_t have = 0;
  bool ended = false;
  std::string why;
  while (have < kNameBytes && !ended) {
    const std::uint64_t at = addr + have;
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(kNameBytes - have, kPage - at % kPage));
    if (memory_->read(at, buf + have, piece, why)) {
      ended = std::memchr(buf + have, 0, piece) != nullptr;
      have += piece;
      continue;
    }
    for (std::size_t k = 0; k < piece && !ended; ++k, ++have) {
      if (!memory_->read(at + k, buf + have, 1, why)) {
        char text[96];
        std::snprintf(text, sizeof text, "Error: Cannot read the matrix's name at 0x%llx.",
                      static_cast<unsigned long long>(addr));
        fail(text);
        return false;
      }
      ended = buf[have] == 0;
    }
  }
  // At most 99 characters are shown.
  name.assign(buf, strnlen(buf, std::min(have, kNameBytes - 1)));
  return true;
}

bool MatrixReader::read_elements(std::uint64_t addr, std::size_t count, int elem_bytes,
                                 std::unique_ptr<double[]>& out) {
  if (count == 0) return true;
  std::string why;
  // A header that is not one (a variable not yet constructed) names arrays that do not
  // exist: try the last element before allocating room for all of them.
  unsigned char probe[8];
  const std::uint64_t last = std::uint64_t(count - 1) * unsigned(elem_bytes);
  if (last / unsigned(elem_bytes) != count - 1 || !memory_->read(addr + last, probe, elem_bytes, why)) {
    fail(why.empty() ? kOutOfMemory : why);
    return false;
  }
  out.reset(new (std::nothrow) double[count]);
  if (!out) {
    fail(kOutOfMemory);
    return false;
  }
  if (elem_bytes == 8) {
    if (memory_->read(addr, out.get(), count * 8, why)) return true;
  } else {
    std::vector<float> chunk(std::min(kFloatChunk, count));
    std::size_t done = 0;
    while (done < count) {
      const std::size_t n = std::min(kFloatChunk, count - done);
      if (!memory_->read(addr + done * 4, chunk.data(), n * 4, why)) break;
      for (std::size_t k = 0; k < n; ++k) out[done + k] = chunk[k];
      done += n;
    }
    if (done == count) return true;
  }
  out.reset();
  fail(why);
  return false;
}

std::string MatrixReader::FormatElement(long r, long c, int digits) const {
  const matrix_copy& m = matrix_;
  if (r < 0 || r >= long(m.rows) || !m.real) return "";
  if (m.flags & kString) {
    if (c != 0) return "";
    std::string text;
    const std::uint32_t n = std::min(m.cols, kMaxStringColumns);
    for (std::uint32_t k = 0; k < n; ++k)
      text += string_char(m.real[std::size_t(r) + std::size_t(k) * m.rows]);
    return text;
  }
  if (c < 0 || c >= long(m.cols)) return "";
  const std::size_t at = std::size_t(r) + std::size_t(c) * m.rows;
  std::string text = format_number(m.real[at], digits);
  if (m.imag) {
    const double im = m.imag[at];
    if (std::isnan(im))
      text += "+NaNi";
    else if (im > 0)
      text += "+" + format_number(im, digits) + "i";
    else if (im < 0)
      text += "-" + format_number(-im, digits) + "i";
  }
  return text;
}

}  // namespace lumigrid
