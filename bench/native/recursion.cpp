// recursion.m written by hand in C++: fib(n) by the doubly recursive definition.
// Usage: recursion N; writes the microseconds the work took to native.time.
#include <chrono>
#include <cstdio>
#include <cstdlib>

static long fib(int n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); }

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int n = std::atoi(argv[1]);
  const auto t0 = std::chrono::steady_clock::now();
  std::printf("fib(%d) = %ld\n", n, fib(n));
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
  if (FILE* f = std::fopen("native.time", "w")) {
    std::fprintf(f, "%lld\n", static_cast<long long>(us.count()));
    std::fclose(f);
  }
  return 0;
}
