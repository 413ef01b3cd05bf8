// structfun: a function applied to each field of a structure, through cellfun's general
// form over the column of the field values.
#include "strutil.h"
#include "gridlib_extra.h"
#include "gridlib_funfun.h"

#include <cctype>
#include <string>
#include <vector>

using namespace grl;

namespace {

// Whether the options after the structure ask for UniformOutput false (a prefix of the
// option's name is enough, as cellfun takes it).
bool cells_asked(const deal_t& d) {
  bool cells = false;
  for (std::size_t k = 2; k + 1 < d.in.size(); k += 2) {
    const Mt& name = d.in[k];
    if (!name.ischar() || name.isempty()) continue;
    const std::string t = su::text(name);
    const std::string full = "uniformoutput";
    bool match = t.size() <= full.size();
    for (std::size_t j = 0; match && j < t.size(); ++j) match = std::tolower((unsigned char)t[j]) == full[j];
    const Mt& v = d.in[k + 1];
    if (match && !v.isempty() && v.cre()) cells = v.cre()[0] == 0;
  }
  return cells;
}

}  // namespace

Mt grl::structfun_run(const deal_t& d) {
  if (d.in.size() < 2) grl_fail("Invalid call to structfun");
  const Mt& s = d.in[1];
  if (!s.holds_struct()) grl_fail("struct2cell: argument S must be a structure");
  if (s.numel() != 1) grl_fail("structfun: S must be a scalar structure");
  const std::vector<std::string> names = field_names(s);
  Mc values = Mc::alloc(names.size(), 1);
  for (std::size_t k = 0; k < names.size(); ++k) values.welem(k) = field(s, names[k].c_str());

  // cellfun(f, values, options...), with as many outputs as the call asks for.
  const std::size_t nout = d.out.empty() ? 1 : d.out.size();
  std::vector<Mt> results(nout);
  deal_t inner;
  inner.in.push_back(d.in[0]);
  inner.in.push_back(Mt(values));
  for (std::size_t k = 2; k < d.in.size(); ++k) inner.in.push_back(d.in[k]);
  inner.outputs = true;
  for (Mt& r : results) inner.out.emplace_back(r);
  {
    cell_or_array r = cellfun_cells(inner);
    r.taken = true;
  }
  // With UniformOutput false each result is a cell of one element per field: a
  // structure of the same fields holds them.
  if (cells_asked(d))
    for (Mt& r : results) {
      if (!r.holds_cell()) continue;
      const Mc c = r.held_cell();
      Mt out = make_struct(1, 1, names);
      for (std::size_t k = 0; k < names.size() && k < c.numel(); ++k) out.st_->v[k] = c.elem(k);
      r = out;
    }
  for (std::size_t k = 0; k < d.out.size(); ++k) {
    Mr<m_type> ref = d.out[k];
    ref = results[k];
  }
  return results[0];
}
