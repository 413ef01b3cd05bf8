// BLAS and LAPACK loaded at their first use.
//
// Every program links the linear-algebra sources (the function-handle table names
// eig, inv and the rest), but most programs never call them. Loading the BLAS
// library with the program costs about 12 million instructions of symbol binding
// before main (its tables of kernels for every processor are bound one symbol at a
// time), most of a small program's run time. So the library holds no reference to
// those libraries: the first call of a BLAS or LAPACK routine opens them by the names
// they were linked with when the library was built, and each call site keeps the
// address it was given.
#include "linalg_lapack.h"

#include <dlfcn.h>

// The library's own makefile in the root directory builds it without the build
// system's definitions: then the sonames of the distribution's packages.
#ifndef GRL_LAPACKE_LIBRARY
#define GRL_LAPACKE_LIBRARY "liblapacke.so.3"
#endif
#ifndef GRL_BLAS_LIBRARY
#define GRL_BLAS_LIBRARY "libopenblas.so.0"
#endif

namespace grl {
namespace la {

namespace {

// The libraries in the order their symbols are looked up: LAPACKE's C interface,
// then the BLAS library (which also holds LAPACK itself and its thread controls).
const char* const kLibraries[] = {GRL_LAPACKE_LIBRARY, GRL_BLAS_LIBRARY};
constexpr std::size_t kCount = sizeof kLibraries / sizeof kLibraries[0];

struct loaded_libraries {
  void* handle[kCount];
  loaded_libraries() {
    for (std::size_t k = 0; k < kCount; ++k) {
      handle[k] = dlopen(kLibraries[k], RTLD_LAZY | RTLD_LOCAL);
      if (!handle[k]) grl_fail("cannot load the linear algebra library %s: %s", kLibraries[k], dlerror());
    }
    // NaN inputs are legitimate here: they propagate through the factorisations as
    // they do in the reference system, so LAPACKE's own NaN screening is switched off.
    if (void* f = dlsym(handle[0], "LAPACKE_set_nancheck"))
      reinterpret_cast<decltype(&::LAPACKE_set_nancheck)>(f)(0);
  }
};

const loaded_libraries& libraries() {
  static const loaded_libraries libs;
  return libs;
}

}  // namespace

void* numeric_symbol(const char* name) {
  for (void* h : libraries().handle)
    if (void* f = dlsym(h, name)) return f;
  grl_fail("cannot find %s in the linear algebra libraries %s and %s", name, kLibraries[0], kLibraries[1]);
}

}  // namespace la
}  // namespace grl
