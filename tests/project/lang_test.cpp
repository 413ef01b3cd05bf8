#include "symbols/lang.h"

#include <gtest/gtest.h>

#include <string>

#include "test_util.h"

namespace {

const char kGetM[] = "int DLLX _stdcall mtGetM(M<m_type>* x);";
const char kUserF[] = "M<double> f(M<double> a);";
const char kUserG[] = "M<double> g(M<double> a, M<double> b, i_o_t, Mr<double> c__o, Mr<double> d__o);";

// A writer with all five files "gridlib.*" open in a fresh directory.
struct all_languages {
  ptest::temp_dir tmp;
  lang_writer w;
  explicit all_languages(int compiler) {
    w.open("gridlib", compiler);
    w.select(16);
  }
};

TEST(LangParse, SplitsKindsNamesAndOutputs) {
  lang::prototype_t p;
  ASSERT_TRUE(lang::parse(kUserG, true, p));
  EXPECT_EQ(p.name, "g");
  EXPECT_EQ(p.ret, 'm');
  EXPECT_TRUE(p.procedure);
  EXPECT_EQ(p.in_kinds, "mm");
  EXPECT_EQ(p.in_names, "a$b$");
  EXPECT_EQ(p.out_kinds, "mm");
  EXPECT_EQ(p.out_names, "c__o$d__o$");

  ASSERT_TRUE(lang::parse("double DLLX _stdcall mtGetR(M<m_type>* x, int row, int col);", false, p));
  EXPECT_EQ(p.name, "mtGetR");
  EXPECT_EQ(p.ret, 'd');
  EXPECT_FALSE(p.procedure);
  EXPECT_EQ(p.in_kinds, "mii");
  EXPECT_EQ(p.out_kinds, "d");
  EXPECT_EQ(p.out_names, "retvar$");

  // A function returning nothing is a procedure and gets no retvar unless wrapped.
  ASSERT_TRUE(lang::parse("void DLLX _stdcall mtExitM();", false, p));
  EXPECT_TRUE(p.procedure);
  EXPECT_EQ(p.out_kinds, "");
}

TEST(LangParse, ParameterNamesThatBeginLikeTypesStayNames) {
  lang::prototype_t p;
  ASSERT_TRUE(lang::parse("M<double> h(M<double> interval, M<double> doubled);", true, p));
  EXPECT_EQ(p.in_kinds, "mm");
  EXPECT_EQ(p.in_names, "interval$doubled$");
  EXPECT_EQ(lang::kind_of("int*"), 'i');
  EXPECT_EQ(lang::kind_of("m_type&"), 'd');
  EXPECT_EQ(lang::kind_of("constM"), 'm');
  EXPECT_EQ(lang::kind_of("constM&"), '?');
  EXPECT_EQ(lang::kind_of("Mx"), '?');
}

TEST(LangParse, RejectsWhatNoOtherLanguageCanCall) {
  lang::prototype_t p;
  for (const char* line :
       {"int f(char* s);", "int f(char *s);", "ostream& operator <<(ostream& o, M<double> x);",
        "M< M<double> > c(M<double> a);", "int f(int a)", "int f;", "f(a);", "constMM f(int aaaa);",
        "int fffff int;"})
    EXPECT_FALSE(lang::parse(line, false, p)) << line;
  // Only the first 255 characters count: a longer line loses its ");".
  std::string longline = "int f(int " + std::string(250, 'a') + ");";
  EXPECT_FALSE(lang::parse(longline, false, p));
}

TEST(LangDeclare, MatrixAccessFunctionWithVisualCpp) {
  all_languages a(3);
  EXPECT_TRUE(a.w.declare("gridlib.dll", kGetM, false, false));
  a.w.close();
  EXPECT_EQ(ptest::read_file("gridlib.bas"),
            "Declare Function mtGetM Lib \"gridlib.dll\" Alias \"_mtGetM@4\" (ByVal x As Long) As Long\n");
  EXPECT_EQ(ptest::read_file("gridlib.pas"),
            "function  mtGetM(x: LongInt): LongInt; stdcall; external 'gridlib.dll' name '_mtGetM@4';\n");
  EXPECT_EQ(ptest::read_file("gridlib.c"), "int      _stdcall mtGetM(void* x);\n");
  EXPECT_EQ(ptest::read_file("gridlib.pb"), "function long mtGetM(long x) library \"gridlib.dll\";\n");
  EXPECT_EQ(ptest::read_file("gridlib.ads"),
            "function mtGetM(x: in Integer) return Integer;\npragma Import (DLL_Stdcall, mtGetM, \"mtGetM\");\n");
}

TEST(LangDeclare, WrappedUserFunctionsInEveryLanguage) {
  all_languages a(3);
  EXPECT_TRUE(a.w.declare("f.dll", kUserF, true, true));
  EXPECT_TRUE(a.w.declare("f.dll", kUserG, true, true));
  a.w.close();
  EXPECT_EQ(ptest::read_file("gridlib.bas"),
            "Declare Sub      f_1_1 Lib \"f.dll\" Alias \"_f_1_1@8\" (ByVal a As Long, ByRef retvar As Long)\n"
            "Declare Sub      g_2_2 Lib \"f.dll\" Alias \"_g_2_2@16\" (ByVal a As Long, ByVal b As Long, "
            "ByRef c__o As Long, ByRef d__o As Long)\n");
  EXPECT_EQ(ptest::read_file("gridlib.pas"),
            "procedure f_1_1(a: LongInt; var retvar : LongInt); stdcall; external 'f.dll' name '_f_1_1@8';\n"
            "procedure g_2_2(a: LongInt; b: LongInt; var c__o : LongInt; var d__o : LongInt); stdcall; "
            "external 'f.dll' name '_g_2_2@16';\n");
  EXPECT_EQ(ptest::read_file("gridlib.c"),
            "void     _stdcall f_1_1(void* a, void** retvar);\n"
            "void     _stdcall g_2_2(void* a, void* b, void** c__o, void** d__o);\n");
  EXPECT_EQ(ptest::read_file("gridlib.pb"),
            "subroutine      f_1_1(long a, ref long retvar) library \"f.dll\";\n"
            "subroutine      g_2_2(long a, long b, ref long c__o, ref long d__o) library \"f.dll\";\n");
  EXPECT_EQ(ptest::read_file("gridlib.ads"),
            "procedure f_1_1(a: in Integer; retvar : in out Integer);\n"
            "pragma Import (DLL_Stdcall, f_1_1, \"f_1_1\");\n"
            "procedure g_2_2(a: in Integer; b: in Integer; c__o : in out Integer; d__o : in out Integer);\n"
            "pragma Import (DLL_Stdcall, g_2_2, \"g_2_2\");\n");
}

TEST(LangDeclare, OtherCompilersExportTheNameUndecorated) {
  all_languages a(7);
  EXPECT_TRUE(a.w.declare("gridlib.dll", "void DLLX _stdcall mtExitM();", false, false));
  EXPECT_TRUE(a.w.declare("gridlib.dll", "double DLLX _stdcall mtGetR(M<m_type>* x, int row);", false, false));
  a.w.close();
  EXPECT_EQ(ptest::read_file("gridlib.bas"),
            "Declare Sub      mtExitM Lib \"gridlib.dll\" Alias \"mtExitM\" ()\n"
            "Declare Function mtGetR Lib \"gridlib.dll\" Alias \"mtGetR\" (ByVal x As Long, ByVal row As Long) "
            "As Double\n");
  EXPECT_EQ(ptest::read_file("gridlib.pas"),
            "procedure mtExitM; stdcall; external 'gridlib.dll' name 'mtExitM';\n"
            "function  mtGetR(x: LongInt; row: LongInt): Double; stdcall; external 'gridlib.dll' name 'mtGetR';\n");
  EXPECT_EQ(ptest::read_file("gridlib.c"),
            "void     _stdcall mtExitM();\n"
            "m_type   _stdcall mtGetR(void* x, int row);\n");
  EXPECT_EQ(ptest::read_file("gridlib.pb"),
            "subroutine      mtExitM library \"gridlib.dll\";\n"
            "function double mtGetR(long x, long row) library \"gridlib.dll\";\n");
  EXPECT_EQ(ptest::read_file("gridlib.ads"),
            "procedure mtExitM;\npragma Import (DLL_Stdcall, mtExitM, \"mtExitM\");\n"
            "function mtGetR(x: in Integer; row: in Integer) return Long_Float;\n"
            "pragma Import (DLL_Stdcall, mtGetR, \"mtGetR\");\n");
}

TEST(LangDeclare, WatcomDecoratesOutputsOfProceduresAndSkipsRejected) {
  ptest::temp_dir tmp;
  lang_writer w;
  w.open("m", 4);
  w.select(18);
  EXPECT_FALSE(w.declare("m.dll", "int f(char* s);", false, false));
  EXPECT_TRUE(w.declare("m.dll", "void DLLX _stdcall mtSetR(M<m_type>* x, int r, i_o_t, double* v);", false,
                        false));
  w.close();
  EXPECT_EQ(ptest::read_file("m.pas"),
            "procedure mtSetR(x: LongInt; r: LongInt; var v : Double); stdcall; external 'm.dll' name "
            "'_mtSetR@12';\n");
  // Only the Delphi file exists.
  for (const char* ext : {"bas", "c", "pb", "ads"}) EXPECT_FALSE(ptest::exists(std::string("m.") + ext)) << ext;
}

TEST(LangDeclare, ObjectAdaLeavesOutLongParameterLists) {
  ptest::temp_dir tmp;
  lang_writer w;
  w.open("m", 3);
  w.select(22);
  std::string proto = "M<double> big(";
  for (int i = 0; i < 9; ++i) proto += std::string(i ? ", " : "") + "M<double> a" + std::to_string(i);
  proto += ");";
  // Nine inputs and the result: ten letters.
  EXPECT_FALSE(w.declare("m.dll", proto, true, true));
  EXPECT_TRUE(w.declare("m.dll", "M<double> f(M<double> a);", true, true));
  w.close();
  EXPECT_EQ(ptest::read_file("m.ads"),
            "procedure f_1_1(a: in Integer; retvar : in out Integer);\npragma Import (DLL_Stdcall, f_1_1, "
            "\"f_1_1\");\n");
}

TEST(LangWriter, CommentsAndTextGoToTheOpenFiles) {
  ptest::temp_dir tmp;
  lang_writer w;
  w.open("lib", 0);
  w.select(16);
  w.select(17);  // already open: not created again
  w.text_for("unit gridlib;\ninterface\n\n", 18);
  w.text_for("package gridlib is\n\n", 22);
  w.comment(" Matrix access functions ");
  w.text("\n");
  w.close();
  EXPECT_EQ(ptest::read_file("lib.bas"), "' Matrix access functions \n\n");
  EXPECT_EQ(ptest::read_file("lib.pas"), "unit gridlib;\ninterface\n\n{ Matrix access functions }\n\n");
  EXPECT_EQ(ptest::read_file("lib.c"), "// Matrix access functions \n\n");
  EXPECT_EQ(ptest::read_file("lib.pb"), "// Matrix access functions \n\n");
  EXPECT_EQ(ptest::read_file("lib.ads"), "package gridlib is\n\n-- Matrix access functions \n\n");
}

TEST(LangWriterDeathTest, UnknownTargetAndUnwritableFile) {
  ptest::temp_dir tmp;
  lang_writer w;
  w.open("lib", 0);
  EXPECT_EXIT(w.select(19), ::testing::ExitedWithCode(1), "error: unknown target");
  EXPECT_EXIT(w.text_for("x", 16), ::testing::ExitedWithCode(1), "error: unknown target");
  lang_writer v;
  v.open("nodir/lib", 0);
  EXPECT_EXIT(v.select(17), ::testing::ExitedWithCode(1), "error: could not open nodir/lib.bas for write");
}

}  // namespace
