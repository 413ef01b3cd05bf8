// Module NUMBER: numeric literals of the M language and their normalised text.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/diag.h"
#include "lexer/misc.h"
#include "lexer/scanner.h"

// "%.15g" of the value, with ".0" appended when that is digits only, so that every
// number in the generated C++ is a floating-point literal. A value that 15 digits do
// not give back exactly (9007199254740993, 0.1 + an ulp) is written with 17, so the
// program computes with the number it was written with.
std::string normalised(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  if (std::strtod(buf, nullptr) != value) std::snprintf(buf, sizeof buf, "%.17g", value);
  std::string s = buf;
  bool digits = !s.empty();
  for (char c : s) digits = digits && c >= '0' && c <= '9';
  if (digits) s += ".0";
  return s;
}

bool scanner_t::read_number(std::string& text) {
  std::string buf;
  int taken = 0;   // characters consumed, all pushed back on failure
  auto take = [&](int c) {
    buf.push_back(static_cast<char>(c));
    ++taken;
  };
  auto give_back = [&]() {
    for (; taken > 0; --taken) unget();
  };

  int c = get();
  bool digits = false;
  while (is_digit(c)) {
    take(c);
    digits = true;
    c = get();
  }
  bool point = false;
  if (c == '.' && !is_two_char_op('.', peek())) {
    take(c);
    point = true;
    c = get();
    while (is_digit(c)) {
      take(c);
      digits = true;
      c = get();
    }
  }
  // An exponent counts only when digits follow it, so 1else stays the number 1 and
  // the word else.
  if ((digits || point) && (c == 'e' || c == 'E' || c == 'd' || c == 'D')) {
    int look = 0;
    std::string exp(1, c == 'd' || c == 'D' ? (c == 'd' ? 'e' : 'E') : static_cast<char>(c));
    int c2 = get();
    ++look;
    if (c2 == '+' || c2 == '-') {
      exp.push_back(static_cast<char>(c2));
      c2 = get();
      ++look;
    }
    if (is_digit(c2)) {
      for (char e : exp) take(e);
      while (is_digit(c2)) {
        take(c2);
        c2 = get();
      }
      c = c2;
    } else {
      for (; look > 0; --look) unget();
    }
  }
  unget();   // the character that stopped the number
  if (!digits) {
    give_back();
    return false;
  }
  char* end = nullptr;
  const double value = std::strtod(buf.c_str(), &end);
  if (end == buf.c_str()) {
    give_back();
    return false;
  }
  // A literal beyond the largest double is infinite, as M reads it.
  text = std::isinf(value) ? "Inf" : normalised(value);
  // A whole number beyond 2^53 keeps its digits (C++ reads them as the same double):
  // int64(...) and uint64(...) of it take the exact value.
  if (!std::isinf(value) && value >= 9007199254740992.0 && buf.find_first_not_of("0123456789") == std::string::npos) {
    const std::size_t lead = buf.find_first_not_of('0');
    if (lead != std::string::npos && buf.size() - lead <= 20) text = buf.substr(lead) + ".0";
  }
  return true;
}

// The class of a radix literal: the suffix's when one is written (u8 ... s64), else the
// narrowest unsigned class holding as many bits as the literal has digits (0x00FF is
// uint16, as M counts written digits, not the value's).
static bool suffix_bits(int sign, const std::string& bits, int& out) {
  if (sign != 'u' && sign != 's') return false;
  if (bits == "8" || bits == "16" || bits == "32" || bits == "64") {
    out = std::atoi(bits.c_str());
    return true;
  }
  return false;
}

bool scanner_t::read_radix_literal(int column, bool blank_before, bool row_break, bool& done) {
  const int mark = get();
  const bool hex = mark == 'x' || mark == 'X';
  if (!hex && mark != 'b' && mark != 'B') {
    unget();
    return false;
  }
  const int radix_bits = hex ? 4 : 1;
  std::string digits;
  for (int c = get();; c = get()) {
    const bool ok = hex ? std::isxdigit(c) != 0 : (c == '0' || c == '1');
    if (!ok) {
      unget();
      break;
    }
    digits.push_back(static_cast<char>(c));
  }
  if (digits.empty()) {   // "0x" alone: the number 0 and a word, as before
    unget();
    return false;
  }
  // The optional class suffix: u or s, then 8, 16, 32 or 64.
  int width = 0;
  bool is_signed = false;
  if (peek() == 'u' || peek() == 's') {
    const int sign = get();
    std::string bits;
    while (bits.size() < 2 && is_digit(peek())) bits.push_back(static_cast<char>(get()));
    if (suffix_bits(sign, bits, width)) {
      is_signed = sign == 's';
    } else {
      for (std::size_t k = 0; k <= bits.size(); ++k) unget();
      width = 0;
    }
  }
  // The value, with the count of significant bits.
  unsigned long long value = 0;
  int used_bits = 0;
  for (char d : digits) {
    const int v = std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : (std::tolower(d) - 'a' + 10);
    if (value != 0 || v != 0) used_bits += radix_bits;
    if (used_bits > 64) diag::error("too many digits for a %s constant", hex ? "hexadecimal" : "binary");
    value = (value << radix_bits) | static_cast<unsigned>(v);
  }
  const int written_bits = static_cast<int>(digits.size()) * radix_bits;
  if (width == 0) {
    width = written_bits <= 8 ? 8 : written_bits <= 16 ? 16 : written_bits <= 32 ? 32 : 64;
  }
  if (used_bits > width) diag::error("too many digits for the class of the constant");
  bool negative = false;
  unsigned long long magnitude = value;
  if (is_signed && width < 64 && value >= (1ULL << (width - 1))) {
    negative = true;
    magnitude = (1ULL << width) - value;
  } else if (is_signed && width == 64 && value >= (1ULL << 63)) {
    negative = true;
    magnitude = ~value + 1;   // two's complement; 2^63 stays 2^63
  }
  const std::string cls = std::string(is_signed ? "int" : "uint") + std::to_string(width);
  std::string number = std::to_string(magnitude) + ".0";

  // The tokens of cls(number) or cls(-number), each placed and checked like a scanned one.
  auto append = [&](const std::string& text, int kind, bool first) {
    const int innermost = brackets.innermost();
    if (text == "(" || text == ")") brackets.feed(text[0]);
    push(text, kind);
    place_token(column);
    after_append(first && blank_before, first && row_break, innermost, done);
  };
  append(cls, TK_WORD, true);
  append("(", operator_kind("("), false);
  if (negative) append("-", operator_kind("-"), false);
  append(number, TK_NUMBER, false);
  append(")", operator_kind(")"), false);
  return true;
}
