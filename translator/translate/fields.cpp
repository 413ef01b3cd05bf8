// Module FIELDS: the fields of structures, written as calls of the run-time library.
//
// A structure is a value like any other (an M value holding the structure), so a field
// is reached through the library when the program runs:
//   s.a.b            grl::field(grl::field(s,"a"),"b")
//   s.(n)            grl::field(s,n)
//   s(k).a           grl::elem_field(s,k,"a")   (s a variable; else grl::field(s(k),"a"))
// and, as the target of an assignment (the left side, or an output of a call), through
// the forms that make the structure, the field or the element when they are missing:
//   s.a.b = v        grl::field_ref(grl::field_ref(s,"a"),"b") = v
//   s(k).a = v       grl::elem_field_ref(s,k,"a") = v
// A literal name in these four forms is written GRL_FIELD("a"): a key of its own for the
// place, which remembers where the field was found, so that the next access to a
// structure with the same field names takes it without comparing names.
// The pass runs last, on the statement's final tokens, so that every earlier rewrite
// (end, operators, literals) sees s.a as one operand.
#include <cctype>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "translate/by_name.h"
#include "translate/local_functions.h"
#include "translate/parser.h"

namespace {

struct tok {
  std::string text;
  int kind;
};
using toks = std::vector<tok>;

tok raw(const std::string& text) { return tok{text, TK_OTHER}; }

std::vector<std::string> split_dots(const std::string& s) {
  std::vector<std::string> parts(1);
  for (char c : s) {
    if (c == '.') parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

bool is_name(const std::string& s) {
  if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])))) return false;
  for (char c : s)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

class field_writer {
 public:
  // cell_var tells whether a variable is declared as a cell (its C++ type is one);
  // inputs_of gives the inputs a function takes, -1 for a name that is no function
  // of a fixed count, whether it is an M function and its name in M.
  // single tells whether a variable is known to hold a 1 x 1 structure.
  field_writer(toks in, std::function<bool(const std::string&)> cell_var,
               std::function<int(const std::string&, bool&, std::string&)> inputs_of,
               std::function<bool(const std::string&)> var, std::function<bool(const std::string&)> single)
      : in_(std::move(in)), cell_var_(std::move(cell_var)), inputs_of_(std::move(inputs_of)), var_(std::move(var)),
        single_(std::move(single)) {
    int depth = 0;
    for (std::size_t i = 0; i < in_.size(); ++i) {
      const std::string& t = in_[i].text;
      if (t == "i_o" && in_[i].kind == TK_WORD && outputs_from_ < 0) outputs_from_ = int(i);
      if (t == "(" || t == "[" || t == "{") ++depth;
      if (t == ")" || t == "]" || t == "}") --depth;
      if (t == "=" && depth == 0 && eq_ < 0) eq_ = int(i);
      if (t == "GRL_OUTS" && places_from_ < 0 && is(int(i) + 1, "(")) places_from_ = closing(int(i) + 1) + 1;
    }
  }

  toks run() { return emit(0, int(in_.size())); }

 private:
  toks in_;
  std::function<bool(const std::string&)> cell_var_;
  std::function<int(const std::string&, bool&, std::string&)> inputs_of_;
  std::function<bool(const std::string&)> var_;
  std::function<bool(const std::string&)> single_;
  int eq_ = -1;            // the "=" of an assignment
  int outputs_from_ = -1;  // the i_o before the outputs of a call
  int places_from_ = -1;   // the places of grl::out_call, after its GRL_OUTS(...)

  bool word(int i) const { return i < int(in_.size()) && in_[i].kind == TK_WORD; }
  bool is(int i, const char* t) const { return i < int(in_.size()) && in_[i].text == t; }
  // The call of a name that nothing defines (f(2).k): it fails before any field is read.
  bool undefined_call(int i) const {
    return i < int(in_.size()) && in_[i].kind == TK_OTHER && in_[i].text.rfind("grl::undefined_call{", 0) == 0;
  }
  bool mark(int i) const { return word(i) && !in_[i].text.empty() && in_[i].text[0] == kFieldMark; }

  // The ")" that closes the "(" at open (in_.size() when there is none).
  int closing(int open) const {
    int depth = 0;
    for (int i = open; i < int(in_.size()); ++i) {
      if (is(i, "(")) ++depth;
      if (is(i, ")") && --depth == 0) return i;
    }
    return int(in_.size());
  }

  bool target(int i) const { return (i == 0 && eq_ > 0) || (outputs_from_ >= 0 && i > outputs_from_); }

  // A chain begins at a word with fields (s.a) or at an indexed word whose index is
  // followed by a field (s(k).a, c{k}.a).
  bool chain_start(int i) const {
    if (undefined_call(i)) return is(i + 1, "(") && mark(closing(i + 1) + 1);
    if (!word(i)) return false;
    const std::string& t = in_[i].text;
    if (t[0] == '.' || t[0] == kFieldMark) return false;
    const std::size_t dot = t.find('.');
    if (dot != std::string::npos) return dot > 0 && is_name(t.substr(0, dot));
    int j = i + 1;
    const bool brace = is(j, ".br");
    if (brace) ++j;
    if (!is(j, "(")) return false;
    const int close = closing(j);
    // c{k}(j).a: an element of the structure array a cell holds.
    if (brace && is(close + 1, "(")) return mark(closing(close + 1) + 1);
    // f(x)(k).a: an element of the structure array a call gives.
    return mark(close + 1) || (!brace && marked_after(close + 1));
  }

  // Whether the brackets from the "(" at open on, one group after another with
  // nothing between, end at a field mark (f(x)(k).a read on from f(x)).
  bool marked_after(int open) const {
    while (is(open, "(")) open = closing(open) + 1;
    return mark(open);
  }

  // The name of the first field after a field mark: the literal of mp[0], or for
  // .(expr) the expression at next, which moves past it.
  toks first_field_name(const std::vector<std::string>& mp, int& next) {
    if (!mp[0].empty() || !is(next, "(")) return literal(mp[0]);
    const int c2 = closing(next);
    const toks name = emit(next + 1, c2);
    next = c2 + 1;
    return name;
  }

  // c{k}(e).a after the word c (cur) at the ".br" at j: the field of element e of the
  // structure array in c{k}, read, or made as a target. Returns the token after the
  // name.
  int cell_element_field(int j, toks& cur, bool write) {
    const int close = closing(j + 1), open2 = close + 1, close2 = closing(open2);
    const toks args = emit(j + 2, close), elem = emit(open2 + 1, close2);
    const std::string m = in_[close2 + 1].text.substr(1);
    int next = close2 + 2;
    const std::vector<std::string> mp = split_dots(m);
    const toks name = first_field_name(mp, next);
    toks cell = cur;
    if (write && !(cur.size() == 1 && cell_var_(cur[0].text))) {
      cell.insert(cell.begin(), raw("grl::cell_in("));
      cell.push_back(raw(")"));
    }
    cell.push_back(in_[j]);
    cell.push_back(tok{"(", '('});
    cell.insert(cell.end(), args.begin(), args.end());
    cell.push_back(tok{")", ')'});
    last_ = step{cell, elem, name, true, false};
    if (write) {
      toks e{raw("grl::elem_field_ref(")};
      e.insert(e.end(), cell.begin(), cell.end());
      e.push_back(raw(".ref(),"));
      e.insert(e.end(), elem.begin(), elem.end());
      e.push_back(raw(","));
      if (one_subscript(elem)) append_key(e, name);
      else e.insert(e.end(), name.begin(), name.end());
      e.push_back(raw(")"));
      cur = e;
    } else {
      toks value{raw("M<m_type>(")};
      value.insert(value.end(), cell.begin(), cell.end());
      value.push_back(tok{"(", '('});
      value.insert(value.end(), elem.begin(), elem.end());
      value.push_back(raw("))"));
      cur = wrap(value, name, false);
    }
    if (mp.size() > 1) fields_of(m, 1, cur, next, write);
    return next;
  }

  // The last step of the chain just read: the value whose field it names, the index of
  // an element (s(k).f; none for s.f) and the field's name.
  struct step {
    toks base, index, name;
    bool elem = false;
    bool brace = false;   // c{k}.f: the index is a cell's
  } last_;

  static toks wrap(const toks& cur, const toks& name, bool write) {
    toks out{raw(write ? "grl::field_ref(" : "grl::field(")};
    out.insert(out.end(), cur.begin(), cur.end());
    out.push_back(raw(","));
    append_key(out, name);
    out.push_back(raw(")"));
    return out;
  }
  // A field's name as an argument: a literal as the key of this place.
  static bool is_literal(const toks& name) {
    return name.size() == 1 && name[0].text.size() > 2 && name[0].text[0] == '"';
  }
  static void append_key(toks& out, const toks& name) {
    if (is_literal(name)) {
      out.push_back(raw("GRL_FIELD(" + name[0].text + ")"));
      return;
    }
    out.insert(out.end(), name.begin(), name.end());
  }
  // Whether an index is one subscript (no comma outside brackets).
  static bool one_subscript(const toks& args) {
    if (args.empty()) return false;
    int depth = 0;
    for (const tok& t : args) {
      for (char c : t.text) {
        if (c == '(' || c == '[' || c == '{') ++depth;
        if (c == ')' || c == ']' || c == '}') --depth;
      }
      if (t.text == "," && depth == 0) return false;
    }
    return true;
  }
  static toks literal(const std::string& name) { return toks{raw("\"" + name + "\"")}; }

  // The fields of a dotted word from its second part; a word ending in "." takes the
  // parenthesised name after it (at i), and i moves past what was read.
  void fields_of(const std::string& w, std::size_t from, toks& cur, int& i, bool write) {
    const std::vector<std::string> parts = split_dots(w);
    for (std::size_t p = from; p < parts.size(); ++p) {
      toks name;
      if (!parts[p].empty()) {
        name = literal(parts[p]);
      } else {
        if (p + 1 != parts.size() || !is(i, "(")) continue;
        const int close = closing(i);
        name = emit(i + 1, close);
        i = close + 1;
      }
      last_ = step{cur, {}, name, false};
      cur = wrap(cur, name, write);
    }
  }

  // [s.f] = deal(a, ...) and [s(k).f] = deal(...): one value for each element.
  toks deal_call(const toks& args) const {
    toks out{raw("grl::deal_fields(")};
    out.insert(out.end(), last_.base.begin(), last_.base.end());
    out.push_back(raw(","));
    if (last_.elem) {
      out.insert(out.end(), last_.index.begin(), last_.index.end());
      out.push_back(raw(","));
    }
    out.insert(out.end(), last_.name.begin(), last_.name.end());
    out.push_back(raw(",grl::arg_list<m_type>("));
    out.insert(out.end(), args.begin(), args.end());
    out.push_back(raw("))"));
    return out;
  }

  // A call deal(args, i_o, out) at i whose one output is a field: its end, or -1.
  int deal_outputs(int i, toks& out) {
    if (!word(i) || in_[i].text != "deal" || !is(i + 1, "(")) return -1;
    const int close = closing(i + 1);
    int io = -1;
    for (int j = i + 2; j < close; ++j)
      if (word(j) && in_[j].text == "i_o") io = j;
    if (io < 0 || !is(io + 1, ",") || !chain_start(io + 2)) return -1;
    const toks args = emit(i + 2, is(io - 1, ",") ? io - 1 : io);
    toks target;
    if (chain(io + 2, target) != close) return -1;
    const toks call = deal_call(args);
    out.insert(out.end(), call.begin(), call.end());
    return close + 1;
  }

  // Whether tokens from..to-1 are one item of a matrix or cell literal ((BR(a),b) or
  // (CL(a),b)): a field there is a comma list, every element's value in turn.
  bool list_item(int from, int to) const {
    const bool ends = is(to, ",") || is(to, ")") || (to < int(in_.size()) && in_[to].kind == TK_SEMI);
    if (!ends || from < 2) return false;
    if (is(from - 1, "(") && word(from - 2) && (in_[from - 2].text == "BR" || in_[from - 2].text == "CL"))
      return is(to, ")");
    // An argument of a library function that takes any number of values in turn.
    if (is(from - 1, "(") && takes_lists(from - 2)) return true;
    // (A row break in a literal is ", semi, \n": the item after it follows a "\n".)
    int before = from - 1;
    while (before > 0 && is(before, "\n")) --before;
    if (!is(before, ",")) return false;
    int depth = 0;
    for (int j = before; j >= 0; --j) {
      if (is(j, ")")) ++depth;
      if (is(j, "(") && depth-- == 0)
        return (word(j + 1) && (in_[j + 1].text == "BR" || in_[j + 1].text == "CL")) || takes_lists(j - 1);
    }
    return false;
  }

  bool takes_lists(int j) const {
    static const char* const names[] = {"fprintf", "sprintf", "horzcat", "vertcat", "cat", "struct_M", "strcat",
                                        "fullfile", "printf", "isequal", "isequaln", "zeros", "ones", "cell",
                                        "rand", "randn", "true_M", "false_M", "NaN", "Inf"};
    if (!word(j)) return false;
    // The library spells some functions with a suffix (strcat_M).
    std::string f = in_[j].text;
    if (f.size() > 2 && f.compare(f.size() - 2, 2, "_M") == 0 && f != "struct_M") f.resize(f.size() - 2);
    for (const char* n : names)
      if (f == n) return true;
    return false;
  }

  // The value whose field the last step names, indexed as written (s, s(k), c{k}).
  toks list_base() const {
    toks base = last_.base;
    if (last_.brace) base.push_back(raw(".br"));
    if (last_.elem || last_.brace) {
      base.push_back(tok{"(", '('});
      base.insert(base.end(), last_.index.begin(), last_.index.end());
      base.push_back(tok{")", ')'});
    }
    return base;
  }

  toks list_of(const toks& base) const {
    toks out{raw("CS(grl::field_list(")};
    out.insert(out.end(), base.begin(), base.end());
    out.push_back(raw(","));
    out.insert(out.end(), last_.name.begin(), last_.name.end());
    out.push_back(raw("))"));
    return out;
  }

  int chain(int i, toks& out) {
    const int start = i;
    const bool write = target(i);
    const std::string& w = in_[i].text;
    const std::vector<std::string> parts = split_dots(w);
    toks cur{tok{parts[0], in_[i].kind}};
    ++i;
    if (!write && parts.size() == 2 && is(i, "(") && map_method(parts[1]) && var_(parts[0]) &&
        !cell_var_(parts[0]))
      return method_call(parts[0], parts[1], i, out);
    if (parts.size() > 1) fields_of(w, 1, cur, i, write);
    for (;;) {
      // s.(name).f: a field right after a dynamic name.
      if (mark(i) && i > start && is(i - 1, ")")) {
        const std::string m = in_[i].text.substr(1);
        int next = i + 1;
        const std::vector<std::string> mp = split_dots(m);
        const toks name = first_field_name(mp, next);
        last_ = step{cur, {}, name, false};
        cur = wrap(cur, name, write);
        i = next;
        if (mp.size() > 1) fields_of(m, 1, cur, i, write);
        continue;
      }
      int j = i;
      const bool brace = is(j, ".br");
      if (brace) ++j;
      if (!is(j, "(")) break;
      const int close = closing(j);
      if (brace && is(close + 1, "(") && mark(closing(close + 1) + 1)) {
        i = cell_element_field(j - 1, cur, write);
        continue;
      }
      if (!mark(close + 1)) {
        // f(x)(k).a: the call's result (or an element of it) is indexed again.
        if (brace || write || !marked_after(close + 1)) break;
        const toks args = emit(j + 1, close);
        cur.push_back(tok{"(", '('});
        cur.insert(cur.end(), args.begin(), args.end());
        cur.push_back(tok{")", ')'});
        i = close + 1;
        continue;
      }
      const toks args = emit(j + 1, close);
      const std::string m = in_[close + 1].text.substr(1);
      int next = close + 2;
      const std::vector<std::string> mp = split_dots(m);
      const toks name = first_field_name(mp, next);
      last_ = step{cur, args, name, !brace, brace};
      const bool one = one_subscript(args);
      if (write && !brace) {
        toks e{raw("grl::elem_field_ref(")};
        e.insert(e.end(), cur.begin(), cur.end());
        e.push_back(raw(","));
        e.insert(e.end(), args.begin(), args.end());
        e.push_back(raw(","));
        if (one) append_key(e, name);
        else e.insert(e.end(), name.begin(), name.end());
        e.push_back(raw(")"));
        cur = e;
      } else if (!write && !brace && one && is_literal(name) && cur.size() == 1 && cur[0].kind == TK_WORD && var_(cur[0].text) &&
                 !cell_var_(cur[0].text)) {
        // s(k).a of a variable s: the field of the element, read in place.
        toks e{raw("grl::elem_field(")};
        e.insert(e.end(), cur.begin(), cur.end());
        e.push_back(raw(","));
        e.insert(e.end(), args.begin(), args.end());
        e.push_back(raw(","));
        append_key(e, name);
        e.push_back(raw(")"));
        cur = e;
      } else {
        toks indexed = cur;
        // c{k}.a = v where c is not declared a cell (a field, a value of any class):
        // the cell it holds is reached in place, made when c is empty.
        if (write && brace && !(cur.size() == 1 && cell_var_(cur[0].text))) {
          indexed.insert(indexed.begin(), raw("grl::cell_in("));
          indexed.push_back(raw(")"));
        }
        if (brace) indexed.push_back(in_[j - 1]);
        indexed.push_back(tok{"(", '('});
        indexed.insert(indexed.end(), args.begin(), args.end());
        indexed.push_back(tok{")", ')'});
        cur = wrap(indexed, name, write);
      }
      i = next;
      if (mp.size() > 1) fields_of(m, 1, cur, i, write);
    }
    // s.f = deal(...) (the single target of [s.f] = deal(...)): a value for each element.
    if (write && i == eq_ && word(i + 1) && in_[i + 1].text == "deal" && is(i + 2, "(")) {
      const int close = closing(i + 2);
      const step field = last_;
      const toks args = emit(i + 3, close);
      last_ = field;
      const toks call = deal_call(args);
      out.insert(out.end(), call.begin(), call.end());
      return close + 1;
    }
    // c{k}.f is a list too: the structure array the cell element holds.
    if (!write && list_item(start, i)) {
      const toks list = list_of(list_base());
      out.insert(out.end(), list.begin(), list.end());
      return i;
    }
    // [x, y] = s.f: the outputs take the values of the list in turn (s.f(i_o, x, y)).
    // A variable known to hold one structure keeps the call of what its field holds.
    if (!write && is(i, "(") && word(i + 1) && in_[i + 1].text == "i_o" && is(i + 2, ",") && !last_.name.empty() &&
        !(last_.index.empty() && last_.base.size() == 1 && single_(last_.base[0].text))) {
      out.push_back(raw("grl::list_outputs(grl::field_list("));
      const toks base = list_base();
      out.insert(out.end(), base.begin(), base.end());
      out.push_back(raw(","));
      out.insert(out.end(), last_.name.begin(), last_.name.end());
      out.push_back(raw("),"));
      return i + 1;
    }
    // [s.f] = f(x), [s(k).f] = f(x): a place for each element, stored after the call.
    // The name may be dynamic, [s.(name)] = f(x).
    if (write && places_from_ >= 0 && start >= places_from_ && (is(i, ",") || is(i, ")")) &&
        !last_.name.empty() && !last_.brace) {
      out.push_back(raw("grl::field_places("));
      out.insert(out.end(), last_.base.begin(), last_.base.end());
      if (last_.elem) {
        out.push_back(raw(","));
        out.insert(out.end(), last_.index.begin(), last_.index.end());
      }
      out.push_back(raw(","));
      out.insert(out.end(), last_.name.begin(), last_.name.end());
      out.push_back(raw(")"));
      return i;
    }
    // s.f{k} = v: the cell the field holds, changed in place.
    if (write && is(i, ".br")) {
      cur.insert(cur.begin(), raw("grl::cell_in("));
      cur.push_back(raw(")"));
    }
    out.insert(out.end(), cur.begin(), cur.end());
    if (write && i == eq_) return value_of_field(i, out);
    return i;
  }

  static bool map_method(const std::string& name) {
    static const char* const names[] = {"keys", "values", "isKey", "remove", "length", "Count"};
    for (const char* n : names)
      if (name == n) return true;
    return parser_method(name);
  }
  static bool parser_method(const std::string& name) {
    static const char* const names[] = {"addRequired", "addOptional", "addParameter", "addParamValue",
                                        "addSwitch", "parse"};
    for (const char* n : names)
      if (name == n) return true;
    return false;
  }

  // m.keys(), m.values(k), m.isKey(k), m.remove(k) on a variable: a method of the map it
  // holds when it holds one, else the field of that name indexed by the arguments.
  int method_call(const std::string& var, const std::string& name, int open, toks& out) {
    const int close = closing(open);
    const toks args = emit(open + 1, close);
    // p.addRequired(...), p.parse(...): the library decides what the variable holds.
    if (parser_method(name)) {
      out.push_back(raw("grl::object_method(" + var + ",\"" + name + "\",grl::arg_list<m_type>("));
      out.insert(out.end(), args.begin(), args.end());
      out.push_back(raw("))"));
      return close + 1;
    }
    out.push_back(raw("(grl::is_map(" + var + ")?grl::map_method(" + var + ",\"" + name +
                      "\",grl::arg_list<m_type>("));
    out.insert(out.end(), args.begin(), args.end());
    out.push_back(raw(")):M<m_type>(grl::field(" + var + ",\"" + name + "\")"));
    if (!args.empty()) {
      out.push_back(tok{"(", '('});
      out.insert(out.end(), args.begin(), args.end());
      out.push_back(tok{")", ')'});
    }
    out.push_back(raw("))"));
    return close + 1;
  }

  // s.f = v: the value is made an M value first, so that a cell (a literal, a cell
  // variable, a call that gives one) is held as the field's value, not taken apart.
  // A number stays as it is.
  int value_of_field(int eq, toks& out) {
    int end = eq + 1, depth = 0;
    for (; end < int(in_.size()); ++end) {
      if (is(end, "(")) ++depth;
      if (is(end, ")")) --depth;
      if (depth == 0 && (is(end, ";") || is(end, "\n"))) break;
    }
    out.push_back(in_[eq]);
    const toks value = emit(eq + 1, end);
    if (value.size() == 1 && value[0].kind == TK_NUMBER) {
      out.insert(out.end(), value.begin(), value.end());
    } else {
      out.push_back(raw("M<m_type>("));
      out.insert(out.end(), value.begin(), value.end());
      out.push_back(raw(")"));
    }
    return end;
  }

  // Whether tokens [from, to) are a field of indexed elements, s(a:b).f or s(:).f,
  // which stand for as many values as the index selects; with plain, also the field
  // of a variable, s.f, which stands for one value for each element of s.
  bool element_list(int from, int to, bool plain) {
    if (!chain_start(from) || target(from)) return false;
    const step saved = last_;
    toks ignored;
    const int end = chain(from, ignored);
    const step found = last_;
    last_ = saved;
    if (end != to) return false;
    if (plain && !found.elem && !found.brace && found.index.empty() && found.base.size() == 1 &&
        found.base[0].kind == TK_WORD && var_(found.base[0].text) && !cell_var_(found.base[0].text) &&
        !single_(found.base[0].text))
      return true;
    if (!found.elem) return false;
    // f(x).a of a function f: the field of each element of the structure array f gives.
    if (found.base.size() == 1 && found.base[0].kind == TK_WORD && !var_(found.base[0].text)) return true;
    for (const tok& t : found.index)
      if (t.kind == TK_WORD && (t.text == "colon" || t.text == "c_p")) return true;
    return false;
  }

  // f(x, s(2:end).f, y) where f takes a fixed number of inputs: f is called with as
  // many values as the list holds when the call runs, through the library's call of
  // a comma list (grl::cs_call). Returns the end of the call, or -1.
  int spread_fields(int i, toks& out) {
    if (!word(i) || !is(i + 1, "(")) return -1;
    // A matrix or cell literal takes every value of the list (list_item).
    if (in_[i].text == "BR" || in_[i].text == "CL") return -1;
    bool m_function = false;
    std::string m_name;
    const int callee_in = inputs_of_(in_[i].text, m_function, m_name);
    if (callee_in < 0) return -1;
    const int close = closing(i + 1);
    std::vector<int> starts{i + 2};
    int depth = 0;
    for (int j = i + 2; j < close; ++j) {
      const std::string& t = in_[j].text;
      if (t == "GRL_CALL" || t == "_e..." || t == "i_o") return -1;
      if (t == "(" || t == "[" || t == "{") ++depth;
      if (t == ")" || t == "]" || t == "}") --depth;
      if (t == "," && depth == 0) starts.push_back(j + 1);
    }
    if (close == i + 2) return -1;
    const int inputs = int(starts.size());
    int spread = -1;
    for (int a = 0; a < inputs && spread < 0; ++a) {
      const int to = a + 1 < inputs ? starts[a + 1] - 1 : close;
      if (element_list(starts[a], to, m_function)) spread = a;
    }
    // The field of a variable that may be a structure array: through the library's
    // by-name table when it has the function, else spread as any other list.
    if (spread < 0 && !m_function) {
      for (int a = 0; a < inputs && spread < 0; ++a) {
        const int to = a + 1 < inputs ? starts[a + 1] - 1 : close;
        if (!element_list(starts[a], to, true)) continue;
        if (library_calls_by_name(m_name)) return field_inputs(i, close, starts, a, m_name, out);
        spread = a;
      }
    }
    if (spread < 0) return -1;
    const int room = callee_in - (inputs - 1);
    if (room < 0) return -1;
    toks call{in_[i], tok{"(", '('}};
    toks list;
    for (int a = 0; a < inputs; ++a) {
      const int to = a + 1 < inputs ? starts[a + 1] - 1 : close;
      if (a) call.push_back(tok{",", ','});
      if (a != spread) {
        const toks arg = emit(starts[a], to);
        call.insert(call.end(), arg.begin(), arg.end());
        continue;
      }
      toks ignored;
      chain(starts[a], ignored);
      toks base = last_.base;
      if (last_.elem) {
        base.push_back(tok{"(", '('});
        base.insert(base.end(), last_.index.begin(), last_.index.end());
        base.push_back(tok{")", ')'});
      }
      list = list_of(base);
      call.push_back(raw("_e..."));
    }
    call.push_back(tok{")", ')'});
    // An M function's missing trailing inputs are filled, as its shorter entry points do.
    const bool fill = m_function && spread == inputs - 1;
    const std::string message = m_function ? m_name + ": function called with too many inputs"
                                           : "Invalid call to " + m_name;
    out.push_back(raw(std::string(fill ? "grl::cs_call_fill<" : "grl::cs_call<") + std::to_string(room) + ">("));
    out.insert(out.end(), list.begin(), list.end());
    const auto lambda = call_lambda(call);
    out.push_back(raw(",\"" + message + "\"," + lambda.first));
    out.insert(out.end(), call.begin(), call.end());
    out.push_back(raw(lambda.second + ")"));
    return close + 1;
  }

  // The opening of the lambda that makes the call: GRL_CALL, whose result type names
  // the call so that a call that does not fit is no match. A lambda must not stand in
  // that result type, so a call holding one (a field list within a field list) lets
  // the compiler deduce the result from the body.
  // Returns the text before the call and the text after it.
  static std::pair<std::string, std::string> call_lambda(const toks& call) {
    for (const tok& t : call)
      if (t.text.find("[&]") != std::string::npos || t.text.find("GRL_CALL") != std::string::npos)
        return {"[&](auto&&... _e) -> decltype(auto) { return ", ";}"};
    return {"GRL_CALL(", ")"};
  }

  // f(x, s.f, y) of a library function where s, a variable, may be a structure array:
  // grl::field_inputs calls f with the field directly when s is no array, else with
  // every value of the list in turn (by f's name). The other inputs are written once
  // for each way; only one of them runs.
  int field_inputs(int i, int close, const std::vector<int>& starts, int spread, const std::string& m_name,
                   toks& out) {
    const int inputs = int(starts.size());
    toks direct{in_[i], tok{"(", '('}}, listed{raw("grl::arg_list<m_type>(")};
    step field;
    for (int a = 0; a < inputs; ++a) {
      const int to = a + 1 < inputs ? starts[a + 1] - 1 : close;
      if (a) {
        direct.push_back(tok{",", ','});
        listed.push_back(tok{",", ','});
      }
      if (a == spread) {
        toks ignored;
        chain(starts[a], ignored);
        field = last_;
        direct.push_back(raw("_e..."));
        listed.push_back(raw("CS(_l)"));
        continue;
      }
      const toks arg = emit(starts[a], to);
      direct.insert(direct.end(), arg.begin(), arg.end());
      listed.insert(listed.end(), arg.begin(), arg.end());
    }
    direct.push_back(tok{")", ')'});
    listed.push_back(raw(")"));
    out.push_back(raw("grl::field_inputs("));
    out.insert(out.end(), field.base.begin(), field.base.end());
    out.push_back(raw(","));
    append_key(out, field.name);
    const auto lambda = call_lambda(direct);
    out.push_back(raw(",\"" + m_name + "\"," + lambda.first));
    out.insert(out.end(), direct.begin(), direct.end());
    out.push_back(raw(lambda.second + ",[&](const M<M<m_type>>& _l){return "));
    out.insert(out.end(), listed.begin(), listed.end());
    out.push_back(raw(";})"));
    return close + 1;
  }

  toks emit(int from, int to) {
    toks out;
    bool comment = false;
    for (int i = from; i < to;) {
      if (is(i, "/*")) comment = true;
      if (is(i, "*/")) comment = false;
      if (!comment) {
        const int spread = spread_fields(i, out);
        if (spread >= 0) {
          i = spread;
          continue;
        }
        const int after = deal_outputs(i, out);
        if (after >= 0) {
          i = after;
          continue;
        }
      }
      if (!comment && chain_start(i)) {
        i = chain(i, out);
        continue;
      }
      out.push_back(in_[i]);
      ++i;
    }
    return out;
  }
};

}  // namespace

void parser_t::field_pass() {
  bool any = false;
  for (int i = 0; i <= stmt.top() && !any; ++i)
    any = stmt.kind(i) == TK_WORD && stmt.gettext(i).find_first_of(std::string(".") + kFieldMark) != std::string::npos &&
          stmt.gettext(i)[0] != '.';
  if (!any) return;
  toks in;
  for (int i = 0; i <= stmt.top(); ++i) in.push_back(tok{stmt.gettext(i), stmt.kind(i)});
  auto cell_var = [this](const std::string& name) {
    const int v = symbols ? symbols->find(name, SYM_VARIABLES) : -1;
    return v >= 0 && (symbols->info_of(v)[INFO_TYPE] & DT_CELL) != 0;
  };
  auto inputs_of = [this](const std::string& name, bool& m_function, std::string& m) {
    if (!symbols || symbols->find(name, SYM_VARIABLES) >= 0) return -1;
    m = file_base.empty() ? m_name(*symbols, name) : shown_local_name(file_base, m_name(*symbols, name));
    int f = symbols->find(name, SYM_FUNCTIONS);
    m_function = f >= 0;
    if (f < 0) f = symbols->find(name, SYM_RESERVED_FUNCTION);
    if (f < 0 || symbols->info_of(f)[INFO_TYPE] != datatypes().function_index()) return -1;
    if (symbols->info_of(f)[INFO_VARARGIN]) return -1;
    return symbols->info_of(f)[INFO_NIN];
  };
  auto var = [this](const std::string& name) { return symbols && symbols->find(name, SYM_VARIABLES) >= 0; };
  auto single = [this](const std::string& name) { return single_structs.count(name) > 0; };
  const toks out = field_writer(in, cell_var, inputs_of, var, single).run();
  stmt.del(TP_HEAD, stmt.top() + 1);
  for (std::size_t k = 0; k < out.size(); ++k) stmt.ins(int(k), out[k].text, out[k].kind);
}
