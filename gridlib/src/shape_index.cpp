// sub2ind and ind2sub: between subscripts of a matrix of given dimensions and its
// linear (column by column) indices. The last subscript given covers every dimension
// from its own to the last, as M indexing does.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "math_util.h"

using namespace grl;

namespace {

// The dimensions argument: a real vector of at least two non-negative integers.
std::vector<double> dims_of(const Mt& d, const char* fn) {
  if (d.isc() || d.numel() < 2 || (d.rows() != 1 && d.cols() != 1))
    grl_fail("%s: DIMS must contain integers", fn);
  std::vector<double> v;
  for (std::size_t k = 0; k < d.numel(); ++k) {
    const double x = double(d.cre()[k]);
    if (!(x >= 0) || x != std::floor(x) || std::isinf(x)) grl_fail("%s: DIMS must contain integers", fn);
    v.push_back(x);
  }
  return v;
}

// The product of dims from position `from` on: the extent of a last subscript there.
double extent(const std::vector<double>& dims, std::size_t from) {
  double n = 1;
  for (std::size_t k = from; k < dims.size(); ++k) n *= dims[k];
  return n;
}

// The extent subscript s of count addresses: its own dimension (1 past the last),
// or for the last subscript all the dimensions from its own on.
double bound_of(const std::vector<double>& dims, int s, int count) {
  if (s + 1 == count) return extent(dims, std::size_t(s));
  return std::size_t(s) < dims.size() ? dims[std::size_t(s)] : 1;
}

// "index (_,3,_)": where a subscript stands among count of them; past the fourth
// position the ones before it are summed up as "...[xN]...".
std::string position_text(double s, int pos, int count) {
  std::string t = "index (";
  if (pos >= 4) {
    t += "...[x" + std::to_string(pos) + "]...";
  } else {
    for (int k = 0; k < pos; ++k) t += "_,";
  }
  char v[64];
  std::snprintf(v, sizeof v, "%g", s);
  t += v;
  for (int k = pos + 1; k < count; ++k) t += ",_";
  return t + ")";
}

std::string dims_text(const std::vector<double>& dims) {
  std::string t;
  char v[64];
  for (std::size_t k = 0; k < dims.size(); ++k) {
    std::snprintf(v, sizeof v, "%s%g", k ? "x" : "", dims[k]);
    t += v;
  }
  return t;
}

void check_subscript(double s, int pos, int count, double bound, const std::vector<double>& dims) {
  if (!(s >= 1) || s != std::floor(s) || std::isinf(s))
    grl_fail("%s: subscripts must be either integers 1 to (2^63)-1 or logicals", position_text(s, pos, count).c_str());
  if (s > bound)
    grl_fail("%s: out of bound %g (dimensions are %s)", position_text(s, pos, count).c_str(), bound,
             dims_text(dims).c_str());
}

Mt linear(const Mt& d, const Mt* subs[], int count) {
  const std::vector<double> dims = dims_of(d, "sub2ind");
  for (int s = 1; s < count; ++s)
    if (subs[s]->rows() != subs[0]->rows() || subs[s]->cols() != subs[0]->cols())
      grl_fail("sub2ind: all subscripts must be of the same size");
  Mt out = Mt::alloc(subs[0]->rows(), subs[0]->cols());
  for (std::size_t k = 0; k < out.numel(); ++k) {
    double index = 0, stride = 1;
    for (int s = 0; s < count; ++s) {
      const double bound = bound_of(dims, s, count);
      const double v = double(subs[s]->cre()[k]);
      check_subscript(v, s, count, bound, dims);
      index += (v - 1) * stride;
      stride *= bound;
    }
    out.pr()[k] = m_type(index + 1);
  }
  return out;
}

// The subscripts of each linear index into n outputs.
void subscripts(const Mt& d, const Mt& ind, Mr<m_type>* outs, int n) {
  const std::vector<double> dims = dims_of(d, "ind2sub");
  const double total = extent(dims, 0);
  std::vector<Mt> subs;
  for (int s = 0; s < n; ++s) subs.push_back(Mt::alloc(ind.rows(), ind.cols()));
  for (std::size_t k = 0; k < ind.numel(); ++k) {
    const double v = double(ind.cre()[k]);
    if (!(v >= 1) || v != std::floor(v) || std::isinf(v) || ind.isc())
      grl_fail("ind2sub: invalid index index %g: subscripts must be either integers 1 to (2^63)-1 or logicals", v);
    if (v > total) grl_fail("ind2sub: index out of range");
    double rest = v - 1;
    for (int s = 0; s < n; ++s) {
      const double bound = bound_of(dims, s, n);
      const double sub = s + 1 == n ? rest : std::fmod(rest, bound);
      subs[std::size_t(s)].pr()[k] = m_type(sub + 1);
      rest = s + 1 == n ? 0 : std::floor(rest / bound);
    }
  }
  for (int s = 0; s < n; ++s) outs[s] = subs[std::size_t(s)];
}

}  // namespace

Mt sub2ind(const Mt& dims, const Mt& i) {
  const Mt* subs[] = {&i};
  return linear(dims, subs, 1);
}
Mt sub2ind(const Mt& dims, const Mt& i, const Mt& j) {
  const Mt* subs[] = {&i, &j};
  return linear(dims, subs, 2);
}
Mt sub2ind(const Mt& dims, const Mt& i, const Mt& j, const Mt& k) {
  const Mt* subs[] = {&i, &j, &k};
  return linear(dims, subs, 3);
}

Mt ind2sub(const Mt& dims, const Mt& ind) {
  Mt r;
  Mr<m_type> outs[] = {r};
  subscripts(dims, ind, outs, 1);
  return r;
}
void ind2sub(const Mt& dims, const Mt& ind, i_o_t, Mr<m_type> r) {
  Mr<m_type> outs[] = {r};
  subscripts(dims, ind, outs, 1);
}
void ind2sub(const Mt& dims, const Mt& ind, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  Mr<m_type> outs[] = {r, c};
  subscripts(dims, ind, outs, 2);
}
void ind2sub(const Mt& dims, const Mt& ind, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p) {
  Mr<m_type> outs[] = {r, c, p};
  subscripts(dims, ind, outs, 3);
}

Mt grl::sub2ind_n(const Mt& dims, const std::vector<const Mt*>& subs) {
  return linear(dims, const_cast<const Mt**>(subs.data()), int(subs.size()));
}
void grl::ind2sub_n(const Mt& dims, const Mt& ind, std::vector<Mr<m_type>> outs) {
  subscripts(dims, ind, outs.data(), int(outs.size()));
}
