// class: the name of a value's class.
#include "shape_util.h"

#include <type_traits>

using namespace grl;
using namespace grl::mth;

Mt class_M(const Mt& x) {
  if (x.ischar()) return TM("char");
  if (x.islogical()) return TM("logical");
  return TM(std::is_same<m_type, float>::value ? "single" : "double");
}

Mt class_M(const Mc&) { return TM("cell"); }
