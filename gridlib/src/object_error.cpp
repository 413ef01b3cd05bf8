// MException(id, format, ...), throw(err), throwAsCaller(err) and addCause(err, c):
// error values made by the program. The value is the structure a catch block gives
// (message, identifier, stack) with the field cause (a column cell of error values),
// so err.message, rethrow, error(err) and getReport take either.
#include <string>
#include <vector>

#include "gridlib.h"
#include "error_causes.h"
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
  Mt err = grl::make_struct(1, 1, {"message", "identifier", "stack", "cause"});
  err.st_->v[0] = su::str(message);
  err.st_->v[1] = a[0].numel() ? a[0] : su::str("");
  err.st_->v[2] = grl::make_struct(0, 1, {"file", "name", "line", "column"});
  err.st_->v[3] = Mt::of_cell(M<Mt>::alloc(0, 1));
  return err;
}

Mt MException_last(const Mt& option) {
  if (option.numel() > 0 && (!option.ischar() || su::text(option) != "reset"))
    grl_fail("MException.last: the only option is 'reset'");
  Mt err = grl::make_struct(1, 1, {"message", "identifier", "stack", "cause"});
  err.st_->v[0] = su::str("");
  err.st_->v[1] = su::str("");
  err.st_->v[2] = grl::make_struct(0, 1, {"file", "name", "line", "column"});
  err.st_->v[3] = Mt::of_cell(M<Mt>::alloc(0, 1));
  return err;
}

namespace {

// The message and identifier of an error value given to `what`.
void error_texts(const Mt& err, const char* what, std::string& identifier, std::string& message) {
  const Mt* m = err.holds_struct() && err.numel() == 1 ? error_field(err, "message") : nullptr;
  const Mt* id = m ? error_field(err, "identifier") : nullptr;
  if (!m || !id) grl_fail("%s: ERR must be an MException object", what);
  identifier = su::text(*id);
  message = su::text(*m);
}

}  // namespace

grl::quiet throw_M(const Mt& err) {
  std::string identifier, message;
  error_texts(err, "throw", identifier, message);
  grl::raise_value(err, identifier, message, grl::current_stack());
}

grl::quiet throwAsCaller(const Mt& err) {
  std::string identifier, message;
  error_texts(err, "throwAsCaller", identifier, message);
  std::vector<grl::stack_frame> stack = grl::current_stack();
  if (!stack.empty()) stack.erase(stack.begin());
  grl::raise_value(err, identifier, message, stack);
}

Mt addCause(const Mt& err, const Mt& cause) {
  std::string identifier, message;
  error_texts(err, "addCause", identifier, message);
  error_texts(cause, "addCause", identifier, message);
  Mt out = err;
  const Mt* had = error_field(err, "cause");
  const std::size_t n = had && had->holds_cell() ? had->held_cell().numel() : 0;
  M<Mt> causes = M<Mt>::alloc(n + 1, 1);
  for (std::size_t k = 0; k < n; ++k) causes.welem(k) = had->held_cell().elem(k);
  causes.welem(n) = cause;
  grl::field_ref(out, "cause") = Mt::of_cell(causes);
  return out;
}

Mt grl::causes_field(const Mt& err) {
  const Mt* c = err.holds_struct() && err.numel() == 1 ? error_field(err, "cause") : nullptr;
  return c && c->holds_cell() && c->held_cell().numel() > 0 ? *c : Mt();
}

void grl::raise_value(const Mt& err, std::string identifier, std::string message, std::vector<stack_frame> stack) {
  Mt causes = causes_field(err);
  if (!causes.holds_cell()) throw grl::exception(std::move(identifier), std::move(message), std::move(stack));
  throw grl::caused_exception(std::move(identifier), std::move(message), std::move(stack), std::move(causes));
}

void grl::undefined_function(const char* name, int line, int column) {
  if (line <= 0) grl_fail_id("Octave:undefined-function", "'%s' undefined", name);
  grl_fail_id("Octave:undefined-function", "'%s' undefined near line %d, column %d", name, line, column);
}
