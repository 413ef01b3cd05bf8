// fft and ifft through FFTW3 (fftw3 for double, fftw3f for float): along the first
// non-singleton dimension or the one given, padded or cut to n points.
#include "linalg_lapack.h"

#include <cmath>
#include <fftw3.h>

namespace grl {
namespace la {
namespace {

// One batch of `count` transforms of length n, each contiguous, in place.
inline void run_fft(std::complex<double>* data, int n, int count, int sign) {
  fftw_complex* p = reinterpret_cast<fftw_complex*>(data);
  fftw_plan plan = fftw_plan_many_dft(1, &n, count, p, nullptr, 1, n, p, nullptr, 1, n, sign, FFTW_ESTIMATE);
  fftw_execute(plan);
  fftw_destroy_plan(plan);
}
inline void run_fft(std::complex<float>* data, int n, int count, int sign) {
  fftwf_complex* p = reinterpret_cast<fftwf_complex*>(data);
  fftwf_plan plan = fftwf_plan_many_dft(1, &n, count, p, nullptr, 1, n, p, nullptr, 1, n, sign, FFTW_ESTIMATE);
  fftwf_execute(plan);
  fftwf_destroy_plan(plan);
}

Mt transform(const Mt& x, const Mt* nm, const Mt* dm, bool inverse) {
  const char* fn = inverse ? "ifft" : "fft";
  int dim = x.rows() != 1 ? 1 : 2;
  if (dm && !dm->isempty()) {
    if (dm->numel() != 1 || !(dm->cre()[0] >= 1) || dm->cre()[0] != std::floor(dm->cre()[0]))
      grl_fail("%s: DIM must be a valid dimension along which to perform FFT", fn);
    dim = dm->cre()[0] == 1 ? 1 : dm->cre()[0] == 2 ? 2 : 3;
  }
  std::size_t len = dim == 1 ? x.rows() : dim == 2 ? x.cols() : 1;
  std::size_t n = len;
  if (nm && !nm->isempty()) {
    if (nm->numel() != 1 || !(nm->cre()[0] >= 1) || nm->cre()[0] != std::floor(nm->cre()[0]))
      grl_fail("%s: number of points N must be greater than zero", fn);
    n = std::size_t(nm->cre()[0]);
  }
  std::size_t count = dim == 1 ? x.cols() : dim == 2 ? x.rows() : x.numel();
  if (dim == 3) { len = 1; }
  std::size_t orows = dim == 1 ? n : x.rows(), ocols = dim == 2 ? n : x.cols();
  if (dim == 3 && n != 1) grl_fail("%s: DIM must be a valid dimension along which to perform FFT", fn);
  if (n * count == 0) return Mt::zeros(orows, ocols);
  // FFTW counts points in an int, and the two work arrays must fit.
  if (n > 0x7FFFFFFF || count > 0x7FFFFFFF) fail_too_large();
  check_extent(n, count, 2 * sizeof(C));
  // Gather each line, padded with zeros or cut to n points, one after the other.
  std::vector<C> buf(n * count, C(0));
  std::size_t r = x.rows();
  for (std::size_t l = 0; l < count; ++l)
    for (std::size_t i = 0; i < len && i < n; ++i) {
      std::size_t k = dim == 1 ? i + l * r : dim == 2 ? l + i * r : l;
      buf[i + l * n] = C(x.cre()[k], x.cim() ? x.cim()[k] : T(0));
    }
  run_fft(buf.data(), int(n), int(count), inverse ? FFTW_BACKWARD : FFTW_FORWARD);
  std::vector<C> out(n * count);
  T scale = inverse ? T(1) / T(n) : T(1);
  for (std::size_t l = 0; l < count; ++l)
    for (std::size_t i = 0; i < n; ++i) {
      std::size_t k = dim == 1 ? i + l * n : dim == 2 ? l + i * orows : l;
      out[k] = buf[i + l * n] * scale;
    }
  return from_z(orows, ocols, out.data());
}

}  // namespace
}  // namespace la
}  // namespace grl

using grl::la::Mt;

Mt fft(const Mt& x) { return grl::la::transform(x, nullptr, nullptr, false); }
Mt fft(const Mt& x, const Mt& n) { return grl::la::transform(x, &n, nullptr, false); }
Mt fft(const Mt& x, const Mt& n, const Mt& dim) { return grl::la::transform(x, &n, &dim, false); }
Mt ifft(const Mt& x) { return grl::la::transform(x, nullptr, nullptr, true); }
Mt ifft(const Mt& x, const Mt& n) { return grl::la::transform(x, &n, nullptr, true); }
Mt ifft(const Mt& x, const Mt& n, const Mt& dim) { return grl::la::transform(x, &n, &dim, true); }
