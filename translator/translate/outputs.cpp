// Output lists of M function calls that name places other than variables: the
// elements of a cell as a comma list ([c{:}] = f(x), [a, c{2:3}] = f(x)), whose
// count is known only when the program runs, and single cell elements ([a, c{2}] =
// f(x)). The call becomes
//   grl::out_call<N>("f", GRL_OUTS(f(x), f(x, i_o, _o...)), a, CS(c), ...)
// which calls f once with as many outputs as the places take and then stores them
// (gridlib_outs.h).
#include "lexer/brackets.h"
#include "translate/parser.h"

// The i_o marker among the arguments of the call whose name is at owner, or -1.
int parser_t::output_marker(int owner) {
  if (owner < 0 || !stmt.is_word(owner + 1, "(")) return -1;
  const int close = call_end(owner + 1);
  brackets_t tracker;
  for (int j = owner + 1; j < close; ++j) {
    const std::string& t = stmt.gettext(j);
    tracker.feed(t.empty() ? '\0' : t[0]);
    if (tracker.depth() == 1 && t == "i_o") return j;
  }
  return -1;
}

// Whether owner names an M function of the program (not a variable nor the library).
bool parser_t::m_function_call(int owner) {
  if (owner < 0 || stmt.kind(owner) != TK_WORD) return false;
  const std::string& f = stmt.gettext(owner);
  return symbols->find(f, SYM_VARIABLES) < 0 && symbols->find(f, SYM_FUNCTIONS) >= 0;
}

// Rewrites the call at owner, whose outputs follow the marker, into grl::out_call;
// the cell lists among its outputs become CS(...). Returns the position of the
// rewritten call's closing bracket.
int parser_t::wrap_outputs(int owner, int marker) {
  const std::string f = stmt.gettext(owner);
  const int e = symbols->find(f, SYM_FUNCTIONS);
  int most = e >= 0 ? symbols->info_of(e)[INFO_NOUT] : 0;
  // A function whose last output is varargout has entry points for this many more.
  if (e >= 0 && symbols->info_of(e)[INFO_VARARGOUT]) most += kMaxVarargout - 1;
  // The cell lists among the outputs, each into CS(c) or CS(c, a, b).
  int close = call_end(owner + 1);
  for (int j = marker + 1; j < close; ++j) {
    if (stmt.kind(j) != TK_WORD) continue;
    const int v = symbols->find(stmt.gettext(j), SYM_VARIABLES);
    if (v < 0 || !(symbols->info_of(v)[INFO_TYPE] & DT_CELL)) continue;
    const list_span span = list_at(j);
    const int tokens = span.tokens;
    if (tokens == 0 || span.part) continue;
    const std::string c = stmt.gettext(j);
    stmt.del(j, tokens);
    const int after = put_list(j, c, span, true);
    close += (after - j) - tokens;
    j = after - 1;
  }
  // The inputs, as text, for the two forms of the call.
  std::vector<std::pair<std::string, int>> inputs;
  for (int j = owner + 2; j < marker; ++j) inputs.emplace_back(stmt.gettext(j), stmt.kind(j));
  if (!inputs.empty() && inputs.back().first == ",") inputs.pop_back();
  // The places: the tokens after the marker's comma up to the closing bracket.
  const int first_place = stmt.is_word(marker + 1, ",") ? marker + 2 : marker + 1;
  std::vector<std::pair<std::string, int>> places;
  for (int j = first_place; j < close; ++j) places.emplace_back(stmt.gettext(j), stmt.kind(j));

  stmt.del(owner, close - owner + 1);
  int at = owner;
  auto put = [&](const std::string& text, int kind) { stmt.ins(at++, text, kind); };
  put("grl::out_call<" + std::to_string(most) + ">", TK_OTHER);
  put("(", '(');
  put(c_string_literal(f), TK_OTHER);
  put(",", ',');
  put("GRL_OUTS", TK_OTHER);
  put("(", '(');
  put(f, TK_WORD);
  put("(", '(');
  for (const auto& t : inputs) put(t.first, t.second);
  put(")", ')');
  put(",", ',');
  put(f, TK_WORD);
  put("(", '(');
  for (const auto& t : inputs) put(t.first, t.second);
  if (!inputs.empty()) put(",", ',');
  put("i_o", TK_WORD);
  put(",", ',');
  put("_o...", TK_OTHER);
  put(")", ')');
  put(")", ')');
  if (!places.empty()) put(",", ',');
  for (const auto& t : places) put(t.first, t.second);
  put(")", ')');
  return at - 1;
}

// Calls of M functions whose outputs name a cell element (c{2}), an indexed element
// (x(3)) or a field (s.f, one place for each element of s): those places are no output references, so the call stores into them after
// it has run.
void parser_t::output_places_pass() {
  if (!symbols) return;
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (!m_function_call(i) || !stmt.is_word(i + 1, "(")) continue;
    const int marker = output_marker(i);
    if (marker < 0) continue;
    const int close = call_end(i + 1);
    bool element = false;
    brackets_t tracker;
    for (int j = i + 1; j < close && !element; ++j) {
      const std::string& t = stmt.gettext(j);
      tracker.feed(t.empty() ? '\0' : t[0]);
      if (j <= marker || tracker.depth() != 1 || stmt.kind(j) != TK_WORD) continue;
      // A field (s.f) names one place for each element of s.
      const std::size_t dot = t.find('.');
      element = (dot != std::string::npos && dot > 0) || (j + 1 < close && stmt.gettext(j + 1) == ".br") ||
                (stmt.is_word(j + 1, "(") && symbols->find(t, SYM_VARIABLES) >= 0);
    }
    if (element) i = wrap_outputs(i, marker);
  }
}

// [w{1:2}] = f(...) where w is no variable yet: w becomes a cell that the outputs
// fill, as M makes it.
void parser_t::cell_output_targets() {
  if (!symbols || !stmt.is_word(TP_HEAD, "[")) return;
  int depth = 0, close = -1;
  for (int i = TP_HEAD; i < stmt.top() && close < 0; ++i) {
    const std::string& t = stmt.gettext(i);
    if (stmt.kind(i) == TK_STRING) continue;
    if (t == "[" || t == "(" || t == "{") ++depth;
    else if ((t == "]" || t == ")" || t == "}") && --depth == 0) close = i;
  }
  if (close < 0 || !stmt.is_word(close + 1, "=")) return;
  for (int i = TP_AFTER_HEAD; i + 1 < close; ++i)
    if (stmt.kind(i) == TK_WORD && stmt.is_word(i + 1, "{") && symbols->find(stmt.gettext(i), SYM_VARIABLES) < 0)
      mark_cell(stmt.gettext(i));
}

// v = f(x) of an M function of the program into a variable of plain values: f's
// output may be a cell (c = varargin, c = {…}) that the caller cannot know of, so the
// result is taken as a value, which holds a cell when it is one (assigned as it
// stands, a cell gave its first element, as an output varargout does).
void parser_t::held_cell_results() {
  if (!symbols || !stmt.is_kind(TP_HEAD, TK_WORD) || !stmt.is_word(TP_AFTER_HEAD, "=")) return;
  const int call = TP_AFTER_HEAD + 1;
  if (stmt.kind(call) != TK_WORD || !stmt.is_word(call + 1, "(")) return;
  const int v = symbols->find(stmt.gettext(TP_HEAD), SYM_VARIABLES);
  if (v < 0 || symbols->info_of(v)[INFO_TYPE] != default_type) return;
  const std::string f = stmt.gettext(call);
  if (symbols->find(f, SYM_VARIABLES) >= 0) return;
  const int e = symbols->find(f, SYM_FUNCTIONS);
  if (e < 0) return;
  const symbol_info& info = symbols->info_of(e);
  if (info[INFO_TYPE] != datatypes().function_index() || info[INFO_VARARGOUT] || info[INFO_NOUT] < 1) return;
  const bool local = !file_base.empty() && f.compare(0, file_base.size() + 2, file_base + "__") == 0;
  if (!local && !(host && host->has_mfile(f))) return;
  const int close = call_end(call + 1);
  if (close < 0) return;
  for (int j = close + 1; j < stmt.top(); ++j)
    if (stmt.kind(j) != TK_OTHER && stmt.kind(j) != TK_COMMENT) return;
  stmt.ins(close + 1, ")", ')');
  stmt.ins(call, "(", '(');
  stmt.ins(call, datatypes().value_type(default_type & ~(DT_SCALAR | DT_CELL)), TK_OTHER);
}

// struct('f', cellfun(..., 'UniformOutput', false)): a result that is an array or a
// cell (cellfun, arrayfun, regexp) goes to struct as the value it is, a cell when it
// is one, so that struct makes an element for each of its elements.
void parser_t::struct_cell_arguments() {
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (!stmt.is_word(i, "struct_M") || !stmt.is_word(i + 1, "(")) continue;
    int close = call_end(i + 1);
    for (int j = i + 2; j < close; ++j) {
      const std::string& t = stmt.gettext(j);
      const bool maker = t == "cellfun" || t == "cellfun_any" || t == "arrayfun" || t == "grl::regexp_cell" ||
                         t == "grl::regexpi_cell" || t == "grl::regexprep_cell";
      if (!maker || !stmt.is_word(j + 1, "(") || !(stmt.is_word(j - 1, ",") || stmt.is_word(j - 1, "("))) continue;
      const int end = call_end(j + 1);
      if (end < 0 || !(stmt.is_word(end + 1, ",") || stmt.is_word(end + 1, ")"))) continue;
      stmt.ins(end + 1, ")", ')');
      stmt.ins(j, "grl::any_value(", TK_OTHER);
      j = end + 2;
      close += 2;
    }
  }
}
