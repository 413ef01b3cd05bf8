// The feval dispatcher's cases for local functions: a name built while the program
// runs ('helper') reaches the file's helper, whose C++ name is file__helper.
#include <gtest/gtest.h>

#include <string>

#include "project/project.h"

TEST(Dispatcher, LocalFunctionsAnswerToTheirMNames) {
  const std::string cases =
      "  case 'main__helper'\n    y1=main__helper(varargin{:});\n"
      "  case 'scale'\n    y1=scale(varargin{:});\n"
      "  case 'other__scale'\n    y1=other__scale(varargin{:});\n"
      "  case 'other__helper'\n    [y1,y2]=other__helper(varargin{:});\n"
      "  case 'x__'\n    y1=x__(varargin{:});\n";
  const std::string aliases = project_t::local_aliases(cases);
  // helper: the first file's; scale: the M-file keeps its own name; x__ is no local name.
  EXPECT_EQ(aliases, "  case 'helper'\n    y1=main__helper(varargin{:});\n");
  EXPECT_EQ(project_t::local_aliases(""), "");
}
