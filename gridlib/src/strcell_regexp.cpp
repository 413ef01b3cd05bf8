// regexp and regexpi: the matches of a pattern in a string, as the outputs the
// option words choose (start, end, tokenExtents, match, tokens, names, split).
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "strcell_regexp.h"
#include "strcell_util.h"
#include "gridlib_regexp.h"

namespace grl {

namespace {

namespace su = grl::su;

// The outputs in the order regexp gives them without option words.
enum kind { k_start, k_end, k_extents, k_match, k_tokens, k_names, k_split, k_count };
const char* const kind_words[k_count] = {"start", "end", "tokenextents", "match", "tokens", "names", "split"};

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct request {
  const char* fn;
  std::string str;
  rx::pattern pat;
  rx::reading how;
  bool once = false, empty = false;
  std::vector<kind> order;   // the chosen outputs, then the others in their own order
};

// A string, or [] for one (a cell held as a value is no text).
bool is_text(const Mt& x) { return !x.holds_cell() && (x.ischar() || x.isempty()); }

// The option words after the pattern: outputs, 'once', case and reading switches.
void read_options(request& r, const std::vector<Mt>& in, std::size_t from) {
  bool chosen[k_count] = {};
  for (std::size_t k = from; k < in.size(); ++k) {
    if (!in[k].ischar()) grl_fail("%s: optional arguments must be strings", r.fn);
    const std::string w = lower(su::text(in[k]));
    bool known = true;
    if (w == "once") r.once = true;
    else if (w == "ignorecase") r.how.icase = true;
    else if (w == "matchcase") r.how.icase = false;
    else if (w == "emptymatch") r.empty = true;
    else if (w == "noemptymatch") r.empty = false;
    else if (w == "dotall") r.how.dot_all = true;
    else if (w == "dotexceptnewline") r.how.dot_all = false;
    else if (w == "lineanchors") r.how.line_anchors = true;
    else if (w == "stringanchors") r.how.line_anchors = false;
    else if (w == "freespacing") r.how.free_spacing = true;
    else if (w == "literalspacing") r.how.free_spacing = false;
    else {
      known = false;
      for (int j = 0; j < k_count; ++j)
        if (w == kind_words[j]) {
          known = true;
          if (!chosen[j]) r.order.push_back(kind(j));
          chosen[j] = true;
        }
    }
    if (!known) grl_fail("%s: unrecognized option", r.fn);
  }
  for (int j = 0; j < k_count; ++j)
    if (!chosen[j]) r.order.push_back(kind(j));
}

request read_request(rx_fn fn, const std::vector<Mt>& in) {
  request r;
  r.fn = fn == rx_fn::regexpi ? "regexpi" : "regexp";
  r.how.icase = fn == rx_fn::regexpi;
  if (in.size() < 2) grl_fail("Invalid call to %s", r.fn);
  if (!is_text(in[0])) grl_fail("%s: STR must be a string or cell array of strings", r.fn);
  if (!is_text(in[1])) grl_fail("%s: PATTERN must be a string", r.fn);
  read_options(r, in, 2);
  r.str = su::text(in[0]);
  r.pat = rx::translate(su::text(in[1]), r.how, r.fn);
  return r;
}

// --- the values of the outputs ----------------------------------------------------

Mt piece_of(const std::string& s, rx::span sp) { return sc::chars(sp.found() ? s.substr(sp.start, sp.len) : "", true); }

// Start or end (from 1) of each match: a row, or with 'once' a number or [].
Mt places(const std::vector<rx::match>& ms, bool ends, bool once) {
  if (once && ms.empty()) return Mt();
  Mt out = Mt::alloc(1, ms.size());
  m_type* p = ms.empty() ? nullptr : out.pr();
  for (std::size_t k = 0; k < ms.size(); ++k)
    p[k] = m_type(ends ? ms[k].whole.start + ms[k].whole.len : ms[k].whole.start + 1);
  return out;
}

// The tokens of a match: its groups, or the whole match when the pattern has none.
std::vector<rx::span> tokens_of(const rx::match& m) {
  if (m.groups.empty()) return {m.whole};
  return m.groups;
}

// The first and last index (from 1) of each token, one row per token; a token that
// took no part is the empty range just after the token before it.
Mt extents(const rx::match& m) {
  const std::vector<rx::span> t = tokens_of(m);
  Mt out = Mt::alloc(t.size(), 2);
  m_type* p = out.pr();
  std::size_t after = m.whole.start;   // from 0: where the token before ended
  for (std::size_t k = 0; k < t.size(); ++k) {
    const std::size_t first = t[k].found() ? t[k].start : after;
    const std::size_t len = t[k].found() ? t[k].len : 0;
    p[k] = m_type(first + 1);
    p[k + t.size()] = m_type(first + len);
    after = first + len;
  }
  return out;
}

Mc token_row(const std::string& s, const rx::match& m) {
  const std::vector<rx::span> t = tokens_of(m);
  Mc out = Mc::alloc(1, t.size());
  for (std::size_t k = 0; k < t.size(); ++k) out.welem(k) = t[k].found() ? piece_of(s, t[k]) : su::str("");
  return out;
}

// The pieces of s between the matches.
Mc split(const std::string& s, const std::vector<rx::match>& ms) {
  Mc out = Mc::alloc(1, ms.size() + 1);
  std::size_t from = 0;
  for (std::size_t k = 0; k <= ms.size(); ++k) {
    const std::size_t to = k < ms.size() ? ms[k].whole.start : s.size();
    out.welem(k) = su::str(s.substr(from, to - from));
    if (k < ms.size()) from = ms[k].whole.start + ms[k].whole.len;
  }
  return out;
}

// One output: a matrix (is_cell false) or a cell.
struct value {
  bool is_cell = false;
  Mt m;
  Mc c;
};

value cell_value(Mc c) {
  value v;
  v.is_cell = true;
  v.c = std::move(c);
  return v;
}

value matrix_value(Mt m) {
  value v;
  v.m = std::move(m);
  return v;
}

// The names output: a structure with a field for each named token, in the pattern's
// order. One element per match (1 x N), or 0 x 0 when nothing matched; with 'once'
// a 1 x 1 structure of the first match ('' in each field when nothing matched).
Mt names_structure(const request& r, const std::vector<rx::match>& ms) {
  const std::vector<std::string> names = r.pat.named();
  const std::size_t count = r.once ? std::min<std::size_t>(ms.size(), 1) : ms.size();
  Mt s = count == 0 && !r.once ? make_struct(0, 0, names) : make_struct(1, std::max<std::size_t>(count, 1), names);
  for (std::size_t j = 0; j < std::max<std::size_t>(count, r.once ? 1 : 0); ++j) {
    for (std::size_t f = 0; f < names.size(); ++f) {
      const int g = r.pat.group_of(names[f]);
      s.st_->v[j * names.size() + f] = j < count ? piece_of(r.str, ms[j].groups[std::size_t(g - 1)]) : su::str("");
    }
  }
  return s;
}

value output(const request& r, const std::vector<rx::match>& ms, kind k) {
  const std::size_t n = ms.size();
  switch (k) {
    case k_start:
    case k_end:
      return matrix_value(places(ms, k == k_end, r.once));
    case k_extents: {
      if (r.once) return matrix_value(n ? extents(ms[0]) : Mt());
      Mc c = Mc::alloc(1, n);
      for (std::size_t j = 0; j < n; ++j) c.welem(j) = extents(ms[j]);
      return cell_value(c);
    }
    case k_match: {
      if (r.once) return matrix_value(n ? piece_of(r.str, ms[0].whole) : su::str(""));
      Mc c = Mc::alloc(1, n);
      for (std::size_t j = 0; j < n; ++j) c.welem(j) = piece_of(r.str, ms[j].whole);
      return cell_value(c);
    }
    case k_tokens: {
      if (r.once) return cell_value(n ? token_row(r.str, ms[0]) : Mc());
      Mc c = Mc::alloc(1, n);
      for (std::size_t j = 0; j < n; ++j) c.welem(j) = Mt::of_cell(token_row(r.str, ms[j]));
      return cell_value(c);
    }
    case k_split:
      return cell_value(split(r.str, ms));
    case k_names:
      return matrix_value(names_structure(r, ms));
    case k_count:
      break;
  }
  grl_fail("%s: function called with too many outputs", r.fn);
}

// The fields of the names structure, in the order the pattern names them: the
// tokens of the first match ('' when nothing matched).
void fill_names(const request& r, const std::vector<rx::match>& ms, const std::vector<Mt*>& fields) {
  const std::vector<std::string> names = r.pat.named();
  if (fields.size() != names.size())
    grl_fail("%s: the names structure has %zu fields but the pattern names %zu tokens", r.fn, fields.size(),
             names.size());
  for (std::size_t k = 0; k < names.size(); ++k) {
    const int g = r.pat.group_of(names[k]);
    *fields[k] = ms.empty() ? su::str("") : piece_of(r.str, ms[0].groups[std::size_t(g - 1)]);
  }
}

std::vector<rx::match> matches(const request& r) {
  const std::regex& re = rx::compile(r.pat, r.how, r.fn);
  return rx::find(r.str, re, r.pat.groups(), r.once, r.empty, r.fn);
}

// Outputs 0 to count - 1 of a call whose STR is a cell: each a cell of its shape,
// holding that output of each string.
std::vector<value> cell_outputs(rx_fn fn, const std::vector<Mt>& in, std::size_t count) {
  const Mc& c = in[0].held_cell();
  std::vector<value> out(count, cell_value(Mc::alloc(c.rows(), c.cols())));
  std::vector<Mt> one = in;
  for (std::size_t e = 0; e < c.numel(); ++e) {
    one[0] = c.elem(e);
    const request r = read_request(fn, one);
    const std::vector<rx::match> ms = matches(r);
    for (std::size_t k = 0; k < count; ++k) {
      if (r.order[k] == k_names) grl_fail("%s: the names output of a cell array STR is not supported", r.fn);
      const value v = output(r, ms, r.order[k]);
      out[k].c.welem(e) = v.is_cell ? Mt::of_cell(v.c) : v.m;
    }
  }
  return out;
}

void put(const char* fn, rx_out& place, const value& v, std::size_t k, kind what) {
  if (v.is_cell && !place.c)
    grl_fail("%s: output %zu (%s) is a cell array; it cannot be assigned to a matrix", fn, k + 1, kind_words[what]);
  if (!v.is_cell && !place.m)
    grl_fail("%s: output %zu (%s) is an array; it cannot be assigned to a cell array", fn, k + 1, kind_words[what]);
  if (v.is_cell) *place.c = v.c;
  else *place.m = v.m;
}

void cell_outputs(rx_fn fn, const std::vector<Mt>& in, std::vector<rx_out>& out) {
  std::vector<Mt> options = in;   // the options alone, read as for a string
  options[0] = su::str("");
  const request r = read_request(fn, options);
  if (out.size() > k_count) grl_fail("%s: function called with too many outputs", r.fn);
  for (std::size_t k = 0; k < out.size(); ++k)
    if (out[k].is_fields || r.order[k] == k_names)
      grl_fail("%s: the names output of a cell array STR is not supported", r.fn);
  const std::vector<value> vs = cell_outputs(fn, in, out.size());
  for (std::size_t k = 0; k < out.size(); ++k)
    if (out[k].m || out[k].c) put(r.fn, out[k], vs[k], k, r.order[k]);
}

}  // namespace

rx_value regexp_value(rx_fn fn, const std::vector<Mt>& in) {
  rx_value out = rx_result();
  if (!in.empty() && in[0].holds_cell()) {
    out.set_cell(cell_outputs(fn, in, 1)[0].c);
    return out;
  }
  const request r = read_request(fn, in);
  value v = output(r, matches(r), r.order[0]);
  if (v.is_cell) out.set_cell(std::move(v.c));
  else static_cast<Mt&>(out) = std::move(v.m);
  return out;
}

void regexp_outputs(rx_fn fn, const std::vector<Mt>& in, std::vector<rx_out>& out) {
  if (!in.empty() && in[0].holds_cell()) {
    cell_outputs(fn, in, out);
    return;
  }
  const request r = read_request(fn, in);
  if (out.size() > r.order.size()) grl_fail("%s: function called with too many outputs", r.fn);
  const std::vector<rx::match> ms = matches(r);
  for (std::size_t k = 0; k < out.size(); ++k) {
    const kind what = r.order[k];
    if (out[k].is_fields) {
      if (what != k_names) grl_fail("%s: output %zu is not the names structure", r.fn, k + 1);
      fill_names(r, ms, out[k].fields);
      continue;
    }
    if (!out[k].m && !out[k].c) continue;   // ~
    put(r.fn, out[k], output(r, ms, what), k, what);
  }
}

void show_fields(const char* name, const char* names, const rx_fields_t& fields) {
  std::string out = std::string(name) + " =\n\n  scalar structure containing the fields:\n\n";
  const std::string list = names;
  std::size_t from = 0;
  for (const Mt* f : fields.fields) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    out += "    " + display_text(*f, list.substr(from, comma - from).c_str());
    from = comma + 1;
  }
  put_text(out + "\n");
}

// The places of a call's argument list (gridlib_regexp.h).
void rx_call::add(const rx_fields_t& f) {
  out.emplace_back();
  out.back().is_fields = true;
  out.back().fields = f.fields;
}
void rx_call::add(const junk_t&) { out.emplace_back(); }
void rx_call::add(M<m_type>& m) {
  if (!outputs) {
    in.push_back(m);
    return;
  }
  out.emplace_back();
  out.back().m = &m;
}
void rx_call::add(const Mr<m_type>& r) {
  if (r.get()) add(*r.get());
  else add(junkM);
}
void rx_call::add(M<M<m_type>>& c) {
  if (!outputs) {
    in.push_back(M<m_type>::of_cell(c));
    return;
  }
  out.emplace_back();
  out.back().c = &c;
}
void rx_call::add(const M<M<m_type>>& c) { in.push_back(M<m_type>::of_cell(c)); }
void rx_call::add(const cl_t<m_type>& c) { in.push_back(M<m_type>::of_cell(c.value())); }
void rx_call::add(const bc_t<m_type>& c) { in.push_back(M<m_type>::of_cell(c.value())); }
void rx_call::add(const Mx<M<m_type>>& c) { in.push_back(M<m_type>::of_cell(c.value())); }
void rx_call::add(const cs_t<m_type>& c) {
  for (int k = c.first; k <= c.end(); ++k) in.push_back(c.at(k));
}

}  // namespace grl

