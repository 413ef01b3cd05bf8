// The values of a MEX gateway: the host's arrays (mxArray) to the library's values and
// back. Included by the wrapper korval writes for `-mex`, after gridlib.h and the host's
// mex.h, and compiled by the host's MEX compiler.
//
// Numbers keep their class (double, single, int8 ... uint64) both ways. An input the
// library cannot hold (a function handle, an object, a sparse or N-dimensional array)
// is refused with an error, never read as something else: a sparse array's element
// array holds only its nonzeros. Cells and structure arrays (2-D) cross both ways,
// their elements converted in turn.
#ifndef GRIDLIB_MEX_H
#define GRIDLIB_MEX_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <limits>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "gridlib_class.h"
#include "gridlib_host.h"

namespace grl {

// The error that ends a gateway: raised while the gateway converts its values, it
// travels as any library error does to the gateway's host_call.
struct mex_refusal : std::exception {
  std::string text;
  explicit mex_refusal(std::string t) : text(std::move(t)) {}
  const char* what() const noexcept override { return text.c_str(); }
};

// The host's class of a numeric value of the library: the main number class (double,
// or single in the float build) for double values, single and the integer classes as
// they are; mxUNKNOWN_CLASS for the classes that are no numbers.
inline mxClassID mex_number_class() { return sizeof(m_type) == sizeof(double) ? mxDOUBLE_CLASS : mxSINGLE_CLASS; }
inline mxClassID mex_class_of(mclass c) {
  switch (c) {
    case mc_double: return mex_number_class();
    case mc_single: return mxSINGLE_CLASS;
    case mc_int8: return mxINT8_CLASS;
    case mc_uint8: return mxUINT8_CLASS;
    case mc_int16: return mxINT16_CLASS;
    case mc_uint16: return mxUINT16_CLASS;
    case mc_int32: return mxINT32_CLASS;
    case mc_uint32: return mxUINT32_CLASS;
    case mc_int64: return mxINT64_CLASS;
    case mc_uint64: return mxUINT64_CLASS;
    default: return mxUNKNOWN_CLASS;
  }
}
// The library's class of a numeric host class; mc_none for the others.
inline mclass mex_class_named(mxClassID c) {
  switch (c) {
    case mxDOUBLE_CLASS: return mc_double;
    case mxSINGLE_CLASS: return sizeof(m_type) == sizeof(double) ? mc_single : mc_double;
    case mxINT8_CLASS: return mc_int8;
    case mxUINT8_CLASS: return mc_uint8;
    case mxINT16_CLASS: return mc_int16;
    case mxUINT16_CLASS: return mc_uint16;
    case mxINT32_CLASS: return mc_int32;
    case mxUINT32_CLASS: return mc_uint32;
    case mxINT64_CLASS: return mc_int64;
    case mxUINT64_CLASS: return mc_uint64;
    default: return mc_none;
  }
}

inline void mex_check_shape(const mxArray* a) {
  if (mxGetNumberOfDimensions(a) > 2) throw mex_refusal("N-dimensional matrices are not supported");
  if (mxIsSparse(a)) throw mex_refusal("Wrong class of input argument: sparse matrices are not supported");
}

template <class S> inline void mex_copy_in(m_type* dst, const void* src, std::size_t n) {
  const S* s = static_cast<const S*>(src);
  for (std::size_t k = 0; k < n; ++k) dst[k] = m_type(s[k]);
}

// The host's elements of class cls into the library's numbers.
inline void mex_numbers_in(m_type* dst, const void* src, std::size_t n, mxClassID cls) {
  switch (cls) {
    case mxDOUBLE_CLASS: mex_copy_in<double>(dst, src, n); break;
    case mxSINGLE_CLASS: mex_copy_in<float>(dst, src, n); break;
    case mxINT8_CLASS: mex_copy_in<std::int8_t>(dst, src, n); break;
    case mxUINT8_CLASS: mex_copy_in<std::uint8_t>(dst, src, n); break;
    case mxINT16_CLASS: mex_copy_in<std::int16_t>(dst, src, n); break;
    case mxUINT16_CLASS: mex_copy_in<std::uint16_t>(dst, src, n); break;
    case mxINT32_CLASS: mex_copy_in<std::int32_t>(dst, src, n); break;
    case mxUINT32_CLASS: mex_copy_in<std::uint32_t>(dst, src, n); break;
    case mxINT64_CLASS: mex_copy_in<std::int64_t>(dst, src, n); break;
    case mxUINT64_CLASS: mex_copy_in<std::uint64_t>(dst, src, n); break;
    default: throw mex_refusal("Wrong class of input argument");
  }
}

// One number of an integer class as the host's integer S. The library holds the value
// already rounded and within the class's range; the top of the 64-bit ranges is no
// double, so the conversion saturates rather than overflow.
template <class S> inline S mex_integer_out(double v) {
  if (!(v == v)) return 0;
  if (v <= double(std::numeric_limits<S>::min())) return std::numeric_limits<S>::min();
  if (v >= double(std::numeric_limits<S>::max())) return std::numeric_limits<S>::max();
  return S(v);
}
template <class S> inline void mex_copy_out(void* dst, const m_type* src, std::size_t n) {
  S* d = static_cast<S*>(dst);
  if constexpr (std::is_floating_point<S>::value) {
    for (std::size_t k = 0; k < n; ++k) d[k] = S(src[k]);
  } else {
    for (std::size_t k = 0; k < n; ++k) d[k] = mex_integer_out<S>(double(src[k]));
  }
}
inline void mex_numbers_out(void* dst, const m_type* src, std::size_t n, mxClassID cls) {
  switch (cls) {
    case mxDOUBLE_CLASS: mex_copy_out<double>(dst, src, n); break;
    case mxSINGLE_CLASS: mex_copy_out<float>(dst, src, n); break;
    case mxINT8_CLASS: mex_copy_out<std::int8_t>(dst, src, n); break;
    case mxUINT8_CLASS: mex_copy_out<std::uint8_t>(dst, src, n); break;
    case mxINT16_CLASS: mex_copy_out<std::int16_t>(dst, src, n); break;
    case mxUINT16_CLASS: mex_copy_out<std::uint16_t>(dst, src, n); break;
    case mxINT32_CLASS: mex_copy_out<std::int32_t>(dst, src, n); break;
    case mxUINT32_CLASS: mex_copy_out<std::uint32_t>(dst, src, n); break;
    case mxINT64_CLASS: mex_copy_out<std::int64_t>(dst, src, n); break;
    case mxUINT64_CLASS: mex_copy_out<std::uint64_t>(dst, src, n); break;
    default: throw mex_refusal("a value of this class can not be returned from a MEX file");
  }
}

inline void matlab_to_korval(const mxArray* a, M<M<m_type>>& x);
inline void matlab_to_korval(const mxArray* a, M<m_type>& x);

// A structure array (2-D) as a library structure: the same extents, the fields in the
// host's order, each field value converted as any input is.
inline void mex_struct_in(const mxArray* a, M<m_type>& x) {
  mex_check_shape(a);
  const std::size_t m = mxGetM(a), n = mxGetN(a);
  const int nf = mxGetNumberOfFields(a);
  std::vector<std::string> names;
  for (int f = 0; f < nf; ++f) names.push_back(mxGetFieldNameByNumber(a, f));
  M<m_type> s = make_struct(m, n, names);
  for (std::size_t e = 0; e < m * n; ++e)
    for (int f = 0; f < nf; ++f) {
      const mxArray* v = mxGetFieldByNumber(a, mwIndex(e), f);
      if (v) matlab_to_korval(v, s.st_->v[e * std::size_t(nf) + std::size_t(f)]);   // else []
    }
  x = s;
}

// A numeric array of any class (double, single, an integer class), a logical or a char
// array as a library value of that class; a cell array as a value that holds the cell,
// a structure array as a structure.
inline void matlab_to_korval(const mxArray* a, M<m_type>& x) {
  if (mxIsCell(a)) {
    M<M<m_type>> c;
    matlab_to_korval(a, c);
    x = M<m_type>::of_cell(c);
    return;
  }
  if (mxIsStruct(a)) {
    mex_struct_in(a, x);
    return;
  }
  mex_check_shape(a);
  const std::size_t m = mxGetM(a), n = mxGetN(a), count = m * n;
  const mxClassID cls = mxGetClassID(a);
  const mclass numeric = mex_class_named(cls);
  if (numeric != mc_none) {
    const bool cplx = mxIsComplex(a);
    if (cplx && is_int_class(numeric)) throw mex_refusal("Wrong class of input argument: complex integers are not supported");
    M<m_type> v = M<m_type>::alloc(m, n, cplx);
    if (count) {
      mex_numbers_in(v.pr(), mxGetData(a), count, cls);
      if (cplx) mex_numbers_in(v.pi(), mxGetImagData(a), count, cls);
    }
    if (cplx) v.drop_imag();
    if (numeric != mc_double) v.set_class(numeric);
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

// A cell array, each element a value of any class matlab_to_korval takes, or a cell.
inline void matlab_to_korval(const mxArray* a, M<M<m_type>>& x) {
  if (!mxIsCell(a)) throw mex_refusal("Wrong class of input argument: a cell array is expected");
  mex_check_shape(a);
  const std::size_t m = mxGetM(a), n = mxGetN(a);
  M<M<m_type>> c = M<M<m_type>>::alloc(m, n);
  for (std::size_t k = 0; k < m * n; ++k) {
    const mxArray* e = mxGetCell(a, mwIndex(k));
    if (!e) continue;   // an element never set is []
    matlab_to_korval(e, c.welem(k));
  }
  x = c;
}

inline mxArray* mex_array_of(const M<M<m_type>>& c);
inline mxArray* mex_array_of(const M<m_type>& x);

// A library structure (array) as the host's structure array, fields in their order.
inline mxArray* mex_struct_out(const M<m_type>& x) {
  const std::vector<std::string> names = field_names(x);
  std::vector<const char*> texts;
  for (const std::string& n : names) texts.push_back(n.c_str());
  mxArray* a = mxCreateStructMatrix(x.rows(), x.cols(), int(texts.size()), texts.empty() ? nullptr : texts.data());
  const std::size_t nf = names.size();
  for (std::size_t e = 0; e < x.rows() * x.cols(); ++e)
    for (std::size_t f = 0; f < nf; ++f) mxSetFieldByNumber(a, mwIndex(e), int(f), mex_array_of(x.st_->v[e * nf + f]));
  return a;
}

// A library value as a new array of the host: a matrix of its numeric class, a logical
// or char array, the cell the value holds, or a structure array.
inline mxArray* mex_array_of(const M<m_type>& x) {
  if (x.holds_cell()) return mex_array_of(x.held_cell());
  if (x.holds_struct()) return mex_struct_out(x);
  if (is_map(x)) throw mex_refusal("a containers.Map can not be returned from a MEX file");
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
  const mclass c = class_of(x);
  const mxClassID cls = mex_class_of(is_int_class(c) || c == mc_single ? c : mc_double);
  mxArray* a = mxCreateNumericMatrix(m, n, cls, x.isc() ? mxCOMPLEX : mxREAL);
  if (count) {
    mex_numbers_out(mxGetData(a), re, count, cls);
    if (x.isc()) mex_numbers_out(mxGetImagData(a), x.cim(), count, cls);
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
