// arrayfun and cellfun of any handle: every element (or cell element) of the inputs,
// taken together, through the function; the results gathered into arrays of the
// inputs' shape, or into cells with 'UniformOutput', false.
#include <cctype>
#include <string>
#include <vector>

#include "gridlib_funfun.h"
#include "strcell_util.h"

namespace {

using grl::Mc;
using grl::Mt;

bool option_is(const Mt& v, const char* full) {
  if (!v.ischar() || v.isempty()) return false;
  const std::string t = grl::su::text(v);
  std::size_t k = 0;
  for (; k < t.size(); ++k)
    if (!full[k] || std::tolower((unsigned char)t[k]) != full[k]) return false;
  return true;
}

struct apply_call {
  const char* who;          // "arrayfun" or "cellfun"
  Mt f;
  std::vector<Mt> data;     // the arrays, or the values holding the cells
  bool uniform = true;
  Mt handler;               // 'ErrorHandler': called in place of f when f fails
  bool has_handler = false;
  std::size_t rows = 0, cols = 0;
  grl::sizes shape;         // all extents, the results' shape
};

// The inputs after the function: the data, then name/value options.
apply_call parse(const char* who, const grl::deal_t& d, bool cells) {
  apply_call c;
  c.who = who;
  if (d.in.empty()) grl_fail("Invalid call to %s", who);
  c.f = d.in[0];
  if (!(c.f.flags_ & grl::F_HANDLE)) {
    if (!c.f.ischar())
      grl_fail("%s: FCN must be a function handle or the name of a function", who);
    c.f = grl::handle(c.f);
  }
  std::size_t k = 1;
  for (; k < d.in.size(); ++k) {
    const Mt& v = d.in[k];
    if (k + 1 < d.in.size() && (option_is(v, "uniformoutput") || option_is(v, "errorhandler")))
      break;
    if (cells && !v.holds_cell()) grl_fail("%s: C must be a cell array", who);
    c.data.push_back(v);
  }
  for (; k < d.in.size(); k += 2) {
    const Mt& name = d.in[k];
    if (k + 1 >= d.in.size()) grl_fail("%s: unrecognized parameter %s", who, grl::su::text(name).c_str());
    const Mt& v = d.in[k + 1];
    if (option_is(name, "uniformoutput")) {
      if (v.isempty()) grl_fail("%s: UniformOutput must be true or false", who);
      c.uniform = v.cre()[0] != 0;
    } else if (option_is(name, "errorhandler")) {
      if (!(v.flags_ & grl::F_HANDLE)) grl_fail("%s: invalid value for 'ErrorHandler' function", who);
      c.handler = v;
      c.has_handler = true;
    } else {
      grl_fail("%s: unrecognized parameter %s", who, name.ischar() ? grl::su::text(name).c_str() : "");
    }
  }
  if (c.data.empty()) grl_fail("Invalid call to %s", who);
  for (std::size_t j = 0; j < c.data.size(); ++j) {
    const Mt& v = c.data[j];
    const std::size_t r = cells ? v.held_cell().rows() : v.rows();
    const std::size_t q = cells ? v.held_cell().cols() : v.cols();
    const grl::sizes e = cells ? v.held_cell().shape() : v.shape();
    if (j == 0) {
      c.rows = r;
      c.cols = q;
      c.shape = e;
    } else if (e != c.shape) {
      grl_fail("%s: all the input arguments must have the same size and shape", who);
    }
  }
  return c;
}

// Element k of an array input, with its class.
Mt element(const Mt& v, std::size_t k) {
  if (v.holds_cell()) {
    Mc one = Mc::alloc(1, 1);
    one.welem(0) = v.held_cell().elem(k);
    return Mt(one);
  }
  return v.get1(grl::ix<m_type>(double(k + 1)));
}

// arrayfun's message carries the interpreter's identifier for a bad call; cellfun's none.
[[noreturn]] void fail_not_scalar(const char* who) {
  grl_fail_id(std::string(who) == "arrayfun" ? "Octave:invalid-fun-call" : "",
              "%s: all values must be scalars when UniformOutput = true", who);
}

// The outputs of the function for element k. When it fails and an ErrorHandler was
// given, the handler's outputs stand in: its inputs are a structure of the error
// (identifier, message, index: the element's number, from 1) and the same inputs.
void call_one(const apply_call& c, std::size_t k, const Mc& args, int nout, Mc& outs) {
  if (!c.has_handler) {
    grl::call_handle(c.f, args, nout, outs);
    return;
  }
  try {
    grl::call_handle(c.f, args, nout, outs);
    return;
  } catch (const grl::exception& e) {
    Mt err;
    grl::field_ref(err, "identifier") = TM(e.identifier().c_str());
    grl::field_ref(err, "message") = TM(e.message().c_str());
    grl::field_ref(err, "index") = Mt(m_type(k + 1));
    std::vector<Mt> in{err};
    for (std::size_t j = 0; j < args.numel(); ++j) in.push_back(args.elem(j));
    grl::call_handle(c.handler, grl::arg_cell(in), nout, outs);
  }
}

grl::cell_or_array run(const apply_call& c, const grl::deal_t& d, bool cells) {
  const int nout = d.out.empty() ? 1 : int(d.out.size());
  const std::size_t n = c.rows * c.cols;
  std::vector<Mt> arrays(static_cast<std::size_t>(nout));
  std::vector<Mc> results(static_cast<std::size_t>(nout));
  std::vector<std::uint32_t> flags(std::size_t(nout), 0);
  // The numeric class of the first result of each output is the array's class.
  std::vector<grl::mclass> classes(std::size_t(nout), grl::mc_none);
  for (int o = 0; o < nout; ++o) {
    if (c.uniform) arrays[o] = Mt::zeros(c.rows, c.cols, true);
    else results[o] = Mc::alloc(c.rows, c.cols);
    if (c.shape.size() > 2) {
      if (c.uniform) arrays[o].set_shape(c.shape);
      else results[o].set_shape(c.shape);
    }
  }
  // Uniform results that are 1 x 1 structures or cells are joined into a structure
  // array or a cell of the inputs' shape; numbers go into arrays.
  enum kind_t { k_number, k_struct, k_cell };
  std::vector<kind_t> kinds(std::size_t(nout), k_number);
  std::vector<std::vector<Mt>> held(static_cast<std::size_t>(nout));
  Mc args = Mc::alloc(1, c.data.size());
  Mc outs;
  for (std::size_t k = 0; k < n; ++k) {
    for (std::size_t j = 0; j < c.data.size(); ++j)
      args.welem(j) = cells ? c.data[j].held_cell().elem(k) : element(c.data[j], k);
    call_one(c, k, args, nout, outs);
    for (int o = 0; o < nout; ++o) {
      if (std::size_t(o) >= outs.numel())
        grl_fail("%s: function returned fewer than nargout values", c.who);
      const Mt& v = outs.elem(std::size_t(o));
      if (!c.uniform) {
        results[o].welem(k) = v;
        continue;
      }
      if ((v.holds_cell() ? v.held_cell().numel() : v.numel()) != 1) fail_not_scalar(c.who);
      const kind_t kind = v.holds_struct() ? k_struct : v.holds_cell() ? k_cell : k_number;
      const std::uint32_t vf = grl::sc::class_flags(v);
      if (k > 0 && (vf != flags[o] || kind != kinds[o]))
        grl_fail("%s: return values must be of the same type when UniformOutput = true", c.who);
      flags[o] = vf;
      kinds[o] = kind;
      if (k == 0) classes[o] = v.num_class();
      if (kind != k_number) {
        held[o].push_back(v);
        continue;
      }
      if (!v.cre()) fail_not_scalar(c.who);   // a value of no numbers (an object): no element of an array
      arrays[o].pr()[k] = v.cre()[0];
      arrays[o].pi()[k] = v.ielem(0);
    }
  }
  grl::cell_or_array r(
      cells ? "cellfun: with UniformOutput true the result is an array, not a cell array"
            : "arrayfun: with UniformOutput true the result is an array, not a cell array",
      cells ? "cellfun: with UniformOutput false the result is a cell array; it cannot be used as a matrix"
            : "arrayfun: with UniformOutput false the result is a cell array; it cannot be used as a matrix");
  for (int o = 0; o < nout; ++o) {
    Mt value;
    if (c.uniform && n > 0 && kinds[o] == k_struct) {
      value = grl::struct_cat(2, held[o]);
      value.set_shape(c.shape.size() > 2 ? c.shape : grl::sizes{c.rows, c.cols});
    } else if (c.uniform && n > 0 && kinds[o] == k_cell) {
      Mc joined = Mc::alloc(c.rows, c.cols);
      for (std::size_t k = 0; k < n; ++k) joined.welem(k) = held[o][k].held_cell().elem(0);
      if (c.shape.size() > 2) joined.set_shape(c.shape);
      value = Mt(joined);
    } else if (c.uniform) {
      arrays[o].drop_imag();
      arrays[o].set_flags(flags[o]);
      if (classes[o] != grl::mc_none && !flags[o]) grl::apply_class(arrays[o], classes[o]);
      value = arrays[o];
    } else {
      value = Mt(results[o]);
    }
    if (o == 0) {
      if (c.uniform) static_cast<Mt&>(r) = value;
      else r.set_cell(results[0]);
    }
    if (std::size_t(o) < d.out.size()) {
      Mr<m_type> ref = d.out[std::size_t(o)];
      ref = value;
    }
  }
  return r;
}

}  // namespace

grl::cell_or_array grl::arrayfun_cells(const deal_t& d) {
  const apply_call c = parse("arrayfun", d, false);
  return run(c, d, false);
}

grl::cell_or_array grl::cellfun_cells(const deal_t& d) {
  const apply_call c = parse("cellfun", d, true);
  return run(c, d, true);
}
