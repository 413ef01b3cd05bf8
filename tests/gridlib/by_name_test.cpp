// The translator sends the field of a structure array given to a library function
// through the library's by-name table only for the functions it lists as there; a
// name it lists that the table lacks would fail with "Invalid call" at run time.
#include <string>

#include "gridlib.h"
#include "gridlib_funfun.h"
#include "../../translator/translate/by_name.h"

#include <gtest/gtest.h>

TEST(ByName, EveryNameTheTranslatorListsIsInTheLibraryTable) {
  for (const std::string& name : library_by_name_list()) {
    // One empty input: a function the table has runs or refuses the input; only a
    // name it lacks gives false.
    M<M<m_type>> args = M<M<m_type>>::alloc(1, 1);
    M<M<m_type>> outs;
    bool found = true;
    try {
      found = grl::call_library(name, args, 1, outs);
    } catch (const grl::exception&) {
    }
    EXPECT_TRUE(found) << name;
  }
  M<M<m_type>> none = M<M<m_type>>::alloc(1, 1), outs;
  EXPECT_FALSE(grl::call_library("gcd", none, 1, outs));
}
