// Anonymous functions: @(x, y) expr becomes a C++ closure over copies of the values it
// uses, wrapped as a handle with its M text:
//   grl::anon<2>("@(x, y) x + y", [=](M<m_type> x, M<m_type> y) -> M<m_type> { return x+y; })
// The body is translated as an expression statement of its own, in the function's
// symbol table, with the inputs as variables.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "translate/parser.h"

namespace {

bool opens(const std::string& t) { return t == "(" || t == "[" || t == "{"; }
bool closes(const std::string& t) { return t == ")" || t == "]" || t == "}"; }

bool binary_operator(const std::string& t) {
  static const char* const ops[] = {"+", "-", "*", "/", "\\", ".*", "./", ".\\", "^", ".^",
                                    "==", "~=", "!=", "<", "<=", ">", ">=", "&", "|", "&&",
                                    "||", "="};
  for (const char* o : ops)
    if (t == o) return true;
  return false;
}

// A number as the program would write it: "3.0" is 3.
std::string number_text(const std::string& t) {
  if (t.size() > 2 && t.compare(t.size() - 2, 2, ".0") == 0 &&
      t.find_first_of("eE") == std::string::npos)
    return t.substr(0, t.size() - 2);
  return t;
}

// A string literal as the program writes it: in single quotes.
std::string string_text(const std::string& t) {
  std::string out = "'";
  for (char c : c_string_value(t)) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

}  // namespace

// The text octave-cli shows for tokens [from, to) of an anonymous function: binary
// operators between blanks, ", " between arguments, a blank before the parenthesis of
// a call or an index, ! for not.
std::string parser_t::anon_text(int from, int to) {
  std::string out;
  bool operand_before = false;   // the previous token ends an operand
  for (int i = from; i < to; ++i) {
    const std::string& t = stmt.gettext(i);
    const int k = stmt.kind(i);
    if (k == TK_OTHER && t == "\n") continue;
    if (t == "semi") {
      while (!out.empty() && (out.back() == ' ' || out.back() == ',')) out.pop_back();
      out += "; ";
      operand_before = false;
      if (stmt.is_word(i + 1, ",")) ++i;
      continue;
    }
    if (t == "@") {
      out += "@";
      if (stmt.is_word(i + 1, "(")) {
        out += "(";
        for (i += 2; i < to && !stmt.is_word(i, ")"); ++i)
          out += stmt.is_word(i, ",") ? std::string(", ") : stmt.gettext(i);
        out += ") ";
      }
      operand_before = false;
      continue;
    }
    if (t == ",") {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      out += ", ";
      operand_before = false;
      continue;
    }
    if (k == TK_STRING) {
      out += string_text(t);
      operand_before = true;
      continue;
    }
    if (k == TK_NUMBER) {
      out += number_text(t);
      operand_before = true;
      continue;
    }
    if ((t == "(" || t == "{") && operand_before) {
      out += " " + t;
      operand_before = false;
      continue;
    }
    if (t == "'" || t == ".'") {
      out += t;
      operand_before = true;
      continue;
    }
    if (t == ":") {
      out += ":";
      operand_before = false;
      continue;
    }
    if ((t == "~" || t == "!") && !operand_before) {
      out += "!";
      continue;
    }
    if ((t == "-" || t == "+") && !operand_before) {
      out += t;
      continue;
    }
    if (binary_operator(t) && operand_before) {
      out += " " + std::string(t == "~=" ? "!=" : t) + " ";
      operand_before = false;
      continue;
    }
    out += t;
    operand_before = !opens(t);
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The token after the body of an anonymous function whose body begins at `from`: the
// first ",", closing bracket or statement end outside the body's own brackets.
int parser_t::anon_body_end(int from) {
  int depth = 0;
  int i = from;
  for (; i < stmt.top(); ++i) {
    const std::string& t = stmt.gettext(i);
    if (stmt.kind(i) == TK_STRING) continue;
    if (opens(t)) {
      ++depth;
    } else if (closes(t)) {
      if (depth == 0) break;
      --depth;
    } else if (depth == 0 && (t == "," || t == "\n" || t == ";")) {
      break;
    }
  }
  return i;
}

// Replaces the anonymous function whose "@" is token at by one token that spells its
// C++; returns false when it is malformed.
bool parser_t::anonymous_function(int at, bool own_scope) {
  if (!stmt.is_word(at + 1, "(")) return false;
  std::vector<std::string> inputs;
  int i = at + 2;
  while (i < stmt.top() && !stmt.is_word(i, ")")) {
    if (stmt.kind(i) != TK_WORD) return false;
    inputs.push_back(stmt.gettext(i));
    ++i;
    if (stmt.is_word(i, ",")) ++i;
  }
  if (!stmt.is_word(i, ")")) return false;
  // Inside brackets the blank after the inputs reads as an element separator:
  // {@(x) x+1} is one element.
  if (stmt.is_word(i + 1, ",")) stmt.del(i + 1);
  const int body = i + 1;
  int end = anon_body_end(body);
  if (end == body) return false;
  const std::string text = anon_text(at, end);
  if (own_scope) end = names_as_functions(body, end, inputs);

  // @(a, varargin) takes any number of inputs; varargin is the cell of the others.
  // (A handle made inside a nest keeps the fixed count.)
  const bool rest = !inputs.empty() && inputs.back() == "varargin" && !nest_self;
  // The body, translated as a statement of its own.
  for (const std::string& in : inputs) add_variable(in, rest && in == "varargin" ? default_type | DT_CELL : default_type);
  std::string code = anon_code(body, end, false);
  // A body that is a cell literal, @(x) {x}, gives the cell as its one value.
  if (stmt.is_word(body, "{") && matching_brace(body) == end - 1 && code.rfind("(CL(", 0) == 0)
    code = "(" + code + ").value()";
  // Made inside a nest, it runs within the frame it was made in.
  const char* maker = nest_self ? "grl::nest_anon<" : rest ? "grl::anon_rest<" : "grl::anon<";
  std::string lambda = std::string(maker) + std::to_string(inputs.size() - (rest ? 1 : 0)) + ">(" +
                       c_string_literal(text) + ", [=](";
  std::string params;
  for (std::size_t k = 0; k < inputs.size(); ++k)
    params += (k ? ", " : "") + std::string(rest && k + 1 == inputs.size() ? "M<M<m_type>> " : "M<m_type> ") +
              inputs[k] + (symbols ? symbols->decoration(inputs[k], 1) : "");   // e is e_, as in the body
  lambda += params + ") -> M<m_type> { return (" + code + "); }";

  // A body that is one call of a function of several outputs also gives the callee
  // and its inputs, so that [a, b] = h(x) gets them all.
  if (!rest && stmt.kind(body) == TK_WORD && stmt.is_word(body + 1, "(") && call_end(body + 1) == end - 1 &&
      symbols) {
    const std::string callee = stmt.gettext(body);
    const int f = symbols->find(callee, SYM_FUNCTIONS | SYM_RESERVED_FUNCTION);
    bool input = false;
    for (const std::string& in : inputs) input = input || in == callee;
    if (!input && f >= 0 && symbols->find(callee, SYM_VARIABLES) < 0 &&
        symbols->info_of(f)[INFO_TYPE] == datatypes().function_index() &&
        (symbols->info_of(f)[INFO_NOUT] >= 2 || symbols->info_of(f)[INFO_NOUT] < 0)) {
      const std::string args = anon_code(body + 2, end - 1, true);
      handle_targets.push_back(callee);
      lambda += ", " + handle_text(c_string_literal(callee)) + ", [=](" + params +
                ") -> M<M<m_type>> { return M<M<m_type>>(" + args + "); }";
    }
  }
  lambda += ")";
  stmt.del(at, end - at);
  stmt.ins(at, std::string(1, kAnonMark) + lambda, TK_STRING);
  return true;
}

// In the body [from, to) of an anonymous function made from text, a name that is not
// one of its inputs is a function called when the body runs, even where the maker has
// a variable of that name: it becomes feval("name"). Returns the body's new end.
int parser_t::names_as_functions(int from, int to, const std::vector<std::string>& inputs) {
  if (!symbols) return to;
  for (int j = from; j < to; ++j) {
    if (stmt.kind(j) != TK_WORD) continue;
    const std::string w = stmt.gettext(j);
    bool input = false;
    for (const std::string& in : inputs) input = input || in == w;
    if (input || symbols->find(w, SYM_VARIABLES) < 0) continue;
    stmt.set(j, "feval", TK_WORD);
    stmt.ins(j + 1, "(", '(');
    stmt.ins(j + 2, "\"" + w + "\"", TK_STRING);
    stmt.ins(j + 3, ")", ')');
    to += 3;
    j += 3;
  }
  return to;
}

// The C++ of tokens [from, to) of the statement, translated as an expression of its
// own; as a list (the inputs of a call), the elements of a cell literal {...}.
std::string parser_t::anon_code(int from, int to, bool list) {
  tokens_t outer;
  outer = stmt;
  tokens_t inner;
  inner.clear();
  if (list) inner.append("{", TK_OTHER);
  for (int j = from; j < to; ++j) inner.append(stmt.gettext(j), stmt.kind(j));
  if (list) inner.append("}", TK_OTHER);
  inner.append("\n", TK_OTHER);
  stmt = std::move(inner);
  std::vector<std::string> outer_targets = std::move(handle_targets);
  const int saved_display = display, saved_semicolon = needs_semicolon;
  translate_expression();
  std::string code;
  for (int j = 0; j < stmt.top(); ++j) {
    const std::string piece = spell_token(j);
    if (!code.empty() && !piece.empty() && (piece[0] == '-' || piece[0] == '+') &&
        code.back() == piece[0])
      code += ' ';
    code += piece;
  }
  display = saved_display;
  needs_semicolon = saved_semicolon;
  outer_targets.insert(outer_targets.end(), handle_targets.begin(), handle_targets.end());
  handle_targets = std::move(outer_targets);
  stmt = std::move(outer);
  return code;
}

// The steps of a statement's translation that an expression takes.
void parser_t::translate_expression() {
  function_handles();
  exact_int_literals();
  apply_replacements();
  rewrite_end();
  rewrite_colon();
  rewrite_operators();
  rewrite_brackets();
  regexp_pass();
  if (!scan_only) {
    identifier_pass();
    arity_pass();
    varargin_pass();
    field_pass();
    value_call_pass();
    any_class_calls();
  }
}
