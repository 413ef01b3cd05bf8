// The calling-convention globals, start and end of a program, loops, switch.
#include "int64_util.h"
#include "gridlib.h"

#include <algorithm>
#include <exception>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <unistd.h>

typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;

double nargin_val = 0, nargout_val = 0;
int nargin_set = 0, nargout_set = 0;
Mt x_M("x_M", 0, 0);
junk_t junkM;
grl::display_stream gridlibout;

namespace {
// Every unused output lands here; its value is dropped at the next use.
Mc junk_cell;
}  // namespace

junk_t::operator M<M<m_type>>&() const {
  junk_cell = nop_M;
  return junk_cell;
}

Mt nargin() { return Mt(m_type(nargin_val)); }
Mt nargout() { return Mt(m_type(nargout_val)); }

Mt grl::deal_run(const deal_t& d) {
  if (d.in.empty()) grl_fail("Invalid call to deal");
  std::size_t count = d.out.size();
  for (const deal_list& l : d.lists) count += std::size_t(std::max(0, l.last - l.first + 1));
  const std::size_t wanted = count == 0 && d.lists.empty() ? 1 : count;
  if (d.in.size() > 1 && d.in.size() != wanted) grl_fail("deal: nargin > 1 and nargin != nargout");
  std::size_t k = 0;
  auto value = [&]() -> const Mt& { return d.in[d.in.size() == 1 ? 0 : k++]; };
  std::size_t list = 0;
  auto put_lists = [&](std::size_t at) {
    for (; list < d.lists.size() && d.lists[list].at == at; ++list)
      for (int e = d.lists[list].first; e <= d.lists[list].last; ++e)
        d.lists[list].cell->cell_ref(grl::ix<m_type>(double(e)), nullptr) = value();
  };
  for (std::size_t o = 0; o < d.out.size(); ++o) {
    put_lists(o);
    Mr<m_type> r = d.out[o];
    r = value();
  }
  put_lists(d.out.size());
  return d.in[0];
}

Mt grl::list_outputs_run(const deal_t& d) {
  if (d.in.size() < d.out.size()) grl_fail("element number %zu undefined in return list", d.in.size() + 1);
  for (std::size_t o = 0; o < d.out.size(); ++o) {
    Mr<m_type> r = d.out[o];
    r = d.in[o];
  }
  return d.in.empty() ? Mt() : d.in[0];
}

grl::cell_or_array::cell_or_array(cell_or_array&& o) noexcept
    : M<m_type>(std::move(static_cast<M<m_type>&>(o))), is_cell(o.is_cell), cell(std::move(o.cell)),
      not_cell(o.not_cell), not_array(o.not_array), taken(o.taken) {
  o.taken = true;
}

grl::cell_or_array::operator Mc() const {
  if (!is_cell) grl_fail("%s", not_cell);
  taken = true;
  return cell;
}

grl::cell_or_array::~cell_or_array() noexcept(false) {
  // Not while another error unwinds the statement: that one is reported.
  if (is_cell && !taken && std::uncaught_exceptions() == 0) grl_fail("%s", not_array);
}

grl::display_stream& operator<<(grl::display_stream& s, const grl::cell_or_array& v) {
  if (v.is_cell) grl::show(Mc(v), nullptr);
  else grl::show(static_cast<const Mt&>(v), nullptr);
  return s;
}

unsigned initM(std::istream&, std::ostream&, std::ostream&) {
  std::ios::sync_with_stdio(true);
  grl::storage_setup();
  // A request the heap cannot meet ends the program with the library's message
  // instead of an uncaught std::bad_alloc.
  std::set_new_handler(grl::fail_too_large);
  grl::install_uncaught_ending();
  return unsigned(getpid());
}

void exitM() {
  std::cout.flush();
  std::fflush(stdout);
}

grl::display_stream& operator<<(grl::display_stream& s, const char* text) {
  std::cout << text;
  return s;
}
grl::display_stream& operator<<(grl::display_stream& s, std::ostream& (*manipulator)(std::ostream&)) {
  std::cout << manipulator;
  return s;
}

bool istrue(const Mc& x) {
  (void)x;
  grl_fail("wrong type argument 'cell array'");
}

void forelem(Mt& v, const Mt& x, int k) {
  // A structure array or a cell held by a variable of any class: its k-th column.
  if (x.holds_struct() || x.holds_cell()) {
    Mt whole = x;
    v = whole(c_p, double(k));
    return;
  }
  std::size_t r = x.rows(), j = std::size_t(k - 1);
  if (r == 1) {
    Mt e = x.isc() ? Mt::cplx(x.cre()[j], x.cim()[j]) : Mt(x.cre()[j]);
    e.set_flags(x.flags_);
    grl::keep_class(e, x);
    if (grl::w64::has_exact(x)) grl::w64::store(e, x.num_class(), {(*x.x64_)[j]});
    v = e;
    return;
  }
  Mt col = Mt::alloc(r, 1, x.isc());
  std::memcpy(col.pr(), x.cre() + j * r, r * sizeof(m_type));
  if (x.isc()) std::memcpy(col.pi(), x.cim() + j * r, r * sizeof(m_type));
  col.set_flags(x.flags_);
  grl::keep_class(col, x);
  if (grl::w64::has_exact(x))
    grl::w64::store(col, x.num_class(), std::vector<std::uint64_t>(x.x64_->begin() + j * r, x.x64_->begin() + (j + 1) * r));
  v = col;
}

void forelem(Mc& v, const Mc& x, int k) {
  std::size_t r = x.rows(), j = std::size_t(k - 1);
  Mc col = Mc::alloc(r, 1);
  for (std::size_t i = 0; i < r; ++i) col.welem(i) = x.elem(i + j * r);
  v = col;
}

void forelem(Mt& v, const Mc& x, int k) {
  if (x.rows() != 1) grl_fail("a cell used as a number: loop over a cell of more than one row");
  v = x.elem(std::size_t(k - 1));
}

namespace grl {

namespace {
bool same_text(const Mt& a, const Mt& b) {
  if (a.rows() != b.rows() || a.cols() != b.cols()) return a.isempty() && b.isempty();
  for (std::size_t k = 0; k < a.numel(); ++k)
    if (a.cre()[k] != b.cre()[k]) return false;
  return true;
}
}  // namespace

// A number matches an equal number; a string matches the same string. A number
// never matches a string.
bool switch_t::match(const Mt& c) const {
  if (is_cell) return false;
  if (v.ischar() || c.ischar()) return v.ischar() && c.ischar() && same_text(v, c);
  if (c.isempty() && v.isempty()) return true;
  if (c.isempty() || v.isempty()) return false;
  if (!c.isscalar()) grl_fail("case label must be a scalar, a string or a cell");
  if (!v.isscalar()) return false;
  return v.cre()[0] == c.cre()[0] && v.ielem(0) == c.ielem(0);
}

bool switch_t::match(const Mc& cases) const {
  for (std::size_t k = 0; k < cases.numel(); ++k)
    if (match(cases.elem(k))) return true;
  return false;
}

}  // namespace grl

void whos_line(const char* name, bool cplx, std::size_t rows, std::size_t cols, const char* type) {
  char dims[64];
  std::snprintf(dims, sizeof dims, "%zux%zu", rows, cols);
  std::printf("  %-20s %-12s %s%s\n", name, dims, cplx ? "complex " : "", type);
}

// The argument packers of generated code, kept out of the headers (see gridlib_core.h).
grl::display_stream& operator<<(grl::display_stream& s, const Mx<m_type>& x) { return s << x.value(); }
br_t<m_type> BR(const Mx<m_type>& x) { return BR(x.value()); }
cl_t<m_type> CL(const Mx<m_type>& x) { return CL(x.value()); }
br_t<m_type> BR(const cs_t<m_type>& x) {
  br_t<m_type> b;
  b, x;
  return b;
}
cl_t<m_type> CL(const cs_t<m_type>& x) {
  cl_t<m_type> c;
  c, x;
  return c;
}

namespace grl {
void deal_put(deal_t& d, const junk_t&) {
  if (d.outputs) d.out.emplace_back(junkM);
}
void deal_put(deal_t& d, M<M<m_type>>& c) {
  if (!d.outputs) {
    append_arg(d.in, c);
    return;
  }
  d.cells.push_back({std::make_unique<Mt>(), &c});
  d.out.emplace_back(*d.cells.back().value);
}
void finish_cell_outputs(const deal_t& d, const char* who) {
  for (const cell_output& o : d.cells) {
    if (o.value->holds_cell()) *o.cell = o.value->held_cell();
    else grl_fail("%s: the output is a cell array; the result is not", who);
  }
}
void deal_put(deal_t& d, Mt& x) {
  if (d.outputs) d.out.emplace_back(x);
  else d.in.push_back(x);
}
void deal_put(deal_t& d, Mr<m_type> r) { d.out.push_back(r); }
void deal_put(deal_t& d, const cs_t<m_type>& s) {
  if (!d.outputs) {
    append_arg(d.in, s);
    return;
  }
  d.lists.push_back({const_cast<M<M<m_type>>*>(&s.c), s.first, s.end(), d.out.size()});
}
}  // namespace grl
