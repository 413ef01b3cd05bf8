// eval of a text the translator can see whole: eval('y = x + 1;') and
// x = eval(['a' num2str(3)]) are replaced in the M source by the text they evaluate
// before the file is read, so the evaluated statement or expression is translated as
// if written there (an expression in parentheses). The text may be a literal, or literals and num2str/int2str of
// numbers joined in brackets. Any other eval stays and is refused by the statement
// translation (parser_t::translate_statement). str2func of such a text that is an
// anonymous function becomes str2func(@(x) ...), which the translation makes the
// anonymous function.
#include "translate/eval_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool ident_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

struct reader {
  const std::string& s;
  std::size_t p;
  void blanks() {
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
  }
  bool take(char c) {
    blanks();
    if (p < s.size() && s[p] == c) {
      ++p;
      return true;
    }
    return false;
  }
};

// A quoted literal at r.p ('...' with '' for a quote, or "..." with "" for one).
bool literal(reader& r, std::string& out) {
  r.blanks();
  if (r.p >= r.s.size() || (r.s[r.p] != '\'' && r.s[r.p] != '"')) return false;
  const char q = r.s[r.p++];
  while (r.p < r.s.size() && r.s[r.p] != '\n') {
    const char c = r.s[r.p++];
    if (c != q) {
      out += c;
      continue;
    }
    if (r.p < r.s.size() && r.s[r.p] == q) {
      out += q;
      ++r.p;
      continue;
    }
    return true;
  }
  return false;
}

// num2str or int2str of a number literal, as those functions write it.
bool number_text(reader& r, std::string& out) {
  r.blanks();
  std::size_t q = r.p;
  while (q < r.s.size() && ident_char(r.s[q])) ++q;
  const std::string f = r.s.substr(r.p, q - r.p);
  if (f != "num2str" && f != "int2str") return false;
  r.p = q;
  if (!r.take('(')) return false;
  r.blanks();
  const char* start = r.s.c_str() + r.p;
  char* end = nullptr;
  const double v = std::strtod(start, &end);
  if (end == start || !std::isfinite(v)) return false;
  r.p += std::size_t(end - start);
  if (!r.take(')')) return false;
  char buf[64];
  if (f == "int2str" || (v == std::floor(v) && std::fabs(v) < 1e15)) {
    std::snprintf(buf, sizeof buf, "%.0f", f == "int2str" ? std::round(v) : v);
  } else {
    int digits = int(std::floor(std::log10(std::fabs(v)))) + 5;
    digits = digits < 5 ? 5 : digits > 16 ? 16 : digits;
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
  }
  out += buf;
  return true;
}

bool text(reader& r, std::string& out);

// [a b, c ...]: the pieces joined.
bool joined(reader& r, std::string& out) {
  if (!r.take('[')) return false;
  if (r.take(']')) return true;
  for (;;) {
    if (!text(r, out)) return false;
    if (r.take(']')) return true;
    r.take(',');
  }
}

bool text(reader& r, std::string& out) {
  r.blanks();
  if (r.p >= r.s.size()) return false;
  const char c = r.s[r.p];
  if (c == '\'' || c == '"') return literal(r, out);
  if (c == '[') return joined(r, out);
  return number_text(r, out);
}

// Whether the brackets of t from position from pair and its quotes close (a quote
// after a value is a transpose).
bool balanced(const std::string& t, std::size_t from) {
  int depth = 0;
  char quote = 0;
  for (std::size_t k = from; k < t.size(); ++k) {
    const char c = t[k];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || (c == '\'' && (k == 0 || (!std::isalnum(static_cast<unsigned char>(t[k - 1])) &&
                                                     t[k - 1] != ')' && t[k - 1] != ']' && t[k - 1] != '}' &&
                                                     t[k - 1] != '.' && t[k - 1] != '\'')))) {
      quote = c;
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if (c == ')' || c == ']' || c == '}') {
      if (--depth < 0) return false;
    }
  }
  return depth == 0 && !quote;
}

// Whether a text is an anonymous function, @(inputs) body, on one line.
bool anonymous_text(const std::string& t) {
  const std::size_t a = t.find_first_not_of(" \t");
  if (a == std::string::npos || t.compare(a, 1, "@") != 0) return false;
  const std::size_t b = t.find_first_not_of(" \t", a + 1);
  if (b == std::string::npos || t[b] != '(' || t.find('\n') != std::string::npos) return false;
  // A malformed text (an open parameter list, no body, brackets that do not pair) is
  // left to str2func, which fails with the parse error when the program runs.
  const std::size_t close = t.find(')', b);
  if (close == std::string::npos) return false;
  for (std::size_t k = b + 1; k < close; ++k)
    if (!(std::isalnum(static_cast<unsigned char>(t[k])) || t[k] == '_' || t[k] == ',' || t[k] == ' ' ||
          t[k] == '\t' || t[k] == '~'))
      return false;
  if (t.find_first_not_of(" \t", close + 1) == std::string::npos) return false;
  return balanced(t, close + 1);
}

// The M text that raises the parse error of an eval of t: a statement, or an
// expression (a call that fails) inside another one.
std::string parse_error_text(const std::string& t, bool statement) {
  std::string quoted;
  for (char c : t) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  const std::string call = "error('Octave:parse-error', 'parse error in eval text: %s', '" + quoted + "')";
  return statement ? call + ";" : call;
}

// A text as statements followed by more: it ends with ; or , (a , added when it has
// neither, so that what it shows is still shown).
std::string statement_text(std::string t) {
  const std::size_t end = t.find_last_not_of(" \t");
  t = end == std::string::npos ? "" : t.substr(0, end + 1);
  if (t.empty() || (t.back() != ';' && t.back() != ',')) t += ",";
  return t;
}

// Whether position p starts a statement (only blanks, or a ; or , at the outer level
// before it on its line) or stands inside an expression.
enum place_t { NOWHERE, STATEMENT, INSIDE };
place_t place_of(const std::string& s, std::size_t p, int depth) {
  std::size_t q = p;
  while (q > 0 && (s[q - 1] == ' ' || s[q - 1] == '\t')) --q;
  if (q == 0 || s[q - 1] == '\n') return STATEMENT;
  const char c = s[q - 1];
  if ((c == ';' || c == ',') && depth == 0) return STATEMENT;
  (void)c;
  return INSIDE;
}

// Whether the line starting at p holds only blanks and the mark.
bool line_is(const std::string& s, std::size_t p, const char* mark) {
  std::size_t nl = s.find('\n', p);
  if (nl == std::string::npos) nl = s.size();
  const std::size_t a = s.find_first_not_of(" \t\r", p);
  if (a == std::string::npos || a >= nl) return false;
  std::size_t b = nl;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
  return s.compare(a, b - a, mark) == 0;
}

}  // namespace

std::string expand_evals(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  std::size_t p = 0;
  int depth = 0;          // brackets open on this line
  char prev = '\n';       // last character that is not a blank
  while (p < s.size()) {
    // A block comment, %{ ... %} on lines of their own (nested ones too), as it is.
    if ((p == 0 || s[p - 1] == '\n') && line_is(s, p, "%{")) {
      int open = 0;
      do {
        if (line_is(s, p, "%{")) ++open;
        else if (line_is(s, p, "%}")) --open;
        const std::size_t nl = s.find('\n', p);
        const std::size_t stop = nl == std::string::npos ? s.size() : nl + 1;
        out.append(s, p, stop - p);
        p = stop;
      } while (open > 0 && p < s.size());
      continue;
    }
    const char c = s[p];
    if (c == '\n') {
      depth = 0;
      prev = '\n';
      out += c;
      ++p;
      continue;
    }
    // A comment, or a continuation: the rest of the line as it is.
    if (c == '%' || (c == '.' && s.compare(p, 3, "...") == 0)) {
      const std::size_t nl = s.find('\n', p);
      const std::size_t stop = nl == std::string::npos ? s.size() : nl;
      out.append(s, p, stop - p);
      p = stop;
      continue;
    }
    // A string (a quote after a value is a transpose).
    const bool after_value = ident_char(prev) || prev == ')' || prev == ']' || prev == '}' ||
                             prev == '\'' || prev == '.';
    const bool blank_before = p > 0 && (s[p - 1] == ' ' || s[p - 1] == '\t');
    if (c == '"' || (c == '\'' && (!after_value || (depth > 0 && blank_before)))) {
      std::size_t q = p + 1;
      while (q < s.size() && s[q] != '\n') {
        if (s[q] == c) {
          if (q + 1 < s.size() && s[q + 1] == c) { q += 2; continue; }
          break;
        }
        ++q;
      }
      const std::size_t stop = q < s.size() && s[q] == c ? q + 1 : q;
      out.append(s, p, stop - p);
      p = stop;
      prev = c;
      continue;
    }
    if (ident_char(c) && (p == 0 || !ident_char(s[p - 1]))) {
      std::size_t q = p;
      while (q < s.size() && ident_char(s[q])) ++q;
      const std::string word = s.substr(p, q - p);
      // str2func of a literal anonymous function: the function itself, still marked as
      // str2func's so that its body sees only its inputs (parser_t::function_handles).
      if (word == "str2func" && prev != '.') {
        reader r{s, q};
        std::string fn;
        if (r.take('(') && text(r, fn) && r.take(')') && anonymous_text(fn)) {
          out += "str2func(" + fn + ")";
          p = r.p;
          prev = ')';
          continue;
        }
      }
      const place_t place = word == "eval" && prev != '.' ? place_of(s, p, depth) : NOWHERE;
      if (place != NOWHERE) {
        reader r{s, q};
        std::string evaluated, on_error;
        bool ok = r.take('(') && text(r, evaluated);
        // eval(try_text, catch_text) as a statement: the second text runs when the
        // first one fails.
        const bool two = ok && place == STATEMENT && r.take(',');
        if (two) ok = text(r, on_error);
        if (ok && r.take(')')) {
          // A text that cannot be M (brackets that do not pair, an open quote) fails
          // when the eval runs, as a parse error would; eval's second text catches it.
          if (!balanced(evaluated, 0)) evaluated = parse_error_text(evaluated, place == STATEMENT);
          if (two) evaluated = "try, " + statement_text(evaluated) + " catch, " + statement_text(on_error) + " end";
          std::size_t after = r.p;
          if (place == STATEMENT) {
            // The eval's own ; goes: the evaluated text decides what is shown.
            reader t{s, after};
            if (t.take(';') || t.take(',')) after = t.p;
            reader rest{s, after};
            rest.blanks();
            const bool more = rest.p < s.size() && s[rest.p] != '\n' && s[rest.p] != '%';
            std::size_t end = evaluated.find_last_not_of(" \t");
            evaluated = end == std::string::npos ? "" : evaluated.substr(0, end + 1);
            if (more && !evaluated.empty() && evaluated.back() != ';' && evaluated.back() != ',')
              evaluated += ",";
            out += evaluated;
            if (more && s[after] != ' ' && s[after] != '\t') out += ' ';
          } else {
            out += "(" + evaluated + ")";
          }
          p = after;
          prev = ')';
          continue;
        }
      }
      out += word;
      p = q;
      prev = word.back();
      continue;
    }
    if (c == '(' || c == '[' || c == '{') ++depth;
    if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
    out += c;
    if (c != ' ' && c != '\t') prev = c;
    ++p;
  }
  return out;
}
