// Construction of matrices: zeros, ones, eye, rand, randn, linspace, repmat, reshape,
// and the constants.
#include "shape_nd.h"

#include <cctype>
#include <cstring>
#include <limits>
#include <random>

using namespace grl;
using namespace grl::mth;

namespace {

Mt filled(std::size_t r, std::size_t c, m_type v) {
  Mt m = Mt::alloc(r, c);
  m_type* p = m.pr();
  const std::size_t n = m.numel();
  for (std::size_t k = 0; k < n; ++k) p[k] = v;
  return m;
}

Mt identity(std::size_t r, std::size_t c) {
  Mt m = Mt::zeros(r, c);
  m_type* p = m.pr();
  const std::size_t n = r < c ? r : c;
  for (std::size_t k = 0; k < n; ++k) p[k + k * r] = 1;
  return m;
}

// The generator of rand and randn. It starts from the same state in every run, so a
// program gives the same numbers each time until it sets a seed of its own; each thread
// of a parallel section has its own.
struct generator {
  std::mt19937_64 eng{0};
  double seed = 0;
  bool have_spare = false;
  double spare = 0;
  void reseed(double s) {
    seed = s;
    eng.seed(std::uint64_t(std::int64_t(s)));
    have_spare = false;
  }
  // Uniform on the open interval (0, 1), in steps fine enough for m_type.
  m_type uniform() {
    for (;;) {
      const double u = double(eng() >> 11) * (1.0 / 9007199254740992.0);
      const m_type v = m_type(u);
      if (v > 0 && v < 1) return v;
    }
  }
  // Standard normal by the polar method; the second value of each pair is kept.
  double normal() {
    if (have_spare) {
      have_spare = false;
      return spare;
    }
    double u, v, s;
    do {
      u = 2.0 * (double(eng() >> 11) * (1.0 / 9007199254740992.0)) - 1.0;
      v = 2.0 * (double(eng() >> 11) * (1.0 / 9007199254740992.0)) - 1.0;
      s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    spare = v * f;
    have_spare = true;
    return u * f;
  }
};
thread_local generator gen;

Mt uniform(std::size_t r, std::size_t c) {
  Mt m = Mt::alloc(r, c);
  m_type* p = m.pr();
  const std::size_t n = m.numel();
  for (std::size_t k = 0; k < n; ++k) p[k] = gen.uniform();
  return m;
}

Mt normal(std::size_t r, std::size_t c) {
  Mt m = Mt::alloc(r, c);
  m_type* p = m.pr();
  const std::size_t n = m.numel();
  for (std::size_t k = 0; k < n; ++k) p[k] = m_type(gen.normal());
  return m;
}

// rand('seed'), rand('state'), rand('twister'): the state; with a value: set it.
bool state_call(const char* fn, const Mt& a, const Mt* v, Mt& out) {
  if (!a.ischar()) return false;
  const std::string w = text(a);
  if (w != "seed" && w != "state" && w != "twister")
    grl_fail("%s: unrecognized string argument", fn);
  if (!v) {
    out = Mt(m_type(gen.seed));
    return true;
  }
  if (v->isempty()) {
    gen.reseed(0);
  } else if (v->ischar() && text(*v) == "reset") {
    gen.reseed(0);
  } else {
    // A state vector seeds from its first element.
    gen.reseed(double(v->cre()[0]));
  }
  out = Mt();
  return true;
}


// A trailing class name ('int8', 'single', ...) gives the result its class.
Mt of_class(Mt m, const Mt& last) {
  const mclass c = class_arg(last);
  if (c != mc_none && c != mc_double) apply_class(m, c);
  return m;
}
}  // namespace

Mt zeros() { return Mt(m_type(0)); }
Mt zeros(const Mt& n) { return grl::construct("zeros", {n}); }
Mt zeros(const Mt& a, const Mt& b) {
  std::size_t r, c;
  dims2(a, b, "zeros", r, c);
  return of_class(Mt::zeros(r, c), b);
}
Mt zeros(const Mt& a, const Mt& b, const Mt& k) { return grl::construct("zeros", {a, b, k}); }
Mt ones() { return Mt(m_type(1)); }
Mt ones(const Mt& n) { return grl::construct("ones", {n}); }
Mt ones(const Mt& a, const Mt& b) { std::size_t r, c; dims2(a, b, "ones", r, c); return of_class(filled(r, c, 1), b); }
Mt ones(const Mt& a, const Mt& b, const Mt& k) { return grl::construct("ones", {a, b, k}); }
// true(n), true(r,c), false(...): logical matrices of ones or zeros.
Mt true_M(const Mt& n) { return grl::construct("true", {n}); }
Mt true_M(const Mt& a, const Mt& b) { std::size_t r, c; dims2(a, b, "true", r, c); return logical(filled(r, c, 1)); }
Mt false_M(const Mt& n) { return grl::construct("false", {n}); }
Mt false_M(const Mt& a, const Mt& b) { std::size_t r, c; dims2(a, b, "false", r, c); return logical(Mt::zeros(r, c)); }
Mt true_M(const Mt& a, const Mt& b, const Mt& k) { return grl::construct("true", {a, b, k}); }
Mt false_M(const Mt& a, const Mt& b, const Mt& k) { return grl::construct("false", {a, b, k}); }
Mt eye() { return Mt(m_type(1)); }
Mt eye(const Mt& n) { std::size_t r, c; dims1(n, "eye", r, c); return identity(r, c); }
Mt eye(const Mt& a, const Mt& b) { std::size_t r, c; dims2(a, b, "eye", r, c); return of_class(identity(r, c), b); }
Mt eye(const Mt& a, const Mt& b, const Mt& k) {
  std::size_t r, c;
  dims3(a, b, k, "eye", r, c);
  return of_class(identity(r, c), k);
}

namespace {
// rand and randn: the size arguments, or the generator's state ('seed', x).
using draw_fn = Mt (*)(std::size_t, std::size_t);
Mt draw(const char* fn, draw_fn f, const Mt& n) {
  Mt out;
  if (state_call(fn, n, nullptr, out)) return out;
  (void)f;
  return grl::construct(fn, {n});
}
Mt draw(const char* fn, draw_fn f, const Mt& a, const Mt& b) {
  Mt out;
  if (state_call(fn, a, &b, out)) return out;
  std::size_t r, c;
  dims2(a, b, fn, r, c);
  return f(r, c);
}
Mt draw(const char* fn, draw_fn, const Mt& a, const Mt& b, const Mt& k) {
  return grl::construct(fn, {a, b, k});
}
}  // namespace

Mt rand_M() { return Mt(gen.uniform()); }
Mt rand_M(const Mt& n) { return draw("rand", uniform, n); }
Mt rand_M(const Mt& a, const Mt& b) { return draw("rand", uniform, a, b); }
Mt rand_M(const Mt& a, const Mt& b, const Mt& k) { return draw("rand", uniform, a, b, k); }
Mt randn() { return Mt(m_type(gen.normal())); }
Mt randn(const Mt& n) { return draw("randn", normal, n); }
Mt randn(const Mt& a, const Mt& b) { return draw("randn", normal, a, b); }
Mt randn(const Mt& a, const Mt& b, const Mt& k) { return draw("randn", normal, a, b, k); }

// linspace: n points from a to b; the last is b exactly. n < 1 gives 1x0.
Mt linspace(const Mt& a, const Mt& b) { return linspace(a, b, Mt(m_type(100))); }
Mt linspace(const Mt& a, const Mt& b, const Mt& n) {
  if (a.numel() != 1 || b.numel() != 1) grl_fail("linspace: START, END must be scalars or vectors");
  if (n.numel() != 1) grl_fail("linspace: N must be a scalar");
  if (a.isc() || b.isc()) grl_fail("linspace: complex limits are not supported");
  double nv = double(n.cre()[0]);
  if (nv != nv) grl_fail("linspace: N must be a scalar");
  std::size_t cnt = nv < 1 ? 0 : size_value(std::floor(nv));
  Mt o = Mt::alloc(1, cnt);
  if (cnt == 0) return o;
  const m_type base = a.cre()[0], lim = b.cre()[0];
  m_type* p = o.pr();
  if (cnt == 1) { p[0] = lim; return o; }
  const m_type delta = (lim - base) / m_type(cnt - 1);
  for (std::size_t k = 0; k + 1 < cnt; ++k) p[k] = base + m_type(k) * delta;
  p[cnt - 1] = lim;
  return o;
}

// repmat: tile a value m x n times.
static void repmat_dims(const Mt& m, std::size_t& r, std::size_t& c) {
  if (m.numel() == 1) { r = c = size_value(m.cre()[0]); return; }
  dims1(m, "repmat", r, c);
}
static Mt tile(const Mt& a, std::size_t rm, std::size_t cm) {
  if (a.holds_struct()) {
    // A structure array: copies of a side by side, then those stacked.
    const Mt row = struct_cat(2, std::vector<Mt>(cm, a));
    return struct_cat(1, std::vector<Mt>(rm, row));
  }
  const std::size_t ar = a.rows(), ac = a.cols();
  Mt o = Mt::alloc(ar * rm, ac * cm, a.isc());
  o.set_flags(a.ischar() ? std::uint32_t(F_STRING) : a.islogical() ? std::uint32_t(F_LOGICAL) : 0u);
  const std::size_t orows = ar * rm;
  for (int part = 0; part < (a.isc() ? 2 : 1); ++part) {
    const m_type* src = part ? a.cim() : a.cre();
    m_type* dst = part ? o.pi() : o.pr();
    if (!dst) break;
    for (std::size_t tj = 0; tj < cm; ++tj)
      for (std::size_t j = 0; j < ac; ++j) {
        m_type* col = dst + (tj * ac + j) * orows;
        for (std::size_t ti = 0; ti < rm; ++ti)
          std::memcpy(col + ti * ar, src + j * ar, ar * sizeof(m_type));
      }
  }
  return o;
}
Mt repmat(const Mt& a, const Mt& m) {
  if (a.holds_struct() && (m.numel() > 2 || a.ndims() > 2)) {
    grl::sizes reps;
    if (m.numel() == 1) reps = {size_value(m.cre()[0]), size_value(m.cre()[0])};
    else reps = dims_list({m}, "repmat");
    return grl::struct_pick(a, grl::shp::tile_nd(grl::struct_numbers(a), reps));
  }
  if (m.numel() > 2 || a.ndims() > 2) {
    grl::sizes reps;
    if (m.numel() == 1) reps = {size_value(m.cre()[0]), size_value(m.cre()[0])};
    else reps = dims_list({m}, "repmat");
    return grl::shp::tile_nd(a, reps);
  }
  std::size_t r, c;
  repmat_dims(m, r, c);
  return tile(a, r, c);
}
Mt repmat(const Mt& a, const Mt& m, const Mt& n) {
  if (a.holds_struct() && a.ndims() > 2)
    return grl::struct_pick(a, grl::shp::tile_nd(grl::struct_numbers(a), dims_list({m, n}, "repmat")));
  if (a.ndims() > 2) return grl::shp::tile_nd(a, dims_list({m, n}, "repmat"));
  std::size_t r, c;
  dims2(m, n, "repmat", r, c);
  return tile(a, r, c);
}
Mt grl::repmat_n(const Mt& a, const mat_list& reps) {
  if (a.holds_struct())
    return grl::struct_pick(a, grl::shp::tile_nd(grl::struct_numbers(a), dims_list(reps, "repmat")));
  return grl::shp::tile_nd(a, dims_list(reps, "repmat"));
}
// reshape: the same elements in a new shape; one dimension may be [] (computed).
static void reshape_dims(std::size_t n, std::size_t ar, std::size_t ac, const Mt* r, const Mt* c,
                         const Mt* v, std::size_t& rr, std::size_t& cc) {
  bool free_r = false, free_c = false;
  if (v) {
    if (v->numel() < 2) grl_fail("reshape: SIZE must have 2 or more dimensions");
    const m_type* p = v->cre();
    rr = size_value(p[0]);
    cc = size_value(p[1]);
    for (std::size_t k = 2; k < v->numel(); ++k) cc *= size_value(p[k]);
  } else {
    free_r = r->isempty();
    free_c = c->isempty();
    if (free_r && free_c) grl_fail("reshape: only a single dimension can be unknown");
    if (!free_r) { if (r->numel() != 1) grl_fail("reshape: SIZE must be a scalar"); rr = size_value(r->cre()[0]); }
    if (!free_c) { if (c->numel() != 1) grl_fail("reshape: SIZE must be a scalar"); cc = size_value(c->cre()[0]); }
    if (free_r || free_c) {
      const std::size_t known = free_r ? cc : rr;
      if (known == 0 || n % known != 0)
        grl_fail("reshape: SIZE is not divisible by the product of known dimensions (= %zu)", known);
      (free_r ? rr : cc) = n / known;
    }
  }
  if (rr * cc != n) grl_fail("reshape: can't reshape %zux%zu array to %zux%zu array", ar, ac, rr, cc);
}
// reshape with any number of sizes: one vector of them, or one argument each, of
// which one may be [] (computed from the others).
grl::sizes grl::reshape_sizes(std::size_t n, const grl::sizes& from, const mat_list& args) {
  grl::sizes d;
  std::size_t known = 1;
  int free_at = -1;
  if (args.size() == 1) {
    const Mt& v = args[0];
    if (v.numel() < 2) grl_fail("reshape: SIZE must have 2 or more dimensions");
    for (std::size_t k = 0; k < v.numel(); ++k) d.push_back(size_value(v.cre()[k]));
  } else {
    for (std::size_t k = 0; k < args.size(); ++k) {
      if (args[k].isempty()) {
        if (free_at >= 0) grl_fail("reshape: only a single dimension can be unknown");
        free_at = int(k);
        d.push_back(1);
        continue;
      }
      if (args[k].numel() != 1) grl_fail("reshape: SIZE must be a scalar");
      d.push_back(size_value(args[k].cre()[0]));
    }
  }
  for (std::size_t k = 0; k < d.size(); ++k)
    if (int(k) != free_at) known *= d[k];
  if (free_at >= 0) {
    if (known == 0 || n % known != 0)
      grl_fail("reshape: SIZE is not divisible by the product of known dimensions (= %zu)", known);
    d[std::size_t(free_at)] = n / known;
  } else if (known != n) {
    grl_fail("reshape: can't reshape %s array to %s array", grl::dims_text(from).c_str(),
             grl::dims_text(d).c_str());
  }
  return d;
}

Mt grl::reshape_n(const Mt& a, const mat_list& args) {
  Mt o = a;
  o.name_ = nullptr;
  o.set_shape(reshape_sizes(a.numel(), a.shape(), args));
  return o;
}

Mc grl::reshape_n(const Mc& a, const mat_list& args) {
  Mc o = a;
  o.set_shape(reshape_sizes(a.numel(), a.shape(), args));
  return o;
}

Mt reshape(const Mt& a, const Mt& dims) {
  if (a.holds_cell()) return Mt::of_cell(reshape(a.held_cell(), dims));
  if (dims.numel() > 2 || a.ndims() > 2) return grl::reshape_n(a, {dims});
  std::size_t r, c;
  reshape_dims(a.numel(), a.rows(), a.cols(), nullptr, nullptr, &dims, r, c);
  Mt o = a;
  o.name_ = nullptr;
  o.reshape_to(r, c);
  return o;
}
Mt reshape(const Mt& a, const Mt& rm, const Mt& cm) {
  if (a.holds_cell()) return Mt::of_cell(reshape(a.held_cell(), rm, cm));
  if (a.ndims() > 2) return grl::reshape_n(a, {rm, cm});
  std::size_t r, c;
  reshape_dims(a.numel(), a.rows(), a.cols(), &rm, &cm, nullptr, r, c);
  Mt o = a;
  o.name_ = nullptr;
  o.reshape_to(r, c);
  return o;
}
Mc reshape(const Mc& a, const Mt& dims) {
  if (dims.numel() > 2 || a.ndims() > 2) return grl::reshape_n(a, {dims});
  std::size_t r, c;
  reshape_dims(a.numel(), a.rows(), a.cols(), nullptr, nullptr, &dims, r, c);
  Mc o = a;
  o.reshape_to(r, c);
  return o;
}
Mc reshape(const Mc& a, const Mt& rm, const Mt& cm) {
  if (a.ndims() > 2) return grl::reshape_n(a, {rm, cm});
  std::size_t r, c;
  reshape_dims(a.numel(), a.rows(), a.cols(), &rm, &cm, nullptr, r, c);
  Mc o = a;
  o.reshape_to(r, c);
  return o;
}

// zeros, ones, true, false, rand, randn, NaN and Inf with any number of sizes, and a
// class name after them where the function takes one.
//
// F(..., 'like', p) makes a value of p's class: a numeric class or logical; NaN and Inf
// only a floating one. eye, rand and randn take it too.
namespace {
bool like_option(const std::vector<Mt>& a) {
  if (a.size() < 2 || !a[a.size() - 2].ischar()) return false;
  std::string t = mth::text(a[a.size() - 2]);
  for (char& ch : t) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return t == "like";
}
}  // namespace

Mt grl::construct(const char* fn, const mat_list& args) {
  const std::string f = fn;
  std::vector<Mt> a(args);
  Mt cls;
  if (like_option(a)) {
    const mclass c = a.back().holds_cell() ? mc_cell : class_of(a.back());
    a.resize(a.size() - 2);
    const bool floating = c == mc_double || c == mc_single;
    if ((f == "NaN" || f == "Inf") && !floating)
      grl_fail("%s: input followed by 'like' must be floating point", fn);
    if (!floating && !is_int_class(c) && c != mc_logical) grl_fail("invalid data type specified");
    for (const Mt& x : a)
      if (x.ischar()) grl_fail("invalid data type specified");
    Mt m;
    if (f == "eye") {
      const grl::sizes d = dims_list(a, fn);
      if (d.size() > 2) grl_fail("eye: N-dimensional arrays are not supported");
      m = identity(d[0], d[1]);
    } else {
      m = construct(fn, a);
    }
    if (c == mc_logical) {
      for (std::size_t k = 0; k < m.numel(); ++k)
        if (m.cre()[k] != m.cre()[k]) grl_fail("logical: NaN can't be converted to logical value");
      return logical(m);
    }
    if (c != mc_double) apply_class(m, c);
    return m;
  }
  if (!a.empty() && a.back().ischar() && a.size() > 1) {
    cls = a.back();
    a.pop_back();
    if (!takes_class_name(cls, fn)) grl_fail("invalid data type specified");
  }
  for (const Mt& x : a)
    if (x.ischar()) grl_fail("invalid data type specified");
  const grl::sizes d = dims_list(a, fn);
  Mt m = Mt::alloc(d);
  m_type* p = m.pr();
  const std::size_t n = m.numel();
  if (f == "rand") {
    for (std::size_t k = 0; k < n; ++k) p[k] = gen.uniform();
  } else if (f == "randn") {
    for (std::size_t k = 0; k < n; ++k) p[k] = m_type(gen.normal());
  } else {
    const m_type v = f == "ones" || f == "true" ? m_type(1)
                     : f == "NaN"               ? std::numeric_limits<m_type>::quiet_NaN()
                     : f == "Inf"               ? std::numeric_limits<m_type>::infinity()
                                                : m_type(0);
    for (std::size_t k = 0; k < n; ++k) p[k] = v;
  }
  if (f == "true" || f == "false") m.set_flags(F_LOGICAL);
  if (cls.ischar()) m = of_class(m, cls);
  return m;
}

// --- constants ----------------------------------------------------------------------
Mt pi() { return Mt(m_type(3.14159265358979323846)); }
Mt eps() { return Mt(std::numeric_limits<m_type>::epsilon()); }
Mt eps(const Mt& x) {
  if (x.ischar()) {
    const std::string w = text(x);
    if (w == "double") return Mt(m_type(std::numeric_limits<double>::epsilon()));
    if (w == "single") {
      Mt m{m_type(std::numeric_limits<float>::epsilon())};
      m.set_class(mc_single);
      return m;
    }
    grl_fail("eps: invalid class name '%s'", w.c_str());
  }
  if (x.isc()) grl_fail("eps: X must be of a floating point type");
  return map_real(x, [](m_type v) -> m_type {
    v = std::fabs(v);
    if (v != v || std::isinf(v)) return std::numeric_limits<m_type>::quiet_NaN();
    if (v < std::numeric_limits<m_type>::min()) return std::numeric_limits<m_type>::denorm_min();
    int e;
    std::frexp(v, &e);
    return std::ldexp(m_type(1), e - std::numeric_limits<m_type>::digits);
  });
}
static const m_type kInf = std::numeric_limits<m_type>::infinity();
static const m_type kNaN = std::numeric_limits<m_type>::quiet_NaN();
Mt Inf() { return Mt(kInf); }
Mt Inf(const Mt& n) { return grl::construct("Inf", {n}); }
Mt Inf(const Mt& a, const Mt& b) { std::size_t r, c; dims2(a, b, "Inf", r, c); return filled(r, c, kInf); }
Mt Inf(const Mt& a, const Mt& b, const Mt& k) { return grl::construct("Inf", {a, b, k}); }
Mt NaN() { return Mt(kNaN); }
Mt NaN(const Mt& n) { return grl::construct("NaN", {n}); }
Mt NaN(const Mt& a, const Mt& b) { std::size_t r, c; dims2(a, b, "NaN", r, c); return filled(r, c, kNaN); }
Mt NaN(const Mt& a, const Mt& b, const Mt& k) { return grl::construct("NaN", {a, b, k}); }
Mt inf() { return Inf(); }
Mt inf(const Mt& n) { return Inf(n); }
Mt inf(const Mt& a, const Mt& b) { return Inf(a, b); }
Mt inf(const Mt& a, const Mt& b, const Mt& k) { return Inf(a, b, k); }
Mt nan_M() { return NaN(); }
Mt nan_M(const Mt& n) { return NaN(n); }
Mt nan_M(const Mt& a, const Mt& b) { return NaN(a, b); }
Mt nan_M(const Mt& a, const Mt& b, const Mt& k) { return NaN(a, b, k); }
Mt i() { return Mt::cplx(0, 1); }
Mt j() { return Mt::cplx(0, 1); }
