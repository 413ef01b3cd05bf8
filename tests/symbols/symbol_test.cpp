#include "symbols/symbol.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "report.h"
#include "symbols_fixture.h"

namespace {

using Symbols = WithTypes;

std::string print(const symbol_type& t, int entry, int format, const std::string& prefix = "",
                  const std::string& suffix = "", int first = 1) {
  std::ostringstream out;
  print_name(t, out, first, prefix, suffix, entry, static_cast<print_format>(format), 2);
  return out.str();
}

TEST_F(Symbols, AddFindsByKindGroup) {
  symbol_type t;
  EXPECT_EQ(t.find("x", SYM_ANY), -1);
  EXPECT_EQ(t.search("x"), 0);
  const int x = t.add_typed("x", SYM_LOCAL, 0);
  EXPECT_EQ(t.add_typed("x", SYM_INPUT, 1), x);  // a variable already
  EXPECT_EQ(t.type_of(x), SYM_LOCAL);
  EXPECT_EQ(t.info_of(x)[INFO_TYPE], 0);

  const int f_var = t.add_typed("f", SYM_LOCAL, 0);
  const int f_fun = t.add_typed("f", SYM_CALLED, 4);
  EXPECT_NE(f_var, f_fun);
  EXPECT_EQ(t.find("f", SYM_FUNCTIONS), f_fun);
  EXPECT_EQ(t.find("f", SYM_VARIABLES), f_var);
  EXPECT_EQ(t.find("f", SYM_ANY), t.sorted(t.find_first("f")));
  EXPECT_EQ(t.add_typed("f", SYM_KNOWN_FUNCTION, 4), f_fun);  // widened to 768

  t.add_typed("g", SYM_LOCAL, 0, 1);
  t.add_typed("g", SYM_LOCAL, 0, 1);  // forced: a second variable g
  EXPECT_REPORT(t.find("g", SYM_VARIABLES),
                "^error: symbol_type: internal consistency error for g\n$");
}

TEST_F(Symbols, DottedNamesCreateTheirStructures) {
  symbol_type t;
  const int e = t.add_typed("s.a.b", SYM_LOCAL, 0);
  EXPECT_EQ(t.last(), 2);
  EXPECT_EQ(t.text_of(e), "s.a.b");
  EXPECT_EQ(t.info_of(t.find("s.a", SYM_ANY))[INFO_TYPE], 2);
  EXPECT_EQ(t.info_of(t.find("s", SYM_ANY))[INFO_TYPE], 2);
  EXPECT_EQ(t.info_of(e)[INFO_TYPE], 0);
  // An existing variable becomes a structure when a field of it appears.
  const int v = t.add_typed("v", SYM_LOCAL, 0);
  t.add_typed("v.f", SYM_LOCAL, 0);
  EXPECT_EQ(t.info_of(v)[INFO_TYPE], 2);
}

TEST_F(Symbols, SortedIndexSurvivesGrowth) {
  symbol_type t;
  std::vector<int> idx;
  for (int i = 0; i < 2100; ++i) idx.push_back(t.add_typed("n" + std::to_string((i * 7919) % 2100), SYM_LOCAL, 0));
  EXPECT_GE(t.capacity(), 2100);
  for (int i = 0; i < 2100; ++i) {
    EXPECT_EQ(t.text_of(idx[i]), "n" + std::to_string((i * 7919) % 2100));
    EXPECT_EQ(t.find(t.text_of(idx[i]), SYM_LOCAL), idx[i]);
  }
  for (int p = 1; p <= t.last(); ++p) EXPECT_LT(t.text_of(t.sorted(p - 1)), t.text_of(t.sorted(p)));
  EXPECT_REPORT(t.text_of(2100), "^error: symbol_type: index out of range\n$");
  EXPECT_REPORT(t.info_of(-1), "^error: symbol_type: index out of range\n$");
  t.type_of(-1) = 5;  // the scratch word
  EXPECT_EQ(t.type_of(-1), 5);
}

TEST_F(Symbols, NameRulesAreConsistencyConditions) {
  symbol_type t;
  EXPECT_EXIT(t.add_typed("", SYM_LOCAL, 0), testing::ExitedWithCode(3),
              "Assertion failed: \\*var_name!='\\\\0', file SYMBOL");
  EXPECT_EXIT(t.add_typed("\nx", SYM_LOCAL, 0), testing::ExitedWithCode(3), "var_name!='\\\\n'");
  EXPECT_EXIT(t.add_typed("\xffx", SYM_LOCAL, 0), testing::ExitedWithCode(3), "var_name!='\\\\xff'");
}

TEST_F(Symbols, NextWalksInIndexOrder) {
  symbol_type t;
  t.add_typed("b", SYM_LOCAL, 0);
  t.add_typed("a", SYM_CALLED, 4);
  t.add_typed("c", SYM_INPUT, 0);
  int pos = -1;
  EXPECT_EQ(t.next(SYM_VARIABLES, pos), 0);
  EXPECT_EQ(t.next(SYM_VARIABLES, pos), 2);
  EXPECT_EQ(t.next(SYM_VARIABLES, pos), -1);
  EXPECT_EQ(pos, -1);
}

TEST_F(Symbols, DecorationAndDisplay) {
  symbol_type t;
  t.add_typed("sum", SYM_RESERVED_FUNCTION, 0);
  t.add_typed("sum", SYM_LOCAL, 0);
  t.add_typed("f", SYM_CALLED, 4);
  t.add_typed("x", SYM_LOCAL, 0);
  EXPECT_STREQ(t.decoration("sum", 0), "_");
  EXPECT_STREQ(t.decoration("f", 0), "()");
  EXPECT_STREQ(t.decoration("f", 1), "");
  EXPECT_STREQ(t.decoration("x", 0), "");
  std::ostringstream out;
  t.display(out, "f");
  t.display(out, "sum");
  EXPECT_EQ(out.str(), "gridlibout<<f();gridlibout<<sum_;");
}

// Entries of every kind the formats are written for.
struct sample {
  symbol_type t;
  int var, scalar, cell, st, fun;
  sample() {
    var = t.add_typed("x", SYM_LOCAL, 0);
    scalar = t.add_typed("n", SYM_LOCAL, 128);
    cell = t.add_typed("c", SYM_LOCAL, 64);
    t.add_typed("s.a", SYM_LOCAL, 0);
    t.add_typed("s.b.c", SYM_LOCAL, 1);
    st = t.find("s", SYM_ANY);
    symbol_info fi = symbol_info::typed(4);
    fi[INFO_NIN] = 2;
    fi[INFO_NOUT] = 3;
    fun = t.add("fn", SYM_CALLED, fi);
  }
};

TEST_F(Symbols, PrintNameFormats) {
  sample s;
  const symbol_type& t = s.t;
  // 1 definition, 17 extern, 16 result type
  EXPECT_EQ(print(t, s.var, 1), "M<double> x(\"x\",0,0); ");
  EXPECT_EQ(print(t, s.var, 1, "::"), "M<double> ::x(\"x\",0,0); ");
  EXPECT_EQ(print(t, s.scalar, 1), "double n; ");
  EXPECT_EQ(print(t, s.cell, 1), "M< M<double> > c(\"c\",0,0); ");
  // A structure is a value of the matrix type (which holds it).
  EXPECT_EQ(print(t, s.st, 1), "M<double> s(\"s\",0,0); ");
  EXPECT_EQ(print(t, s.var, 17), "extern M<double> x; ");
  EXPECT_EQ(print(t, s.st, 17), "extern M<double> s; ");
  EXPECT_EQ(print(t, s.var, 16), "M<double>");
  EXPECT_EQ(print(t, s.st, 16), "M<double>");
  EXPECT_EQ(print(t, s.st, 4), "Mr<double> s__o");
  EXPECT_EQ(print(t, s.fun, 16), "function");
  // 2 plain, 3 value and 4 reference parameters, 5 copy out
  EXPECT_EQ(print(t, s.var, 2, "p", "s"), "pxs");
  EXPECT_EQ(print(t, s.var, 3), "M<double> x");
  EXPECT_EQ(print(t, s.var, 3, "", "", 0), ", M<double> x");
  EXPECT_EQ(print(t, s.cell, 3, "", "", 0), ", M< M<double> > c");
  EXPECT_EQ(print(t, s.var, 4), "Mr<double> x__o");
  EXPECT_EQ(print(t, s.cell, 4, "", "", 0), ", M< M<double> >& c__o");
  EXPECT_EQ(print(t, s.scalar, 4), "Mr<double> n__o");
  EXPECT_EQ(print(t, s.var, 5), "x__o=x; ");
  // 6 record line, 8 and 9 name lists, 10 local output
  EXPECT_EQ(print(t, s.fun, 6), "fn function 2 3 0 0 0 0 0\n");
  EXPECT_EQ(print(t, s.cell, 6), "c cell_of_double 0 0 0 0 0 0 0\n");
  EXPECT_EQ(print(t, s.st, 6), "s struct 0 0 0 0 0 0 0\n");
  EXPECT_EQ(print(t, s.var, 8, "", "", 0), ", x");
  EXPECT_EQ(print(t, s.var, 9), "x__o");
  EXPECT_EQ(print(t, s.var, 10), "M<double> x__o(\"x\",0,0); ");
  EXPECT_EQ(print(t, s.st, 10), "M<double> s__o(\"s\",0,0); ");
  // 13 whos, 14 include, 15 return
  EXPECT_EQ(print(t, s.var, 13),
            "whos_line(x.getname(),x.isc(),x.rows(),x.cols(),\"double\");\n");
  EXPECT_EQ(print(t, s.st, 13),
            "cout<<\"s" + std::string(19 + 26, ' ') + "Structure.\"<<endl;\n");
  EXPECT_EQ(print(t, s.fun, 14), "#include \"fn.h\"\n");
  EXPECT_EQ(print(t, s.var, 15), "return(x);\n");
  // 22 structure declaration only for structures
  EXPECT_EQ(print(t, s.var, 22), "");
  EXPECT_EQ(print(t, s.st, 22), "");
  // 23 to 25 dispatcher cases, 26 and 27 conversions
  EXPECT_EQ(print(t, s.fun, 23), "  case 'fn'\n    [y1,y2,y3]=fn(varargin{:});\n");
  EXPECT_EQ(print(t, s.var, 23), "");
  EXPECT_EQ(print(t, s.fun, 24), "  case 'fn'\n    y=2;\n");
  EXPECT_EQ(print(t, s.fun, 25), "  case 'fn'\n    y=3;\n");
  EXPECT_EQ(print(t, s.var, 26, "cvt", "in"), "cvt(in[1],x);\n");
  EXPECT_EQ(print(t, s.var, 27, "cvt", "out"), "cvt(x,out[1]);\n");

  EXPECT_REPORT(print(t, s.var, 7), "^error: print_name: unknown format\n$");
  EXPECT_EXIT(print(t, s.var, 14, "", "x"), testing::ExitedWithCode(3), "suffix==none");
}

TEST_F(Symbols, FevalCaseOfFunctionWithoutInputsRefusesInputs) {
  symbol_type t;
  symbol_info none = symbol_info::typed(4);
  none[INFO_NOUT] = 1;
  const int f0 = t.add("f0", SYM_CALLED, none);
  EXPECT_EQ(print(t, f0, 23),
            "  case 'f0'\n    if ~isempty(varargin), error('f0: function called with too many inputs'); end\n"
            "    y1=f0();\n");
  // A local function names itself without its file's prefix.
  const int local = t.add("file__g", SYM_CALLED, none);
  EXPECT_NE(print(t, local, 23).find("error('g: function called"), std::string::npos);
  none[INFO_NIN] = 1;
  const int f1 = t.add("f1", SYM_CALLED, none);
  EXPECT_EQ(print(t, f1, 23), "  case 'f1'\n    y1=f1(varargin{:});\n");
}

TEST_F(Symbols, PrintAllLimitsAndFills) {
  symbol_type t;
  t.add_typed("a", SYM_INPUT, 0);
  t.add_typed("r.f", SYM_INPUT, 0);  // dotted names are skipped
  t.add_typed("b", SYM_INPUT, 0);
  t.add_typed("c", SYM_INPUT, 64);
  std::ostringstream out;
  int first = 1;
  EXPECT_EQ(symbol_type::print_all(t, out, first, "", "", SYM_INPUT, PN_NAMES, 1, 1), 4);
  EXPECT_EQ(out.str(), "a, junkM, junkM, junkM");
  std::ostringstream rec;
  first = 1;
  EXPECT_EQ(symbol_type::print_all(t, rec, first, "", "", SYM_INPUT, PN_RECORD, -1, 0), 5);
  EXPECT_EQ(rec.str().substr(0, 22), "a double 0 0 0 0 0 0 0");
}

TEST_F(Symbols, MergeModes) {
  symbol_type callee;
  callee.add_typed("v", SYM_LOCAL, 0);
  callee.add_typed("g", SYM_GLOBAL, 0);
  symbol_info fi = symbol_info::typed(4);
  fi[INFO_NIN] = 3;
  callee.add("h", SYM_CALLED, fi);
  callee.add_typed("k", SYM_CALLED, 6);  // "unknown": info not copied over
  callee.add_typed("rep", SYM_REPLACE, 31, 1);
  callee.add_typed("text", SYM_REPLACEMENT, 31, 1);

  symbol_type caller;
  const int k = caller.add_typed("k", SYM_CALLED, 5);
  caller.merge(callee, 1);
  EXPECT_EQ(caller.type_of(caller.find("v", SYM_ANY)), SYM_DECLARED);
  EXPECT_EQ(caller.type_of(caller.find("g", SYM_ANY)), SYM_EXTERN_GLOBAL);
  EXPECT_EQ(caller.info_of(caller.find("h", SYM_FUNCTIONS))[INFO_NIN], 3);
  EXPECT_EQ(caller.info_of(k)[INFO_TYPE], 5);
  EXPECT_EQ(caller.find("rep", SYM_ANY), -1);

  symbol_type fresh;
  fresh.merge(callee, 2);
  const int r = fresh.find("rep", SYM_REPLACE);
  EXPECT_EQ(fresh.text_of(r + 1), "text");
  EXPECT_EQ(fresh.type_of(fresh.find("h", SYM_ANY)), SYM_KNOWN_FUNCTION);
  EXPECT_EQ(fresh.find("v", SYM_ANY), -1);
}

TEST_F(Symbols, SectionsRoundTrip) {
  sample s;
  std::ostringstream file;
  file << "[declare]\n";
  int first = 1;
  symbol_type::print_all(s.t, file, first, "", "", SYM_ANY, PN_RECORD, -1, 0);
  file << "[replace]\nN\n10\nM\n20\n";
  std::istringstream in(file.str());
  symbol_type back;
  ASSERT_TRUE(back.read_section(in, "[declare]", SYM_LOCAL, 0));
  for (int i = 0; i <= s.t.last(); ++i) {
    const int e = back.find(s.t.text_of(i), SYM_ANY);
    ASSERT_GE(e, 0) << s.t.text_of(i);
    EXPECT_EQ(back.info_of(e), s.t.info_of(i)) << s.t.text_of(i);
  }
  EXPECT_FALSE(back.read_section(in, "[functions]", SYM_CALLED, 0));
}

TEST_F(Symbols, ReplaceSectionsAlternate) {
  std::istringstream in("[replace]\nN x\n10 x\nM x\n20 x\n[next]\n");
  symbol_type t;
  ASSERT_TRUE(t.read_section(in, "[replace]", SYM_REPLACE, 1));
  const int n = t.find("N", SYM_REPLACE);
  EXPECT_EQ(t.text_of(n + 1), "10");
  EXPECT_EQ(t.type_of(n + 1), SYM_REPLACEMENT);
  EXPECT_EQ(t.text_of(t.find("M", SYM_REPLACE) + 1), "20");
  EXPECT_EQ(t.info_of(n)[INFO_TYPE], -1);  // "x" names no type
}

TEST_F(Symbols, BadSectionLines) {
  symbol_type t;
  std::istringstream shortrec("[s]\nv double 1 2\n");
  ASSERT_TRUE(t.read_section(shortrec, "[s]", SYM_LOCAL, 0));
  EXPECT_EQ(t.info_of(t.find("v", SYM_ANY)), symbol_info::typed(0));  // reset, then typed
  std::istringstream empty("[s]\n\nv double\n");
  EXPECT_EXIT(t.read_section(empty, "[s]", SYM_LOCAL, 0), testing::ExitedWithCode(3),
              "Assertion failed: \\*in!='\\\\0', file SYMBOL");
  std::istringstream longline("[s]\n" + std::string(2000, 'w') + " double\n");
  EXPECT_EXIT(t.read_section(longline, "[s]", SYM_LOCAL, 0), testing::ExitedWithCode(3), "in!=");
  std::istringstream truncated("[s]\nv");
  EXPECT_EXIT(t.read_section(truncated, "[s]", SYM_LOCAL, 0), testing::ExitedWithCode(3), "in!=");
}

TEST_F(Symbols, VariableFileRoundTrip) {
  sample s;
  const std::string path = testing::TempDir() + "korval-vars-" + std::to_string(getpid()) + ".sym";
  s.t.write_variables(path, SYM_VARFILE_SET);
  symbol_type back;
  back.read_variables(path);
  EXPECT_EQ(back.last(), s.t.last() - 1);  // the function is not a variable
  EXPECT_EQ(back.info_of(back.find("n", SYM_ANY))[INFO_TYPE], 128);
  EXPECT_REPORT(back.read_variables("/no/such.sym"), "^error: could not open /no/such.sym for read\n$");
}

TEST_F(Symbols, GrowthIsNLogN) {
  // Prints times; a benchmark-style check, not a timed assertion.
  symbol_type t;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100000; ++i) {
    t.add_typed("v" + std::to_string((i * 40503L) % 100000), SYM_LOCAL, 0);
    if (i % 1000 == 999) {
      EXPECT_GE(t.find("v" + std::to_string((i * 40503L) % 100000), SYM_LOCAL), 0);
      if (i % 25000 == 24999)
        std::printf("symbols: %d adds in %.1f ms\n", i + 1,
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
  }
  EXPECT_EQ(t.last(), 99999);
}

}  // namespace
