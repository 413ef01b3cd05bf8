// The display and text-formatting engine against the reference interpreter's
// output: format_data/expected.txt holds, for each case of cases.txt, the
// arguments as values and the exact text produced (make_expected.m).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gridlib/format.h"

using gridlib::fmt::value_view;

namespace {

// A value read from the data file: the view plus the storage it points into.
struct owned_t {
  value_view v;
  std::vector<double> re, im;
  std::vector<std::unique_ptr<owned_t>> parts;
};

std::string text_of(const owned_t& o) {
  std::string s;
  for (double d : o.re) s += static_cast<char>(static_cast<int>(d));
  return s;
}

bool read_value(std::istream& in, owned_t& o);

// Points the views at their storage once everything is read.
void link(owned_t& o) {
  o.v.re = o.re.empty() ? nullptr : o.re.data();
  o.v.im = o.im.empty() ? nullptr : o.im.data();
  if (o.v.kind == value_view::cell) {
    o.v.elems.clear();
    for (auto& p : o.parts) {
      link(*p);
      o.v.elems.push_back(p->v);
    }
  } else if (o.v.kind == value_view::structure) {
    for (size_t k = 0; k < o.parts.size(); ++k) {
      link(*o.parts[k]);
      o.v.fields[k].second = o.parts[k]->v;
    }
  }
}

std::vector<double> read_doubles(std::istream& in, long n) {
  std::vector<double> d;
  std::string w;
  for (long k = 0; k < n && in >> w; ++k) d.push_back(std::strtod(w.c_str(), nullptr));
  return d;
}

bool read_value(std::istream& in, owned_t& o) {
  std::string kind;
  if (!(in >> kind)) return false;
  if (kind == "cell") {
    o.v.kind = value_view::cell;
    in >> o.v.rows >> o.v.cols;
    for (long k = 0; k < static_cast<long>(o.v.rows) * o.v.cols; ++k) {
      o.parts.push_back(std::make_unique<owned_t>());
      if (!read_value(in, *o.parts.back())) return false;
    }
    return true;
  }
  if (kind == "struct") {
    o.v.kind = value_view::structure;
    o.v.rows = o.v.cols = 1;
    int n = 0;
    in >> n;
    for (int k = 0; k < n; ++k) {
      std::string name;
      in >> name;
      o.v.fields.emplace_back(name, value_view());
      o.parts.push_back(std::make_unique<owned_t>());
      if (!read_value(in, *o.parts.back())) return false;
    }
    return true;
  }
  int cx = 0, sg = 0;
  in >> o.v.rows >> o.v.cols >> cx >> sg;
  o.v.kind = kind == "char" ? value_view::chars
             : kind == "bool" ? value_view::logical
                              : value_view::numeric;
  o.v.single = sg != 0;
  long n = static_cast<long>(o.v.rows) * o.v.cols;
  o.re = read_doubles(in, n);
  if (cx) o.im = read_doubles(in, n);
  return static_cast<long>(o.re.size()) == n;
}

struct case_t {
  std::string op;
  std::vector<std::unique_ptr<owned_t>> args;
  std::string expect;
  int line = 0;
};

std::vector<case_t> load_cases() {
  std::ifstream in(KORVAL_SOURCE_DIR "/tests/gridlib/format_data/expected.txt",
                   std::ios::binary);
  std::vector<case_t> cases;
  std::string word;
  while (in >> word) {
    if (word != "case") break;
    case_t c;
    int n = 0;
    in >> c.op >> n;
    for (int k = 0; k < n; ++k) {
      c.args.push_back(std::make_unique<owned_t>());
      read_value(in, *c.args.back());
      link(*c.args.back());
    }
    size_t len = 0;
    in >> word >> len;
    in.get();
    c.expect.resize(len);
    in.read(&c.expect[0], static_cast<std::streamsize>(len));
    in.get();
    c.line = static_cast<int>(cases.size()) + 1;
    cases.push_back(std::move(c));
  }
  return cases;
}

std::string run(const case_t& c) {
  using namespace gridlib::fmt;
  const auto& a = c.args;
  if (c.op == "display") return display(text_of(*a[0]), a[1]->v);
  if (c.op == "disp") return disp(a[0]->v);
  return "unknown operation " + c.op;
}

// Runs every case of one operation and reports each mismatch with its number.
void check_op(const std::string& op) {
  static const std::vector<case_t> cases = load_cases();
  ASSERT_GT(cases.size(), 100u) << "format_data/expected.txt missing or truncated";
  int seen = 0;
  for (const auto& c : cases) {
    if (c.op != op) continue;
    ++seen;
    EXPECT_EQ(run(c), c.expect) << op << " case #" << c.line;
  }
  EXPECT_GT(seen, 0);
}

}  // namespace

TEST(FormatDisplay, MatchesReference) { check_op("display"); }
TEST(FormatDisplay, DispMatchesReference) { check_op("disp"); }
