// Scalar inference: before a function is translated, its statements (as the scanner
// gives them, before any rewrite) are read once to find the variables that hold a
// real double on every path. Proven scalars are declared as plain C++ doubles; proven
// real double arrays let the translator read and write their elements directly.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lexer/tokens.h"

// Put before the end of a statement whose result is shown (no semicolon): a shown
// variable keeps its general form, which the display names.
inline constexpr const char* kShownMark = "\x02shown";

// What a for loop of the function may use, from the proof (one for each for
// statement, in the order of the statements).
struct loop_plan {
  std::string var;             // the loop variable
  bool assigned_in_body = false;   // the body assigns the variable
  bool scalar_range = false;   // a:b or a:s:b of proven scalars: counted in C++
  bool whole_shadow = false;   // the variable is a proven scalar assigned nowhere in the
                               // loop's body: a whole-number copy follows it
  // Proven real double arrays that the loop's body uses only as x(i), x(i, j) or
  // x(i, j, k) with scalar subscripts (read, or written whole statement x(...) = v).
  std::set<std::string> views;
};

// A while loop `while v <= e` (<, >=, >) whose body changes the proven scalar v only
// by one statement v = v + c (v - c) standing first or last in the body, e and c being
// numbers or proven scalars the body does not assign: where v goes while the loop runs
// is known when it starts (one for each while statement; var empty when not so).
struct while_counter {
  std::string var, bound, step;   // M names, or the number tokens' text
  bool up = true;                 // v = v + c with <= or <; otherwise v = v - c with >= or >
  bool strict = false;            // < or >
  bool after = false;             // the step stands first: the rest of the body sees v + c
};

struct inferred_types {
  std::set<std::string> scalars;   // real double, 1 x 1, defined before every read
  std::set<std::string> arrays;    // real double of any size (the scalars included)
  // With scalar_signature: the function, called with real double scalars, gives one
  // (its inputs and its one output are then among the scalars).
  bool scalar_function = false;
  // With scalar_function: no statement of that form can raise an error (scalar
  // arithmetic, comparisons in conditions, calls of the function itself).
  bool frameless = false;
  std::vector<std::string> inputs;
  std::string output;
  std::vector<loop_plan> loops;
  // For each while statement, in order: the proven real double arrays its body uses
  // only as x(i), x(i, j) or x(i, j, k) with scalar subscripts (as loop_plan::views).
  std::vector<std::set<std::string>> while_views;
  std::vector<while_counter> while_counters;   // (parallel to while_views)
};

// The statements of one function (its function line first, if it has one), or of a
// script when script is true. Nothing is proven for a script that is not the
// program's main file (its variables live in its caller).
// With scalar_signature, the inputs of the function line are taken as real double
// scalars on entry and the one output must be one on every return: the proof for a
// second form of the function that takes and gives C++ doubles.
// callees: the class of the one output of M functions the statements call, for any
// arguments (output_class), by name.
inferred_types infer_types(const std::vector<tokens_t>& statements, bool scalar_signature = false,
                           const std::map<std::string, int>* callees = nullptr);

// The for loops of the statements with only what needs no proof: each loop's variable
// and whether its body assigns it (the loops of a function translated without
// inference).
std::vector<loop_plan> plain_loop_plans(const std::vector<tokens_t>& statements);

// The class of the one output of the function whose statements these are, whatever
// its inputs: 2 a real double scalar, 1 a real double array, 0 anything.
int output_class(const std::vector<tokens_t>& statements);

// The variables of the function (statements as for infer_types) that hold a 1 x 1
// structure wherever they hold a value: every assignment names a field of the variable
// (v.f = x, v.f(k) = x) or makes it from literals (v = struct('a', 1)), and nothing
// else can assign it (it is no input, global, loop variable or output of a call, and
// no eval, load or script call is there).
std::set<std::string> single_structures(const std::vector<tokens_t>& statements);
