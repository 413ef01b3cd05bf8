// Scalar inference over the statements of one function, before translation.
//
// Every variable starts as a candidate real double scalar (S) and real double array
// (A). A variable leaves S when any assignment could give it another class, a complex
// value or a size other than 1 x 1, and leaves A when any assignment could give it
// another class or a complex value; the assignments are examined again until nothing
// changes, so the proof holds for every path by induction over the statements run. A
// scalar must also be assigned before every read on every path (block by block), and a
// loop counter is never read after its loop (an empty range leaves it empty).
// Anything not understood keeps the variables it names general.
#include "translate/infer.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <map>

namespace {

enum cls { U = 0, A = 1, S = 2 };   // unknown, real double array, real double scalar

cls join(cls a, cls b) { return a == U || b == U ? U : (a == S && b == S ? S : A); }

struct tok {
  std::string text;
  int kind;
};
using stmt_t = std::vector<tok>;

bool word(const tok& t) { return t.kind == TK_WORD; }

// Words whose presence anywhere in a function means variables can change or be read
// in ways the statements do not show.
bool opaque_word(const std::string& w) {
  static const std::set<std::string> words = {
      "eval", "evalin", "assignin", "load", "clear", "clearvars", "exist", "who", "whos",
      "save", "run", "inputname", "keyboard", "evalc", "feval", "builtin", "onCleanup",
      "parfor", "unwind_protect", "function_handle"};
  return words.count(w) > 0;
}

bool keyword(const std::string& w) {
  static const std::set<std::string> words = {"if", "elseif", "else", "end", "for", "while", "switch",
                                              "case", "otherwise", "try", "catch", "break",
                                              "continue", "return", "function", "do", "until",
                                              "endif", "endfor", "endwhile", "endfunction",
                                              "endswitch", "end_try_catch"};
  return words.count(w) > 0;
}

bool signed_number_token(const tok& x) {
  return x.text.size() > 1 && (x.text[0] == '+' || x.text[0] == '-') && std::isdigit(static_cast<unsigned char>(x.text[1]));
}

int closing(const stmt_t& t, int open, int to) {
  int depth = 0;
  for (int i = open; i < to; ++i) {
    if (t[i].kind == TK_STRING) continue;
    if (t[i].text == "(") ++depth;
    if (t[i].text == ")" && --depth == 0) return i;
  }
  return -1;
}

// Tokens at..at+1 are ^ (or .^) and an even whole number: a square of any real value.
bool even_power(const stmt_t& t, int at, int to) {
  if (at + 1 >= to || (t[at].text != "^" && t[at].text != ".^") || t[at + 1].kind != TK_NUMBER) return false;
  if (at + 2 < to && (t[at + 2].text == "^" || t[at + 2].text == ".^" || t[at + 2].text == "'" || t[at + 2].text == ".'"))
    return false;
  const double v = std::strtod(t[at + 1].text.c_str(), nullptr);
  return v >= 0 && v <= 1e6 && std::fmod(v, 2.0) == 0;
}

// Tokens [from, to) give no negative number (NaN and -0 may come): numbers and the
// variables in nonneg (those of vars assigned only such values), sums, products and
// quotients of them, a product x * x of one variable, x ^ 2 and (...) ^ 2 of anything
// (an even whole power), powers of them by a number, and
// calls that give no negative real number (abs, exp, cosh, hypot, the counts, mod by
// a positive number) or keep one (floor, ceil, round, fix, max, min, sqrt, mod, rem of
// such). A loop's range (range): a:b
// from such an a, a:s:b from such an a with s or b such (its values lie between a
// and b).
bool nonnegative(const stmt_t& t, int from, int to, const std::set<std::string>& nonneg,
                 const std::set<std::string>& vars, bool range = false) {
  if (range) {
    std::vector<int> colons;
    int depth = 0;
    for (int i = from; i < to; ++i) {
      if (t[i].kind == TK_STRING) continue;
      if (t[i].text == "(" || t[i].text == "[" || t[i].text == "{") ++depth;
      if (t[i].text == ")" || t[i].text == "]" || t[i].text == "}") --depth;
      if (depth == 0 && t[i].text == ":") colons.push_back(i);
    }
    if (colons.size() == 1) return nonnegative(t, from, colons[0], nonneg, vars);
    if (colons.size() == 2)
      return nonnegative(t, from, colons[0], nonneg, vars) &&
             (nonnegative(t, colons[0] + 1, colons[1], nonneg, vars) || nonnegative(t, colons[1] + 1, to, nonneg, vars));
    if (!colons.empty()) return false;
  }
  static const std::set<std::string> gives = {"abs", "exp", "cosh", "hypot", "numel", "length",
                                              "ndims", "rows", "columns", "nnz"};
  static const std::set<std::string> keeps = {"floor", "ceil", "round", "fix", "max", "min", "sqrt", "mod", "rem"};
  static const std::set<std::string> constants = {"pi", "Inf", "inf", "NaN", "nan", "eps",
                                                  "realmax", "realmin", "flintmax"};
  if (from >= to) return false;
  int depth = 0;
  for (int i = from; i < to; ++i) {
    const tok& x = t[i];
    const std::string& w = x.text;
    const bool call = i + 1 < to && t[i + 1].text == "(" && t[i + 1].kind != TK_STRING;
    if (x.kind == TK_STRING) return false;
    if (x.kind == TK_NUMBER) {
      if (w.empty() || w[0] == '-') return false;
      if (i + 1 < to && t[i + 1].text == "*" && t[i + 1].kind != '*') return false;   // 3i
      continue;
    }
    if (signed_number_token(x)) {
      if (w[0] == '-') return false;
      continue;
    }
    if (word(x)) {
      if (call && !vars.count(w)) {
        if (gives.count(w)) {
          i = closing(t, i + 1, to);
          if (i < 0) return false;
          continue;
        }
        // mod(x, y) of a number y > 0 lies from 0 to y, whatever x.
        const int close = closing(t, i + 1, to);
        if (w == "mod" && close > i + 3 && t[close - 2].text == "," && t[close - 1].kind == TK_NUMBER &&
            std::strtod(t[close - 1].text.c_str(), nullptr) > 0) {
          i = close;
          continue;
        }
        if (keeps.count(w)) continue;
        return false;
      }
      if (call) return false;
      if (vars.count(w) ? nonneg.count(w) > 0 : constants.count(w) > 0) continue;
      // x ^ 2 (an even whole power)
      if (vars.count(w) && even_power(t, i + 1, to)) {
        i += 2;
        continue;
      }
      // x * x
      if (vars.count(w) && i + 2 < to && ((t[i + 1].text == "*" && t[i + 1].kind == '*') || t[i + 1].text == ".*") &&
          word(t[i + 2]) && t[i + 2].text == w && !(i + 3 < to && t[i + 3].text == "(")) {
        i += 2;
        continue;
      }
      return false;
    }
    if (w == "(") {
      // (a - b) ^ 2
      const int close = closing(t, i, to);
      if (close > i && even_power(t, close + 1, to)) {
        i = close + 2;
        continue;
      }
      ++depth;
      continue;
    }
    if (w == ")") {
      if (--depth < 0) return false;
      continue;
    }
    if (w == "^" || w == ".^") {
      if (i + 1 >= to || t[i + 1].kind != TK_NUMBER || t[i + 1].text[0] == '-') return false;
      ++i;
      continue;
    }
    if ((w == "*" && x.kind == '*') || w == "+" || w == "/" || w == ".*" || w == "./" || w == "'" || w == ".'")
      continue;
    if (w == "," && depth > 0) continue;
    return false;
  }
  return depth == 0;
}

// The classifier of one expression: a small precedence parser over the raw tokens.
class classifier {
 public:
  // self: the function whose scalar form is being proved (empty otherwise); a call of
  // it with scalars gives a scalar by induction over the calls.
  classifier(const stmt_t& t, const std::set<std::string>& vars, const std::set<std::string>& s_set,
             const std::set<std::string>& a_set, const std::string& self = std::string(),
             const std::map<std::string, int>* callees = nullptr)
      : t_(t), vars_(vars), s_(s_set), a_(a_set), self_(self), callees_(callees) {}

  // With the variables that hold no negative number: sqrt and log of such stay real.
  void nonneg_vars(const std::set<std::string>* n) { nonneg_ = n; }

  // Classifies tokens [from, to); U when they are not one whole expression.
  cls expression(int from, int to, bool* scalar_range = nullptr) {
    pos_ = from;
    end_ = to;
    ok_ = true;
    range_ = false;
    cls c = range();
    if (pos_ != end_ || !ok_) return U;
    if (scalar_range) *scalar_range = range_;
    return c;
  }

 private:
  const stmt_t& t_;
  const std::set<std::string>& vars_;
  const std::set<std::string>& s_;
  const std::set<std::string>& a_;
  const std::string self_;
  const std::map<std::string, int>* callees_;
  const std::set<std::string>* nonneg_ = nullptr;
  int pos_ = 0, end_ = 0, index_depth_ = 0, nest_ = 0;
  bool ok_ = true, range_ = false;

  bool at(const char* s) const { return pos_ < end_ && t_[pos_].text == s && t_[pos_].kind != TK_STRING; }
  bool fail() {
    ok_ = false;
    return false;
  }

  // a:b and a:s:b; a range of scalars is marked for the for loop.
  cls range() {
    cls a = additive();
    if (!at(":")) return a;
    ++pos_;
    cls b = additive();
    cls c = S;
    if (at(":")) {
      ++pos_;
      c = additive();
    }
    if (a == U || b == U || c == U) return U;
    // Only the range the loop runs over itself, not one inside brackets or arguments.
    if (nest_ == 0) range_ = a == S && b == S && c == S;
    return A;
  }

  // A "+2.0" or "-2.0" token (a signed number) in operator place is an addition.
  bool signed_number(int i) const {
    const std::string& x = t_[i].text;
    return x.size() > 1 && (x[0] == '+' || x[0] == '-') && std::isdigit(static_cast<unsigned char>(x[1]));
  }

  cls additive() {
    cls c = multiplicative();
    while (pos_ < end_) {
      if (at("+") || at("-")) {
        ++pos_;
        c = join(c, multiplicative());
      } else if (signed_number(pos_)) {
        ++pos_;
        c = join(c, S);
        c = join(c, postfix_ops(S));   // -2.0 * x is parsed loosely: the class is the same
      } else {
        break;
      }
    }
    return c;
  }

  cls postfix_ops(cls c) {
    while (pos_ < end_) {
      const tok& o = t_[pos_];
      if ((o.text == "*" && o.kind == '*') || o.text == "/" || o.text == "\\" || o.text == ".*" ||
          o.text == "./" || o.text == ".\\") {
        ++pos_;
        c = join(c, unary());
      } else {
        break;
      }
    }
    return c;
  }

  cls multiplicative() { return postfix_ops(unary()); }

  cls unary() {
    if (at("-") || at("+")) {
      ++pos_;
      return unary();
    }
    return power();
  }

  // x^k and x.^k stay real for a whole exponent written as a number; any other power
  // may be complex.
  cls power() {
    cls c = postfix();
    while (at("^") || at(".^")) {
      ++pos_;
      bool whole = false;
      if (pos_ < end_ && t_[pos_].kind == TK_NUMBER) {
        const double v = std::atof(t_[pos_].text.c_str());
        whole = std::isfinite(v) && v == std::floor(v);
      }
      if (!whole) return fail(), U;
      ++pos_;
      c = join(c, S);
      if (at("'") || at(".'")) ++pos_;
    }
    return c;
  }

  cls postfix() {
    cls c = primary();
    while (at("'") || at(".'")) ++pos_;
    return c;
  }

  // The arguments of x(...) or f(...) after "(": each classified; ":" alone is all.
  bool arguments(std::vector<int>& out) {
    ++pos_;   // "("
    if (at(")")) {
      ++pos_;
      return true;
    }
    for (;;) {
      if (at(":") && pos_ + 1 < end_ && (t_[pos_ + 1].text == "," || t_[pos_ + 1].text == ")")) {
        ++pos_;
        out.push_back(-1);
      } else {
        ++index_depth_;
        ++nest_;
        out.push_back(range());
        --nest_;
        --index_depth_;
      }
      if (!ok_) return false;
      if (at(",")) {
        ++pos_;
        continue;
      }
      if (at(")")) {
        ++pos_;
        return true;
      }
      return fail();
    }
  }

  cls call(const std::string& f) {
    std::vector<int> args;
    const int open = pos_;
    if (!arguments(args)) return U;
    const int close = pos_ - 1;
    bool all_s = true, all_sa = true;
    for (int a : args) {
      all_s = all_s && a == S;
      all_sa = all_sa && (a == S || a == A);
    }
    const std::size_t n = args.size();
    static const std::set<std::string> counts = {"numel", "length", "ndims", "rows", "columns", "nnz"};
    static const std::set<std::string> makers = {"zeros", "ones", "eye", "rand", "randn", "Inf", "inf",
                                                 "NaN", "nan"};
    static const std::set<std::string> elementwise = {"abs", "floor", "ceil", "round", "fix", "sign",
                                                      "exp", "sin", "cos", "tan", "atan", "sinh",
                                                      "cosh", "tanh", "real", "imag"};
    static const std::set<std::string> pairs = {"mod", "rem", "atan2", "hypot", "max", "min"};
    if (counts.count(f) && n == 1) return args[0] == -1 ? U : S;
    if (f == "size" && n == 2 && args[0] != -1 && args[1] == S) return S;
    if (f == "size" && n == 1 && args[0] != -1) return A;
    if (makers.count(f) && all_sa) return A;
    if (elementwise.count(f) && n == 1) return args[0] == S ? S : (args[0] == A ? A : U);
    if (pairs.count(f) && n == 2) return all_s ? S : (all_sa ? A : U);
    // (Of a scalar only: every operand of its arithmetic is then a scalar, so * and /
    // are products and quotients of numbers.)
    if ((f == "sqrt" || f == "log") && n == 1 && nonneg_ && args[0] == S &&
        nonnegative(t_, open + 1, close, *nonneg_, vars_))
      return S;
    if ((f == "max" || f == "min" || f == "sum" || f == "prod" || f == "cumsum" || f == "mean") && n == 1)
      return all_sa ? A : U;
    if (f == "linspace" && (n == 2 || n == 3) && all_s) return A;
    if (!self_.empty() && f == self_ && n > 0 && all_s) return S;
    if (callees_) {
      const auto it = callees_->find(f);
      if (it != callees_->end()) return cls(it->second);
    }
    return U;
  }

  cls primary() {
    if (pos_ >= end_) return fail(), U;
    const tok& x = t_[pos_];
    if (x.kind == TK_NUMBER) {
      ++pos_;
      // 3i is written 3.0 * i with a "*" of its own kind: an imaginary number.
      if (pos_ < end_ && t_[pos_].text == "*" && t_[pos_].kind == TK_OTHER) return fail(), U;
      return S;
    }
    if (signed_number(pos_)) {
      ++pos_;
      return S;
    }
    if (x.text == "(" && x.kind == '(') {
      ++pos_;
      cls c = range();
      if (!at(")")) return fail(), U;
      ++pos_;
      return c;
    }
    if (x.text == "[" && x.kind == '[') return matrix();
    if (!word(x)) return fail(), U;
    ++pos_;
    const bool called = at("(");
    if (x.text == "end" && index_depth_ > 0) return S;
    if (vars_.count(x.text)) {
      cls c = s_.count(x.text) ? S : (a_.count(x.text) ? A : U);
      if (!called) return (at("{") || at(".")) ? (fail(), U) : c;
      std::vector<int> args;
      if (!arguments(args)) return U;
      if (c == U || at("(") || at("{") || at(".")) return U;
      if (args.empty()) return c;
      bool all_s = true, all_index = true;
      for (int a : args) {
        all_s = all_s && a == S;
        all_index = all_index && a != U;
      }
      return all_s ? S : (all_index ? A : U);
    }
    if (called) return call(x.text);
    if (callees_ && callees_->count(x.text)) return cls(callees_->at(x.text));
    static const std::set<std::string> constants = {"pi", "Inf", "inf", "NaN", "nan", "eps",
                                                    "realmax", "realmin", "flintmax"};
    return constants.count(x.text) ? S : U;
  }

  // [ ... ]: real double when every element is.
  cls matrix() {
    ++pos_;
    cls c = A;
    int guard = 0;
    while (pos_ < end_ && !at("]")) {
      const tok& x = t_[pos_];
      if (x.text == "," || x.text == ";" || x.text == "\n" || x.kind == TK_SEMI) {
        ++pos_;
        continue;
      }
      ++nest_;
      cls e = range();
      --nest_;
      if (!ok_) return U;
      if (e == U) c = U;
      if (++guard > 100000) return fail(), U;
    }
    if (!at("]")) return fail(), U;
    ++pos_;
    return c;
  }
};

// The analysis of one function.
class analysis {
 public:
  analysis(const std::vector<tokens_t>& statements, bool signature, const std::map<std::string, int>* callees,
           bool output_mode = false)
      : signature_(signature), output_mode_(output_mode), callees_(callees) {
    for (const tokens_t& s : statements) {
      stmt_t st;
      bool shown = false;
      for (int i = 0; i < s.top(); ++i) {
        if (s.gettext(i) == kShownMark) shown = true;
        else if (s.kind(i) != TK_COMMENT) st.push_back({s.gettext(i), s.kind(i)});
      }
      if (st.empty()) continue;
      if (shown && !(word(st[0]) && keyword(st[0].text)) && !prints_only(st)) shown_.push_back(stmts_.size());
      stmts_.push_back(std::move(st));
    }
  }

  // The class of the one output (output_mode).
  int output_class() {
    const inferred_types r = run();
    if (output_.empty() || counts_arguments_) return U;
    return r.scalars.count(output_) ? S : (r.arrays.count(output_) ? A : U);
  }

  inferred_types run() {
    inferred_types r;
    if (!collect()) {
      r.loops = plain_plans();
      return r;
    }
    for (const std::string& v : excluded_) vars_.insert(v);
    // A variable that is indexed or called (x(i), f(x)) is no C++ double.
    for (const stmt_t& st : stmts_)
      for (std::size_t i = 0; i + 1 < st.size(); ++i)
        if (word(st[i]) && st[i + 1].text == "(" && vars_.count(st[i].text)) not_scalar_.insert(st[i].text);
    for (const std::string& v : vars_)
      if (!excluded_.count(v)) {
        s_.insert(v);
        a_.insert(v);
      }
    for (const std::string& v : not_scalar_) s_.erase(v);
    // Candidates for holding no negative number: what is assigned here (not the inputs).
    for (const std::string& v : vars_)
      if (!excluded_.count(v) && std::find(inputs_.begin(), inputs_.end(), v) == inputs_.end()) n_.insert(v);
    // Greatest fixed point: drop what an assignment disproves until nothing changes.
    // A scalar read where it may not yet be assigned may read a function of that name
    // instead (i before a loop over i is the imaginary unit): it has no known class,
    // and what is computed from it is examined again.
    for (bool unsafe = true; unsafe;) {
      for (bool changed = true; changed;) {
        changed = false;
        for (const auto& as : assigns_) {
          classifier c(stmts_[as.stmt], vars_, s_, a_, signature_ ? name_ : std::string(), callees_);
          c.nonneg_vars(&n_);
          if (n_.count(as.var) &&
              ((as.kind != assign_t::whole && as.kind != assign_t::loop) ||
               !nonnegative(stmts_[as.stmt], as.from, as.to, n_, vars_, as.kind == assign_t::loop))) {
            n_.erase(as.var);
            changed = true;
          }
          bool scalar_range = false;
          cls k = c.expression(as.from, as.to, &scalar_range);
          if (as.kind == assign_t::loop) k = scalar_range ? S : (k == A ? A : U);
          if (as.kind == assign_t::indexed) k = (k == U || !indices_ok(as)) ? U : A;
          if (as.kind == assign_t::opaque) k = U;
          if (k != S && s_.erase(as.var)) changed = true;
          if (k == U && a_.erase(as.var)) changed = true;
        }
      }
      unsafe_read_.clear();
      definite_check();
      unsafe = false;
      for (const std::string& v : unsafe_read_) {
        if (s_.erase(v)) unsafe = true;
        if (a_.erase(v)) unsafe = true;
      }
    }
    for (const std::string& v : s_)
      if (!unsafe_read_.count(v)) r.scalars.insert(v);
    r.arrays = a_;
    for (const std::string& v : r.scalars) r.arrays.insert(v);
    for (std::size_t k : for_stmts_) r.loops.push_back(plan_loop(k, r));
    for (std::size_t k = 0; k < stmts_.size(); ++k) {
      const stmt_t& st = stmts_[k];
      if (!word(st[0]) || st[0].text != "while") continue;
      std::set<std::string> views;
      const std::size_t end = block_end(k);
      if (end < stmts_.size())
        for (const std::string& x : r.arrays)
          if (!r.scalars.count(x) && elementwise_only(x, k, end, r)) views.insert(x);
      r.while_views.push_back(views);
      r.while_counters.push_back(end < stmts_.size() ? counter_of(k, end, r) : while_counter());
    }
    if (signature_) {
      bool ok = output_defined_ && r.scalars.count(output_);
      for (const std::string& v : inputs_) ok = ok && r.scalars.count(v);
      r.scalar_function = ok && !counts_arguments_;
      r.inputs = inputs_;
      r.output = output_;
      r.frameless = r.scalar_function && cannot_raise(r.scalars);
    }
    return r;
  }

 private:
  struct assign_t {
    enum kind_t { whole, loop, indexed, opaque } kind;
    std::string var;
    std::size_t stmt;
    int from, to;              // the right-hand side (or the loop's range)
    int index_from, index_to;  // indexed: the subscripts, inside the brackets
  };
  bool signature_ = false;
  bool output_mode_ = false;   // output_class: only the inputs are unknown
  const std::map<std::string, int>* callees_ = nullptr;
  bool output_defined_ = true;
  // Reads nargin, nargout or the argument lists, or keeps state between calls: no
  // second form.
  bool counts_arguments_ = false;   // the output is assigned before every return
  std::vector<std::string> inputs_;
  std::string output_, name_;
  std::vector<stmt_t> stmts_;
  std::set<std::string> vars_, excluded_, not_scalar_, s_, a_, unsafe_read_;
  std::set<std::string> n_;   // variables that hold no negative number (NaN and -0 may come)
  std::vector<assign_t> assigns_;
  std::vector<std::size_t> shown_;   // statements whose result is shown
  std::vector<std::size_t> for_stmts_;   // the for statements, in order

  static bool opens_block(const stmt_t& st) {
    static const std::set<std::string> words = {"if", "for", "parfor", "while", "switch", "try", "do"};
    return word(st[0]) && words.count(st[0].text) > 0;
  }
  static bool closes_block(const stmt_t& st) {
    static const std::set<std::string> words = {"end", "endif", "endfor", "endwhile", "endswitch",
                                                "end_try_catch", "until", "endparfor"};
    return word(st[0]) && words.count(st[0].text) > 0;
  }

  // disp(...), fprintf(...) or printf(...) as the whole statement: without a semicolon
  // it shows nothing more than with one (no value, so no name is shown).
  static bool prints_only(const stmt_t& st) {
    if (!word(st[0]) || (st[0].text != "disp" && st[0].text != "fprintf" && st[0].text != "printf")) return false;
    return st.size() > 2 && st[1].text == "(" && matching(st, 1) == expression_end(st) - 1;
  }

  // The statement that ends the block opened by statement k (stmts_.size() if none).
  std::size_t block_end(std::size_t k) const {
    int depth = 0;
    for (std::size_t i = k; i < stmts_.size(); ++i) {
      const stmt_t& st = stmts_[i];
      if (word(st[0]) && st[0].text == "function") break;
      if (opens_block(st)) ++depth;
      else if (closes_block(st) && --depth == 0) return i;
    }
    return stmts_.size();
  }

  // Every use of x in statements (from, to) is x(i), x(i, j) or x(i, j, k) with
  // scalar subscripts, read or written as the whole statement x(...) = v.
  bool elementwise_only(const std::string& x, std::size_t from, std::size_t to, const inferred_types& r) const {
    bool used = false;
    for (std::size_t k = from + 1; k < to; ++k) {
      const stmt_t& st = stmts_[k];
      const int n = static_cast<int>(st.size());
      for (int i = 0; i < n; ++i) {
        if (!word(st[i]) || st[i].text != x) continue;
        if (i + 1 >= n || st[i + 1].text != "(") return false;
        const int close = matching(st, i + 1);
        if (close < 0) return false;
        if (close + 1 < n) {
          const std::string& after = st[close + 1].text;
          if (after == "(" || after == "{" || after == "." || after == "[") return false;
          if (after == "=" && (i != 0 || top_level(st, "=") != close + 1)) return false;
        }
        // The subscripts: one to three scalars, no "end" (it reads the extents).
        int args = 0, start = i + 2, depth = 0;
        for (int j = i + 2; j <= close; ++j) {
          const std::string& t = st[j].text;
          if (st[j].kind != TK_STRING && (t == "(" || t == "[" || t == "{")) ++depth;
          if (st[j].kind != TK_STRING && j < close && (t == ")" || t == "]" || t == "}")) --depth;
          if (word(st[j]) && t == "end") return false;
          if (j == close || (depth == 0 && t == ",")) {
            classifier c(st, vars_, r.scalars, r.arrays);
            if (j == start || c.expression(start, j) != S) return false;
            ++args;
            start = j + 1;
          }
        }
        if (args < 1 || args > 3) return false;
        used = true;
        i = close;
      }
    }
    return used;
  }

  // Whether a statement between from and to assigns v: the target of v = ...,
  // v(...) = ..., [..., v, ...] = ... or for v = ... (or anything that may assign
  // any variable).
  bool assigned_between(const std::string& v, std::size_t from, std::size_t to) const {
    for (std::size_t i = from + 1; i < to; ++i) {
      const stmt_t& b = stmts_[i];
      const bool inner_for = word(b[0]) && b[0].text == "for";
      const int eq = inner_for ? std::min<int>(3, static_cast<int>(b.size()))
                               : (b[0].text == "[" ? top_level(b, "=") : std::min<int>(1, top_level(b, "=")));
      for (int j = 0; j < eq; ++j)
        if (word(b[j]) && b[j].text == v) return true;
      for (const tok& x : b)
        if (word(x) && opaque_word(x.text)) return true;   // eval, load, clear ...
    }
    return false;
  }

 public:
  // The loops with what needs no proof.
  std::vector<loop_plan> plain_plans() const {
    std::vector<loop_plan> plans;
    for (std::size_t k = 0; k < stmts_.size(); ++k) {
      const stmt_t& st = stmts_[k];
      if (!word(st[0]) || st[0].text != "for") continue;
      loop_plan plan;
      const int v = st.size() > 1 && st[1].text == "(" ? 2 : 1;
      if (static_cast<int>(st.size()) > v + 2 && word(st[v]) && st[v + 1].text == "=") {
        plan.var = st[v].text;
        const std::size_t end = block_end(k);
        plan.assigned_in_body = end >= stmts_.size() || assigned_between(plan.var, k, end);
      }
      plans.push_back(plan);
    }
    return plans;
  }

 private:
  // The plan of the for loop at statement k.
  loop_plan plan_loop(std::size_t k, const inferred_types& r) const {
    loop_plan plan;
    const stmt_t& st = stmts_[k];
    const int v = st.size() > 1 && st[1].text == "(" ? 2 : 1;
    if (static_cast<int>(st.size()) <= v + 2 || !word(st[v]) || st[v + 1].text != "=") return plan;
    plan.var = st[v].text;
    int to = expression_end(st);
    if (v == 2 && to > 0 && st[to - 1].text == ")") --to;
    classifier c(st, vars_, r.scalars, r.arrays);
    bool scalar_range = false;
    c.expression(v + 2, to, &scalar_range);
    plan.scalar_range = scalar_range;
    const std::size_t end = block_end(k);
    if (end >= stmts_.size()) return plan;
    // The counter's whole-number copy: nothing in the body assigns the variable.
    plan.assigned_in_body = assigned_between(plan.var, k, end);
    plan.whole_shadow = r.scalars.count(plan.var) > 0 && !plan.assigned_in_body;
    for (const std::string& x : r.arrays)
      if (!r.scalars.count(x) && x != plan.var && elementwise_only(x, k, end, r)) plan.views.insert(x);
    return plan;
  }

  // The counter of the while loop at statement k that ends at statement end, if it has
  // one (see while_counter).
  while_counter counter_of(std::size_t k, std::size_t end, const inferred_types& r) const {
    const while_counter none;
    const stmt_t& st = stmts_[k];
    int from = 1, to = expression_end(st);
    if (to > from && st[from].text == "(" && matching(st, from) == to - 1) {
      ++from;
      --to;
    }
    if (to - from != 3 || end <= k + 1) return none;
    // A fixed operand: a number, or a proven scalar the body does not assign.
    auto fixed = [&](const tok& x) {
      if (x.kind == TK_NUMBER) return true;
      return word(x) && r.scalars.count(x.text) && !assigned_between(x.text, k, end);
    };
    const tok &v = st[from], &op = st[from + 1], &e = st[from + 2];
    while_counter w;
    w.var = v.text;
    w.bound = e.text;
    w.up = op.text == "<=" || op.text == "<";
    w.strict = op.text == "<" || op.text == ">";
    if (!word(v) || !r.scalars.count(v.text) || !(w.up || op.text == ">=" || op.text == ">") || e.text == v.text ||
        !fixed(e))
      return none;
    // v = v + c (v = v - c) as the body's first or last statement, and no other
    // statement of the body assigns v.
    auto step = [&](std::size_t i) {
      const stmt_t& b = stmts_[i];
      if (expression_end(b) != 5 || b[0].text != v.text || b[1].text != "=" || b[2].text != v.text ||
          b[3].text != (w.up ? "+" : "-") || b[4].text == v.text || !fixed(b[4]))
        return false;
      w.step = b[4].text;
      return true;
    };
    std::size_t at = k + 1;
    if (step(k + 1)) {
      w.after = end > k + 2;
    } else if (step(end - 1)) {
      at = end - 1;
    } else {
      return none;
    }
    if (assigned_between(v.text, k, at) || assigned_between(v.text, at, end)) return none;
    return w;
  }

  // Tokens [from, to) are scalar arithmetic on the proven scalars and numbers, with
  // calls of the function itself with all its inputs: nothing there can raise an
  // error. comparisons: how many comparisons stand outside brackets.
  bool raises_nothing(const stmt_t& st, int from, int to, const std::set<std::string>& scalars,
                      int& comparisons) const {
    static const std::set<std::string> ops = {"+", "-", "/", ".*", "./", "(", ")"};
    static const std::set<std::string> compare = {"<", ">", "<=", ">=", "==", "~=", "!="};
    int depth = 0;
    comparisons = 0;
    for (int i = from; i < to; ++i) {
      const tok& x = st[i];
      const bool next_paren = i + 1 < to && st[i + 1].text == "(";
      if (x.kind == TK_STRING) return false;
      if (x.kind == TK_NUMBER || (x.text.size() > 1 && (x.text[0] == '+' || x.text[0] == '-') &&
                                  std::isdigit(static_cast<unsigned char>(x.text[1])))) {
        if (i + 1 < to && st[i + 1].text == "*" && st[i + 1].kind != '*') return false;   // 3i
        continue;
      }
      if (word(x)) {
        if (scalars.count(x.text) && !next_paren) continue;
        if (x.text != name_ || !next_paren) return false;
        // A call of the function itself with as many arguments as it takes.
        int args = 1, d = 0, k = i + 1;
        for (; k < to; ++k) {
          if (st[k].text == "(") ++d;
          if (st[k].text == ")" && --d == 0) break;
          if (st[k].text == "," && d == 1) ++args;
        }
        if (k >= to || static_cast<std::size_t>(args) != inputs_.size()) return false;
        continue;
      }
      if (x.text == "(") ++depth;
      if (x.text == ")") --depth;
      if (x.text == "," && depth > 0) continue;
      if (x.text == "*" && x.kind == '*') continue;
      if (ops.count(x.text)) continue;
      if (compare.count(x.text)) {
        if (depth == 0) ++comparisons;
        continue;
      }
      return false;
    }
    return depth == 0;
  }

  // The scalar form's statements raise no error: if/elseif/while on one comparison,
  // assignments of scalar arithmetic, return.
  bool cannot_raise(const std::set<std::string>& scalars) const {
    for (std::size_t k = 1; k < stmts_.size(); ++k) {
      const stmt_t& st = stmts_[k];
      const int n = expression_end(st);
      int comparisons = 0;
      if (n == 0) continue;
      const std::string& head = st[0].text;
      if (word(st[0]) && (head == "if" || head == "elseif" || head == "while")) {
        if (!raises_nothing(st, 1, n, scalars, comparisons) || comparisons != 1) return false;
        continue;
      }
      if (word(st[0]) && n == 1 &&
          (head == "else" || head == "end" || head == "endif" || head == "endwhile" || head == "return"))
        continue;
      if (word(st[0]) && n > 2 && st[1].text == "=" && scalars.count(head) &&
          raises_nothing(st, 2, n, scalars, comparisons) && comparisons == 0)
        continue;
      return false;
    }
    return true;
  }

  static int top_level(const stmt_t& st, const char* what) {
    int depth = 0;
    for (std::size_t i = 0; i < st.size(); ++i) {
      const tok& x = st[i];
      if (x.kind == TK_STRING) continue;
      if (x.text == "(" || x.text == "[" || x.text == "{") ++depth;
      if (x.text == ")" || x.text == "]" || x.text == "}") --depth;
      if (depth == 0 && x.text == what) return static_cast<int>(i);
    }
    return -1;
  }

  // The end of an expression statement: before a trailing ";" or ",".
  static int expression_end(const stmt_t& st) {
    int e = static_cast<int>(st.size());
    while (e > 0 && (st[e - 1].text == ";" || st[e - 1].text == "," || st[e - 1].text == "\n")) --e;
    return e;
  }

  bool indices_ok(const assign_t& as) {
    classifier c(stmts_[as.stmt], vars_, s_, a_);
    // x(i, j) = v: each subscript must be numbers, not a mask or text.
    int depth = 0, start = as.index_from;
    for (int i = as.index_from; i <= as.index_to; ++i) {
      const tok& x = stmts_[as.stmt][i];
      if (i < as.index_to && (x.text == "(" || x.text == "[" || x.text == "{")) ++depth;
      if (i < as.index_to && (x.text == ")" || x.text == "]" || x.text == "}")) --depth;
      if (i == as.index_to || (depth == 0 && x.text == ",")) {
        const bool all = i == start + 1 && stmts_[as.stmt][start].text == ":";
        if (!all && c.expression(start, i) == U) return false;
        start = i + 1;
      }
    }
    return true;
  }

  // Reads every statement: the assignments, the variables, what is excluded.
  bool collect() {
    for (std::size_t k : shown_) exclude_all(stmts_[k]);
    for (std::size_t k = 0; k < stmts_.size(); ++k) {
      const stmt_t& st = stmts_[k];
      bool handle = false;   // an anonymous function or handle: its words stay general
      for (const tok& x : st) {
        if (word(x) && opaque_word(x.text)) return false;
        if (word(x) && (x.text == "nargin" || x.text == "nargout" || x.text == "varargin" ||
                        x.text == "varargout" || x.text == "nargchk" || x.text == "narginchk" ||
                        x.text == "nargoutchk" || x.text == "persistent" || x.text == "global" ||
                        x.text == "onCleanup"))
          counts_arguments_ = true;
        if (x.text == "@" || x.kind == TK_SHELL) handle = true;
      }
      if (handle) {
        // Its assignments are general too.
        exclude_all(st);
        continue;
      }
      // A field (s.x, one word) may change with its structure: never proven.
      for (const tok& x : st)
        if (word(x) && x.text.find('.') != std::string::npos) {
          excluded_.insert(x.text);
          excluded_.insert(x.text.substr(0, x.text.find('.')));
        }
      const std::string& head = st[0].text;
      const bool head_word = word(st[0]);
      if (head_word && head == "function") {
        if (signature_ && k == 0 && function_line(st)) continue;
        if (output_mode_ && k == 0 && function_line(st)) {
          for (const std::string& v : inputs_) excluded_.insert(v);
          inputs_.clear();
          continue;
        }
        signature_ = false;
        for (const tok& x : st)
          if (word(x)) excluded_.insert(x.text);
        continue;
      }
      if (head_word && head == "for") {
        for_stmts_.push_back(k);
        int v = 1, from = 3;
        if (st.size() > 1 && st[1].text == "(") v = 2, from = 4;
        if (static_cast<int>(st.size()) <= from || !word(st[v]) || st[v + 1].text != "=") {
          exclude_all(st);
          continue;
        }
        int to = expression_end(st);
        if (v == 2 && to > 0 && st[to - 1].text == ")") --to;
        vars_.insert(st[v].text);
        assigns_.push_back({assign_t::loop, st[v].text, k, from, to, 0, 0});
        continue;
      }
      // Declarations keep what the program declares.
      if (head_word && st.size() > 1 && word(st[1]) &&
          (head == "cell" || head == "scalar" || head == "declare" || head == "double" || head == "float"))
        return false;
      if (head_word && (head == "catch" || head == "global" || head == "persistent")) {
        exclude_all(st);
        continue;
      }
      if (head_word && keyword(head)) continue;
      const int eq = top_level(st, "=");
      if (eq < 0) {
        // A statement of one name that no assignment makes may run a script, which
        // shares this function's variables.
        if (head_word && expression_end(st) == 1 && !assigned_anywhere(head)) return false;
        continue;
      }
      if (eq == 1 && head_word) {
        vars_.insert(head);
        assigns_.push_back({assign_t::whole, head, k, 2, expression_end(st), 0, 0});
        continue;
      }
      if (head_word && st.size() > 2 && st[1].text == "(" && st[eq - 1].text == ")" &&
          matching(st, 1) == eq - 1) {
        vars_.insert(head);
        not_scalar_.insert(head);
        assigns_.push_back({assign_t::indexed, head, k, eq + 1, expression_end(st), 2, eq - 1});
        continue;
      }
      // [a, b] = ..., x{...} = ..., x.f = ...: general.
      for (int i = 0; i < eq; ++i)
        if (word(st[i])) {
          vars_.insert(st[i].text);
          excluded_.insert(st[i].text);
        }
    }
    return true;
  }

  // function y = f(a, b): the output and the inputs, all plain names.
  bool function_line(const stmt_t& st) {
    const int n = static_cast<int>(st.size());
    if (n < 6 || !word(st[1]) || st[2].text != "=" || !word(st[3]) || st[4].text != "(") return false;
    int i = 5;
    for (; i < n && st[i].text != ")"; ++i) {
      if (st[i].text == ",") continue;
      if (!word(st[i]) || st[i].text == "varargin") return false;
      inputs_.push_back(st[i].text);
    }
    if (i >= n || (inputs_.empty() && !output_mode_) || st[1].text == "varargout") return false;
    output_ = st[1].text;
    name_ = st[3].text;
    for (const std::string& v : inputs_)
      if (v == output_) return false;
    vars_.insert(output_);
    for (const std::string& v : inputs_) vars_.insert(v);
    return true;
  }

  static int matching(const stmt_t& st, int open) {
    int depth = 0;
    for (std::size_t i = open; i < st.size(); ++i) {
      if (st[i].kind == TK_STRING) continue;
      if (st[i].text == "(" || st[i].text == "[" || st[i].text == "{") ++depth;
      if (st[i].text == ")" || st[i].text == "]" || st[i].text == "}") {
        if (--depth == 0) return static_cast<int>(i);
      }
    }
    return -1;
  }

  bool assigned_anywhere(const std::string& w) const {
    for (const stmt_t& st : stmts_) {
      const int eq = top_level(st, "=");
      for (int i = 0; i < eq; ++i)
        if (st[i].text == w && word(st[i])) return true;
      if (!st.empty() && st[0].text == "for" && st.size() > 2 && (st[1].text == w || st[2].text == w))
        return true;
    }
    return false;
  }

  void exclude_all(const stmt_t& st) {
    for (const tok& x : st)
      if (word(x)) excluded_.insert(x.text);
  }

  // Every read of a scalar comes after an assignment on every path: a definition
  // made inside a block counts only until the block (or branch) ends, and a loop's
  // counter only inside its loop.
  void definite_check() {
    struct frame {
      std::set<std::string> made;   // definitions made in the current branch
      std::string counter;          // a for loop's counter
      bool is_if = false, has_else = false;
      std::vector<std::set<std::string>> branches;   // what each finished branch of an if made
    };
    std::vector<frame> frames;
    std::set<std::string> defined;
    auto define = [&](const std::string& v) {
      if (defined.insert(v).second && !frames.empty()) frames.back().made.insert(v);
    };
    auto forget_branch = [&]() {
      if (frames.empty()) return;
      for (const std::string& v : frames.back().made) defined.erase(v);
      frames.back().made.clear();
    };
    auto reads = [&](const stmt_t& st, int from, int to) {
      for (int i = from; i < to; ++i)
        if (word(st[i]) && s_.count(st[i].text) && !defined.count(st[i].text)) unsafe_read_.insert(st[i].text);
    };
    for (const std::string& v : inputs_) defined.insert(v);
    for (const stmt_t& st : stmts_) {
      const std::string& head = st[0].text;
      const int n = static_cast<int>(st.size());
      if (word(st[0]) && head == "function") continue;
      if (word(st[0]) && head == "return" && signature_ && !defined.count(output_)) output_defined_ = false;
      if (word(st[0]) && (head == "if" || head == "while" || head == "switch" || head == "try")) {
        reads(st, 1, n);
        frames.push_back({});
        frames.back().is_if = head == "if";
        continue;
      }
      if (word(st[0]) && (head == "elseif" || head == "case")) {
        if (!frames.empty()) frames.back().branches.push_back(frames.back().made);
        forget_branch();
        reads(st, 1, n);
        continue;
      }
      if (word(st[0]) && (head == "else" || head == "otherwise" || head == "catch")) {
        if (!frames.empty()) {
          frames.back().branches.push_back(frames.back().made);
          frames.back().has_else = head == "else";
        }
        forget_branch();
        continue;
      }
      if (word(st[0]) && head == "for") {
        const int v = st.size() > 1 && st[1].text == "(" ? 2 : 1;
        reads(st, v + 2, n);
        frames.push_back({});
        if (v < n) {
          frames.back().counter = st[v].text;
          define(st[v].text);
        }
        continue;
      }
      if (word(st[0]) && (head == "end" || head == "endif" || head == "endfor" || head == "endwhile" ||
                          head == "endswitch" || head == "end_try_catch")) {
        if (frames.empty()) continue;   // the function's own end
        frame& f = frames.back();
        f.branches.push_back(f.made);
        // After if ... else ... end: what every branch made.
        std::set<std::string> common;
        if (f.is_if && f.has_else) {
          common = f.branches.front();
          for (const auto& b : f.branches)
            for (auto it = common.begin(); it != common.end();) it = b.count(*it) ? std::next(it) : common.erase(it);
        }
        forget_branch();
        if (!frames.back().counter.empty()) defined.erase(frames.back().counter);
        frames.pop_back();
        for (const std::string& v : common) define(v);
        continue;
      }
      const int eq = top_level(st, "=");
      if (eq == 1 && word(st[0])) {
        reads(st, 2, n);
        define(st[0].text);
        continue;
      }
      reads(st, 0, n);
    }
    if (signature_ && !defined.count(output_)) output_defined_ = false;
  }
};

}  // namespace

inferred_types infer_types(const std::vector<tokens_t>& statements, bool scalar_signature,
                           const std::map<std::string, int>* callees) {
  analysis a(statements, scalar_signature, callees);
  return a.run();
}

std::vector<loop_plan> plain_loop_plans(const std::vector<tokens_t>& statements) {
  analysis a(statements, false, nullptr);
  return a.plain_plans();
}

int output_class(const std::vector<tokens_t>& statements) {
  analysis a(statements, false, nullptr, true);
  return a.output_class();
}

// --- structures known to be 1 x 1 ----------------------------------------------------
namespace {

int depth_change(const tok& x) {
  if (x.kind == TK_STRING) return 0;
  if (x.text == "(" || x.text == "[" || x.text == "{") return 1;
  if (x.text == ")" || x.text == "]" || x.text == "}") return -1;
  return 0;
}

// The "=" of an assignment statement at bracket depth 0, or -1.
int assignment_eq(const stmt_t& st) {
  int depth = 0;
  for (std::size_t i = 0; i < st.size(); ++i) {
    depth += depth_change(st[i]);
    if (depth == 0 && st[i].kind != TK_STRING && st[i].text == "=") return static_cast<int>(i);
  }
  return -1;
}

std::string base_name(const std::string& w) { return w.substr(0, w.find('.')); }

// v = struct() or struct('a', 1, 'b', 'x'): a 1 x 1 structure, as no value of a field
// can be a cell (which would make an array) when every argument is a literal.
bool literal_struct(const stmt_t& st, std::size_t from) {
  if (from + 2 >= st.size() || st[from].text != "struct" || st[from + 1].text != "(") return false;
  int depth = 0;
  std::size_t i = from + 1;
  for (; i < st.size(); ++i) {
    const tok& x = st[i];
    depth += depth_change(x);
    if (depth == 0) break;
    if (x.kind == TK_STRING || x.kind == TK_NUMBER) continue;
    if (x.text == "{" || x.kind == TK_WORD) return false;
  }
  for (++i; i < st.size(); ++i)
    if (st[i].text != ";" && st[i].text != "," && st[i].text != "\n") return false;
  return true;
}

}  // namespace

std::set<std::string> single_structures(const std::vector<tokens_t>& statements) {
  std::set<std::string> fields, others, lone;
  for (const tokens_t& s : statements) {
    stmt_t st;
    for (int i = 0; i < s.top(); ++i)
      if (s.kind(i) != TK_COMMENT && s.gettext(i) != kShownMark) st.push_back({s.gettext(i), s.kind(i)});
    if (st.empty()) continue;
    for (const tok& x : st)
      if (word(x) && opaque_word(x.text)) return {};
    const std::string& head = st[0].text;
    // A statement of one word that is no variable may run a script, which can assign
    // anything.
    if (word(st[0]) && !keyword(head) && st.size() <= 2 && (st.size() == 1 || st[1].text == ";" || st[1].text == ",")) {
      lone.insert(head);
      continue;
    }
    // The names of the function line, global and persistent, and the loop variable:
    // values from elsewhere.
    if (word(st[0]) && (head == "function" || head == "global" || head == "persistent" || head == "for" ||
                        head == "parfor")) {
      for (const tok& x : st)
        if (word(x)) others.insert(base_name(x.text));
      continue;
    }
    const int eq = assignment_eq(st);
    if (eq < 0) continue;
    if (head == "[") {
      for (int i = 1; i < eq; ++i)
        if (word(st[i])) others.insert(base_name(st[i].text));
      continue;
    }
    if (!word(st[0])) continue;
    const std::string v = base_name(head);
    if (head.find('.') != std::string::npos) {
      // v.f = x, v.f(k) = x, v.a.b{2} = x: fields of one structure.
      fields.insert(v);
    } else if (eq == 1 && literal_struct(st, 2)) {
      fields.insert(v);
    } else {
      others.insert(v);
    }
  }
  for (const std::string& w : lone)
    if (!fields.count(w) && !others.count(w)) return {};
  std::set<std::string> single;
  for (const std::string& v : fields)
    if (!others.count(v)) single.insert(v);
  return single;
}
