// Timers and the wall clock: tic, toc, clock.
#include "math_util.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <sys/time.h>

using namespace grl;

namespace {

typedef std::chrono::steady_clock steady;
// Identifiers of tic are microseconds from a fixed point shortly before the program
// started, counted from 1 so that no identifier is 0.
const steady::time_point origin = steady::now() - std::chrono::microseconds(1);
double last_tic = -1;

double now_us() {
  return double(std::chrono::duration_cast<std::chrono::microseconds>(steady::now() - origin).count());
}

}  // namespace

grl::toc_value::~toc_value() {
  if (!used) {
    std::printf("Elapsed time is %g seconds.\n", secs);
    std::fflush(stdout);
  }
}

grl::tic_value tic() {
  last_tic = now_us();
  return grl::tic_value(last_tic);
}

grl::toc_value toc() {
  if (last_tic < 0) grl_fail("toc: function called before timer initialization with tic()");
  return grl::toc_value((now_us() - last_tic) * 1e-6);
}

grl::toc_value toc(const Mt& id) {
  if (id.numel() != 1 || id.isc()) grl_fail("toc: invalid ID");
  const double start = double(id.cre()[0]);
  if (!(start >= 1)) grl_fail("toc: invalid ID");
  return grl::toc_value((now_us() - start) * 1e-6);
}

Mt clock_M() {
  timeval tv;
  gettimeofday(&tv, nullptr);
  std::time_t t = tv.tv_sec;
  std::tm lt;
  localtime_r(&t, &lt);
  Mt o = Mt::alloc(1, 6);
  m_type* p = o.pr();
  p[0] = m_type(lt.tm_year + 1900);
  p[1] = m_type(lt.tm_mon + 1);
  p[2] = m_type(lt.tm_mday);
  p[3] = m_type(lt.tm_hour);
  p[4] = m_type(lt.tm_min);
  p[5] = m_type(double(lt.tm_sec) + tv.tv_usec * 1e-6);
  return o;
}
