// Loops written twice. An innermost for loop counted in C++ over a whole-number counter
// (for_range) whose element accesses go through array views has its body written in
// two copies: when the loop starts, the range's smallest and largest values give each
// subscript's span (i + n, n - i for the loop's counter; fixed values for the counters
// of the loops around it and for whole literals), and when every span lies within its
// extent (and every view indexes its array directly) the first copy runs, whose
// accesses index with no test and whose counter counts in integers. Otherwise the
// second copy runs: the ordinary accesses, which take the general indexing for a
// subscript out of range and raise its error. In the first copy nothing can fail in a
// statement of scalar arithmetic and such accesses, so it records no line for them.
#include <algorithm>
#include <string>

#include "translate/parser.h"

void parser_t::loop_opened() {
  // Only innermost loops are written twice: a loop inside one makes it an ordinary loop.
  for (const open_loop& l : open_loops)
    if (l.fast >= 0) fast_loops[l.fast].ok = false;
  open_loops.push_back({depth, loop_labels++, false, false});
}

// The loop to be written twice that the statement stands in directly, if any.
parser_t::fast_loop* parser_t::open_fast_loop() {
  if (open_loops.empty() || open_loops.back().fast < 0) return nullptr;
  fast_loop& l = fast_loops[open_loops.back().fast];
  return l.ok ? &l : nullptr;
}

namespace {
std::string offset_text(long long n) {
  if (n == 0) return "";
  return (n > 0 ? "+" : "") + std::to_string(n);
}
}  // namespace

// An access of view with the subscripts' forms: what must hold for the fast copy.
void parser_t::fast_access(fast_loop& loop, const std::string& view, bool write, const std::vector<sub_form>& forms) {
  auto need = [&](const std::string& check) {
    if (std::find(loop.checks.begin(), loop.checks.end(), check) == loop.checks.end()) loop.checks.push_back(check);
  };
  const std::string d = std::to_string(forms.size());
  loop.fast_views.insert(view);
  need(view + (write ? ".writes(" : ".reads(") + d + ")");
  for (std::size_t k = 0; k < forms.size(); ++k) {
    const sub_form& f = forms[k];
    const std::string extent = view + (forms.size() == 1 ? ".n" : ".e" + std::to_string(k));
    std::string lo, hi;
    const std::string& r = loop.range;
    if (f.counter == loop.counter && f.sign > 0) {
      lo = r + ".lo()" + offset_text(f.offset);
      hi = r + ".hi()" + offset_text(f.offset);
    } else if (f.counter == loop.counter) {
      const std::string n = f.offset < 0 ? "(" + std::to_string(f.offset) + ")" : std::to_string(f.offset);
      lo = n + "-" + r + ".hi()";
      hi = n + "-" + r + ".lo()";
    } else {
      lo = hi = f.whole;   // fixed while the loop runs
    }
    need("grl::fits(" + lo + "," + hi + "," + extent + ")");
  }
}

// The statement (translated) is scalar arithmetic on proven scalars and numbers with
// accesses checked when the loop started: in the fast copy it cannot fail.
bool parser_t::raises_nothing_when_fast() {
  if (display || !symbols) return false;
  static const char* const ops[] = {"+", "-", "*", "/", "(", ")", ",", "=", ";", "\n"};
  for (int i = 0; i < stmt.top(); ++i) {
    const std::string& t = stmt.gettext(i);
    const int k = stmt.kind(i);
    if (k == TK_NUMBER) continue;
    if (k == TK_WORD) {
      if (inferred_scalars.count(t) && !stmt.is_word(i + 1, "(")) continue;
      return false;
    }
    if (t == "grl::elem_get" || t == "grl::elem_ref") {
      if (stmt.is_word(i + 2, "grl_fast")) continue;
      return false;
    }
    // (grl::real_scalar( opens the value of an assignment to a proven scalar; the scalar
    // forms of library functions, grl::sc_*, raise nothing.)
    if (t == "grl_fast" || t == "grl::real_scalar" || t == "grl::real_scalar(" || t.compare(0, 8, "grl::sc_") == 0 ||
        t.compare(0, 9, "grl_view_") == 0 ||
        t.compare(0, 15, "grl::whole_sub{") == 0)
      continue;
    if (std::find(std::begin(ops), std::end(ops), t) != std::end(ops)) continue;
    return false;
  }
  return true;
}

// The loops between //$FAST id and //$FASTEND id (innermost first): written twice
// behind their checks, or once as the ordinary copy.
void parser_t::expand_fast_loops(std::string& body) const {
  static const std::string end_mark = "//$FASTEND ";
  for (std::size_t e = body.find(end_mark); e != std::string::npos; e = body.find(end_mark)) {
    const std::size_t line_end = body.find('\n', e);
    const std::string id = body.substr(e + end_mark.size(), line_end - e - end_mark.size());
    const std::string begin_mark = "//$FAST " + id + "\n";
    const std::size_t b = body.rfind(begin_mark, e);
    const auto found = fast_loops.find(std::stoi(id));
    if (b == std::string::npos || found == fast_loops.end()) {
      body.erase(e, line_end + 1 - e);   // (cannot happen: the marks come in pairs)
      continue;
    }
    const fast_loop& loop = found->second;
    const std::string text = body.substr(b + begin_mark.size(), e - b - begin_mark.size());
    bool twice = loop.ok && !loop.checks.empty();
    for (const std::string& v : loop.fast_views) twice = twice && !loop.other_views.count(v);
    std::string out;
    if (twice) {
      std::string checks = loop.range + ".whole()&&" + loop.range + ".n";
      for (const std::string& c : loop.checks) checks += "&&" + c;
      out = "if (" + checks + ") {\nconstexpr std::true_type grl_fast{};\n" + text +
            "} else {\nconstexpr std::false_type grl_fast{};\n" + text + "}\n";
    } else {
      out = "{\n[[maybe_unused]] constexpr std::false_type grl_fast{};\n" + text + "}\n";
    }
    body.replace(b, line_end + 1 - b, out);
  }
}
