// The driver of odd-inputs: sample values and one child process per call.
#ifndef ODD_INPUTS_H
#define ODD_INPUTS_H

#include <cmath>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

using Mt = M<m_type>;
using Mc = M<M<m_type>>;

namespace odd {

// The sample inputs. The first few are the ones most likely to upset a function and
// serve for the calls of two and three inputs, whose combinations grow fast.
inline std::vector<Mt> samples() {
  std::vector<Mt> s;
  s.push_back(Mt());                                   // []
  s.push_back(Mt::zeros(1, 0));                        // zeros(1, 0)
  s.push_back(Mt(m_type(NAN)));
  s.push_back(Mt(m_type(-1)));
  s.push_back(TM("ab"));
  s.push_back(Mt::of_cell((CL(Mt(m_type(1))), TM("a")).value()));
  s.push_back(Mt(m_type(2.5)));
  s.push_back(Mt(m_type(1e10)));
  s.push_back(Mt(m_type(INFINITY)));
  s.push_back(Mt(m_type(0)));
  s.push_back((BR(Mt(m_type(3))), Mt(m_type(1)), Mt(m_type(2))).value());
  s.push_back((BR(Mt(m_type(1))), semi, Mt(m_type(2))).value());
  s.push_back(magic(Mt(m_type(3))));
  s.push_back(Mt::cplx(1, 2));
  s.push_back(Mt(true));
  s.push_back(grl::handle(TM("sin")));
  return s;
}
const std::size_t wide = 16, narrow2 = 9, narrow3 = 5;

inline int bad = 0, calls = 0;

inline void redirect(int fd, const char* path, int flags) {
  int f = open(path, flags);
  if (f >= 0) { dup2(f, fd); close(f); }
}

// Runs f in a child: it must return (status 0) or fail with an error (status 1).
template <class F> void probe(const std::string& what, F f) {
  ++calls;
  std::fflush(stdout);
  pid_t p = fork();
  if (p < 0) { std::perror("fork"); ++bad; return; }
  if (p == 0) {
    redirect(1, "/dev/null", O_WRONLY);
    redirect(2, "/dev/null", O_WRONLY);
    alarm(20);
    f();
    std::fflush(stdout);
    _exit(0);
  }
  int st = 0;
  waitpid(p, &st, 0);
  if (WIFEXITED(st) && (WEXITSTATUS(st) == 0 || WEXITSTATUS(st) == 1)) return;
  ++bad;
  if (WIFSIGNALED(st))
    std::printf("%s: signal %d%s\n", what.c_str(), WTERMSIG(st), WTERMSIG(st) == SIGALRM ? " (took over 20 s)" : "");
  else
    std::printf("%s: exit status %d\n", what.c_str(), WEXITSTATUS(st));
}

inline std::string call_text(const char* name, std::initializer_list<std::size_t> ks) {
  std::string s = std::string(name) + "(";
  bool first = true;
  for (std::size_t k : ks) { s += (first ? "#" : ", #") + std::to_string(k); first = false; }
  return s + ")";
}

template <class F> void each1(const char* name, F f) {
  const std::vector<Mt> s = samples();
  for (std::size_t a = 0; a < wide; ++a) probe(call_text(name, {a}), [&] { f(s[a]); });
}
template <class F> void each2(const char* name, F f) {
  const std::vector<Mt> s = samples();
  for (std::size_t a = 0; a < narrow2; ++a)
    for (std::size_t b = 0; b < narrow2; ++b) probe(call_text(name, {a, b}), [&] { f(s[a], s[b]); });
}
template <class F> void each3(const char* name, F f) {
  const std::vector<Mt> s = samples();
  for (std::size_t a = 0; a < narrow3; ++a)
    for (std::size_t b = 0; b < narrow3; ++b)
      for (std::size_t c = 0; c < narrow3; ++c) probe(call_text(name, {a, b, c}), [&] { f(s[a], s[b], s[c]); });
}

inline int report() {
  std::printf("%d calls, %d that crashed, hung or tripped a sanitizer (#k is sample k of odd_inputs.h)\n", calls, bad);
  return bad ? 1 : 0;
}

}  // namespace odd

#endif
