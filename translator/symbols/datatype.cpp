// Module DATATYPE: the data type table.
#include "symbols/datatype.h"

#include <cstdio>

#include "driver/diag.h"

namespace {

// Reads one piece of a line of at most `limit` characters. The newline ends the
// piece and is consumed; a longer line leaves its rest for the next read. False at
// end of file when nothing was read.
bool read_piece(std::FILE* f, std::size_t limit, std::string& piece) {
  piece.clear();
  int c = 0;
  bool got = false;
  while (piece.size() < limit && (c = std::fgetc(f)) != EOF) {
    got = true;
    if (c == '\n') break;
    piece.push_back(static_cast<char>(c));
  }
  return got;
}

}  // namespace

datatype_t& datatypes() {
  static datatype_t table;
  return table;
}

void datatype_t::clear() { *this = datatype_t(); }

void datatype_t::load(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) diag::error("could not open %s for read", path.c_str());
  diag::check_version(f, path);
  names_.clear();
  comments_.clear();
  std::string line;
  while (read_piece(f, DT_LINE_LIMIT, line)) {
    // An empty piece (a blank line, or the newline after a line of exactly the piece
    // length) names nothing; it is not a library line.
    if (line.empty()) continue;
    add(line);
  }
  std::fclose(f);
}

void datatype_t::add(std::string_view line) {
  const std::size_t blank = line.find(' ');
  const std::string_view name = line.substr(0, blank);
  const std::string_view comment =
      blank == std::string_view::npos ? std::string_view(" ") : line.substr(blank + 1);

  if (name.size() <= 2) {
    // A library line: its first character names the base index of a built library.
    const int n = name.empty() ? -'0' : name[0] - '0';
    if (n < 0 || n >= DT_MAX_TYPES) diag::error("datatypes:: wrong library number");
    default_type_ = n;
    return;
  }
  if (last() + 1 >= DT_MAX_TYPES) diag::error("datatype_t::add: too many types");
  const int index = last() + 1;
  names_.emplace_back(name);
  comments_.emplace_back(comment);
  if (name == "struct") struct_ = index;
  else if (name == "func1M") func1M_ = index;
  else if (name == "function") function_ = index;
  else if (name == "script") script_ = index;
  else if (name == "unknown") unknown_ = index;
}

int datatype_t::find(std::string_view text) const {
  for (int i = 0; i <= last(); ++i) {
    const std::string& n = names_[i];
    if (text == n || text == std::to_string(i) ||
        (!text.empty() && text[0] == 'm' && text.substr(1) == n))
      return i;
    if (text.size() == 8 + n.size() && text.substr(0, 8) == "cell_of_" && text.substr(8) == n)
      return i | DT_CELL;
    if (text.size() == 10 + n.size() && text.substr(0, 10) == "scalar_of_" &&
        text.substr(10) == n)
      return i | DT_SCALAR;
  }
  return -1;
}

void datatype_t::check(int code) const {
  const int b = code & DT_INDEX_MASK;
  if (b > last()) diag::error("datatype_t: index out of range");
}

std::string datatype_t::name(int code) const {
  check(code);
  const std::string& base = names_[code & DT_INDEX_MASK];
  if (code & DT_CELL) return "cell_of_" + base;
  if (code & DT_SCALAR) return "scalar_of_" + base;
  return base;
}

const std::string& datatype_t::comment(int code) const {
  check(code);
  return comments_[code & DT_INDEX_MASK];
}

std::string datatype_t::value_type(int code) const {
  check(code);
  const int b = code & DT_INDEX_MASK;
  // Non-matrix kinds (from "func1M" on) are spelled by their bare name.
  if (b >= func1M_) return name(code);
  const std::string& base = names_[b];
  if (code & DT_CELL) return "M< M<" + base + "> >";
  if (code & DT_SCALAR) return base;
  return "M<" + base + ">";
}

std::string datatype_t::ref_type(int code) const {
  check(code);
  const std::string& base = names_[code & DT_INDEX_MASK];
  if (code & DT_CELL) return "M< M<" + base + "> >&";
  return "Mr<" + base + ">";
}

std::string datatype_t::junk_type(int code) const {
  check(code);
  return "junkM";
}

bool datatype_t::is_not_function(int code) const {
  return code == DT_UNCLASSIFIED || code == script_;
}
