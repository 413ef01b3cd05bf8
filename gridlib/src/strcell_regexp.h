// Shared parts of regexp and regexprep (internal, not installed): the pattern in the
// grammar std::regex reads, and the matches of a pattern in a string.
#ifndef GRIDLIB_STRCELL_REGEXP_H
#define GRIDLIB_STRCELL_REGEXP_H

#include <cstddef>
#include <regex>
#include <string>
#include <vector>

namespace grl {
namespace rx {

// A pattern as M writes it, rewritten for std::regex (ECMAScript): named tokens
// (?<name>...) become plain groups whose names are kept here, by group number.
struct pattern {
  std::string ecma;
  std::vector<std::string> names;   // names[k]: the name of group k + 1, "" when unnamed
  std::size_t groups() const { return names.size(); }
  std::vector<std::string> named() const;   // the names in the pattern's order
  int group_of(const std::string& name) const;   // from 1; 0 when no group has it
};

// How the pattern is read: `dot_all`, '.' matches a newline too (the default);
// `line_anchors`, ^ and $ match at each line's start and end too; `free_spacing`,
// blanks and # comments of the pattern are not part of it.
struct reading {
  bool icase = false;
  bool dot_all = true;
  bool line_anchors = false;
  bool free_spacing = false;
};

// The rewritten pattern. Constructs std::regex cannot match (lookbehind, inline
// flags, atomic groups) and unbalanced brackets end the program with a message
// naming `fn`.
pattern translate(const std::string& pat, const reading& how, const char* fn);
// The compiled pattern, valid until the next call on the same thread.
const std::regex& compile(const pattern& p, const reading& how, const char* fn);

// One match: where it starts and how long it is (from 0), and each group's place;
// a group that took no part has start npos.
struct span {
  std::size_t start = std::string::npos, len = 0;
  bool found() const { return start != std::string::npos; }
};
struct match {
  span whole;
  std::vector<span> groups;
};

// The matches from left to right; empty matches only when `empty` is set; the first
// one only when `once` is set.
std::vector<match> find(const std::string& s, const std::regex& re, std::size_t groups, bool once, bool empty,
                        const char* fn);

}  // namespace rx
}  // namespace grl

#endif
