// Calls with more inputs or outputs than the callee takes. The C++ of such a call
// would not compile, yet MATLAB only fails when the call is reached: the call is
// replaced by one that ends the program with the interpreter's message there.
#include "lexer/brackets.h"
#include "project/reserved.h"
#include "translate/local_functions.h"
#include "translate/parser.h"

std::string m_name(const symbol_type& table, const std::string& word) {
  const int r = table.find(word, SYM_REPLACEMENT);
  if (r > 0 && (table.type_of(r - 1) & SYM_REPLACE)) return table.text_of(r - 1);
  return word;
}

namespace {

std::string quoted(const std::string& text) {
  std::string q = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

}  // namespace

// The token after the bracket that opens at open closes: the end of the call.
int parser_t::call_end(int open) {
  const int close = call_end_or_none(open);
  if (close < 0) fail("could not find )");
  return close;
}

// The same, or -1 where the brackets do not close by the statement's end (as counted by
// the first character of each token, which text written by earlier steps such as
// cs_t<m_type>{c,2,3} can mislead).
int parser_t::call_end_or_none(int open) {
  brackets_t tracker;
  for (int i = open; i < stmt.top(); ++i) {
    const std::string& t = stmt.gettext(i);
    tracker.feed(t.empty() ? '\0' : t[0]);
    if (tracker.depth() == 0) return i;
  }
  return -1;
}

void parser_t::arity_pass() {
  if (!symbols) return;
  const int function = datatypes().function_index();
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    const std::string word = stmt.gettext(i);
    if (symbols->find(word, SYM_VARIABLES) >= 0) continue;   // an index, not a call
    const bool library = symbols->find(word, SYM_FUNCTIONS) < 0;
    const int f = symbols->find(word, library ? SYM_RESERVED_FUNCTION : SYM_FUNCTIONS);
    if (f < 0) continue;
    const symbol_info& info = symbols->info_of(f);
    // A negative input count is a library function that takes any number of inputs.
    if (info[INFO_TYPE] != function) continue;
    const bool any_number = info[INFO_NIN] < 0 || info[INFO_VARARGIN];
    const int least = library ? reserved_least_inputs(m_name(*symbols, word)) : 0;
    if (any_number && least == 0) continue;

    int close = call_end_or_none(i + 1);
    if (close < 0) continue;
    std::vector<int> bounds;
    int inputs = scan_arguments(i + 1, bounds);
    if (library && word == "size" && inputs >= 6 && stmt.is_word(bounds[inputs], ",") &&
        stmt.is_word(bounds[inputs] + 1, "i_o")) {
      // [a, b, ...] = size(x, d1, d2, d3, d4, d5, ...): the dimensions as one vector,
      // size(x, [d1 d2 ...]), which gives the same outputs.
      stmt.ins(bounds[inputs], ")", ')');
      stmt.ins(bounds[2] - 1, ")", ')');
      stmt.ins(bounds[1], "(", '(');
      stmt.ins(bounds[1], "BR", TK_WORD);
      stmt.ins(bounds[1], "(", '(');
      inputs = scan_arguments(i + 1, bounds);
      close = call_end(i + 1);
    }
    // The outputs follow the marker i_o, one per comma at the call's own level.
    int outputs = 0;
    bool after_marker = false;
    brackets_t tracker;
    for (int j = i + 1; j < close; ++j) {
      const std::string& t = stmt.gettext(j);
      tracker.feed(t.empty() ? '\0' : t[0]);
      if (tracker.depth() != 1) continue;
      if (t == "i_o") after_marker = true;
      else if (after_marker && t == ",") ++outputs;
    }

    // A local function is named as written in its file, not by its qualified name.
    const std::string name =
        library ? m_name(*symbols, word) : file_base.empty() ? word : shown_local_name(file_base, word);
    // An M function without outputs whose value is assigned is asked for one output.
    if (!library && outputs == 0 && i > 0 && stmt.is_word(i - 1, "=")) outputs = 1;
    // (A list c{:} among the inputs gives as many as c holds; so do _e..., the
    // inputs a list call hands on, and a field, s.f of a structure array.)
    bool spread = false;
    for (int j = i + 2; j < close; ++j)
      spread = spread || stmt.is_word(j, "CS") || stmt.is_word(j, "{") || stmt.is_word(j, "_e...") ||
               (stmt.kind(j) == TK_WORD && stmt.gettext(j).find_first_of(std::string(".") + kFieldMark) != std::string::npos);
    std::string message;
    if (!spread && inputs < least)
      message = "Invalid call to " + name;
    else if (any_number)
      continue;
    else if (inputs > info[INFO_NIN])
      message = library ? "Invalid call to " + name : name + ": function called with too many inputs";
    else if (outputs > info[INFO_NOUT] && !info[INFO_VARARGOUT])
      message = name + ": function called with too many outputs";
    if (message.empty()) continue;
    stmt.del(i, close - i + 1);
    stmt.ins(i, "grl::bad_call(" + quoted(message) + ")", TK_OTHER);
  }
}
