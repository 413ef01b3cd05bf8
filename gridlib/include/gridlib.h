// gridlib: the matrix run-time library that translated M programs compile against.
//
// The generated code defines GRLIB before including this header; its value selects the
// element type of the library variant the program links (0 double, 1 float). The header
// declares; the bulk of the library is compiled into libgrlib<GRLIB>.a.
#ifndef GRIDLIB_H
#define GRIDLIB_H

#ifndef GRLIB
#define GRLIB 0
#endif
#if GRLIB == 0
typedef double m_type;
#elif GRLIB == 1
typedef float m_type;
#else
#error "gridlib: no run-time library variant for this GRLIB (0 double, 1 float)"
#endif

// <cmath> of C++17 declares the special functions (std::beta, std::expint, ...) as inline
// functions over templates, which g++ instantiates at the end of every unit that
// includes it, called or not: about 0.1 s of processor time per unit. Neither the
// library nor generated code calls them; a unit that does defines GRL_SPECIAL_MATH
// before including this header.
#include <cstddef>
#if defined(__GLIBCXX__) && !defined(GRL_SPECIAL_MATH)
#undef _GLIBCXX_USE_STD_SPEC_FUNCS
#endif

#include "gridlib_matrix.h"
#include "gridlib_core.h"
#include "gridlib_handle.h"
#include "gridlib_ops.h"
#include "gridlib_class.h"
// The built-in functions, one header per module.
#include "gridlib_text.h"
#include "gridlib_linalg.h"
#include "gridlib_par.h"
#include "gridlib_math.h"
#include "gridlib_io.h"
#include "gridlib_str.h"
#include "gridlib_strcell.h"
#include "gridlib_regexp.h"
#include "gridlib_shape.h"
#include "gridlib_elem.h"
#include "gridlib_sets.h"
#include "gridlib_sys.h"
#include "gridlib_data.h"
#include "gridlib_catch.h"
#include "gridlib_struct.h"
#include "gridlib_objects.h"

#endif
