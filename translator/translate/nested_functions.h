// Nested functions: a function written inside another function's body (a file whose
// functions close with `end`) shares every variable that it and the function it is
// written in (or one further out) both use. The source is rewritten before it is read
// so that each nested function stands after the file's functions as a function of its
// own; the plan says, for each function of such a nest, which variables live in a
// frame shared with the others (see gridlib_nest.h for the frames when the program runs).
#pragma once
#include <string>
#include <vector>

// A shared variable as one function of a nest names it: it lives in the frame of the
// function `up` levels out (0: the function's own frame), at `slot` there.
struct nest_var {
  std::string name;
  int up = 0;
  int slot = 0;
  bool input = false;   // an input of the function that owns it
};

struct nest_function {
  std::string name;     // as the translator sees it (local functions qualified)
  std::string parent;   // the function it is written in; empty for the outermost
  int n_in = 0;         // its inputs; -1 with varargin
  int slots = 0;        // variables of its own frame
  std::vector<nest_var> shared;
};

struct nest_plan {
  std::vector<nest_function> functions;
  bool empty() const { return functions.empty(); }
  const nest_function* find(const std::string& name) const;
  // The line of the source as written for line `flat` of the rewritten text (nested
  // functions stand at its end), for the error stack and messages.
  std::vector<int> lines;
  int source_line(int flat) const {
    return flat >= 1 && flat <= int(lines.size()) ? lines[std::size_t(flat - 1)] : flat;
  }
  // The name of the input that takes the value of a shared input `var` of function f.
  static std::string input_name(const std::string& var) { return var + "__in"; }
};

// The source with each nested function moved out (its lines left blank where it was
// written), and its plan. A source without nested functions comes back unchanged with an
// empty plan. What cannot be built (a shared varargin, two nested functions of one
// name) fails with a message at its line.
std::string flatten_nested_functions(const std::string& source, nest_plan& plan);
