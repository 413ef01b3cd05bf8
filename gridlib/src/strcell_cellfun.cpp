// cellfun with a function named by a string: the predicates and sizes it has always
// known, and the library's built-ins of one argument.
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "gridlib_funfun.h"
#include "strcell_util.h"

namespace grl {
namespace {

typedef Mt (*fn1)(const Mt&);

// The built-ins cellfun calls by name, each applied to one element.
struct named_fn {
  const char* name;
  fn1 f;
};

Mt is_char(const Mt& x) { return su::boolean(x.ischar()); }
Mt is_cell(const Mt&) { return su::boolean(false); }     // elements here are never cells
Mt is_real(const Mt& x) { return su::boolean(!x.isc()); }
Mt is_logical(const Mt& x) { return su::boolean(x.islogical()); }
Mt is_numeric(const Mt& x) { return su::boolean(!x.ischar() && !x.islogical()); }
Mt num_of(const Mt& x) { return Mt(m_type(x.numel())); }
Mt len_of(const Mt& x) { return Mt(m_type(x.isempty() ? 0 : x.rows() > x.cols() ? x.rows() : x.cols())); }
Mt dims_of(const Mt&) { return Mt(m_type(2)); }
Mt empty_of(const Mt& x) { return su::boolean(x.isempty()); }
Mt num2str1(const Mt& x) { return num2str(x); }
Mt mat2str1(const Mt& x) { return mat2str(x); }
Mt char1(const Mt& x) { return char_M(x); }
Mt str2num1(const Mt& x) { return str2num(x); }

const named_fn builtins[] = {
    {"ischar", is_char}, {"iscell", is_cell}, {"isempty", empty_of}, {"numel", num_of},
    {"length", len_of}, {"abs", abs_M}, {"sqrt", sqrt_M}, {"exp", exp_M}, {"log", log_M},
    {"sin", sin_M}, {"cos", cos_M}, {"tan", tan_M}, {"floor", floor_M}, {"ceil", ceil_M},
    {"round", round_M}, {"fix", fix}, {"sum", sum}, {"prod", prod}, {"cumsum", cumsum},
    {"mean", mean}, {"any", any}, {"all", all}, {"max", max}, {"min", min}, {"sort", sort},
    {"find", find}, {"upper", upper}, {"lower", lower}, {"strtrim", strtrim},
    {"deblank", deblank}, {"double", double_M}, {"char", char1}, {"num2str", num2str1},
    {"int2str", int2str}, {"mat2str", mat2str1}, {"str2num", str2num1},
    {"str2double", str2double}, {"isspace", isspace_M}, {"isletter", isletter},
    {"iscellstr", iscellstr}, {"transpose", transpose}, {"ctranspose", ctranspose},
    {"inv", inv}, {"det", det}, {"trace", trace}, {"norm", norm}, {"islogical", is_logical},
    {"isnumeric", is_numeric}, {"isreal", is_real}, {"ndims", dims_of},
};

// The names whose answer is an array whatever the options say.
const named_fn legacy[] = {
    {"isempty", empty_of}, {"islogical", is_logical}, {"isnumeric", is_numeric},
    {"isreal", is_real}, {"length", len_of}, {"ndims", dims_of}, {"numel", num_of},
    {"prodofsize", num_of},
};

std::string name_of(const Mt& name) {
  if (!name.ischar()) grl_fail("cellfun: argument NAME must be a string or function handle");
  return su::text(name);
}

fn1 lookup(const named_fn* table, std::size_t n, const std::string& name) {
  for (std::size_t k = 0; k < n; ++k)
    if (name == table[k].name) return table[k].f;
  return nullptr;
}
fn1 legacy_fn(const std::string& name) { return lookup(legacy, sizeof legacy / sizeof *legacy, name); }
fn1 builtin_fn(const std::string& name) {
  fn1 f = lookup(builtins, sizeof builtins / sizeof *builtins, name);
  if (!f) grl_fail("cellfun: invalid function NAME: %s", name.c_str());
  return f;
}

// f of every element, each a scalar, as one array of the cell's shape: logical or
// char when every result is, complex when any is.
Mt uniform(fn1 f, const Mc& c) {
  Mt o = Mt::zeros(c.rows(), c.cols(), true);
  std::uint32_t flags = 0;
  for (std::size_t k = 0; k < c.numel(); ++k) {
    Mt v = f(c.elem(k));
    if (v.numel() != 1) grl_fail("cellfun: all values must be scalars when UniformOutput = true");
    const std::uint32_t vf = sc::class_flags(v);
    if (k > 0 && vf != flags)
      grl_fail("cellfun: return values must be of the same type when UniformOutput = true");
    flags = vf;
    o.pr()[k] = v.cre()[0];
    o.pi()[k] = v.ielem(0);
  }
  o.drop_imag();
  o.set_flags(flags);
  return o;
}

Mc each(fn1 f, const Mc& c) {
  Mc o = sc::cells_of(c.rows(), c.cols());
  for (std::size_t k = 0; k < c.numel(); ++k) o.welem(k) = f(c.elem(k));
  return o;
}

// cellfun('size', c, k) and cellfun('isclass', c, class).
Mt size_along(const Mc& c, const Mt& k) {
  const double d = k.isempty() || k.ischar() ? 0 : double(k.cre()[0]);
  if (!(d >= 1) || d != std::floor(d)) grl_fail("cellfun: K must be a positive integer");
  Mt o = Mt::zeros(c.rows(), c.cols());
  for (std::size_t e = 0; e < c.numel(); ++e) o.pr()[e] = m_type(c.elem(e).size(int(d > 3 ? 3 : d)));
  return o;
}

Mt is_class(const Mc& c, const Mt& cls) {
  const std::string want = su::text(cls);
  Mt o = sc::falses(c.rows(), c.cols());
  for (std::size_t e = 0; e < c.numel(); ++e) {
    const Mt& x = c.elem(e);
    const char* has = x.ischar() ? "char" : x.islogical() ? "logical" : GRLIB == 1 ? "single" : "double";
    o.pr()[e] = want == has ? 1 : 0;
  }
  return o;
}

// An option name: any leading part of the name, in any case.
bool option_is(const std::string& opt, const char* full) {
  if (opt.empty()) return false;
  for (std::size_t k = 0; k < opt.size(); ++k)
    if (!full[k] || std::tolower((unsigned char)opt[k]) != full[k]) return false;
  return true;
}

// A handle of a function cellfun does not know by name (an anonymous function, a
// function of the program) goes the general way: grl::cellfun_cells.
bool general(const Mt& name) {
  if (!(name.flags_ & F_HANDLE)) return false;
  if (is_anon(name)) return true;
  const std::string n = su::text(name);
  return !legacy_fn(n) && !lookup(builtins, sizeof builtins / sizeof *builtins, n);
}

Mt general_call(std::vector<Mt> in) {
  deal_t d;
  d.in = std::move(in);
  cellfun_value r = cellfun_cells(d);
  return r.is_cell ? (r.taken = true, Mt(r.cell)) : Mt(static_cast<const Mt&>(r));
}

}  // namespace

}  // namespace grl

using grl::Mc;
using grl::Mt;

Mt cellfun(const Mt& name, const Mc& c) {
  if (grl::general(name)) return grl::general_call({name, Mt(c)});
  const std::string n = grl::name_of(name);
  if (n == "size" || n == "isclass") grl_fail("cellfun: not enough arguments for \"%s\"", n.c_str());
  if (grl::fn1 f = grl::legacy_fn(n)) return grl::uniform(f, c);
  return grl::uniform(grl::builtin_fn(n), c);
}

Mt cellfun(const Mt& name, const Mc& c, const Mt& k) {
  if (grl::general(name)) return grl::general_call({name, Mt(c), k});
  const std::string n = grl::name_of(name);
  if (n == "size") return grl::size_along(c, k);
  if (n == "isclass") return grl::is_class(c, k);
  if (grl::fn1 f = grl::legacy_fn(n)) return grl::uniform(f, c);
  grl::builtin_fn(n);
  grl_fail("cellfun: arguments must be cells");
}

grl::cellfun_value cellfun(const Mt& name, const Mc& c, const Mt& opt, const Mt& val) {
  if (grl::general(name)) {
    grl::deal_t d;
    d.in = {name, Mt(c), opt, val};
    return grl::cellfun_cells(d);
  }
  const std::string n = grl::name_of(name);
  grl::cellfun_value r("cellfun: with UniformOutput true the result is an array, not a cell array",
                       "cellfun: with UniformOutput false the result is a cell array; it cannot be used as a matrix");
  if (n == "size" || n == "isclass") {
    // The extra argument comes first: cellfun('size', c, k, ...) ignores the rest.
    grl_fail("cellfun: not enough arguments for \"%s\"", n.c_str());
  }
  // A name given as text takes the old array-valued path whatever the option; a
  // handle @isempty follows UniformOutput like any function.
  if (grl::fn1 f = name.flags_ & grl::F_HANDLE ? nullptr : grl::legacy_fn(n)) {
    static_cast<Mt&>(r) = grl::uniform(f, c);
    return r;
  }
  grl::fn1 f = grl::builtin_fn(n);
  if (!opt.ischar()) grl_fail("cellfun: arguments must be cells");
  const std::string o = grl::su::text(opt);
  if (grl::option_is(o, "errorhandler")) grl_fail("cellfun: invalid value for 'ErrorHandler' function");
  if (!grl::option_is(o, "uniformoutput")) grl_fail("cellfun: unrecognized parameter %s", o.c_str());
  if (val.isempty()) grl_fail("cellfun: UniformOutput must be true or false");
  if (val.cre()[0] != 0) {
    static_cast<Mt&>(r) = grl::uniform(f, c);
  } else {
    r.set_cell(grl::each(f, c));
  }
  return r;
}

// C given as a value of any class: the cell it holds (a field, an element of a cell).
Mt cellfun(const Mt& name, const Mt& c) {
  if (!c.holds_cell()) grl_fail("cellfun: C must be a cell array");
  return cellfun(name, c.held_cell());
}
Mt cellfun(const Mt& name, const Mt& c, const Mt& k) {
  if (!c.holds_cell()) grl_fail("cellfun: C must be a cell array");
  return cellfun(name, c.held_cell(), k);
}
Mt cellfun(const Mt& name, const Mt& c, const Mt& opt, const Mt& val) {
  if (!c.holds_cell()) grl_fail("cellfun: C must be a cell array");
  grl::cellfun_value r = cellfun(name, c.held_cell(), opt, val);
  if (r.is_cell) return Mt::of_cell(static_cast<Mc>(r));
  return static_cast<const Mt&>(r);
}

