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

  /* Classes: an int8 input gives an int8 product, rounded and saturated; matrices of
     an integer class do not multiply; a number written into an int8 matrix is one. */
  const double big[] = {100.4}, two[] = {2}, m1[] = {-3.5};
  void* i8 = matrix(1, 1, big);
  void* d2 = matrix(1, 1, two);
  mtSetClassID(i8, MT_INT8_CLASS);
  void *pi = NULL, *si = NULL;
  mulsum_2_2(i8, d2, &pi, &si);
  printf("int8: p %g class %d, s %g class %d\n", mtGetR(pi, 1, 1, &v), mtGetClassID(pi), mtGetR(si, 1, 1, &v),
         mtGetClassID(si));
  mtSetR(i8, 1, 1, (double*)m1);
  printf("written -3.5: %g class %d\n", mtGetR(i8, 1, 1, &v), mtGetClassID(i8));
  void* i8m = matrix(2, 2, av);
  void* i16m = matrix(2, 2, bv);
  mtSetClassID(i8m, MT_INT8_CLASS);
  mtSetClassID(i16m, MT_INT16_CLASS);
  mulsum_2_1(i8m, i16m, &q);
  printf("%s\n", mtLastError());
  printf("%d %s\n", mtSetClassID(i8m, 42), mtLastError());
  mtSetClassID(d2, MT_SINGLE_CLASS);
  const int single_class = mtGetClassID(d2);
  const int logical_class = mtSetClassID(d2, MT_LOGICAL_CLASS) ? mtGetClassID(d2) : -1;
  printf("single class %d, logical class %d\n", single_class, logical_class);
  mtDestroyMatrix(pi);
  mtDestroyMatrix(si);
  mtDestroyMatrix(i8);
  mtDestroyMatrix(d2);
  mtDestroyMatrix(i8m);
  mtDestroyMatrix(i16m);

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
