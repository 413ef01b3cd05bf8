// Patterns of regexp and regexprep for std::regex, and the search for their matches.
//
// M patterns follow the Perl dialect; std::regex reads ECMAScript. The rewrite keeps
// what both read alike and changes the rest: named tokens (?<name>...) lose their
// names (kept by group number), '.' also matches a newline as M's does, \< and \>
// (word start and end) become ECMAScript assertions, and a ']' right after '[' or
// '[^' is a literal. What ECMAScript cannot express fails with a message.
#include <pthread.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "strcell_regexp.h"
#include "gridlib.h"

namespace grl {
namespace rx {

std::vector<std::string> pattern::named() const {
  std::vector<std::string> out;
  for (const std::string& n : names)
    if (!n.empty()) out.push_back(n);
  return out;
}

int pattern::group_of(const std::string& name) const {
  for (std::size_t k = 0; k < names.size(); ++k)
    if (names[k] == name) return int(k + 1);
  return 0;
}

namespace {

bool name_char(char c, bool first) {
  return std::isalpha(static_cast<unsigned char>(c)) || (!first && (c == '_' || std::isdigit(static_cast<unsigned char>(c))));
}

// The rewriter: walks the pattern once, copying or rewriting each construct.
struct rewriter {
  const std::string& pat;
  const char* fn;
  pattern out;
  std::size_t depth = 0;

  // A character class from its '[' at i; returns the index after its ']'.
  std::size_t char_class(std::size_t i) {
    std::string& e = out.ecma;
    e += pat[i++];
    if (i < pat.size() && pat[i] == '^') e += pat[i++];
    if (i < pat.size() && pat[i] == ']') { e += "\\]"; ++i; }
    while (i < pat.size() && pat[i] != ']') {
      if (pat[i] == '\\' && i + 1 < pat.size()) {
        e += pat.substr(i, 2);
        i += 2;
        continue;
      }
      if (pat.compare(i, 2, "[:") == 0) {
        const std::size_t close = pat.find(":]", i + 2);
        if (close != std::string::npos) {
          e += pat.substr(i, close + 2 - i);
          i = close + 2;
          continue;
        }
      }
      e += pat[i++];
    }
    if (i >= pat.size())
      grl_fail("%s: missing terminating ] for character class at position %zu of expression", fn, pat.size());
    e += ']';
    return i + 1;
  }

  // A group from its '(' at i; returns the index after what was written.
  std::size_t group(std::size_t i) {
    ++depth;
    if (i + 1 >= pat.size() || pat[i + 1] != '?') {
      out.names.emplace_back();
      out.ecma += '(';
      return i + 1;
    }
    const char kind = i + 2 < pat.size() ? pat[i + 2] : '\0';
    if (kind == ':' || kind == '=' || kind == '!') {
      out.ecma += pat.substr(i, 3);
      return i + 3;
    }
    if (kind == '#') {   // a comment: dropped
      const std::size_t close = pat.find(')', i);
      if (close == std::string::npos) grl_fail("%s: missing ) at position %zu of expression", fn, pat.size());
      --depth;
      return close + 1;
    }
    if (kind == '<' && i + 3 < pat.size() && (pat[i + 3] == '=' || pat[i + 3] == '!'))
      grl_fail("%s: lookbehind assertions (?<= and (?<! are not supported in pattern '%s'", fn, pat.c_str());
    if (kind == '<') {
      std::size_t j = i + 3;
      while (j < pat.size() && name_char(pat[j], j == i + 3)) ++j;
      if (j == i + 3 || j >= pat.size() || pat[j] != '>')
        grl_fail("%s: invalid name of a named token at position %zu of expression", fn, i + 3);
      out.names.push_back(pat.substr(i + 3, j - i - 3));
      out.ecma += '(';
      return j + 1;
    }
    grl_fail("%s: the construct (?%c ... ) is not supported in pattern '%s'", fn, kind ? kind : ' ', pat.c_str());
  }

  // An escape from its '\' at i.
  std::size_t escape(std::size_t i) {
    if (i + 1 >= pat.size()) {
      out.ecma += "\\\\";
      return i + 1;
    }
    const char c = pat[i + 1];
    if (c == '<') out.ecma += "\\b(?=\\w)";
    else if (c == '>') out.ecma += "\\b(?!\\w)";
    else out.ecma += pat.substr(i, 2);
    return i + 2;
  }

  void run(bool dot_all, bool free_spacing) {
    for (std::size_t i = 0; i < pat.size();) {
      const char c = pat[i];
      if (free_spacing && std::isspace(static_cast<unsigned char>(c))) ++i;
      else if (free_spacing && c == '#') {
        while (i < pat.size() && pat[i] != '\n') ++i;
      } else if (c == '\\') i = escape(i);
      else if (c == '[') i = char_class(i);
      else if (c == '(') i = group(i);
      else if (c == ')') {
        if (depth == 0) grl_fail("%s: unmatched parentheses at position %zu of expression", fn, i);
        --depth;
        out.ecma += pat[i++];
      } else if (c == '.') {
        out.ecma += dot_all ? "[\\s\\S]" : "[^\\n]";
        ++i;
      } else {
        out.ecma += pat[i++];
      }
    }
    if (depth) grl_fail("%s: missing ) at position %zu of expression", fn, pat.size());
  }
};

}  // namespace

pattern translate(const std::string& pat, const reading& how, const char* fn) {
  rewriter w{pat, fn, {}};
  w.run(how.dot_all, how.free_spacing);
  return w.out;
}

// The last pattern compiled on this thread is kept: a loop that calls regexp with
// one pattern compiles it once.
const std::regex& compile(const pattern& p, const reading& how, const char* fn) {
  thread_local std::string last;
  thread_local bool last_icase = false, last_lines = false;
  thread_local std::regex re;
  if (!last.empty() && last == p.ecma && last_icase == how.icase && last_lines == how.line_anchors) return re;
  auto flags = std::regex::ECMAScript;
  if (how.icase) flags |= std::regex::icase;
  if (how.line_anchors) flags |= std::regex::multiline;
  try {
    re = std::regex(p.ecma, flags);
  } catch (const std::regex_error& x) {
    grl_fail("%s: invalid pattern: %s", fn, x.what());
  }
  last = p.ecma;
  last_icase = how.icase;
  last_lines = how.line_anchors;
  return re;
}

namespace {

span span_of(const std::csub_match& m, const char* base) {
  span s;
  if (m.matched) {
    s.start = std::size_t(m.first - base);
    s.len = std::size_t(m.second - m.first);
  }
  return s;
}

struct search {
  const std::string& s;
  const std::regex& re;
  std::size_t groups;
  bool once, empty;
  std::vector<match> found;
  const char* failure = nullptr;

  void run() {
    const char* base = s.data();
    const char* end = base + s.size();
    for (std::size_t at = 0; at <= s.size();) {
      std::cmatch m;
      auto flags = at ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
      if (!std::regex_search(base + at, end, m, re, flags)) break;
      match one;
      one.whole = span_of(m[0], base);
      if (one.whole.len == 0 && !empty) {
        at = one.whole.start + 1;
        continue;
      }
      for (std::size_t k = 1; k <= groups; ++k) one.groups.push_back(span_of(m[k], base));
      found.push_back(one);
      if (once) break;
      at = one.whole.start + (one.whole.len ? one.whole.len : 1);
    }
  }
};

void* run_search(void* p) {
  search& work = *static_cast<search*>(p);
  try {
    work.run();
  } catch (const std::regex_error&) {
    work.failure = "the pattern is too complex for this string";
  }
  return nullptr;
}

}  // namespace

// std::regex matches by recursion as deep as the text a repetition takes: a long
// string is searched on a thread with a large stack (reserved, touched only as
// deep as the search goes), so that it cannot overflow the program's stack.
std::vector<match> find(const std::string& s, const std::regex& re, std::size_t groups, bool once, bool empty,
                        const char* fn) {
  search work{s, re, groups, once, empty, {}};
  if (s.size() < 256) {
    run_search(&work);
  } else {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    // A nested repetition takes up to about 2 KB of stack per character.
    const std::size_t most = std::size_t(16) << 30;
    const std::size_t stack = std::min(most, (std::size_t(64) << 20) + s.size() * 8192);
    pthread_attr_setstacksize(&attr, stack);
    pthread_t t;
    if (pthread_create(&t, &attr, run_search, &work) != 0)
      grl_fail("%s: out of memory: no room for the search of a string of %zu characters", fn, s.size());
    pthread_join(t, nullptr);
    pthread_attr_destroy(&attr);
  }
  if (work.failure) grl_fail("%s: %s", fn, work.failure);
  return std::move(work.found);
}

}  // namespace rx
}  // namespace grl
