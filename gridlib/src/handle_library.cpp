// Library functions called by a name known only while the program runs: str2func of
// built text, feval of a variable, a handle made from a name read from data. The
// program's own functions are found first, by its feval dispatcher; a name it does not
// know comes here, and a name this table does not know either fails as in M.
#include "gridlib_funfun.h"

#include <string>
#include <unordered_map>

using grl::Mc;
using grl::Mt;

namespace {

// A library function with fixed outputs: the fewest and most inputs it takes, and the
// call for the inputs in a cell (one output); `more`, when set, gives two outputs.
struct library_entry {
  std::size_t min_in, max_in;
  Mt (*one)(const Mc& a);
  void (*two)(const Mc& a, Mt& y1, Mt& y2) = nullptr;
  // Functions whose results depend on how many are asked for (find, size, lu) or that
  // give three or more: nout results (1 to 4) into y.
  void (*many)(const Mc& a, int nout, Mt* y) = nullptr;
};

const Mt& in(const Mc& a, std::size_t k) { return a.elem(k); }

#define ONE(name, f) {name, {1, 1, [](const Mc& a) { return Mt(f(in(a, 0))); }}}
#define TWO(name, f) {name, {2, 2, [](const Mc& a) { return Mt(f(in(a, 0), in(a, 1))); }}}
#define ONE_TWO(name, f)                                                             \
  {name, {1, 2, [](const Mc& a) {                                                    \
            return a.numel() == 1 ? Mt(f(in(a, 0))) : Mt(f(in(a, 0), in(a, 1)));  \
          }}}
#define TWO_THREE(name, f)                                                           \
  {name, {2, 3, [](const Mc& a) {                                                    \
            return a.numel() == 2 ? Mt(f(in(a, 0), in(a, 1))) : Mt(f(in(a, 0), in(a, 1), in(a, 2))); \
          }}}
#define ONE_THREE(name, f)                                                           \
  {name, {1, 3, [](const Mc& a) {                                                    \
            return a.numel() == 1   ? Mt(f(in(a, 0)))                                \
                   : a.numel() == 2 ? Mt(f(in(a, 0), in(a, 1)))                      \
                                    : Mt(f(in(a, 0), in(a, 1), in(a, 2)));           \
          }}}
// max and min: max(x), max(a, b), max(x, [], dim); [m, k] = max(x) and max(x, [], dim).
#define EXTREME(name, f)                                                              \
  {name, {1, 3,                                                                       \
          [](const Mc& a) {                                                           \
            return a.numel() == 1   ? Mt(f(in(a, 0)))                                 \
                   : a.numel() == 2 ? Mt(f(in(a, 0), in(a, 1)))                       \
                                    : Mt(f(in(a, 0), in(a, 1), in(a, 2)));            \
          },                                                                          \
          [](const Mc& a, Mt& y1, Mt& y2) {                                           \
            if (a.numel() == 1) f(in(a, 0), i_o, y1, y2);                             \
            else if (a.numel() == 2) f(in(a, 0), in(a, 1), i_o, y1, y2);              \
            else f(in(a, 0), in(a, 1), in(a, 2), i_o, y1, y2);                        \
          }}}

// An entry answered by `many` alone, for any number of outputs up to most.
#define MANY(name, lo, hi, most, body) \
  {name, {lo, hi, nullptr, nullptr, [](const Mc& a, int nout, Mt* y) { \
            if (nout > most) grl::fail_return_list(std::size_t(most) + 1); \
            body; \
          }}}
// One output references per slot of y.
#define Y0 Mr<m_type>(y[0])
#define Y1 Mr<m_type>(y[1])
#define Y2 Mr<m_type>(y[2])
#define Y3 Mr<m_type>(y[3])

// numel(x, i1, ..., in): how many elements x(i1, ..., in) has; a ":" counts the extent
// of its dimension (the last one the extents from there on).
Mt numel_of(const Mc& a) {
  const Mt& x = in(a, 0);
  if (a.numel() == 1) return numel(x);
  const grl::sizes d = x.shape();
  const std::size_t n = a.numel() - 1;
  double count = 1;
  for (std::size_t k = 0; k < n; ++k) {
    const Mt& i = in(a, k + 1);
    if (i.ischar() && i.numel() == 1 && i.cre()[0] == ':') {
      double e = 1;
      for (std::size_t j = k; j < d.size() && (j == k || k + 1 == n); ++j) e *= double(d[j]);
      if (k >= d.size()) e = 1;
      count *= e;
    } else {
      count *= double(i.numel());
    }
  }
  return Mt(m_type(count));
}

// [d1, d2, ..., dn] = size(x): the last output takes the product of the dimensions left.
void size_outputs(const Mc& a, int nout, Mt* y) {
  if (a.numel() > 1) {
    if (nout > 1) grl_fail("size: nargout > 1 but DIM is given");
    y[0] = size(in(a, 0), in(a, 1));
    return;
  }
  const Mt s = size(in(a, 0));
  const std::size_t n = s.numel();
  for (int k = 0; k < nout; ++k) {
    double v = std::size_t(k) < n ? double(s.cre()[k]) : 1.0;
    if (k == nout - 1)
      for (std::size_t j = std::size_t(k) + 1; j < n; ++j) v *= double(s.cre()[j]);
    y[k] = Mt(m_type(v));
  }
}

void find_outputs(const Mc& a, int nout, Mt* y) {
  const std::size_t n = a.numel();
  if (nout == 1) {
    y[0] = n == 1 ? Mt(find(in(a, 0))) : n == 2 ? Mt(find(in(a, 0), in(a, 1))) : Mt(find(in(a, 0), in(a, 1), in(a, 2)));
  } else if (nout == 2) {
    if (n == 1) find(in(a, 0), i_o, Y0, Y1);
    else if (n == 2) find(in(a, 0), in(a, 1), i_o, Y0, Y1);
    else find(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1);
  } else {
    if (n == 1) find(in(a, 0), i_o, Y0, Y1, Y2);
    else if (n == 2) find(in(a, 0), in(a, 1), i_o, Y0, Y1, Y2);
    else find(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1, Y2);
  }
}

void sort_outputs(const Mc& a, int nout, Mt* y) {
  const std::size_t n = a.numel();
  if (nout == 1) {
    y[0] = n == 1 ? Mt(sort(in(a, 0))) : n == 2 ? Mt(sort(in(a, 0), in(a, 1))) : Mt(sort(in(a, 0), in(a, 1), in(a, 2)));
    return;
  }
  if (n == 1) sort(in(a, 0), i_o, Y0, Y1);
  else if (n == 2) sort(in(a, 0), in(a, 1), i_o, Y0, Y1);
  else sort(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1);
}

void unique_outputs(const Mc& a, int, Mt* y) {
  const std::size_t n = a.numel();
  if (n == 1) unique(in(a, 0), i_o, Y0, Y1, Y2);
  else if (n == 2) unique(in(a, 0), in(a, 1), i_o, Y0, Y1, Y2);
  else unique(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1, Y2);
}

void meshgrid_outputs(const Mc& a, int nout, Mt* y) {
  const std::size_t n = a.numel();
  if (n == 3 || nout == 3) {
    if (n == 1) meshgrid(in(a, 0), i_o, Y0, Y1, Y2);
    else if (n == 3) meshgrid(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1, Y2);
    else grl_fail("meshgrid: called with 2 inputs, 3 outputs");
  } else if (n == 1) {
    meshgrid(in(a, 0), i_o, Y0, Y1);
  } else {
    meshgrid(in(a, 0), in(a, 1), i_o, Y0, Y1);
  }
}

void ndgrid_outputs(const Mc& a, int nout, Mt* y) {
  const std::size_t n = a.numel();
  if (n == 1) {
    if (nout == 1) y[0] = ndgrid(in(a, 0));
    else ndgrid(in(a, 0), i_o, Y0, Y1, Y2);
  } else if (n == 2) {
    if (nout > 2) grl::fail_return_list(3);
    ndgrid(in(a, 0), in(a, 1), i_o, Y0, Y1);
  } else {
    ndgrid(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1, Y2);
  }
}

const std::unordered_map<std::string, library_entry>& library_table() {
  static const std::unordered_map<std::string, library_entry> table = {
      // Elementwise mathematics.
      ONE("sin", sin_M), ONE("cos", cos_M), ONE("tan", tan_M), ONE("asin", asin_M),
      ONE("acos", acos_M), ONE("atan", atan_M), ONE("sinh", sinh_M), ONE("cosh", cosh_M),
      ONE("tanh", tanh_M), ONE("exp", exp_M), ONE("log", log_M), ONE("log10", log10_M),
      ONE("log2", log2_M), ONE("sqrt", sqrt_M), ONE("abs", abs_M), ONE("floor", floor_M),
      ONE("ceil", ceil_M), ONE("round", round_M), ONE("fix", fix), ONE("sign", sign),
      ONE("real", real), ONE("imag", imag), ONE("conj", conj), ONE("angle", angle),
      ONE("gamma", gamma_M), ONE("factorial", factorial), ONE("isnan", isnan_M),
      ONE("isinf", isinf_M), ONE("isfinite", isfinite_M), ONE("isprime", isprime),
      ONE("primes", primes), TWO("mod", mod), TWO("rem", rem), TWO("atan2", atan2_M),
      TWO("hypot", hypot_M), TWO("power", power), TWO("plus", plus), TWO("minus", minus),
      TWO("times", times), TWO("rdivide", rdivide), TWO("mtimes", mtimes),
      TWO("mrdivide", mrdivide), TWO("mldivide", mldivide), TWO("nchoosek", nchoosek),
      // Reductions and arrays.
      ONE_TWO("sum", sum), ONE_TWO("prod", prod), ONE_TWO("mean", mean), ONE_TWO("median", median),
      ONE_TWO("cumsum", cumsum), ONE_TWO("cumprod", cumprod), ONE_TWO("any", any),
      ONE_TWO("all", all), ONE_THREE("std", std_M), ONE_THREE("var", var),
      ONE_THREE("diff", diff), ONE_TWO("norm", norm), ONE("det", det), ONE("inv", inv),
      ONE("trace", trace), ONE_TWO("rank", rank), ONE("transpose", transpose),
      ONE("ctranspose", ctranspose), ONE("fliplr", fliplr), ONE("flipud", flipud),
      {"numel", {1, 64, numel_of}}, ONE("length", length), ONE("ndims", ndims), ONE("isempty", isempty),
      ONE("nnz", nnz), TWO("kron", kron), TWO_THREE("dot", dot),
      TWO_THREE("cross", cross), EXTREME("max", max),
      EXTREME("min", min),
      {"sort", {1, 3, nullptr, nullptr, sort_outputs}}, {"size", {1, 2, nullptr, nullptr, size_outputs}},
      {"find", {1, 3, nullptr, nullptr, find_outputs}}, {"unique", {1, 3, nullptr, nullptr, unique_outputs}},
      {"meshgrid", {1, 3, nullptr, nullptr, meshgrid_outputs}}, {"ndgrid", {1, 3, nullptr, nullptr, ndgrid_outputs}},
      MANY("ismember", 2, 3, 2, if (a.numel() == 2) ismember(in(a, 0), in(a, 1), i_o, Y0, Y1);
           else ismember(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1)),
      MANY("setdiff", 2, 3, 2, if (a.numel() == 2) setdiff(in(a, 0), in(a, 1), i_o, Y0, Y1);
           else setdiff(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1)),
      MANY("intersect", 2, 3, 3, if (a.numel() == 2) intersect(in(a, 0), in(a, 1), i_o, Y0, Y1, Y2);
           else intersect(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1, Y2)),
      MANY("union", 2, 3, 3, if (a.numel() == 2) union_M(in(a, 0), in(a, 1), i_o, Y0, Y1, Y2);
           else union_M(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1, Y2)),
      MANY("histc", 2, 3, 2, if (a.numel() == 2) histc(in(a, 0), in(a, 1), i_o, Y0, Y1);
           else histc(in(a, 0), in(a, 1), in(a, 2), i_o, Y0, Y1)),
      MANY("sortrows", 1, 2, 2, if (a.numel() == 1) sortrows(in(a, 0), i_o, Y0, Y1);
           else sortrows(in(a, 0), in(a, 1), i_o, Y0, Y1)),
      MANY("fileparts", 1, 1, 3, fileparts(in(a, 0), i_o, Y0, Y1, Y2)),
      MANY("lu", 1, 1, 3, if (nout == 1) lu(in(a, 0), i_o, Y0);
           else if (nout == 2) lu(in(a, 0), i_o, Y0, Y1); else lu(in(a, 0), i_o, Y0, Y1, Y2)),
      MANY("eig", 1, 1, 2, if (nout == 1) eig(in(a, 0), i_o, Y0); else eig(in(a, 0), i_o, Y0, Y1)),
      MANY("svd", 1, 1, 3, if (nout == 1) svd(in(a, 0), i_o, Y0);
           else if (nout == 2) svd(in(a, 0), i_o, Y0, Y1); else svd(in(a, 0), i_o, Y0, Y1, Y2)),
      MANY("qr", 1, 1, 2, if (nout == 1) qr(in(a, 0), i_o, Y0); else qr(in(a, 0), i_o, Y0, Y1)),
      MANY("cummax", 1, 2, 2, if (a.numel() == 1) cummax(in(a, 0), i_o, Y0, Y1);
           else cummax(in(a, 0), in(a, 1), i_o, Y0, Y1)),
      MANY("cummin", 1, 2, 2, if (a.numel() == 1) cummin(in(a, 0), i_o, Y0, Y1);
           else cummin(in(a, 0), in(a, 1), i_o, Y0, Y1)),
      ONE_TWO("range", range),
      // Interpolation, polynomials, grids of numbers.
      {"interp1", {2, 5, [](const Mc& a) {
                     switch (a.numel()) {
                       case 2: return Mt(interp1(in(a, 0), in(a, 1)));
                       case 3: return Mt(interp1(in(a, 0), in(a, 1), in(a, 2)));
                       case 4: return Mt(interp1(in(a, 0), in(a, 1), in(a, 2), in(a, 3)));
                       default: return Mt(interp1(in(a, 0), in(a, 1), in(a, 2), in(a, 3), in(a, 4)));
                     }
                   }}},
      TWO("polyval", polyval), {"polyfit", {3, 3, [](const Mc& a) { return Mt(polyfit(in(a, 0), in(a, 1), in(a, 2))); }}},
      TWO_THREE("conv", conv), TWO_THREE("linspace", linspace), TWO_THREE("repmat", repmat),
      TWO_THREE("reshape", reshape), ONE_THREE("trapz", trapz), ONE_THREE("cumtrapz", cumtrapz),
      ONE_TWO("mat2str", mat2str), {"strrep", {3, 3, [](const Mc& a) { return Mt(strrep(in(a, 0), in(a, 1), in(a, 2))); }}},
      // Text.
      ONE("upper", upper), ONE("lower", lower), ONE("strtrim", strtrim), ONE("deblank", deblank),
      ONE_TWO("num2str", num2str), ONE("int2str", int2str), ONE("str2num", str2num),
      ONE("str2double", str2double), TWO("strcmp", strcmp), TWO("strcmpi", strcmpi),
      ONE("func2str", func2str), ONE("double", double_M), ONE("class", class_M),
      TWO("isfield", isfield), ONE("cell2mat", cell2mat),
  };
  return table;
}

#undef ONE
#undef TWO
#undef ONE_TWO
#undef ONE_THREE
#undef TWO_THREE
#undef EXTREME
#undef MANY
#undef Y0
#undef Y1
#undef Y2
#undef Y3

}  // namespace

M<m_type> grl::library_list_call(const char* fn, const std::vector<M<m_type>>& args) {
  Mc cell = Mc::alloc(1, args.size());
  for (std::size_t k = 0; k < args.size(); ++k) cell.welem(k) = args[k];
  Mc outs;
  if (!call_library(fn, cell, 1, outs)) grl_fail("Invalid call to %s", fn);
  return outs.elem(0);
}

bool grl::call_library(const std::string& name, const Mc& args, int nout, Mc& outs) {
  const auto& table = library_table();
  const auto found = table.find(name);
  if (found == table.end()) return false;
  const library_entry& f = found->second;
  if (args.numel() < f.min_in || args.numel() > f.max_in) grl_fail("Invalid call to %s", name.c_str());
  if (f.many) {
    const int n = nout < 1 ? 1 : nout > 4 ? 4 : nout;
    Mt y[4];
    f.many(args, n, y);
    outs = Mc::alloc(1, std::size_t(n));
    for (int k = 0; k < n; ++k) outs.welem(std::size_t(k)) = y[k];
    return true;
  }
  if (nout <= 1) {
    outs = Mc::alloc(1, 1);
    outs.welem(0) = f.one(args);
    return true;
  }
  if (!f.two) {   // the one output there is; the caller fails on the second
    outs = Mc::alloc(1, 1);
    outs.welem(0) = f.one(args);
    return true;
  }
  Mt y1, y2;
  f.two(args, y1, y2);
  outs = Mc::alloc(1, 2);
  outs.welem(0) = y1;
  outs.welem(1) = y2;
  return true;
}

void grl::fail_unknown_function(const Mt& fun) {
  const std::string name = text_of(fun);
  if (fun.flags_ & grl::F_HANDLE)
    grl_fail("invalid function handle, unable to find function for @%s", name.c_str());
  grl_fail("feval: function '%s' not found", name.c_str());
}

void grl::library_outputs(const Mt& fun, const Mc& args, Mr<m_type>* ys[4]) {
  int n = int(nargout_val);
  if (n < 1) n = 1;
  if (n > 4) n = 4;
  Mc outs;
  if (!call_library(text_of(fun), args, n, outs)) fail_unknown_function(fun);
  for (int k = 0; k < n; ++k) {
    if (std::size_t(k) >= outs.numel()) grl::fail_return_list(std::size_t(k) + 1);
    *ys[k] = outs.elem(std::size_t(k));
  }
}
