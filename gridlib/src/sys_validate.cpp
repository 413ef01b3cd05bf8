// validateattributes(a, classes, attributes [, funcname [, varname [, argindex]]]): checks
// the class of a function's input and the attributes it must have, and raises an error
// that names the input otherwise.
#include "gridlib.h"
#include "gridlib_extra.h"
#include "strutil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

using namespace grl;
namespace su = grl::su;

namespace {

bool is_text(const Mt& a) { return a.ischar() && (a.rows() == 1 || a.numel() == 0); }

// The texts of a cell of texts; false when c is no such cell.
bool texts_of(const Mt& c, std::vector<std::string>& out) {
  if (!c.holds_cell()) return false;
  const M<Mt>& cell = c.held_cell();
  for (std::size_t k = 0; k < cell.numel(); ++k) {
    const Mt e = cell.elem(k);
    if (!is_text(e)) return false;
    out.push_back(su::text(e));
  }
  return true;
}

// A number as a whole number's text when it is one, else as %g writes it.
std::string number_text(double v) {
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string((long long)v);
  char b[32];
  std::snprintf(b, sizeof b, "%g", v);
  return b;
}

bool numeric_value(const Mt& a) { return class_of(a) <= mc_uint64 || a.islogical() || a.ischar(); }

// Whether every element (real part) satisfies f; a value without numbers fails.
template <class F> bool all_elements(const Mt& a, F f) {
  if (!numeric_value(a)) return false;
  for (std::size_t k = 0; k < a.numel(); ++k)
    if (!f(double(a.cre()[k]))) return false;
  return true;
}

// Whether consecutive elements (in storage order) satisfy f, with no NaN.
template <class F> bool all_steps(const Mt& a, F f) {
  if (!numeric_value(a)) return false;
  for (std::size_t k = 0; k < a.numel(); ++k)
    if (std::isnan(double(a.cre()[k]))) return false;
  for (std::size_t k = 1; k < a.numel(); ++k)
    if (!f(double(a.cre()[k - 1]), double(a.cre()[k]))) return false;
  return true;
}

std::string dims_of(const std::vector<std::size_t>& ext) {
  std::string s;
  for (std::size_t k = 0; k < ext.size(); ++k) s += (k ? "x" : "") + std::to_string(ext[k]);
  return s;
}

// A real scalar that follows an attribute name.
double attribute_number(const std::vector<Mt>& list, std::size_t at, const std::string& name) {
  if (at >= list.size() || list[at].numel() != 1 || !numeric_value(list[at]) || list[at].ischar())
    grl_fail_id("Octave:invalid-input-arg", "validateattributes: %s must be followed by a number", name.c_str());
  return double(list[at].cre()[0]);
}

}  // namespace

void grl::validate_attributes(const std::vector<Mt>& args) {
  if (args.size() < 3 || args.size() > 6)
    grl_fail("Invalid call to validateattributes.  Correct usage is:\n\n"
             " -- validateattributes (A, CLASSES, ATTRIBUTES)\n"
             " -- validateattributes (A, CLASSES, ATTRIBUTES, ARG_IDX)\n"
             " -- validateattributes (A, CLASSES, ATTRIBUTES, FUNC_NAME)\n"
             " -- validateattributes (A, CLASSES, ATTRIBUTES, FUNC_NAME, ARG_NAME)\n"
             " -- validateattributes (A, CLASSES, ATTRIBUTES, FUNC_NAME, ARG_NAME,\n          ARG_IDX)");
  const Mt& a = args[0];
  std::vector<std::string> classes;
  if (!texts_of(args[1], classes) && !(args[1].numel() == 0 && !args[1].ischar()))
    grl_fail("validateattributes: CLASSES must be a cell array of strings");
  if (!args[2].holds_cell() && args[2].numel() > 0) grl_fail("validateattributes: ATTRIBUTES must be a cell array");

  // The input's name in the messages: "input", "input N", or the name given, with the
  // function's name before it and its position after it.
  std::string prefix, name = "input";
  if (args.size() > 3) {
    if (is_text(args[3])) {
      if (args[3].numel()) prefix = su::text(args[3]) + ": ";
    } else if (args[3].numel() == 1 && numeric_value(args[3])) {
      name = "input " + number_text(double(args[3].cre()[0]));
    } else {
      grl_fail("validateattributes: 4th input argument must be ARG_IDX or FUNC_NAME");
    }
  }
  if (args.size() > 4) {
    if (!is_text(args[4])) grl_fail("validateattributes: VAR_NAME must be a string");
    name = su::text(args[4]);
  }
  if (args.size() > 5) {
    if (args[5].numel() != 1 || !numeric_value(args[5])) grl_fail("validateattributes: ARG_IDX must be a positive integer");
    name += " (argument #" + number_text(double(args[5].cre()[0])) + ")";
  }
  const std::string who = prefix + name;

  // The class: one of those named ('numeric', 'float' and 'integer' stand for several).
  if (!classes.empty()) {
    std::set<std::string> allowed;
    static const char* const ints[] = {"int8", "uint8", "int16", "uint16", "int32", "uint32", "int64", "uint64"};
    for (const std::string& c : classes) {
      if (c == "numeric" || c == "integer")
        for (const char* i : ints) allowed.insert(i);
      if (c == "numeric" || c == "float") {
        allowed.insert("double");
        allowed.insert("single");
      }
      if (c != "numeric" && c != "float" && c != "integer") allowed.insert(c);
    }
    const std::string own = class_name(class_of(a));
    if (!allowed.count(own)) {
      std::string list;
      for (const std::string& c : allowed) list += " " + c;
      grl_fail_id("Octave:invalid-type", "%s must be of class:\n\n %s\n\nbut was of class %s", who.c_str(), list.c_str(),
                  own.c_str());
    }
  }

  std::vector<Mt> list;
  if (args[2].holds_cell()) {
    const M<Mt>& cell = args[2].held_cell();
    for (std::size_t k = 0; k < cell.numel(); ++k) list.push_back(cell.elem(k));
  }
  // The extents of a (of the cell it holds, when it holds one).
  std::vector<std::size_t> ext;
  if (a.holds_cell())
    for (std::size_t d = 0; d < std::max<std::size_t>(a.held_cell().ndims(), 2); ++d) ext.push_back(a.held_cell().extent(d));
  else
    for (std::size_t d = 0; d < std::max<std::size_t>(a.ndims(), 2); ++d) ext.push_back(a.extent(d));
  std::size_t count = 1;
  for (std::size_t e : ext) count *= e;
  const std::size_t r = ext[0], c = ext[1], nd = ext.size();
  for (std::size_t k = 0; k < list.size(); ++k) {
    if (!is_text(list[k])) grl_fail_id("Octave:invalid-input-arg", "validateattributes: ATTRIBUTES must be a cell array of strings and values");
    const std::string at = su::text(list[k]);
    auto fail = [&](const char* id_tail) {
      grl_fail_id((std::string("Octave:expected-") + id_tail).c_str(), "%s must be %s", who.c_str(), at.c_str());
    };
    if (at == "2d") { if (nd != 2) fail("2d"); }
    else if (at == "3d") { if (nd > 3) fail("3d"); }
    else if (at == "column") { if (nd != 2 || c != 1) fail("column"); }
    else if (at == "row") { if (nd != 2 || r != 1) fail("row"); }
    else if (at == "scalar") { if (count != 1) fail("scalar"); }
    else if (at == "vector") { if (nd != 2 || (r != 1 && c != 1)) fail("vector"); }
    else if (at == "square") { if (nd != 2 || r != c) fail("square"); }
    else if (at == "nonempty") { if (count == 0) fail("nonempty"); }
    else if (at == "nonsparse") {}
    else if (at == "binary") { if (!all_elements(a, [](double v) { return v == 0 || v == 1; })) fail("binary"); }
    else if (at == "even") { if (!all_elements(a, [](double v) { return std::fmod(v, 2) == 0; })) fail("even"); }
    else if (at == "odd") { if (!all_elements(a, [](double v) { return std::fabs(std::fmod(v, 2)) == 1; })) fail("odd"); }
    else if (at == "integer") {
      if (!all_elements(a, [](double v) { return std::isfinite(v) && v == std::floor(v); })) fail("integer");
    }
    else if (at == "real") { if (a.isc() || !numeric_value(a)) fail("real"); }
    else if (at == "finite") { if (!all_elements(a, [](double v) { return std::isfinite(v); })) fail("finite"); }
    else if (at == "nonnan") { if (!all_elements(a, [](double v) { return !std::isnan(v); })) fail("nonnan"); }
    else if (at == "nonnegative") { if (!all_elements(a, [](double v) { return v >= 0; })) fail("nonnegative"); }
    else if (at == "nonzero") { if (!all_elements(a, [](double v) { return v != 0; })) fail("nonzero"); }
    else if (at == "positive") { if (!all_elements(a, [](double v) { return v > 0; })) fail("positive"); }
    else if (at == "decreasing") { if (!all_steps(a, [](double p, double q) { return q < p; })) fail("decreasing"); }
    else if (at == "increasing") { if (!all_steps(a, [](double p, double q) { return q > p; })) fail("increasing"); }
    else if (at == "nondecreasing") { if (!all_steps(a, [](double p, double q) { return q >= p; })) fail("nondecreasing"); }
    else if (at == "nonincreasing") { if (!all_steps(a, [](double p, double q) { return q <= p; })) fail("nonincreasing"); }
    else if (at == "diag") {
      bool ok = nd == 2 && numeric_value(a);
      for (std::size_t j = 0; ok && j < c; ++j)
        for (std::size_t i = 0; ok && i < r; ++i) ok = i == j || double(a.cre()[i + j * r]) == 0;
      if (!ok) fail("diag");
    }
    else if (at == "size") {
      if (k + 1 >= list.size() || !numeric_value(list[k + 1]) || list[k + 1].ischar())
        grl_fail_id("Octave:invalid-input-arg", "validateattributes: size must be followed by a vector of sizes");
      const Mt& want = list[++k];
      bool ok = want.numel() == nd;
      std::string shown;
      for (std::size_t d = 0; d < want.numel(); ++d) {
        const double w = double(want.cre()[d]);
        shown += (d ? "x" : "") + (std::isnan(w) ? std::string("N") : number_text(w));
        if (ok && !std::isnan(w) && w != double(ext[d])) ok = false;
      }
      if (!ok)
        grl_fail_id("Octave:incorrect-size", "%s must be of size %s but was %s", who.c_str(), shown.c_str(),
                    dims_of(ext).c_str());
    }
    else if (at == "numel" || at == "ncols" || at == "nrows" || at == "ndims") {
      const double want = attribute_number(list, ++k, at);
      const double have = at == "numel" ? double(count) : at == "ncols" ? double(c) : at == "nrows" ? double(r) : double(nd);
      if (have != want) {
        const char* id = at == "numel" ? "Octave:incorrect-numel" : at == "ncols" ? "Octave:incorrect-numcols"
                         : at == "nrows" ? "Octave:incorrect-numrows" : "Octave:incorrect-numdims";
        const char* what = at == "numel" ? "elements" : at == "ncols" ? "columns" : at == "nrows" ? "rows" : "dimensions";
        grl_fail_id(id, "%s must have %s %s", who.c_str(), number_text(want).c_str(), what);
      }
    }
    else if (at == ">" || at == ">=" || at == "<" || at == "<=") {
      const double b = attribute_number(list, ++k, at);
      bool ok;
      const char* id;
      const char* words;
      if (at == ">") ok = all_elements(a, [b](double v) { return v > b; }), id = "Octave:expected-greater", words = "greater than";
      else if (at == ">=") ok = all_elements(a, [b](double v) { return v >= b; }), id = "Octave:expected-greater-equal", words = "greater than or equal to";
      else if (at == "<") ok = all_elements(a, [b](double v) { return v < b; }), id = "Octave:expected-less", words = "less than";
      else ok = all_elements(a, [b](double v) { return v <= b; }), id = "Octave:expected-less-equal", words = "less than or equal to";
      if (!ok) grl_fail_id(id, "%s must be %s %f", who.c_str(), words, b);
    }
    else {
      grl_fail_id("Octave:invalid-input-arg", "validateattributes: unknown ATTRIBUTE %s", at.c_str());
    }
  }
}
