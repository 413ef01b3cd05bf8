// Calls into the library from a host that is not an M program: the entry points of a
// shared library built from M-files, called from C or Python, and the gateway of a MEX
// file, called by the interpreter that loaded it.
//
// An error must not leave such a call as an exception (a C caller cannot catch it, and
// one that reaches the host's own frames ends the host process), nor end the process.
// host_call runs the work, catches whatever it throws and keeps the error for the
// host: the identifier and the message of the call that failed last in this thread.
#ifndef GRIDLIB_HOST_H
#define GRIDLIB_HOST_H

#include <string>

namespace grl {

struct host_error_t {
  std::string identifier;   // empty when the error has none
  std::string message;
};

// The error of the last call of this thread that failed; both texts are empty when the
// last call ran through.
const host_error_t& host_error();
// Records the exception being handled; called inside a catch block.
void host_record_current();
// Records an error the wrapper itself finds (a null pointer, a wrong argument).
void host_record(const std::string& identifier, const std::string& message);

// Runs work(); true when it returned, false when it failed (host_error() says why).
template <class F> bool host_call(F&& work) {
  host_record(std::string(), std::string());
  try {
    work();
    return true;
  } catch (...) {
    host_record_current();
    return false;
  }
}

// True when any of the pointers is null, the error then recorded under the name of
// the entry point: a C caller may pass NULL where a matrix belongs.
template <class... P> bool host_null(const char* entry, const P*... p) {
  if (((p != nullptr) && ...)) return false;
  host_record("korval:nullPointer", std::string(entry) + ": a matrix argument is a null pointer");
  return true;
}

// The library's start for a host: as initM, but the host keeps its own handlers of
// failed allocations and of uncaught exceptions.
void host_init();
// The matrix access functions of a shared library (mtCreateDoubleMatrix and the
// element accessors). Rows and columns count from 1; a position outside the matrix, a
// null pointer or a size below 0 records an error instead of touching memory.
M<m_type>* host_new(int rows, int cols, int isc);
// Element (row, col), real or imaginary part, into *v and as the result; 0 on error.
double host_get(const M<m_type>* x, int row, int col, bool imag, double* v);
void host_set(M<m_type>* x, int row, int col, bool imag, const double* v);
// The class of a matrix as grl::mclass numbers it (0 double, 1 single, 2 int8 ... 9
// uint64, 10 logical, 11 char, 12 cell); -1 for a null pointer.
int host_class_id(const M<m_type>* x);
// Converts the matrix to the class id (0 to 11) as int8(x), logical(x), char(x) ...
// do; 1 when done, 0 with the error recorded.
int host_set_class(M<m_type>* x, int id);

}  // namespace grl

#endif
