// Nested functions moved out of their parents, and the variables they share (see
// nested_functions.h).
#include "translate/nested_functions.h"

#include <algorithm>
#include <map>
#include <set>

#include "driver/diag.h"
#include "translate/source_walk.h"

namespace {
using msource::ident_char;

struct token {
  std::string text;
  bool word;
  char prev;          // the character before it that is not a blank
  std::size_t at;
};

// One function of the file: where it is written and what it names.
struct block {
  std::size_t start = 0, end = 0;   // its lines, the function line to the line of its end
  int line = 0;
  int parent = -1;
  int level = 0;
  std::string name;
  std::vector<std::string> ins, outs;
  std::set<std::string> words;      // names it uses (not fields, not handles @f)
  std::set<std::string> assigned;   // names it assigns
  std::set<std::string> vars;       // its variables
  std::map<std::string, int> slots;
  std::vector<nest_var> shared;
};

bool has(const std::vector<std::string>& v, const std::string& w) {
  return std::find(v.begin(), v.end(), w) != v.end();
}

std::size_t line_start(const std::string& s, std::size_t at) {
  const std::size_t nl = at == 0 ? std::string::npos : s.rfind('\n', at - 1);
  return nl == std::string::npos ? 0 : nl + 1;
}

std::size_t line_after(const std::string& s, std::size_t at) {
  const std::size_t nl = s.find('\n', at);
  return nl == std::string::npos ? s.size() : nl + 1;
}

// The functions of the file, their lines and which one each is written in.
std::vector<block> find_functions(const std::string& s) {
  std::vector<block> out;
  std::vector<int> open;   // for each open block: its function's index, or -1
  msource::walk_blocks(s, [&](const std::string& w, bool opens, int line, std::size_t a, std::size_t b) {
    if (opens) {
      if (w != "function") {
        open.push_back(-1);
        return;
      }
      block f;
      f.start = line_start(s, a);
      f.line = line;
      for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (*it >= 0) {
          f.parent = *it;
          f.level = out[*it].level + 1;
          break;
        }
      out.push_back(f);
      open.push_back(int(out.size()) - 1);
      return;
    }
    if (open.empty()) return;
    const int f = open.back();
    open.pop_back();
    if (f >= 0) out[f].end = line_after(s, b);
  });
  return out;
}

// Whether the `=` at `at` assigns (not ==, <=, >=, ~=, !=).
bool assigns(const std::string& s, std::size_t at) {
  if (at > 0 && std::string("=<>~!").find(s[at - 1]) != std::string::npos) return false;
  return at + 1 >= s.size() || s[at + 1] != '=';
}

// The function line's outputs, name and inputs.
void read_signature(const std::vector<token>& st, block& f) {
  std::size_t eq = st.size();
  int depth = 0;
  for (std::size_t k = 1; k < st.size(); ++k) {
    const std::string& t = st[k].text;
    if (t == "(" || t == "[" || t == "{") ++depth;
    if (t == ")" || t == "]" || t == "}") --depth;
    if (t == "=" && depth == 0) {
      eq = k;
      break;
    }
  }
  std::size_t k = 1;
  if (eq < st.size()) {
    for (; k < eq; ++k)
      if (st[k].word) f.outs.push_back(st[k].text);
    k = eq + 1;
  }
  if (k < st.size() && st[k].word) f.name = st[k++].text;
  for (; k < st.size(); ++k)
    if (st[k].word) f.ins.push_back(st[k].text);
}

// What one statement of function f assigns and names.
void read_statement(const std::string& s, const std::vector<token>& st, block& f) {
  if (st.empty()) return;
  for (std::size_t k = 0; k < st.size(); ++k) {
    const bool handle = k > 0 && st[k - 1].text == "@";
    if (st[k].word && st[k].prev != '.' && !handle) f.words.insert(st[k].text);
  }
  const std::string& head = st[0].text;
  if (st[0].word && head == "function") {
    read_signature(st, f);
    return;
  }
  if (st[0].word && (head == "for" || head == "parfor")) {
    const std::size_t v = st.size() > 1 && st[1].text == "(" ? 2 : 1;
    if (v < st.size() && st[v].word) f.assigned.insert(st[v].text);
    return;
  }
  if (st[0].word && (head == "global" || head == "persistent")) {
    for (std::size_t k = 1; k < st.size(); ++k)
      if (st[k].word) f.assigned.insert(st[k].text);
    return;
  }
  int depth = 0;
  for (std::size_t k = 0; k < st.size(); ++k) {
    const std::string& t = st[k].text;
    if (t == "(" || t == "[" || t == "{") ++depth;
    if (t == ")" || t == "]" || t == "}") --depth;
    if (t != "=" || depth != 0 || !assigns(s, st[k].at)) continue;
    if (head == "[") {
      int d = 0;
      for (std::size_t j = 0; j < k; ++j) {
        const std::string& u = st[j].text;
        if (u == "(" || u == "[" || u == "{") ++d;
        if (u == ")" || u == "]" || u == "}") --d;
        if (st[j].word && d == 1 && st[j].prev != '.') f.assigned.insert(u);
      }
    } else if (st[0].word) {
      f.assigned.insert(head);
    }
    return;
  }
}

// Reads every statement into the function it belongs to.
void read_functions(const std::string& s, std::vector<block>& fs) {
  auto owner = [&](std::size_t at) {
    int best = -1;
    for (std::size_t k = 0; k < fs.size(); ++k)
      if (fs[k].start <= at && at < fs[k].end && (best < 0 || fs[k].start > fs[best].start)) best = int(k);
    return best;
  };
  std::vector<token> st;
  int st_owner = -1, depth = 0;
  bool continued = false;
  auto flush = [&]() {
    if (st_owner >= 0) read_statement(s, st, fs[st_owner]);
    st.clear();
    st_owner = -1;
    depth = 0;
  };
  msource::walk(
      s,
      [&](std::size_t a, std::size_t b) {
        if (b - a != 1) {
          if (s.compare(a, 3, "...") == 0) continued = true;
          return;
        }
        const char c = s[a];
        if (c == ' ' || c == '\t' || c == '\r') return;
        if (c == '\n') {
          if (!continued) flush();
          continued = false;
          return;
        }
        if ((c == ';' || c == ',') && depth == 0) {
          flush();
          return;
        }
        if (c == '(' || c == '[' || c == '{') ++depth;
        if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
        if (st.empty()) st_owner = owner(a);
        st.push_back({std::string(1, c), false, 0, a});
      },
      [&](std::size_t a, std::size_t b, char prev) {
        if (st.empty()) st_owner = owner(a);
        st.push_back({s.substr(a, b - a), true, prev, a});
      });
  flush();
}

bool in_nest(const std::vector<block>& fs, int k) {
  if (fs[k].parent >= 0) return true;
  for (const block& f : fs)
    if (f.parent == k) return true;
  return false;
}

// Which function of the nest owns each variable a nested function names.
void share_variables(std::vector<block>& fs) {
  std::set<std::string> assigned;
  for (const block& f : fs) {
    assigned.insert(f.assigned.begin(), f.assigned.end());
    assigned.insert(f.ins.begin(), f.ins.end());
    assigned.insert(f.outs.begin(), f.outs.end());
  }
  for (block& f : fs) {
    for (const std::string& w : f.words)
      if (assigned.count(w) && w != "ans") f.vars.insert(w);
    f.vars.insert(f.ins.begin(), f.ins.end());
    f.vars.insert(f.outs.begin(), f.outs.end());
  }
  auto claim = [&](int owner, const std::string& w) {
    block& o = fs[owner];
    auto it = o.slots.find(w);
    if (it != o.slots.end()) return it->second;
    const int slot = int(o.slots.size());
    o.slots[w] = slot;
    o.shared.push_back({w, 0, slot, has(o.ins, w)});
    return slot;
  };
  for (int n = 0; n < int(fs.size()); ++n) {
    if (fs[n].parent < 0) continue;
    for (const std::string& w : std::set<std::string>(fs[n].vars)) {
      if (has(fs[n].ins, w) || has(fs[n].outs, w)) continue;
      int owner = -1;
      for (int p = fs[n].parent; p >= 0; p = fs[p].parent) {
        if (has(fs[p].ins, w) || has(fs[p].outs, w)) {
          owner = p;
          break;
        }
        if (fs[p].vars.count(w)) owner = p;
      }
      if (owner < 0) continue;
      if (w == "varargin" || w == "varargout")
        diag::error_at(fs[n].line, "a nested function cannot share %s with its parent: pass it as an input",
                       w.c_str());
      const int slot = claim(owner, w);
      fs[n].shared.push_back({w, fs[n].level - fs[owner].level, slot, false});
    }
  }
}

// The text [start, end) of f with the lines of the functions written in it blank.
std::string own_text(const std::string& s, const std::vector<block>& fs, int k) {
  std::string t = s.substr(fs[k].start, fs[k].end - fs[k].start);
  for (const block& c : fs)
    if (c.parent == k)
      for (std::size_t i = c.start; i < c.end; ++i)
        if (s[i] != '\n') t[i - fs[k].start] = ' ';
  return t;
}

}  // namespace

const nest_function* nest_plan::find(const std::string& name) const {
  for (const nest_function& f : functions)
    if (f.name == name) return &f;
  return nullptr;
}

std::string flatten_nested_functions(const std::string& source, nest_plan& plan) {
  plan.functions.clear();
  plan.lines.clear();
  std::vector<block> fs = find_functions(source);
  bool nested = false;
  for (const block& f : fs) nested = nested || (f.parent >= 0 && f.end > f.start);
  if (!nested) return source;
  for (const block& f : fs)
    if (f.end <= f.start) return source;   // a function without its end: not a nest
  read_functions(source, fs);
  for (std::size_t a = 0; a < fs.size(); ++a)
    for (std::size_t b = a + 1; b < fs.size(); ++b)
      if (fs[a].name == fs[b].name && (fs[a].parent >= 0 || fs[b].parent >= 0))
        diag::error_at(fs[b].line, "two functions named %s in one file", fs[b].name.c_str());
  share_variables(fs);

  // The file with the nested functions' lines blank, then each nested function.
  std::string out = source;
  for (const block& f : fs)
    if (f.parent >= 0)
      for (std::size_t i = f.start; i < f.end; ++i)
        if (source[i] != '\n') out[i] = ' ';
  if (!out.empty() && out.back() != '\n') out += '\n';
  const int written = int(std::count(out.begin(), out.end(), '\n'));
  for (int n = 1; n <= written; ++n) plan.lines.push_back(n);
  for (int k = 0; k < int(fs.size()); ++k)
    if (fs[k].parent >= 0) {
      std::string t = own_text(source, fs, k);
      if (!t.empty() && t.back() != '\n') t += '\n';
      out += t;
      const int n = int(std::count(t.begin(), t.end(), '\n'));
      for (int j = 0; j < n; ++j) plan.lines.push_back(fs[k].line + j);
    }

  for (int k = 0; k < int(fs.size()); ++k) {
    if (!in_nest(fs, k)) continue;
    nest_function f;
    f.name = fs[k].name;
    f.parent = fs[k].parent >= 0 ? fs[fs[k].parent].name : "";
    f.n_in = has(fs[k].ins, "varargin") ? -1 : int(fs[k].ins.size());
    f.slots = int(fs[k].slots.size());
    f.shared = fs[k].shared;
    plan.functions.push_back(f);
  }
  return out;
}
