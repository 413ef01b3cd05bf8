// Argument checks and shapes shared by the numeric built-ins.
#include "math_util.h"

#include <cstdio>
#include <limits>

namespace grl {
namespace mth {

std::size_t size_value(double v) {
  if (v != v) grl_fail("conversion of nan to octave_idx_type value failed");
  if (std::isinf(v)) {
    if (v < 0) return 0;
    grl::fail_too_large();
  }
  if (v != std::floor(v)) grl_fail("conversion of %g to octave_idx_type value failed", v);
  if (v < 0) return 0;
  if (v > 4294967295.0) grl::fail_too_large();
  return std::size_t(v);
}

// A size given as one of several scalar arguments; Octave words its faults differently.
static std::size_t size_scalar(double v) {
  if (v != v) grl_fail("conversion of nan to int64_t value failed");
  if (!std::isinf(v) && v != std::floor(v)) grl_fail("conversion of %g to int64_t value failed", v);
  return size_value(v);
}

static double scalar_of(const Mt& x, const char* fn) {
  if (x.numel() != 1) grl_fail("%s (A): use %s (size (A)) instead", fn, fn);
  return double(x.cre()[0]);
}

void dims0(std::size_t& r, std::size_t& c) { r = c = 1; }

void dims1(const Mt& n, const char* fn, std::size_t& r, std::size_t& c) {
  if (n.isc()) grl_fail("%s: dimensions must be real", fn);
  if (n.numel() == 1) {
    r = c = size_value(n.cre()[0]);
    return;
  }
  if (n.rows() != 1 && n.cols() != 1)
    grl_fail("%s (A): use %s (size (A)) instead", fn, fn);
  if (n.numel() == 0) {
    r = c = 0;
    return;
  }
  const m_type* p = n.cre();
  r = size_value(p[0]);
  c = size_value(p[1]);
  for (std::size_t k = 2; k < n.numel(); ++k)
    if (size_value(p[k]) != 1) grl_fail("%s: N-dimensional arrays are not supported", fn);
}

// Whether a class name after the sizes may name any numeric class: zeros, ones and eye
// make a value of it (the caller converts); the others make doubles only.
static bool takes_class(const Mt& name, const char* fn) {
  const mclass c = class_arg(name);
  if (c == mc_double) return true;
  const std::string f = fn;
  return c <= mc_uint64 && (f == "zeros" || f == "ones" || f == "eye");
}

void dims2(const Mt& a, const Mt& b, const char* fn, std::size_t& r, std::size_t& c) {
  // zeros(n, 'int8'): the class name of the result.
  if (b.ischar()) {
    if (!takes_class(b, fn)) grl_fail("invalid data type specified");
    dims1(a, fn, r, c);
    return;
  }
  if (a.isc() || b.isc()) grl_fail("%s: dimensions must be real", fn);
  r = size_value(scalar_of(a, fn));
  c = size_value(scalar_of(b, fn));
}

void dims3(const Mt& a, const Mt& b, const Mt& k, const char* fn, std::size_t& r, std::size_t& c) {
  // zeros(r, c, 'double') or zeros(r, c, 1): a third size other than 1 would make a
  // three-dimensional array, which the library does not hold.
  if (k.ischar()) {
    if (!takes_class(k, fn)) grl_fail("invalid data type specified");
  } else if (k.numel() != 1 || k.isc() || size_value(k.cre()[0]) != 1) {
    grl_fail("%s: N-dimensional arrays are not supported", fn);
  }
  if (b.ischar()) grl_fail("invalid data type specified");
  dims2(a, b, fn, r, c);
}

grl::sizes dims_list(const std::vector<Mt>& a, const char* fn) {
  if (a.empty()) return grl::sizes{1, 1};
  for (const Mt& x : a)
    if (x.isc()) grl_fail("%s: dimensions must be real", fn);
  if (a.size() == 1) {
    const Mt& n = a[0];
    if (n.numel() == 1) {
      const std::size_t v = size_value(n.cre()[0]);
      return grl::sizes{v, v};
    }
    if ((n.rows() != 1 && n.cols() != 1) || n.ndims() > 2) grl_fail("%s (A): use %s (size (A)) instead", fn, fn);
    if (n.numel() == 0) return grl::sizes{0, 0};
    grl::sizes d;
    for (std::size_t k = 0; k < n.numel(); ++k) d.push_back(size_value(n.cre()[k]));
    if (d.size() == 1) d.push_back(d[0]);
    return d;
  }
  grl::sizes d;
  for (const Mt& x : a) d.push_back(size_scalar(scalar_of(x, fn)));
  return d;
}

bool takes_class_name(const Mt& name, const char* fn) { return takes_class(name, fn); }

std::string text(const Mt& x) {
  std::string s;
  if (!x.ischar()) return s;
  const std::size_t n = x.numel();
  s.resize(n);
  const m_type* p = x.cre();
  for (std::size_t k = 0; k < n; ++k) s[k] = char(int(p[k]));
  return s;
}

// A whole DIM below 1 is worded differently by different functions.
static void fail_low_dim(double v, const char* fn) {
  const std::string f = fn;
  if (f == "sum" || f == "prod") grl_fail("%s: invalid dimension DIM = %g", fn, v);
  if (f == "cumsum" || (v < 0 && (f == "cumprod" || f == "any" || f == "all")))
    grl_fail("%s: invalid dimension argument = %g", fn, v);
  if (f == "flip") grl_fail("flip: DIM must be a positive integer");
  if (f == "mean" || f == "median") grl_fail("%s: DIM must be an integer and a valid dimension", fn);
  grl_fail("%s: DIM must be a valid dimension", fn);
}

int dim_arg(const Mt& d, const char* fn) {
  if (d.numel() != 1 || d.isc()) grl_fail("%s: DIM must be a valid dimension", fn);
  const double v = double(d.cre()[0]);
  if (v < 1 && v == std::floor(v)) fail_low_dim(v, fn);
  if (!(v >= 1) || v != std::floor(v) || v > 1e9) grl_fail("%s: DIM must be a valid dimension", fn);
  return int(v);
}

const Mt* loose_dim(const Mt& x, const Mt* d, const char* fn, Mt& whole) {
  if (!d || d->numel() != 1 || d->isc()) return d;
  double v = double(d->cre()[0]);
  const std::string f = fn;
  if (f == "any" || f == "all") {
    v = v != v ? double(x.ndims() + 1) : std::trunc(v);
  } else if (v != std::floor(v)) {
    grl_fail("conversion of %g to int value failed", v);
  }
  if (v == 0) return nullptr;
  // Any dimension beyond the last gives the same groups: single elements.
  if (v > double(x.ndims())) v = double(x.ndims() + 1);
  whole = Mt(m_type(v));
  return &whole;
}

static void size_text(const Mt& a, char* buf, std::size_t n) {
  std::snprintf(buf, n, "%s", grl::dims_text(a.shape()).c_str());
}

void conform(const Mt& a, const Mt& b, const char* fn, std::size_t& r, std::size_t& c) {
  const std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  if ((a.ndims() > 2 || b.ndims() > 2) && a.numel() != 1 && b.numel() != 1 && a.shape() != b.shape())
    grl_fail("%s: nonconformant arguments (op1 is %s, op2 is %s)", fn, grl::dims_text(a.shape()).c_str(),
             grl::dims_text(b.shape()).c_str());
  if (ar == br && ac == bc) { r = ar; c = ac; return; }
  if (a.numel() == 1) { r = br; c = bc; return; }
  if (b.numel() == 1) { r = ar; c = ac; return; }
  if ((ar == br || ar == 1 || br == 1) && (ac == bc || ac == 1 || bc == 1)) {
    r = ar == 1 ? br : ar;
    c = ac == 1 ? bc : ac;
    return;
  }
  char sa[48], sb[48];
  size_text(a, sa, sizeof sa);
  size_text(b, sb, sizeof sb);
  grl_fail("%s: nonconformant arguments (op1 is %s, op2 is %s)", fn, sa, sb);
}

std::vector<Mt> along_nd(const Mt& x, int dim, along_fn f, const void* ctx) {
  const grl::sizes e = x.shape();
  const std::size_t d = std::size_t(dim - 1);
  std::vector<Mt> outs;
  if (d >= e.size()) {
    // Past the last dimension every element is its own group.
    Mt y = x;
    y.reshape_to(x.rows(), x.cols());
    outs = f(y, 3, ctx);
    for (Mt& o : outs) if (o.numel() == x.numel()) o.set_shape(e);
    return outs;
  }
  std::size_t before = 1, after = 1;
  for (std::size_t k = 0; k < d; ++k) before *= e[k];
  for (std::size_t k = d + 1; k < e.size(); ++k) after *= e[k];
  const std::size_t n = e[d];
  std::vector<std::size_t> along;   // each output's extent along dim
  if (d == 0 || after == 1) {
    Mt y = x;
    y.reshape_to(d == 0 ? n : before, d == 0 ? after : n);
    outs = f(y, d == 0 ? 1 : 2, ctx);
    for (const Mt& o : outs) along.push_back(d == 0 ? o.rows() : o.cols());
  } else {
    // One B x n slab after another; their results are laid side by side.
    const std::size_t slab = before * n;
    for (std::size_t a = 0; a < after; ++a) {
      Mt y = Mt::alloc(before, n, x.isc());
      m_type* yr = y.pr();
      for (std::size_t k = 0; k < slab; ++k) yr[k] = x.cre()[a * slab + k];
      if (x.isc()) {
        m_type* yi = y.pi();
        for (std::size_t k = 0; k < slab; ++k) yi[k] = x.cim()[a * slab + k];
      }
      y.flags_ = x.flags_;
      y.cls_ = x.cls_;
      std::vector<Mt> r = f(y, 2, ctx);
      if (a == 0) {
        for (const Mt& o : r) {
          outs.push_back(Mt::zeros(o.numel(), after));
          outs.back().flags_ = o.flags_;
          outs.back().cls_ = o.cls_;
          along.push_back(o.cols());
        }
      }
      for (std::size_t q = 0; q < r.size() && q < outs.size(); ++q) {
        const std::size_t m = r[q].numel();
        if (m * after != outs[q].numel()) continue;
        m_type* orr = outs[q].pr();
        for (std::size_t k = 0; k < m; ++k) orr[a * m + k] = r[q].cre()[k];
        if (r[q].isc()) {
          m_type* oi = outs[q].pi();
          for (std::size_t k = 0; k < m; ++k) oi[a * m + k] = r[q].cim()[k];
        }
      }
    }
    for (Mt& o : outs) o.drop_imag();
  }
  for (std::size_t q = 0; q < outs.size(); ++q) {
    grl::sizes s = e;
    s[d] = along[q];
    std::size_t total = 1;
    for (std::size_t v : s) total *= v;
    if (outs[q].numel() == total) outs[q].set_shape(s);
  }
  return outs;
}

void wrong_type_cell(const char* fn) { grl_fail("%s: wrong type argument 'cell'", fn); }

}  // namespace mth
}  // namespace grl
