// Storage of M<T>: heap blocks, copy on write, growth, and the fatal-error report.
#include "gridlib.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace grl {

// Element arrays of a few megabytes come and go with every operator. By default the C
// library hands each one back to the system when it is freed (it unmaps it, or trims
// the top of the heap), so the next array of the same size starts again on fresh pages,
// and the page faults cost more than the arithmetic. Arrays below 32 MB (the most the C
// library lets stay in the heap) stay there, and up to 256 MB of free memory at the top
// of the heap is kept for the next arrays.
void storage_setup() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

namespace {

// Larger arrays are mapped and unmapped each time. Up to two freed ones are kept for
// the next arrays of exactly their size, as a loop that makes a large temporary on each
// pass asks for; a large array of any other size first lets the kept ones go, so what
// is held never outlives the pattern that uses it.
const std::size_t kLargeArray = std::size_t(32) << 20;

struct spare_arrays {
  std::mutex lock;
  void* p[2] = {nullptr, nullptr};
  std::size_t bytes[2] = {0, 0};
};

// Never destroyed: values of static storage are freed after the end of main.
spare_arrays& spares() {
  static spare_arrays* s = new spare_arrays;
  return *s;
}

void* array_new(std::size_t bytes) {
  if (bytes >= kLargeArray) {
    spare_arrays& s = spares();
    std::lock_guard<std::mutex> hold(s.lock);
    for (int k = 0; k < 2; ++k)
      if (s.p[k] && s.bytes[k] == bytes) {
        void* q = s.p[k];
        s.p[k] = nullptr;
        return q;
      }
    for (int k = 0; k < 2; ++k) {
      std::free(s.p[k]);
      s.p[k] = nullptr;
    }
  }
  return std::malloc(bytes);
}

void array_free(void* q, std::size_t bytes) {
  if (q && bytes >= kLargeArray) {
    spare_arrays& s = spares();
    std::lock_guard<std::mutex> hold(s.lock);
    for (int k = 0; k < 2; ++k)
      if (!s.p[k]) {
        s.p[k] = q;
        s.bytes[k] = bytes;
        return;
      }
  }
  std::free(q);
}

}  // namespace

void fail_too_large() { grl_fail("out of memory or dimension too large for Octave's index type"); }

void check_sizes(const sizes& d, std::size_t elem_bytes) {
  std::size_t rest = 1;
  bool empty = false;
  for (std::size_t k = 0; k < d.size(); ++k) {
    if (d[k] > 0xFFFFFFFFu) fail_too_large();
    if (d[k] == 0) empty = true;
    if (k == 0 || empty) continue;
    // The product of the extents after the first is the header's column count.
    if (rest > 0xFFFFFFFFu / d[k]) fail_too_large();
    rest *= d[k];
  }
  if (!empty) check_extent(d.empty() ? 1 : d[0], rest, elem_bytes);
}

// The extents with trailing 1s dropped, at least two.
sizes trimmed(const sizes& d0) {
  sizes d(d0);
  while (d.size() > 2 && d.back() == 1) d.pop_back();
  while (d.size() < 2) d.push_back(1);
  return d;
}

template <class T> block<T>* block_new(std::size_t n, bool cplx) {
  if (n > max_value_bytes / sizeof(T))
    grl::fail_too_large();
  const std::size_t bytes = n * sizeof(T) + 1;
  block<T>* b = static_cast<block<T>*>(std::malloc(sizeof(block<T>)));
  T* re = static_cast<T*>(array_new(bytes));
  T* im = cplx ? static_cast<T*>(array_new(bytes)) : nullptr;
  if (!b || !re || (cplx && !im)) grl::fail_too_large();
  new (&b->refs) std::atomic<int>(1);
  b->n = n;
  b->re = re;
  b->im = im;
  return b;
}

template <class T> void block_free(block<T>* b) {
  array_free(b->re, b->n * sizeof(T) + 1);
  array_free(b->im, b->n * sizeof(T) + 1);
  std::free(b);
}

}  // namespace grl

template <class T> M<T> M<T>::alloc(std::size_t rows, std::size_t cols, bool cplx) {
  if (rows > 0xFFFFFFFFu || cols > 0xFFFFFFFFu)
    grl::fail_too_large();
  M<T> m;
  m.rows_ = std::uint32_t(rows);
  m.cols_ = std::uint32_t(cols);
  std::size_t n = rows * cols;
  if (n == 1) {
    m.re_ = &m.r.v;
    if (cplx) m.im_ = &m.sim_;
  } else if (n > 1) {
    m.blk_ = grl::block_new<T>(n, cplx);
    m.re_ = m.blk_->re;
    m.im_ = m.blk_->im;
  }
  return m;
}

template <class T> void M<T>::set_shape(const grl::sizes& d0) {
  const grl::sizes d = grl::trimmed(d0);
  std::size_t c = 1;
  for (std::size_t k = 1; k < d.size(); ++k) c *= d[k];
  rows_ = std::uint32_t(d[0]);
  cols_ = std::uint32_t(c);
  range_ = false;
  if (d.size() == 2) {
    dims_ = 2;
    ext_.reset();
  } else {
    dims_ = std::uint32_t(d.size());
    ext_ = std::make_shared<const grl::extents>(d.begin(), d.end());
  }
}

template <class T> M<T> M<T>::alloc(const grl::sizes& d, bool cplx) {
  grl::check_sizes(d, sizeof(T));
  std::size_t c = 1;
  for (std::size_t k = 1; k < d.size(); ++k) c *= d[k];
  M<T> m = alloc(d.empty() ? 1 : d[0], c, cplx);
  m.set_shape(d);
  return m;
}

template <class T> M<T> M<T>::zeros(const grl::sizes& d, bool cplx) {
  M<T> m = alloc(d, cplx);
  std::size_t n = m.numel();
  for (std::size_t k = 0; k < n; ++k) m.re_[k] = T(0);
  if (cplx)
    for (std::size_t k = 0; k < n; ++k) m.im_[k] = T(0);
  return m;
}

template <class T> M<T> M<T>::zeros(std::size_t rows, std::size_t cols, bool cplx) {
  M<T> m = alloc(rows, cols, cplx);
  std::size_t n = m.numel();
  for (std::size_t k = 0; k < n; ++k) m.re_[k] = T(0);
  if (cplx)
    for (std::size_t k = 0; k < n; ++k) m.im_[k] = T(0);
  return m;
}

template <class T> void M<T>::release_parts() {
  if (blk_ && blk_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) grl::block_free(blk_);
  blk_ = nullptr;
  cell_.reset();
  fn_.reset();
  st_.reset();
  x64_.reset();
}

template <class T> void M<T>::destroy_parts() {
  release_parts();
  ext_.reset();
}

template <class T> void M<T>::take_copy(const M& o) {
  flags_ = o.flags_; cls_ = o.cls_; dims_ = o.dims_; rows_ = o.rows_; cols_ = o.cols_;
  range_ = o.range_; range_lim_ = o.range_lim_;
  cell_ = o.cell_;
  fn_ = o.fn_;
  ext_ = o.ext_;
  st_ = o.st_;
  x64_ = o.x64_;
  if (o.blk_) {
    o.blk_->refs.fetch_add(1, std::memory_order_relaxed);
    blk_ = o.blk_; re_ = o.re_; im_ = o.im_;
  } else {
    r.v = o.r.v; sim_ = o.sim_;
    re_ = o.re_ ? &r.v : nullptr; im_ = o.im_ ? &sim_ : nullptr;
  }
}

template <class T> void M<T>::take_move(M& o) {
  flags_ = o.flags_; cls_ = o.cls_; dims_ = o.dims_; rows_ = o.rows_; cols_ = o.cols_;
  range_ = o.range_; range_lim_ = o.range_lim_;
  cell_ = std::move(o.cell_);
  fn_ = std::move(o.fn_);
  ext_ = std::move(o.ext_);
  st_ = std::move(o.st_);
  x64_ = std::move(o.x64_);
  if (o.blk_) {
    blk_ = o.blk_; re_ = o.re_; im_ = o.im_;
    o.blk_ = nullptr; o.reset_empty();
  } else {
    r.v = o.r.v; sim_ = o.sim_;
    re_ = o.re_ ? &r.v : nullptr; im_ = o.im_ ? &sim_ : nullptr;
  }
}

template <class T> void M<T>::clone() {
  std::size_t n = numel();
  grl::block<T>* b = grl::block_new<T>(n, im_ != nullptr);
  std::memcpy(b->re, re_, n * sizeof(T));
  if (im_) std::memcpy(b->im, im_, n * sizeof(T));
  // The copy holds the same elements: its exact 64-bit ones stay.
  std::shared_ptr<const grl::words64> exact = std::move(x64_);
  release();
  x64_ = std::move(exact);
  blk_ = b;
  re_ = b->re;
  im_ = b->im;
}

template <class T> T* M<T>::pi() {
  unshare();
  if (im_) return im_;
  std::size_t n = numel();
  if (n == 0) return nullptr;
  if (!blk_) {
    sim_ = T(0);
    im_ = &sim_;
    return im_;
  }
  // As long as the real part's array (the value may use only its front, as find's
  // result does), which is the size block_free gives back.
  T* im = static_cast<T*>(grl::array_new(blk_->n * sizeof(T) + 1));
  if (!im) grl::fail_too_large();
  for (std::size_t k = 0; k < n; ++k) im[k] = T(0);
  blk_->im = im;
  im_ = im;
  return im_;
}

template <class T> void M<T>::drop_imag() {
  if (!im_) return;
  std::size_t n = numel();
  for (std::size_t k = 0; k < n; ++k)
    if (im_[k] != T(0)) return;
  if (blk_) {
    unshare();
    grl::array_free(blk_->im, blk_->n * sizeof(T) + 1);
    blk_->im = nullptr;
  }
  im_ = nullptr;
}

template <class T> void M<T>::resize(std::size_t rows, std::size_t cols) {
  if (rows == rows_ && cols == cols_) return;
  M<T> out = zeros(rows, cols, im_ != nullptr);
  std::size_t rr = rows < rows_ ? rows : rows_, cc = cols < cols_ ? cols : cols_;
  for (std::size_t j = 0; j < cc; ++j)
    for (std::size_t i = 0; i < rr; ++i) {
      out.re_[i + j * rows] = re_[i + j * rows_];
      if (im_) out.im_[i + j * rows] = im_[i + j * rows_];
    }
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    // The exact 64-bit elements move with the doubles; new ones are 0.
    auto w = std::make_shared<grl::words64>(rows * cols, 0);
    for (std::size_t j = 0; j < cc; ++j)
      for (std::size_t i = 0; i < rr; ++i) (*w)[i + j * rows] = (*x64_)[i + j * rows_];
    out.x64_ = std::move(w);
  }
  const char* name = name_;
  *this = std::move(out);
  name_ = name;
}

template <class T> M<T>::operator bool() const {
  std::size_t n = numel();
  if (n == 0) return false;
  for (std::size_t k = 0; k < n; ++k) {
    if (re_[k] != re_[k] || (im_ && im_[k] != im_[k]))
      grl_fail("invalid conversion from NaN to logical");
    if (re_[k] == T(0) && (!im_ || im_[k] == T(0))) return false;
  }
  return true;
}

#define GRL_INSTANTIATE(T)                                                        \
  template grl::block<T>* grl::block_new<T>(std::size_t, bool);                  \
  template void grl::block_free<T>(grl::block<T>*);                              \
  template M<T> M<T>::alloc(std::size_t, std::size_t, bool);                    \
  template M<T> M<T>::zeros(std::size_t, std::size_t, bool);                    \
  template M<T> M<T>::alloc(const grl::sizes&, bool);                            \
  template M<T> M<T>::zeros(const grl::sizes&, bool);                            \
  template void M<T>::set_shape(const grl::sizes&);                              \
  template void M<T>::clone();                                                   \
  template void M<T>::release_parts();                                           \
  template void M<T>::destroy_parts();                                           \
  template void M<T>::take_copy(const M<T>&);                                    \
  template void M<T>::take_move(M<T>&);                                          \
  template T* M<T>::pi();                                                        \
  template void M<T>::drop_imag();                                               \
  template void M<T>::resize(std::size_t, std::size_t);                          \
  template M<T>::operator bool() const;
GRL_INSTANTIATE(m_type)
