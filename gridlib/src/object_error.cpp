// MException(id, format, ...) and throw(err): error values made by the program. The
// value is the structure a catch block gives (message, identifier, stack), so
// err.message, rethrow, error(err) and getReport take either.
#include <string>
#include <vector>

#include "gridlib.h"
#include "strutil.h"

namespace {

using grl::Mt;
namespace su = grl::su;

// The text of field `name` of an error value, or nullptr when it has none.
const Mt* error_field(const Mt& err, const char* name) {
  const auto names = grl::field_names(err);
  for (const std::string& n : names)
    if (n == name) return &grl::field(err, name);
  return nullptr;
}

}  // namespace

Mt grl::mexception_args(const std::vector<Mt>& a) {
  if (a.size() < 2) grl_fail("Invalid call to MException");
  if (!a[0].ischar() || (a[0].numel() > 0 && a[0].rows() != 1))
    grl_fail("MException: ID must be a string");
  if (!a[1].ischar()) grl_fail("MException: TEMPLATE must be a string");
  std::vector<const Mt*> args;
  for (std::size_t k = 2; k < a.size(); ++k) args.push_back(&a[k]);
  const std::string message = grl::format_text("MException", su::text(a[1]), args);
  Mt err = grl::make_struct(1, 1, {"message", "identifier", "stack"});
  err.st_->v[0] = su::str(message);
  err.st_->v[1] = a[0].numel() ? a[0] : su::str("");
  err.st_->v[2] = grl::make_struct(0, 1, {"file", "name", "line", "column"});
  return err;
}

grl::quiet throw_M(const Mt& err) {
  if (!err.holds_struct() || err.numel() != 1) grl_fail("throw: ERR must be an MException object");
  const Mt* message = error_field(err, "message");
  const Mt* identifier = error_field(err, "identifier");
  if (!message || !identifier) grl_fail("throw: ERR must be an MException object");
  throw grl::exception(su::text(*identifier), su::text(*message));
}
