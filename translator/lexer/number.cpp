// Module NUMBER: numeric literals of the M language and their normalised text.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/diag.h"
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
