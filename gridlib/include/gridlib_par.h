// Functions of a program that run side by side: `par_run(f);` starts the M function f
// (one without inputs), `par_sync;` waits for the functions started so far.
//
// The multithreaded library (built with -D_KORVAL_MT=1, `korval -build:mt`) runs each
// function in a thread of its own. The plain library runs it to its end inside
// par_run, so the same program gives the results of its sequential reading.
#ifndef GRIDLIB_PAR_H
#define GRIDLIB_PAR_H

void par_run(M<m_type> (*f)());

namespace grl {
// Waits for every function that the calling thread started with par_run. A function
// that itself starts others waits for them before its own thread ends.
void par_join();
// True in the multithreaded library.
bool par_threads();
}  // namespace grl

// The translator writes the statement `par_sync;`.
#define par_sync (::grl::par_join())

#endif
