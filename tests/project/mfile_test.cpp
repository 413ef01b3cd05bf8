#include "project/mfile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "driver/diag.h"
#include "project/reserved.h"
#include "report.h"

namespace {

std::string read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Each test works in a fresh directory with the shipped data type and reserved-names
// files, as korval -mat2cpp does.
class MFile : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/korval-mfile-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    old_ = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    datatypes().clear();
    datatypes().load(KORVAL_SOURCE_DIR "/share/korval.dt");
    read_reserved(project_, KORVAL_SOURCE_DIR "/share/korval.rsv");
    add_known_functions(project_);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(old_), 0);
    std::free(old_);
    std::system(("rm -rf " + dir_).c_str());
    datatypes().clear();
    diag::set_position("", 0);
  }

  int translate(const std::string& name, const std::string& text, const std::string& cpp = "") {
    std::ofstream(name + ".m") << text;
    mfile_job job;
    job.mfile = name + ".m";
    job.cpp_ext = "cpp";
    job.cpp_name = cpp.empty() ? name + ".cpp" : cpp;
    job.project = &project_;
    job.caller = &caller_;
    return translate_mfile(job);
  }

  symbol_type project_, caller_;
  std::string dir_;
  char* old_ = nullptr;
};

TEST_F(MFile, WorkedExample) {
  EXPECT_EQ(translate("sq", "function y = sq(x)\ny = x.^2;\n"), datatypes().function_index());
  EXPECT_EQ(read("sq.cpp"),
            "#undef GRLIB\n#define GRLIB 0\n#include \"gridlib.h\"\n#include \"gridlib_extra.h\"\n\n"
            "M<double> sq(M<double> x);\n\n"
            "M<double> sq() {\n"
            "  double old_nargin=nargin_val; nargin_val=0.0; nargin_set=1;\n"
            "  M<double> ret1a;\n"
            "  ret1a=sq(junkM);\n"
            "  nargin_val=old_nargin;\n"
            "  return(ret1a);\n"
            "}\n\n"
            "M<double> sq(M<double> x) {\n"
            "  M<double> y(\"y\",0,0); \n"
            "  grl::call_frame grl_frame(\"sq.m\",\"sq\");\n"
            "  double old_nargin=nargin_val; if (!nargin_set) nargin_val=1.0;\n"
            "  double old_nargout=nargout_val; if (!nargout_set) nargout_val=1.0;\n"
            "  grl::name_input(x,\"x\");\n"
            "  nargin_set=0; nargout_set=0;\n"
            "  grl_frame.at(2,3);\n"
            "  y=power(x,2.0);\n"
            "  nargin_val=old_nargin; nargout_val=old_nargout;\n"
            "  return(y);\n"
            "}\n\n");
  EXPECT_EQ(read("sq.h"), "#ifndef __sq_h\n#define __sq_h\n\nM<double> sq();\nM<double> sq(M<double> x);\n\n"
                          "#endif // __sq_h\n\n");
  EXPECT_EQ(read("sq.r"), "sq.m\n[called]\nsq function 1 1 0 0 0 0 0\n[feval]\n[extern]\n"
                          "[declare]\nx double 0 0 0 0 0 0 0\ny double 0 0 0 0 0 0 0\n");
}

TEST_F(MFile, EntryPointsForShorterCalls) {
  translate("f", "function [a,b]=f(x,y)\nif nargin<2, y=1; end\na=x+y; b=x-y;\n");
  const std::string h = read("f.h");
  EXPECT_NE(h.find("M<double> f();\nM<double> f(M<double> x);\nM<double> f(M<double> x, M<double> y);\n"
                   "M<double> f(i_o_t, Mr<double> a__o, Mr<double> b__o);\n"
                   "M<double> f(M<double> x, i_o_t, Mr<double> a__o, Mr<double> b__o);\n"
                   "M<double> f(M<double> x, M<double> y, i_o_t, Mr<double> a__o, Mr<double> b__o);\n"),
            std::string::npos)
      << h;
  const std::string c = read("f.cpp");
  EXPECT_NE(c.find("  f(x, junkM, i_o, a__o, junkM);\n"), std::string::npos) << c;
  EXPECT_NE(c.find("  a__o=a; b__o=b; return(x_M);\n}\n"), std::string::npos) << c;

  // A call may leave out inputs even when the body never reads nargin (MATLAB runs it
  // until a missing input is used), so every shorter entry point is there.
  translate("g", "function g(x)\ndisp(x)\n");
  EXPECT_EQ(read("g.h"), "#ifndef __g_h\n#define __g_h\n\nM<double> g();\nM<double> g(M<double> x);\n\n#endif // __g_h\n\n");
  translate("v", "function v(a,varargin)\n");
  EXPECT_NE(read("v.cpp").find("nargin_val=1+varargin.size("), std::string::npos);
}

TEST_F(MFile, ScriptsAndSubfunctions) {
  EXPECT_EQ(translate("s", "% a script\nx = 3;\n"), datatypes().script_index());
  // A script's statements and call frame are a block (its variables stay outside).
  EXPECT_EQ(read("s.cpp"),
            "// a script\nM<double> x(\"x\",0,0); \n{\n  grl::call_frame grl_frame_s(\"s.m\",\"s\");\n"
            "  grl_frame_s.at(2,3);\n  x=3.0;\n  ;}\n");
  translate("two", "function y=two(x)\ny=helper(x);\nfunction z=helper(w)\nz=w;\n");
  // The local function's C++ name carries its file's name (another file may have a
  // helper of its own); the frame shows its M name.
  EXPECT_NE(read("two.cpp").find("M<double> two__helper(M<double> w) {"), std::string::npos);
  EXPECT_NE(read("two.cpp").find("y=two__helper(x);"), std::string::npos);
  // A subfunction's frame is named file>function, as the error stack shows it.
  EXPECT_NE(read("two.cpp").find("grl::call_frame grl_frame(\"two.m\",\"two>helper\");"), std::string::npos);
  EXPECT_NE(read("two__helper.h").find("M<double> two__helper(M<double> w);"), std::string::npos);
  const std::string r = read("two.r");
  EXPECT_NE(r.find("[called]\ntwo function 1 1 0 0 0 0 0\n"), std::string::npos) << r;
  EXPECT_NE(r.find("[called]\ntwo__helper function 1 1 0 0 0 0 0\n"), std::string::npos) << r;
}

TEST_F(MFile, RecordNamesAndFaults) {
  translate("con", "x=1;\n");
  EXPECT_EQ(access("con2.r", F_OK), 0);
  EXPECT_NE(access("con.r", F_OK), 0);
  EXPECT_REPORT(translate("nodot", "x=1;\n", "nodot"), "could not find \\. in C\\+\\+ filename\n$");
  std::ofstream("bad.m") << "x = 1 + end\n";
  mfile_job job;
  job.mfile = "bad.m";
  job.cpp_name = "bad.cpp";
  job.project = &project_;
  EXPECT_REPORT(translate_mfile(job), "^bad.m\\(1\\) : error: 'x = 1 \\+ end' : end used outside an index\n$");
}

TEST_F(MFile, ReservedNamesFileNeedsEverySection) {
  std::ofstream("short.rsv") << "3.00\n[reserved functions]\nsin function 1 1\n[reserved vars]\n";
  symbol_type t;
  EXPECT_REPORT(read_reserved(t, "short.rsv"), "^error: Could not read short.rsv\n$");
  std::ofstream("old.rsv") << "2.00\n";
  EXPECT_REPORT(read_reserved(t, "old.rsv"), "^error: Wrong version of old.rsv\n$");
}

// Random and truncated M-files end with a translation or a report, never a crash.
TEST_F(MFile, RandomFilesNeverCrash) {
  const std::string good =
      "function [a,b]=f(x,y)\n% comment\nif nargin<2, y=[1 2;3 4]; end\nfor i=1:3\n a=x(i,:)'*y;\nend\n"
      "switch a\ncase {1,2}\n b='s';\notherwise\n b=c{end};\nend\nwhile b>0 b=b-1; end\n";
  unsigned seed = 7;
  auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
  int ok = 0, reported = 0;
  for (int round = 0; round < 400; ++round) {
    std::string text = good.substr(0, next() % good.size());
    for (int k = 0; k < 3; ++k) {
      const std::size_t at = text.empty() ? 0 : next() % text.size();
      text.insert(at, 1, "()[]{};,'\n=%.:~end"[next() % 19]);
    }
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      std::freopen("/dev/null", "w", stdout);
      std::freopen("/dev/null", "w", stderr);
      translate("r" + std::to_string(round), text);
      std::_Exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "signal on:\n" << text;
    const int code = WEXITSTATUS(status);
    ASSERT_TRUE(code == 0 || code == 1 || code == 3) << "status " << code << " on:\n" << text;
    (code == 0 ? ok : reported) += 1;
  }
  std::printf("random M-files: %d translated, %d reported\n", ok, reported);
}

}  // namespace

namespace {

// Whole generated files compile against the declarations the translator relies on.
TEST_F(MFile, GeneratedFilesCompile) {
  translate("f", "function [a,b]=f(x,y)\nif nargin<2, y=1; end\na=x+y; b=x-y;\n");
  translate("g", "function g(x)\nf(x);\n");
  std::ofstream("check.cpp") << "#include \"" KORVAL_SOURCE_DIR "/tests/translate/names.h\"\n"
                             << "#define GRLIB 0\n" << read("f.h") << read("f.cpp");
  std::ofstream("gridlib.h") << "\n";
  std::ofstream("gridlib_extra.h") << "\n";
  EXPECT_EQ(std::system("g++ -std=c++17 -fsyntax-only -I. check.cpp"), 0) << read("f.cpp");
}

}  // namespace

// C++ keywords among the M names: true and false become the library's true_M and false_M,
// and a cell case label declares no variable named case.
TEST_F(MFile, KeywordsAndCaseCells) {
  EXPECT_EQ(translate("kw", "t = true;\nf = false;\nswitch t\ncase {1,2}\nf = 0;\nend\n"),
            datatypes().script_index());
  const std::string c = read("kw.cpp");
  EXPECT_NE(c.find("t=true_M();"), std::string::npos) << c;
  EXPECT_NE(c.find("f=false_M();"), std::string::npos) << c;
  EXPECT_NE(c.find("mcase ((CL(1.0),2.0)) {"), std::string::npos) << c;
  EXPECT_EQ(c.find("case(\""), std::string::npos) << c;
}
