// The driver of odd-inputs: sample values, and child processes that make the calls.
#ifndef ODD_INPUTS_H
#define ODD_INPUTS_H

#include <cmath>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
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

// One call: its text for the report and the call itself.
struct call {
  std::string what;
  std::function<void()> run;
};

// Runs the calls of one function in a child process, one after another; an error is a
// fine outcome of a call and the child goes on with the next. A child that dies
// (a crash, a hang of over 20 s, a sanitizer report) or ends the program tells, through
// a page shared with it, which call it was in: that call is reported when the end was
// not a plain error exit (status 1), and a new child goes on after it. One child per
// function rather than per call: forking a sanitizer-built program is slow.
inline void run_calls(const std::vector<call>& cs) {
  calls += int(cs.size());
  void* page = mmap(nullptr, sizeof(std::size_t), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (page == MAP_FAILED) { std::perror("mmap"); ++bad; return; }
  volatile std::size_t* at = static_cast<std::size_t*>(page);
  for (std::size_t from = 0; from < cs.size();) {
    *at = from;
    std::fflush(stdout);
    pid_t p = fork();
    if (p < 0) { std::perror("fork"); ++bad; break; }
    if (p == 0) {
      redirect(1, "/dev/null", O_WRONLY);
      redirect(2, "/dev/null", O_WRONLY);
      for (std::size_t k = from; k < cs.size(); ++k) {
        *at = k;
        alarm(20);
        try { cs[k].run(); } catch (const std::exception&) {}
      }
      std::fflush(stdout);
      _exit(0);
    }
    int st = 0;
    waitpid(p, &st, 0);
    const std::size_t k = *at;
    if (WIFEXITED(st) && WEXITSTATUS(st) == 0) break;
    if (!(WIFEXITED(st) && WEXITSTATUS(st) == 1)) {
      ++bad;
      if (WIFSIGNALED(st))
        std::printf("%s: signal %d%s\n", cs[k].what.c_str(), WTERMSIG(st), WTERMSIG(st) == SIGALRM ? " (took over 20 s)" : "");
      else
        std::printf("%s: exit status %d\n", cs[k].what.c_str(), WEXITSTATUS(st));
    }
    from = k + 1;
  }
  munmap(page, sizeof(std::size_t));
}

inline std::string call_text(const char* name, std::initializer_list<std::size_t> ks) {
  std::string s = std::string(name) + "(";
  bool first = true;
  for (std::size_t k : ks) { s += (first ? "#" : ", #") + std::to_string(k); first = false; }
  return s + ")";
}

template <class F> void each1(const char* name, F f) {
  const std::vector<Mt> s = samples();
  std::vector<call> cs;
  for (std::size_t a = 0; a < wide; ++a) cs.push_back({call_text(name, {a}), [&, a] { f(s[a]); }});
  run_calls(cs);
}
template <class F> void each2(const char* name, F f) {
  const std::vector<Mt> s = samples();
  std::vector<call> cs;
  for (std::size_t a = 0; a < narrow2; ++a)
    for (std::size_t b = 0; b < narrow2; ++b)
      cs.push_back({call_text(name, {a, b}), [&, a, b] { f(s[a], s[b]); }});
  run_calls(cs);
}
template <class F> void each3(const char* name, F f) {
  const std::vector<Mt> s = samples();
  std::vector<call> cs;
  for (std::size_t a = 0; a < narrow3; ++a)
    for (std::size_t b = 0; b < narrow3; ++b)
      for (std::size_t c = 0; c < narrow3; ++c)
        cs.push_back({call_text(name, {a, b, c}), [&, a, b, c] { f(s[a], s[b], s[c]); }});
  run_calls(cs);
}

inline int report() {
  std::printf("%d calls, %d that crashed, hung or tripped a sanitizer (#k is sample k of odd_inputs.h)\n", calls, bad);
  return bad ? 1 : 0;
}

}  // namespace odd

#endif
