// The values of a MEX gateway: the host's arrays (mxArray) to the library's values and
// back. Included by the wrapper korval writes for `-mex`, after gridlib.h and the host's
// mex.h, and compiled by the host's MEX compiler.
//
// An input the library cannot hold (another class, a sparse or N-dimensional array)
// is refused with an error, never read as something else: a sparse array's element
// array holds only its nonzeros.
#ifndef GRIDLIB_MEX_H
#define GRIDLIB_MEX_H

#include <cstddef>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <type_traits>

#include "gridlib_host.h"

namespace grl {

// The error that ends a gateway: raised while the gateway converts its values, it
// travels as any library error does to the gateway's host_call.
struct mex_refusal : std::exception {
  std::string text;
  explicit mex_refusal(std::string t) : text(std::move(t)) {}
  const char* what() const noexcept override { return text.c_str(); }
};

// The class that carries the library's numbers: double, or single in the float build.
inline mxClassID mex_number_class() { return sizeof(m_type) == sizeof(double) ? mxDOUBLE_CLASS : mxSINGLE_CLASS; }

inline void mex_check_shape(const mxArray* a) {
  if (mxGetNumberOfDimensions(a) > 2) throw mex_refusal("N-dimensional matrices are not supported");
  if (mxIsSparse(a)) throw mex_refusal("Wrong class of input argument: sparse matrices are not supported");
}

template <class S> inline void mex_copy_in(m_type* dst, const void* src, std::size_t n) {
  const S* s = static_cast<const S*>(src);
  for (std::size_t k = 0; k < n; ++k) dst[k] = m_type(s[k]);
}

// An array of the main number class, a logical or a char array, as a library value.
inline void matlab_to_korval(const mxArray* a, M<m_type>& x) {
  mex_check_shape(a);
  const std::size_t m = mxGetM(a), n = mxGetN(a), count = m * n;
  const mxClassID cls = mxGetClassID(a);
  if (cls == mex_number_class()) {
    const bool cplx = mxIsComplex(a);
    M<m_type> v = M<m_type>::alloc(m, n, cplx);
    if (count) {
      mex_copy_in<m_type>(v.pr(), mxGetData(a), count);
      if (cplx) mex_copy_in<m_type>(v.pi(), mxGetImagData(a), count);
    }
    if (cplx) v.drop_imag();
    x = v;
  } else if (cls == mxLOGICAL_CLASS) {
    M<m_type> v = M<m_type>::alloc(m, n);
    if (count) mex_copy_in<mxLogical>(v.pr(), mxGetLogicals(a), count);
    v.set_flags(F_LOGICAL);
    x = v;
  } else if (cls == mxCHAR_CLASS) {
    M<m_type> v = M<m_type>::alloc(m, n);
    const mxChar* c = mxGetChars(a);
    m_type* d = count ? v.pr() : nullptr;
    // mxChar is a byte in one host and a 16-bit code in another: the code either way.
    for (std::size_t k = 0; k < count; ++k) d[k] = m_type(static_cast<std::make_unsigned_t<mxChar>>(c[k]));
    v.set_flags(F_STRING);
    x = v;
  } else {
    throw mex_refusal("Wrong class of input argument");
  }
}

// A cell array, each element a matrix or itself a cell.
inline void matlab_to_korval(const mxArray* a, M<M<m_type>>& x) {
  if (!mxIsCell(a)) throw mex_refusal("Wrong class of input argument: a cell array is expected");
  mex_check_shape(a);
  const std::size_t m = mxGetM(a), n = mxGetN(a);
  M<M<m_type>> c = M<M<m_type>>::alloc(m, n);
  for (std::size_t k = 0; k < m * n; ++k) {
    const mxArray* e = mxGetCell(a, mwIndex(k));
    if (!e) continue;   // an element never set is []
    if (mxIsCell(e)) {
      M<M<m_type>> inner;
      matlab_to_korval(e, inner);
      c.welem(k) = M<m_type>::of_cell(inner);
    } else {
      matlab_to_korval(e, c.welem(k));
    }
  }
  x = c;
}

inline mxArray* mex_array_of(const M<M<m_type>>& c);

// A library value as a new array of the host: a matrix of the main number class, a
// logical or char array, or the cell the value holds.
inline mxArray* mex_array_of(const M<m_type>& x) {
  if (x.holds_cell()) return mex_array_of(x.held_cell());
  if (x.flags_ & F_HANDLE) throw mex_refusal("a function handle can not be returned from a MEX file");
  const std::size_t m = x.rows(), n = x.cols(), count = m * n;
  const m_type* re = x.cre();
  if (x.ischar() && !x.isc()) {
    const mwSize dims[2] = {mwSize(m), mwSize(n)};
    mxArray* a = mxCreateCharArray(2, dims);
    mxChar* c = mxGetChars(a);
    for (std::size_t k = 0; k < count; ++k) c[k] = mxChar(re[k]);
    return a;
  }
  if (x.islogical() && !x.isc()) {
    mxArray* a = mxCreateLogicalMatrix(m, n);
    mxLogical* l = mxGetLogicals(a);
    for (std::size_t k = 0; k < count; ++k) l[k] = re[k] != 0;
    return a;
  }
  mxArray* a = mxCreateNumericMatrix(m, n, mex_number_class(), x.isc() ? mxCOMPLEX : mxREAL);
  m_type* pr = static_cast<m_type*>(mxGetData(a));
  for (std::size_t k = 0; k < count; ++k) pr[k] = re[k];
  if (x.isc()) {
    m_type* pi = static_cast<m_type*>(mxGetImagData(a));
    for (std::size_t k = 0; k < count; ++k) pi[k] = x.cim()[k];
  }
  return a;
}

inline mxArray* mex_array_of(const M<M<m_type>>& c) {
  mxArray* a = mxCreateCellMatrix(c.rows(), c.cols());
  for (std::size_t k = 0; k < c.numel(); ++k) mxSetCell(a, mwIndex(k), mex_array_of(c.elem(k)));
  return a;
}

template <class V> inline void korval_to_matlab(const V& x, mxArray*& a) { a = mex_array_of(x); }

// The library's start for a gateway; the interpreter keeps its own handlers.
inline void mex_init() { host_init(); }

// Hands the error of the failed gateway call to the host, which does not return here.
[[noreturn]] inline void mex_fail() {
  std::cout.flush();
  const host_error_t& e = host_error();
  if (e.identifier.empty()) mexErrMsgTxt(e.message.c_str());
  mexErrMsgIdAndTxt(e.identifier.c_str(), "%s", e.message.c_str());
  std::abort();   // not reached: the host's error call does not return
}

}  // namespace grl

using grl::korval_to_matlab;
using grl::matlab_to_korval;

#endif
