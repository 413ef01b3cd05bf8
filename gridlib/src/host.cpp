// The errors of calls from a host program (shared-library entry points, MEX gateways).
#include "gridlib.h"
#include "gridlib_host.h"

#include <exception>
// The library's own errors carry an identifier besides the message.
#include "gridlib_error.h"
#include <iostream>
#include <new>

namespace grl {
namespace {
thread_local host_error_t last_host_error;
}

const host_error_t& host_error() { return last_host_error; }

void host_record(const std::string& identifier, const std::string& message) {
  last_host_error.identifier = identifier;
  last_host_error.message = message;
}

void host_record_current() {
  try {
    throw;
  } catch (const grl::exception& e) {
    host_record(e.identifier(), e.message());
  } catch (const std::bad_alloc&) {
    host_record("Octave:bad-alloc", "out of memory or dimension too large for Octave's index type");
  } catch (const std::exception& e) {
    host_record(std::string(), e.what());
  } catch (...) {
    host_record(std::string(), "unknown error");
  }
}

void host_init() {
  // initM installs the program's endings of failed allocations and uncaught errors; in
  // a host they would outlive the call and act on the host's own failures.
  const std::new_handler host_new_handler = std::get_new_handler();
  const std::terminate_handler host_terminate = std::get_terminate();
  initM(std::cin, std::cout, std::cerr);
  std::set_new_handler(host_new_handler);
  std::set_terminate(host_terminate);
}

M<m_type>* host_new(int rows, int cols, int isc) {
  M<m_type>* x = nullptr;
  if (rows < 0 || cols < 0) {
    host_record("korval:badSize", "mtCreateDoubleMatrix: the number of rows and columns must not be negative");
    return nullptr;
  }
  host_call([&] { x = new M<m_type>(M<m_type>::zeros(std::size_t(rows), std::size_t(cols), isc != 0)); });
  return x;
}

namespace {
// The linear position of (row, col), or false with the error recorded.
bool position(const M<m_type>* x, int row, int col, const void* v, const char* who, std::size_t& k) {
  if (!x || !v) {
    host_record("korval:nullPointer", std::string(who) + ": a null pointer");
    return false;
  }
  if (row < 1 || col < 1 || std::size_t(row) > x->rows() || std::size_t(col) > x->cols()) {
    host_record("Octave:index-out-of-bounds",
                std::string(who) + ": index (" + std::to_string(row) + "," + std::to_string(col) +
                    ") out of bound " + std::to_string(x->rows()) + "x" + std::to_string(x->cols()));
    return false;
  }
  k = std::size_t(row - 1) + std::size_t(col - 1) * x->rows();
  host_record(std::string(), std::string());
  return true;
}
}  // namespace

double host_get(const M<m_type>* x, int row, int col, bool imag, double* v) {
  std::size_t k;
  if (!position(x, row, col, v, imag ? "mtGetI" : "mtGetR", k)) return 0;
  return *v = double(imag ? x->ielem(k) : x->elem(k));
}

void host_set(M<m_type>* x, int row, int col, bool imag, const double* v) {
  std::size_t k;
  if (!position(x, row, col, v, imag ? "mtSetI" : "mtSetR", k)) return;
  host_call([&] {
    if (imag) {
      x->pi()[k] = m_type(*v);
    } else {
      // A number written into an integer class or single becomes a value of it.
      const mclass c = x->num_class();
      x->pr()[k] = m_type(class_value(*v, c));
      if (c == mc_double) x->set_flags(x->flags_ & ~std::uint32_t(F_LOGICAL));
    }
  });
}

int host_class_id(const M<m_type>* x) {
  if (!x) {
    host_record("korval:nullPointer", "mtGetClassID: a null pointer");
    return -1;
  }
  host_record(std::string(), std::string());
  return int(class_of(*x));
}

int host_set_class(M<m_type>* x, int id) {
  if (!x) {
    host_record("korval:nullPointer", "mtSetClassID: a null pointer");
    return 0;
  }
  if (id < int(mc_double) || id > int(mc_char)) {
    host_record("korval:badClass", "mtSetClassID: " + std::to_string(id) + " is no class of a matrix");
    return 0;
  }
  return host_call([&] {
    const mclass c = mclass(id);
    if (c == mc_logical) *x = ::logical_M(*x);
    else if (c == mc_char) *x = ::char_M(*x);
    else *x = to_class(*x, c);
  }) ? 1 : 0;
}

}  // namespace grl
