/* Calls the M function mulsum through libmulsum.so, as a C program does. */
#include <stdio.h>

#include "libmulsum.h"

static void* matrix(int rows, int cols, const double* v) {
  void* x = mtCreateDoubleMatrix(rows, cols, 0);
  for (int c = 1; c <= cols; ++c)
    for (int r = 1; r <= rows; ++r) mtSetR(x, r, c, (double*)&v[(r - 1) + (c - 1) * rows]);
  return x;
}

static void show(const char* name, void* x) {
  double v;
  printf("%s (%dx%d):", name, mtGetM(x), mtGetN(x));
  for (int c = 1; c <= mtGetN(x); ++c)
    for (int r = 1; r <= mtGetM(x); ++r) printf(" %g", mtGetR(x, r, c, &v));
  printf("\n");
}

int main(void) {
  mtInitM();
  const double av[] = {1, 3, 2, 4}, bv[] = {5, 7, 6, 8};
  void* a = matrix(2, 2, av);
  void* b = matrix(2, 2, bv);
  void *p = NULL, *s = NULL;
  mulsum_2_2(a, b, &p, &s);
  show("p", p);
  show("s", s);
  void* p1 = NULL;
  mulsum_2_1(a, b, &p1);
  show("p1", p1);
  printf("last error: [%s]\n", mtLastError());

  /* What a careless caller does: each is refused with a message, nothing crashes. */
  double v = 0;
  mtGetR(p, 3, 1, &v);
  printf("%s\n", mtLastError());
  mtSetR(p, 0, 1, &v);
  printf("%s\n", mtLastError());
  printf("%s\n", mtCreateDoubleMatrix(-1, 2, 0) == NULL ? mtLastError() : "made");
  void* q = NULL;
  mulsum_2_1(NULL, b, &q);
  printf("%s\n", mtLastError());

  /* An error of the M function: the caller goes on. */
  void* c = matrix(1, 3, av);
  mulsum_2_1(a, c, &q);
  printf("%s\n", mtLastError());
  mtDestroyMatrix(q);
  mtDestroyMatrix(c);

  /* Complex parts. */
  mtSetI(a, 1, 1, (double[]){9});
  printf("complex %d, %g\n", mtIsComplex(a), mtGetI(a, 1, 1, &v));

  mtDestroyMatrix(a);
  mtDestroyMatrix(b);
  mtDestroyMatrix(p);
  mtDestroyMatrix(s);
  mtDestroyMatrix(p1);
  mtExitM();
  return 0;
}
