// An error raised from an error value that carries causes (addCause): the causes travel
// with the C++ exception, so the value a catch block gives has them again.
#ifndef GRIDLIB_ERROR_CAUSES_H
#define GRIDLIB_ERROR_CAUSES_H

#include <string>
#include <utility>
#include <vector>

#include "gridlib.h"

namespace grl {

class caused_exception : public exception {
 public:
  caused_exception(std::string identifier, std::string message, std::vector<stack_frame> stack, Mt causes)
      : exception(std::move(identifier), std::move(message), std::move(stack)), causes_(std::move(causes)) {}
  // A column cell of error values.
  const Mt& causes() const noexcept { return causes_; }

 private:
  Mt causes_;
};

// Field cause of error value err when it is a cell with at least one element, else an
// empty value.
Mt causes_field(const Mt& err);

// Raises the error (identifier, message, stack) that error value err describes: with
// err's causes when it has some.
[[noreturn]] void raise_value(const Mt& err, std::string identifier, std::string message,
                              std::vector<stack_frame> stack);

}  // namespace grl

#endif
