// The names `load file` must define: those the rest of the function reads before it
// assigns them.
#include <gtest/gtest.h>

#include "translate/load_names.h"

TEST(LoadNames, NamesReadBeforeTheyAreAssigned) {
  using names = std::vector<std::string>;
  EXPECT_EQ(names_read_later("disp(x)\ny = x + z;\nz = 1;\n"), (names{"disp", "x", "z"}));
  // Assigned first, whole or in part, alone or among outputs: not read from the file.
  EXPECT_EQ(names_read_later("a = 1; b(2) = 3; c{1} = 4;\ndisp(a + b + c)\n"), (names{"disp"}));
  EXPECT_EQ(names_read_later("[fid, msg] = fopen(f);\ndisp(msg)\n[~, k] = max(v);\n"),
            (names{"fopen", "f", "disp", "max", "v"}));
  EXPECT_EQ(names_read_later("  [p, q(2)] = deal(1, 2); disp(p)\n"), (names{"deal", "disp"}));
  // Inside brackets that are not an output list: read (keywords are the caller's to drop).
  EXPECT_EQ(names_read_later("y = [u, w];\nif [r] == 1, end\nv = s(t);\n"), (names{"u", "w", "if", "r", "end", "s", "t"}));
  // s.name is a field; the next function line ends the text.
  EXPECT_EQ(names_read_later("q = s.name;\nfunction f\n  disp(g)\n"), (names{"s"}));
}
