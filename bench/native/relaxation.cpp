// relaxation.m written by hand in C++: the same sweeps over the same grid, column by
// column, the same sums, the same output. Usage: relaxation N SWEEPS; writes the
// microseconds the work took to native.time.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int n = std::atoi(argv[1]), sweeps = std::atoi(argv[2]);
  if (n < 3 || sweeps < 0) return 2;
  const auto t0 = std::chrono::steady_clock::now();
  std::vector<double> u(std::size_t(n) * n, 0.0);  // column-major, u[i + j*n]
  for (int j = 0; j < n; ++j) u[std::size_t(j) * n] = 1;
  std::vector<double> v = u;
  for (int sweep = 0; sweep < sweeps; ++sweep) {
    for (int j = 1; j < n - 1; ++j)
      for (int i = 1; i < n - 1; ++i) {
        const std::size_t k = i + std::size_t(j) * n;
        v[k] = 0.25 * (u[k - 1] + u[k + 1] + u[k - n] + u[k + n]);
      }
    u = v;
  }
  double total = 0;
  for (int j = 0; j < n; ++j) {
    double column = 0;
    for (int i = 0; i < n; ++i) column += u[i + std::size_t(j) * n];
    total += column;
  }
  const int mid = int(std::round(n / 2.0)) - 1;
  std::printf("%.8f %.8f\n", total, u[2 + std::size_t(mid) * n]);
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
  if (FILE* f = std::fopen("native.time", "w")) {
    std::fprintf(f, "%lld\n", static_cast<long long>(us.count()));
    std::fclose(f);
  }
  return 0;
}
