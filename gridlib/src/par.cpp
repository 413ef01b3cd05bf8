// par_run and par_sync. Which of the two forms the library has is fixed when it is
// built: _KORVAL_MT=1 selects threads.
#include "gridlib.h"

#if defined(_KORVAL_MT) && _KORVAL_MT

#include <system_error>
#include <thread>
#include <vector>

namespace {

// The functions one thread has started and not yet waited for. Each thread has its
// own list, so par_sync inside a par_run function waits for that function's own work,
// and a thread (the main program included) waits for its list before it ends: no
// function is cut off when the program returns without par_sync.
struct started_t {
  std::vector<std::thread> threads;
  void join() {
    for (std::thread& t : threads) t.join();
    threads.clear();
  }
  ~started_t() { join(); }
};
thread_local started_t started;

}  // namespace

void par_run(M<m_type> (*f)()) {
  try {
    started.threads.emplace_back([f] { f(); });
  } catch (const std::system_error& e) {
    // Running f here instead could deadlock a program whose functions wait for each other.
    grl_fail("par_run: cannot start a thread (%s)", e.what());
  }
}

void grl::par_join() { started.join(); }
bool grl::par_threads() { return true; }

#else

void par_run(M<m_type> (*f)()) { f(); }
void grl::par_join() {}
bool grl::par_threads() { return false; }

#endif
