// assert: a condition that must hold, or an observed value that must equal an expected
// one (within a tolerance). A failure raises an error a program can catch.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_io.h"
#include "strutil.h"

namespace su = grl::su;
using grl::Mt;

namespace {

// True when every element of cond is nonzero; an empty condition fails.
bool holds(const Mt& cond) {
  if (cond.holds_cell() || cond.holds_struct()) grl_fail("assert: COND must be a numeric or logical value");
  if (cond.isempty()) return false;
  for (std::size_t k = 0; k < cond.numel(); ++k) {
    if (cond.cre()[k] == 0 && (!cond.isc() || cond.cim()[k] == 0)) return false;
  }
  return true;
}

std::string number_text(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

std::string size_text(const Mt& x) {
  const Mt s = size(x);
  std::string t;
  for (std::size_t k = 0; k < s.numel(); ++k) t += (k ? "x" : "") + number_text(s.cre()[k]);
  return t;
}

// One line of the table of differences.
std::string row(const std::string& where, const std::string& observed, const std::string& expected,
                const std::string& reason) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "    %-10s %-12s %-12s %s\n", where.c_str(), observed.c_str(), expected.c_str(),
                reason.c_str());
  return buf;
}

// The differences between observed and expected, one row each; empty when they agree.
std::string differences(const Mt& observed, const Mt& expected, double tol) {
  if (observed.ischar() || expected.ischar()) {
    if (observed.ischar() && expected.ischar() && su::text(observed) == su::text(expected) &&
        observed.rows() == expected.rows())
      return "";
    if (!observed.ischar() || !expected.ischar())
      return row("[]", observed.ischar() ? su::text(observed) : "O", expected.ischar() ? su::text(expected) : "E",
                 "Expected string, but observed number");
    return row("[]", su::text(observed), su::text(expected), "Strings don't match");
  }
  const bool plain = !observed.holds_cell() && !observed.holds_struct() && !expected.holds_cell() &&
                     !expected.holds_struct();
  if (!plain) {
    if (isequal(observed, expected).cre()[0] != 0) return "";
    return row("[]", "O", "E", "Values do not match");
  }
  if (size_text(observed) != size_text(expected))
    return row(".", "O(" + size_text(observed) + ")", "E(" + size_text(expected) + ")", "Dimensions don't match");
  std::string rows;
  for (std::size_t k = 0; k < observed.numel(); ++k) {
    const double o = observed.cre()[k], e = expected.cre()[k];
    if (std::isnan(o) && std::isnan(e)) continue;
    const double err = std::fabs(o - e);
    const double limit = tol < 0 ? std::fabs(tol * e) : tol;
    if (o == e || err <= limit) continue;
    const std::string where = "(" + number_text(double(k + 1)) + ")";
    std::string reason;
    if (std::isnan(o) != std::isnan(e)) {
      reason = "'NaN' mismatch";
    } else if (tol < 0) {
      reason = "Rel err " + number_text(err / std::fabs(e)) + " exceeds tol " + number_text(-tol) + " by " +
               number_text(err / std::fabs(e) + tol);
    } else {
      reason = "Abs err " + number_text(err) + " exceeds tol " + number_text(tol) + " by " +
               number_text(err - tol);
    }
    rows += row(where, number_text(o), number_text(e), reason);
  }
  return rows;
}

}  // namespace

void grl::assert_args(const char* src, const std::vector<Mt>& args) {
  if (args.empty()) grl_fail("Invalid call to assert");
  const Mt& first = args[0];
  const std::string table = std::string("ASSERT errors for:  assert (") + src +
                            ")\n\n  Location  |  Observed  |  Expected  |  Reason\n";
  // assert(cond), and assert(cond, format, ...) of a logical condition: the message is
  // error()'s (an identifier may come first).
  if (args.size() == 1 || (first.islogical() && args[1].ischar())) {
    if (holds(first)) return;
    if (args.size() == 1) grl::raise("", std::string("assert (") + src + ") failed");
    std::vector<const Mt*> rest;
    for (std::size_t k = 2; k < args.size(); ++k) rest.push_back(&args[k]);
    if (rest.empty()) error(args[1]);
    else grl::error_args(args[1], rest);
    return;
  }
  // assert(observed, expected, tol).
  if (args.size() > 3) grl::raise("", table + row(".", "O", "E", "Invalid call"));
  double tol = 0;
  if (args.size() > 2) {
    if (args[2].numel() != 1 || args[2].ischar()) grl_fail("assert: TOL must be a scalar");
    tol = args[2].cre()[0];
  }
  const std::string d = differences(first, args[1], tol);
  if (!d.empty()) grl::raise("", table + d);
}
