// korval as a user runs it: the installed program, in a fresh directory.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "scratch_dir.h"

namespace {

struct result {
  int status = -1;
  std::string out;
};

std::string quote(const std::string& s) { return testutil::shell_quote(s); }

class Cli : public testing::Test {
 protected:
  // Runs korval with args in the test directory; stdin from input, stdout captured.
  result korval(const std::string& args, const std::string& input = "",
                const std::string& env = "unset korval3 KORVAL3 mpath MPATH; ",
                const std::string& program = std::string(KORVAL_TEST_ROOT) + "/korval") {
    write("stdin.txt", input);
    const std::string cmd = "cd " + quote(dir_) + " && " + env + quote(program) + " " + args +
                            " <" + quote(dir_ + "/stdin.txt") + " 2>/dev/null";
    result r;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
  }

  void write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
  }

  // A private copy of the installed root directory, for tests that change its files
  // (-H: a root reached through a symbolic link is copied, not the link).
  std::string copy_root() {
    const std::string root = dir_ + "/root";
    std::system(("cp -rH " + quote(KORVAL_TEST_ROOT) + " " + quote(root)).c_str());
    return root;
  }

  testutil::scratch_dir scratch_{"cli"};
  std::string dir_ = scratch_.path();
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

const char kUsage[] =
    "\nUsage: korval mainfilename switches\n\nSwitches:\n"
    " -mexhelp\tMake MEX file using mexhelp method\n -mex\t\tMake MEX file using direct method\n"
    " -idl\t\tMake IDL dynamic loaded file\n -xmath \tMake Xmath LNX file\n"
    " -trans \tTranslate only\n -force \tForce retranslation\n -dt:type\tSet main data type\n"
    " -h,-?\t\tShows this help\n -make\t\tCreate makefile instead of calling compiler\n"
    " -Dname=value\t#define value\n -mpath:file\tSpecify additional mpath file\n\n";

TEST_F(Cli, HelpAnywhereOnTheLinePrintsTheUsageOnly) {
  for (const char* args : {"-h", "prog.m -?", "-help prog.m", "-v -h -build"}) {
    const result r = korval(args);
    EXPECT_EQ(r.status, 0) << args;
    const std::vector<std::string> l = lines_of(r.out);
    ASSERT_GE(l.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(l[i].size(), 76u) << l[i];
    EXPECT_EQ(l[0].substr(0, 6), "KORVAL");
    EXPECT_EQ(l[0].substr(64), "Version 3.00");
    EXPECT_EQ(l[1].substr(76 - 19), "All rights reserved");
    EXPECT_EQ(l[2].substr(0, 17), "Technical support");
    EXPECT_EQ(l[3], "");
    EXPECT_EQ(r.out.substr(r.out.find('\n', r.out.find("Technical")) + 2), kUsage) << args;
  }
  EXPECT_EQ(korval("-nologo -h").out, kUsage);
  EXPECT_EQ(korval("-ide -h").out, kUsage);
}

TEST_F(Cli, VerboseShowsThePathsInUse) {
  write("prog.m", "x=1\n");
  const std::string root = std::string(KORVAL_TEST_ROOT) + "/";
  const result r = korval("-nologo -v prog.m");
  EXPECT_NE(r.out.find("rootdir    " + root + "\nkorval.ini " + root + "korval.ini\nmpath      " +
                       root + "mpath\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("usermpath"), std::string::npos);

  write("user.pth", "\n");
  const result u = korval("-nologo -v -mpath:user.pth prog.m");
  EXPECT_NE(u.out.find("usermpath  user.pth\n"), std::string::npos) << u.out;
  write("mpath2", "\n");
  EXPECT_NE(korval("-nologo -v prog.m").out.find("usermpath  mpath2\n"), std::string::npos);
}

TEST_F(Cli, RootFromTheEnvironmentGetsATrailingSeparator) {
  const std::string root = copy_root();
  write("prog.m", "x=1\n");
  for (const std::string& value : {root, root + "/"}) {
    const result r = korval("-nologo -v prog.m", "", "korval3=" + quote(value) + " ");
    EXPECT_NE(r.out.find("rootdir    " + root + "/\n"), std::string::npos) << r.out;
  }
  const result upper = korval("-nologo -v prog.m", "", "unset korval3; KORVAL3=" + quote(root) + " ");
  EXPECT_NE(upper.out.find("rootdir    " + root + "/\n"), std::string::npos) << upper.out;
}

TEST_F(Cli, UnknownDataTypeAndCompilerAreReported) {
  result r = korval("-nologo -dt:quad prog.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "error: quad is not a valid datatype.\n");
  r = korval("-nologo -dt:float -dt:nope prog.m");
  EXPECT_EQ(r.out, "error: nope is not a valid datatype.\n");
  r = korval("-nologo -compiler:zz prog.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "error: Unknown compiler\n");
  r = korval("-nologo -target:amiga prog.m");
  EXPECT_EQ(r.out, "error: Unknown target OS\n");
}

TEST_F(Cli, MainFileIsAskedForWhenNoneIsGiven) {
  result r = korval("-nologo", "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Enter main file name : \nerror: No project name\n");
  r = korval("-nologo -v", "  dir/   \n");
  EXPECT_NE(r.out.find("Enter main file name : \nerror: No project name\n"), std::string::npos)
      << r.out;
}

TEST_F(Cli, DataTypeFileFaultsAreReported) {
  const std::string root = copy_root();
  const std::string env = "korval3=" + quote(root) + " ";
  auto dt = [&](const std::string& text) {
    std::ofstream(root + "/korval.dt", std::ios::binary) << text;
    return korval("-nologo prog.m", "", env);
  };
  std::string many = "3.00\n";
  for (int i = 0; i < 31; ++i) many += "type" + std::to_string(i) + " t\n";
  result r = dt(many);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "error: datatype_t::add: too many types\n");

  r = dt("3.00 \ndouble d\n");
  EXPECT_EQ(r.out, "error: Wrong version of " + root + "/korval.dt\n");
  r = dt(std::string("\x7f" "ELF\0\0\x01\xff\xfe garbage\n\0\0", 20));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "error: Wrong version of " + root + "/korval.dt\n");

  std::remove((root + "/korval.dt").c_str());
  r = korval("-nologo prog.m", "", env);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "error: could not open " + root + "/korval.dt for read\n");
}

TEST_F(Cli, OverlongArgumentsAreCutNotOverrun) {
  const std::string sw = "-" + std::string(2000, 'q');
  result r = korval("-nologo " + sw + " -Dx=" + std::string(2000, 'y') + " -dt:" +
                    std::string(2000, 'z') + " prog.m");
  EXPECT_EQ(r.status, 1);
  const std::string whole = "error: " + std::string(2000, 'z') + " is not a valid datatype.\n";
  EXPECT_EQ(r.out, whole.substr(0, 1023));
  EXPECT_EQ(r.out.size(), 1023u);

  const std::string name = std::string(596, 'm') + ".m";
  r = korval("-nologo -v " + name);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error: "), std::string::npos);
}

TEST_F(Cli, CompilerSwitchesConfigureTheSettingsFile) {
  const std::string root = copy_root();
  std::remove((root + "/korval.ini").c_str());
  write("prog.m", "x=1\n");
  // No optional libraries, auto-search yes, accept the gcc found on PATH, no MATLAB.
  const result r = korval("-compiler:g -target:unix prog.m", "n\nn\nn\nn\nn\ny\ny\nn\n",
                          "korval3=" + quote(root) + " ");
  EXPECT_NE(r.out.find("GNU C++ selected.\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Using GNU C++ : Target Unix\n\n"), std::string::npos) << r.out;
  std::ifstream in(root + "/korval.ini");
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "3.00");
  EXPECT_EQ(lines[2], "Compiler=GNU C++");
  EXPECT_EQ(lines[3], "Target=Unix");
  EXPECT_EQ(lines[8], "CPP=gcc");
  EXPECT_EQ(lines[13].rfind("LDFLAGS= -s -lgrlib%d -lstdc++", 0), 0u) << lines[13];

  // End of input answers No and never hangs: the search is declined, no directory.
  std::remove((root + "/korval.ini").c_str());
  const result none = korval("-nologo -compiler:g prog.m", "", "korval3=" + quote(root) + " ");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.out.find("error: Compiler not found.\n"), std::string::npos) << none.out;
}

TEST_F(Cli, RootDirectoryIsRecordedForOtherTools) {
  const std::string reg = dir_ + "/registry";
  write("prog.m", "x=1\n");
  korval("-nologo prog.m", "", "unset korval3 KORVAL3; KORVAL_REGISTRY=" + quote(reg) + " ");
  std::ifstream in(reg);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL\\rootdir\\=" +
                      std::string(KORVAL_TEST_ROOT) + "/");
}

}  // namespace

namespace {

TEST_F(Cli, Mat2cppWritesSourceHeaderAndRecord) {
  write("sq.m", "function y = sq(x)\ny = x.^2;\n");
  const result r = korval("-nologo -mat2cpp sq.m");
  EXPECT_EQ(r.status, 0) << r.out;
  std::ifstream src(dir_ + "/sq.cxx"), hdr(dir_ + "/sq.h"), rec(dir_ + "/sq.r");
  EXPECT_TRUE(src && hdr && rec);
  std::string first;
  std::getline(src, first);
  EXPECT_EQ(first, "#undef GRLIB");
  write("bad.m", "y = 2;\nx = 1 + end\n");
  const result bad = korval("-nologo -mat2cpp bad.m");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "bad.m(2) : error: 'x = 1 + end' : end used outside an index\n");
}

}  // namespace

namespace {

TEST_F(Cli, ProjectTranslatesTheCallGraphOnce) {
  write("main.m", "x = 3;\ny = sq(x) + twice(2)\nshow\n");
  write("sq.m", "function y = sq(x)\ny = x.^2 + cube(x);\nfunction z = cube(w)\nz = w.^3;\n");
  write("twice.m", "function r = twice(a)\nr = sq(a) * 2;\n");
  write("show.m", "disp(y)\n");
  write("cube.m", "this file is never read: cube is a subfunction of sq\n");
  result r = korval("-nologo -trans main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("cube.m"), std::string::npos) << r.out;
  // The subfunction's header carries its file's name (sq__cube.h): another file may
  // have a helper called cube too.
  for (const char* f : {"main.cxx", "sq.cxx", "twice.cxx", "show.cxx", "sq.h", "sq__cube.h", "sq.r"})
    EXPECT_TRUE(std::ifstream(dir_ + "/" + f).good()) << f;
  std::ifstream twice(dir_ + "/twice.cxx");
  const std::string text((std::istreambuf_iterator<char>(twice)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("#include \"sq.h\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("r=sq(a)*2.0;"), std::string::npos) << text;

  r = korval("-nologo -trans main.m");
  EXPECT_EQ(r.out.find("Translating"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Skipping sq.m\n"), std::string::npos) << r.out;

  // Touching one file translates only that file again.
  std::system(("sleep 1; touch " + quote(dir_ + "/twice.m")).c_str());
  r = korval("-nologo -trans main.m");
  EXPECT_NE(r.out.find("Translating twice.m\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Translating sq.m"), std::string::npos) << r.out;

  r = korval("-nologo -trans -force main.m");
  EXPECT_NE(r.out.find("Translating sq.m\n"), std::string::npos) << r.out;
}


}  // namespace

namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A function nothing defines does not stop the translation (the call may sit on a path
// that never runs); korval names it once, with the line of its first call.
TEST_F(Cli, MissingCalleeIsNamedOnceWithItsLine) {
  write("main.m", "a = 1;\nb = nosuch(a);\nif a > 2, nosuch(b); end\n");
  const std::string cmd = "cd " + quote(dir_) + " && unset korval3 KORVAL3 mpath MPATH; " +
                          quote(std::string(KORVAL_TEST_ROOT) + "/korval") +
                          " -nologo -trans main.m >out.txt 2>err.txt </dev/null";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << slurp(dir_ + "/out.txt");
  EXPECT_EQ(slurp(dir_ + "/err.txt"),
            "main.m(2) : warning: 'nosuch' is defined by no M-file and no library function; "
            "calling it fails when the program runs\n");
}

TEST_F(Cli, BuildCommandsForGnuCpp) {
  write("main.m", "y = sq(3)\n");
  write("sq.m", "function y = sq(x)\ny = x.^2;\n");
  const std::string root = std::string(KORVAL_TEST_ROOT) + "/";
  const result r = korval("-nologo -v -trans main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  // A sanitizer build's root adds its instrumentation to both lines of flags.
  const std::string san = KORVAL_PROGRAM_SAN, san_link = KORVAL_PROGRAM_SAN_LINK;
  const std::string cc = "gcc -c -I" + root + " -L./ -I./ -O2 " + san + "-o ";
  EXPECT_NE(r.out.find(cc + "sq.o sq.cxx;" + cc + "g_main.o g_main.cxx;gcc -L" + root +
                       " -L./ -I./ -O2 " + san + "-o main sq.o g_main.o  " + san_link +
                       "-s -lgrlib0 -lstdc++"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(slurp(dir_ + "/main.rsp"), "sq.o\ng_main.o\n");
  EXPECT_EQ(slurp(dir_ + "/g_main.cxx"),
            "#undef GRLIB\n#define GRLIB 0\n#include \"gridlib.h\"\n#include \"gridlib_extra.h\"\n#include \"gridlib_funfun.h\"\n#include \"gridlib_outs.h\"\n#include \"gridlib_fast.h\"\n#include \"gridlib_names.h\"\n\n"
            "#include \"main.h\"\n\n"
            "int main() {\n  initM(cin,cout,cerr);\n  #include \"main.cxx\"\n  exitM();\n"
            "  return 0;\n}\n\n");
#ifndef __SANITIZE_ADDRESS__
  // The shipped settings build a program that runs on its own. (Under the sanitizers
  // the installed library is instrumented and a plain program cannot link it; the plain
  // run covers this.)
  const result b = korval("-nologo main.m");
  EXPECT_NE(b.out.find("Compiling...\n"), std::string::npos);
  EXPECT_EQ(b.status, 0) << b.out;
  EXPECT_EQ(std::system(("cd " + dir_ + " && ./main > out.txt").c_str()), 0);
  EXPECT_EQ(slurp(dir_ + "/out.txt"), "y = 9\n");
#endif
}

// A program for the debugger (-ide) keeps its process id in grlibpr for the matrix
// viewer, and the GNU commands compile it with -g and link it unstripped, so that gdb
// finds its variables.
TEST_F(Cli, IdeBuildIsDebuggable) {
  write("main.m", "function main\nx = sq(3)\n");
  write("sq.m", "function y = sq(x)\ny = x.^2;\n");
  const std::string root = std::string(KORVAL_TEST_ROOT) + "/";
  const result r = korval("-ide -v -trans main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string san = KORVAL_PROGRAM_SAN, san_link = KORVAL_PROGRAM_SAN_LINK;
  const std::string cc = "gcc -c -I" + root + " -g -L./ -I./ -O2 " + san + "-o ";
  EXPECT_NE(r.out.find(cc + "main.o main.cxx;" + cc + "sq.o sq.cxx;" + cc + "g_main.o g_main.cxx;gcc -L" +
                       root + " -L./ -I./ -O2 " + san + "-o main main.o sq.o g_main.o  " + san_link +
                       "-lgrlib0 -lstdc++"),
            std::string::npos)
      << r.out;
  EXPECT_NE(slurp(dir_ + "/g_main.cxx").find("uint32 grlibpr;\n\nint main() {\n  grlibpr=initM(cin,cout,cerr);\n"),
            std::string::npos)
      << slurp(dir_ + "/g_main.cxx");
  // Without -ide the program is stripped as before.
  EXPECT_NE(korval("-nologo -v -trans main.m").out.find(" -s -lgrlib0"), std::string::npos);
}

TEST_F(Cli, BuildCommandsForOtherCompilers) {
  const std::string root = copy_root();
  std::string ini = slurp(root + "/korval.ini");
  auto set = [&ini](const std::string& key, const std::string& value) {
    const std::size_t at = ini.find("\n" + key + "=");
    const std::size_t end = ini.find('\n', at + 1);
    ini.replace(at + 1, end - at - 1, key + "=" + value);
  };
  set("Compiler", "Visual C++");
  set("Target", "Win32");
  set("CPP", "cl");
  set("CPPFLAGS", " /nologo /GX /Fo");
  set("EXEFLAGS", " /MT");
  set("LDFLAGS", " grlibvc%d.lib");
  std::ofstream(root + "/korval.ini") << ini;
  write("main.m", "function main\nshow(1)\n");
  write("show.m", "function show(x)\ndisp(x)\n");
  const std::string env = "korval3=" + quote(root) + " ";
  result r = korval("-nologo -v -trans main.m", "", env);
  const std::string cl = "cl -c -I" + root + "/ /MT /nologo /GX /Fo";
  EXPECT_NE(r.out.find(cl + "main.obj main.cpp;" + cl + "show.obj show.cpp;" + cl +
                       "g_main.obj g_main.cpp;cl /MT /nologo /GX /Fomain.exe @main.rsp grlibvc0.lib\n"),
            std::string::npos)
      << r.out;

  r = korval("-nologo -make main.m", "", env);
  EXPECT_EQ(r.out.find("Compiling..."), std::string::npos);
  const std::string mak = slurp(dir_ + "/main.mak");
  const std::string head =
      "#\n# KORVAL makefile for Visual C++ : Target WinNT/Win95 (Win32)\n#\n\nall: main.exe\n\n";
  EXPECT_EQ(mak.compare(0, head.size(), head), 0) << mak;
  EXPECT_NE(mak.find("show.cpp: show.m\n\t" + root + "/korval show.m show.cpp -mat2cpp -nologo \n"),
            std::string::npos)
      << mak;
  EXPECT_NE(mak.find("main.exe: main.obj show.obj g_main.obj \n\tcl /MT"), std::string::npos) << mak;
}

// A main script is processed twice (once as a callee, once as the main): its rule is
// written once all the same.
TEST_F(Cli, MakefileHasOneRulePerSource) {
  write("runs.m", "helper_s\ndisp(x)\n");
  write("helper_s.m", "x = 3;\n");
  result r = korval("-nologo -make runs.m");
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string mak = slurp(dir_ + "/runs.mak");
  for (const char* m : {": runs.m\n", ": helper_s.m\n"}) {
    const std::size_t first = mak.find(m);
    EXPECT_NE(first, std::string::npos) << mak;
    EXPECT_EQ(mak.find(m, first + 1), std::string::npos) << mak;
  }
}

TEST_F(Cli, MainWrapperRules) {
  write("takesargs.m", "function takesargs(x)\ndisp(x)\n");
  result r = korval("-nologo -trans takesargs.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error: function 'takesargs' accepts input arguments and can not be used as main.\n"),
            std::string::npos)
      << r.out;
  r = korval("-nologo -make takesargs.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(std::ifstream(dir_ + "/g_takesa.cxx").good());

  write("longname.m", "x = 1;\n");
  korval("-nologo -trans longname.m");
  EXPECT_TRUE(std::ifstream(dir_ + "/g_longna.cxx").good());
}

TEST_F(Cli, FevalDispatcher) {
  write("main.m", "%# call f g\ny = feval('f', 2);\n");
  write("f.m", "function y = f(x)\ny = x + 1;\n");
  write("g.m", "function [a,b,c] = g(x, y)\na = x; b = y; c = 0;\n");
  const result r = korval("-nologo -trans main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string d = slurp(dir_ + "/feval.m");
  EXPECT_EQ(d.substr(0, d.find('\n')), "function [y1,y2,y3,y4]=feval(fun,varargin)");
  EXPECT_NE(d.find("  case 'f'\n    y1=f(varargin{:});\n"), std::string::npos) << d;
  EXPECT_NE(d.find("  case 'g'\n    [y1,y2,y3]=g(varargin{:});\n"), std::string::npos) << d;
  EXPECT_NE(d.find("  case 'feval'\n    [y1,y2,y3,y4]=feval(varargin{:});\n"), std::string::npos) << d;
  // Any other name goes to the library's functions, which fail for a name they lack.
  EXPECT_NE(d.find("  otherwise\nend\n"), std::string::npos) << d;
  const std::string cxx = slurp(dir_ + "/feval.cxx");
  EXPECT_NE(cxx.find("grl::call_library_outputs(fun, varargin"), std::string::npos) << cxx;
}

// A second program built in the same folder calls names built while it runs: the
// dispatcher the first build left is read while the program is scanned, then written
// anew with every name and translated again; its object is linked once.
TEST_F(Cli, FevalDispatcherOfAnEarlierBuildIsReplaced) {
  write("first.m", "c = cellfun(@numel, {'ab'});\n");
  write("second.m", "n = {'helper'};\nf = str2func(n{1});\ny = f(2);\nz = feval(n{1}, 3);\n");
  write("helper.m", "function y = helper(x)\ny = 2 * x;\n");
  ASSERT_EQ(korval("-nologo -trans first.m").status, 0);
  EXPECT_EQ(slurp(dir_ + "/feval.cxx").find("helper"), std::string::npos);
  const result r = korval("-nologo -trans second.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(slurp(dir_ + "/feval.cxx").find("TM(\"helper\")"), std::string::npos);
  const std::string rsp = slurp(dir_ + "/second.rsp");
  EXPECT_EQ(rsp.find("feval.o"), rsp.rfind("feval.o")) << rsp;
  EXPECT_NE(rsp.find("feval.o"), std::string::npos) << rsp;
}

}  // namespace

namespace {

TEST_F(Cli, LibraryLikeOutputs) {
  write("f.m", "function y = f(a)\ny = a*2;\n");
  result r = korval("-nologo -trans -dll:vb f.m");
  EXPECT_EQ(r.status, 0) << r.out;
  // On a Unix target the library is libf.so, its entry points have no calling
  // convention word and keep an error for mtLastError, and a C header declares them.
  // A call may pass fewer inputs than f declares: f_0_1 is an entry point too.
  EXPECT_EQ(slurp(dir_ + "/f.bas"),
            "Declare Sub      f_0_1 Lib \"libf.so\" Alias \"f_0_1\" (ByRef retvar As Long)\n"
            "Declare Sub      f_1_1 Lib \"libf.so\" Alias \"f_1_1\" (ByVal a As Long, ByRef retvar As Long)\n");
  const std::string w = slurp(dir_ + "/g_f.cxx");
  EXPECT_NE(w.find("void DLLX f_1_1(M<double> *in01, M<double> **out01) {\n"
                   "    if (grl::host_null(\"f_1_1\", in01, out01)) return;\n    *out01=nullptr; \n"
                   "    grl::host_call([&] {\n      *out01=new M<m_type>(); \n      **out01=f(*in01);\n    });\n  }\n"),
            std::string::npos)
      << w;
  EXPECT_EQ(w.find("windows.h"), std::string::npos);
  const std::string h = slurp(dir_ + "/libf.h");
  EXPECT_NE(h.find("double mtGetR(void* x, int row, int col, double* v);\n"), std::string::npos) << h;
  EXPECT_NE(h.find("void     f_1_1(void* a, void** retvar);\n"), std::string::npos) << h;

  r = korval("-nologo -trans -dll:delphi f.m");
  EXPECT_NE(slurp(dir_ + "/f.pas").find("procedure f_1_1(a: LongInt; var retvar : LongInt); stdcall; "
                                        "external 'libf.so' name 'f_1_1';"),
            std::string::npos);
  r = korval("-nologo -trans -dll f.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Target dll not supported for this file.\nUse specific targets such as "
                       "-dll:vb or -dll:delphi."),
            std::string::npos)
      << r.out;

  r = korval("-nologo -trans -mex f.m");
  EXPECT_NE(slurp(dir_ + "/g_f.cxx").find("if (nrhs!=1) mexErrMsgTxt(\"1 input argument(s) expected.\");"),
            std::string::npos);
  write("h.m", "function [a,b] = h(x)\na=x; b=x;\n");
  r = korval("-nologo -trans -idl h.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("IDL compiled modules must have exactly one output argument.\n"), std::string::npos);
}

TEST_F(Cli, RunTimeLibraryDllExportsTheMatrixAccessSet) {
  const std::string root = copy_root();
  std::string ini = slurp(root + "/korval.ini");
  ini.replace(ini.find("Compiler=GNU C++"), 16, "Compiler=Visual C++");
  std::ofstream(root + "/korval.ini") << ini;
  write("gridlib.m", "function y = gridlib(x)\ny = x;\n");
  const result r = korval("-nologo -trans -dll gridlib.m", "", "korval3=" + quote(root) + " ");
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string bas = slurp(dir_ + "/gridlib.bas");
  EXPECT_NE(bas.find("Declare Function mtGetM Lib \"gridlib.dll\" Alias \"_mtGetM@4\" (ByVal x As Long) As Long\n"),
            std::string::npos)
      << bas;
  EXPECT_NE(slurp(dir_ + "/gridlib.pas").find("unit gridlib;\ninterface\n"), std::string::npos);
  EXPECT_NE(slurp(dir_ + "/gridlib.ads").find("package gridlib is\n"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(Cli, VariableFileKeepsTheMainFilesVariables) {
  write("main.m", "x = 1;\ny = [1 2];\n");
  result r = korval("-nologo -trans -ive main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(slurp(dir_ + "/main.sym"), "x 2 0\ny 2 0\n");
  write("main.m", "z = 3;\n");
  r = korval("-nologo -trans -force -ive main.m");
  EXPECT_EQ(slurp(dir_ + "/main.sym"), "x 2 0\ny 2 0\nz 2 0\n");
  EXPECT_NE(slurp(dir_ + "/main.cxx").find("M<double> x(\"x\",0,0); "), std::string::npos);
}

}  // namespace

namespace {

// Library builds run in the root directory, as setup runs them.
class LibraryBuild : public Cli {
 protected:
  void SetUp() override {
    Cli::SetUp();
    root_ = copy_root();
    std::system(("mkdir -p " + quote(root_ + "/src/gridlib")).c_str());
  }
  void settings(const std::string& compiler, const std::string& target, const std::string& ldflags) {
    std::string ini = slurp(root_ + "/korval.ini");
    auto set = [&ini](const std::string& key, const std::string& value) {
      const std::size_t at = ini.find("\n" + key + "=");
      const std::size_t end = ini.find('\n', at + 1);
      ini.replace(at + 1, end - at - 1, key + "=" + value);
    };
    set("Compiler", compiler);
    set("Target", target);
    set("LDFLAGS", ldflags);
    std::ofstream(root_ + "/korval.ini") << ini;
  }
  // input answers the compiler's installation check, where it asks.
  result build(const std::string& args, const std::string& input = "") {
    return korval("-nologo -v " + args, input,
                  "cd " + quote(root_) + " && korval3=" + quote(root_) + " ",
                  root_ + "/korval");
  }
  std::string root_;
};

TEST_F(LibraryBuild, MakeCommandPerCompiler) {
  settings("Visual C++", "Win32", " grlibvc%d.lib");
  result r = build("-build:mt");
  EXPECT_NE(r.out.find("\nnmake GRLIB=0 \"FLAGS= -D_KORVAL_MT=1\" -f vc.mak\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("command.com /c del *.obj cannot be started"), std::string::npos) << r.out;
  // make cannot be started here: nothing is recorded.
  EXPECT_NE(r.out.find("error: Failed to build library grlibvc0.lib.\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(slurp(root_ + "/korval.dt"), slurp(std::string(KORVAL_TEST_ROOT) + "/korval.dt"));

  r = build("-build -norm");
  EXPECT_NE(r.out.find("\nnmake GRLIB=0 \"FLAGS= \" -f vc.mak\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("del *.obj"), std::string::npos) << r.out;

  settings("Borland C++", "Win32", " grlibbc%d.lib");
  EXPECT_NE(build("-build").out.find("\nmake GRLIB=0 \"FLAGS= \" -f bc.mak\n"), std::string::npos);
  settings("WATCOM C++32", "DOS/4GW", " grlibw%d.lib");
  EXPECT_NE(build("-build", "y\n").out.find("\nwmake GRLIB=0 -u \"FLAGS= \" -f watcom4g.mak\n"),
            std::string::npos);
  settings("WATCOM C++32", "OS/2", " grlibw%d.lib");
  EXPECT_NE(build("-build", "y\n").out.find("-f wat_os2.mak\n"), std::string::npos);
  settings("WATCOM C++32", "Win32", " grlibw%d.lib");
  EXPECT_NE(build("-build", "y\n").out.find("-f watcom.mak\n"), std::string::npos);
  settings("xlC (IBM)", "Unix", " -lgrlib%d");
  r = build("-build");
  EXPECT_NE(r.out.find("error: Can't build for this compiler\n"), std::string::npos) << r.out;
}

TEST_F(LibraryBuild, AcceleratorIsInstalledOnce) {
  settings("Visual C++", "Win32", " grlibvc%d.lib");
  std::ofstream(root_ + "/acc.lib") << "x";
  result r = build("-build:mt");
  EXPECT_NE(r.out.find("command.com /c copy acc.lib src\\gridlib\\acc.lib cannot be started"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"FLAGS= -D_BLAS1 -D_BLAS3 -D_BLASNO_ -D_KORVAL_MT=1\""), std::string::npos);
  std::ofstream(root_ + "/src/gridlib/acc.lib") << "x";
  r = build("-build");
  EXPECT_EQ(r.out.find("copy acc.lib"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"FLAGS= -D_BLAS1 -D_BLAS3 -D_BLASNO_\""), std::string::npos) << r.out;
}

TEST_F(LibraryBuild, GnuBuildRecordsTheLibraryOnlyWhenBuilt) {
  // A makefile of the test's own stands for the library's: it writes the file.
  std::ofstream(root_ + "/src/gridlib/gnu.mak")
      << "all:\n\tprintf '%s' \"$(FLAGS)\" > ../../libgrlib$(GRLIB).a\n";
  std::ofstream(root_ + "/src/gridlib/old.o") << "x";
  const std::string before = slurp(root_ + "/korval.dt");
  result r = build("-build:mt");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("make GRLIB=0 \"FLAGS= -D_KORVAL_MT=1\" -f gnu.mak\n"), std::string::npos) << r.out;
  EXPECT_EQ(slurp(root_ + "/libgrlib0.a"), "-D_KORVAL_MT=1");
  EXPECT_EQ(slurp(root_ + "/korval.dt"), before + "0\n");
  EXPECT_FALSE(std::ifstream(root_ + "/src/gridlib/old.o").good());

  std::ofstream(root_ + "/src/gridlib/gnu.mak") << "all:\n\tfalse\n";
  r = build("-build");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error: Failed to build library libgrlib0.a.\n"), std::string::npos) << r.out;
  EXPECT_EQ(slurp(root_ + "/korval.dt"), before + "0\n");
  EXPECT_FALSE(std::ifstream(root_ + "/libgrlib0.a").good());

  std::system(("rm -rf " + quote(root_ + "/src")).c_str());
  r = build("-build");
  EXPECT_NE(r.out.find("error: Could not chdir \"src\".\n"), std::string::npos) << r.out;
}

}  // namespace

namespace {

TEST_F(Cli, TruncatedRecordIsTranslatedAgain) {
  write("main.m", "y = sq(2);\n");
  write("sq.m", "function y = sq(x)\ny = x.^2;\n");
  korval("-nologo -trans main.m");
  std::system(("sleep 1; printf 'sq.m\\n[called]\\n' > " + quote(dir_ + "/sq.r")).c_str());
  const result r = korval("-nologo -trans main.m");
  EXPECT_NE(r.out.find("Translating sq.m\n"), std::string::npos) << r.out;
  EXPECT_NE(slurp(dir_ + "/sq.r").find("sq function 1 1"), std::string::npos);
}

TEST_F(Cli, GlobalsAndArgumentCountDispatchers) {
  write("main.m", "global G\nG = 2;\ny = useg(1);\nn = nargin('useg');\nf = 'useg';\nm = nargin(f);\n");
  write("useg.m", "function y = useg(x)\nglobal G\ny = G + x;\n");
  const result r = korval("-nologo -trans main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(slurp(dir_ + "/useg.cxx").find("extern M<double> G; \n"), std::string::npos)
      << slurp(dir_ + "/useg.cxx");
  EXPECT_NE(slurp(dir_ + "/g_main.cxx").find("M<double> G(\"G\",0,0); \n"), std::string::npos)
      << slurp(dir_ + "/g_main.cxx");
  // A literal name's count is known now; a name in a variable asks the dispatcher.
  EXPECT_NE(slurp(dir_ + "/main.cxx").find("n=(1.0);"), std::string::npos) << slurp(dir_ + "/main.cxx");
  EXPECT_EQ(slurp(dir_ + "/nargin_of.m"),
            "function y=nargin_of(fun)\nswitch fun\n  case 'useg'\n    y=1;\n"
            "  otherwise\n    error('nargin: invalid function name: %s', fun);\nend\n");
}

TEST_F(Cli, MatFileHelperAndXmathWrappers) {
  write("f.m", "function [a,b] = f(x, y)\na = x; b = y;\n");
  korval("-nologo -trans -mexhelp f.m");
  const std::string w = slurp(dir_ + "/g_f.cxx");
  EXPECT_NE(w.find("int main(int argc, char **argv) {\n  initM(cin,cout,cerr);\n  if (argc<3) error(\"Usage:\\nf inputfile "
                   "outputfile\\n\");\n"),
            std::string::npos)
      << w;
  EXPECT_NE(w.find("  grl::remove_saved(TM(argv[2]), TM(argv[1]));\n  grl::load_required(TM(argv[1]), {&in01, &in02});\n"
                   "  f(in01, in02, i_o, out01, out02);\n  save(TM(argv[2]), &out01, &out02);\n"),
            std::string::npos)
      << w;
  korval("-nologo -trans -xmath f.m");
  const std::string x = slurp(dir_ + "/g_f.cxx");
  EXPECT_EQ(x.rfind("#include <xmathlib.h>\n#undef GRLIB\n", 0), 0u) << x;
  EXPECT_NE(x.find("{\"f\",f,2,2,2,2,0},"), std::string::npos) << x;
}

// Kinds nothing here can build end with status 1 and say so, the wrapper written and
// no compiler run; so does a MEX file where Octave's mkoctfile is missing.
TEST_F(Cli, OutputKindsWithoutABuilderStopWithAMessage) {
  write("f.m", "function y = f(x)\ny = x;\n");
  result r = korval("-nologo -xmath f.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Xmath LNX modules can not be built on this system (there is no Xmath here); the wrapper "
                       "g_f.cxx is written."),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("Compiling..."), std::string::npos) << r.out;
  EXPECT_TRUE(std::ifstream(dir_ + "/g_f.cxx").good());
  r = korval("-nologo -idl f.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("IDL modules can not be built on this system"), std::string::npos) << r.out;
  EXPECT_EQ(korval("-nologo -trans -idl f.m").status, 0);

  const std::string root = copy_root();
  std::string ini = slurp(root + "/korval.ini");
  const std::size_t path = ini.find("\nPATH=");
  ini.replace(path, ini.find('\n', path + 1) - path, "\nPATH=/nonexistent/bin");
  std::ofstream(root + "/korval.ini") << ini;
  r = korval("-nologo -mex f.m", "", "korval3=" + quote(root) + " PATH=/nonexistent ");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("MEX files are built with mkoctfile (Octave's package octave-dev), which is not "
                       "installed; the wrapper g_f.cxx is written."),
            std::string::npos)
      << r.out;
}

// The MEX gateway: mex.h outside the extern "C" block, the argument types of the
// function's entry point (a cell stays a cell), fewer outputs than the function has
// allowed, and the library's errors handed to the host's error call.
TEST_F(Cli, MexGatewayFollowsTheEntryPoint) {
  write("p.m", "function [c, n] = p(items)\nn = numel(items);\nc = {items{1}};\n");
  const result r = korval("-nologo -trans -mex p.m");
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string w = slurp(dir_ + "/g_p.cxx");
  EXPECT_NE(w.find("#include <mex.h>\n#include \"gridlib_mex.h\"\nextern \"C\" {\n"), std::string::npos) << w;
  EXPECT_NE(w.find("    if (nrhs!=1) mexErrMsgTxt(\"1 input argument(s) expected.\");\n"
                   "    if (nlhs>2) mexErrMsgTxt(\"2 output argument(s) expected.\");\n"
                   "    if (!grl::host_call([&] {\n"),
            std::string::npos)
      << w;
  EXPECT_NE(w.find("      M< M<double> > in01(\"in01\",0,0);\n      M< M<double> > out01(\"out01\",0,0);\n"
                   "      M<double> out02(\"out02\",0,0);\n"),
            std::string::npos)
      << w;
  EXPECT_NE(w.find("      korval_to_matlab(out01,plhs[0]);\n      if (nlhs>=2) korval_to_matlab(out02,plhs[1]);\n"
                   "    })) grl::mex_fail();\n"),
            std::string::npos)
      << w;
  EXPECT_NE(slurp(dir_ + "/p.rsp").find("mkoctfile --mex -v -I. -I"), std::string::npos) << slurp(dir_ + "/p.rsp");
}

TEST_F(LibraryBuild, BuildCommandsOfWatcomBorlandAndVisualAge) {
  write("main.m", "function main\nshow(1)\n");
  write("show.m", "function show(x)\ndisp(x)\n");
  auto run = [&](const std::string& input) {
    return korval("-nologo -v -trans main.m", input, "korval3=" + quote(root_) + " ");
  };
  settings("WATCOM C++32", "Win32", " grlibw%d.lib");
  result r = run("y\ny\ny\n");
  EXPECT_NE(r.out.find(" -c /i=" + root_ + "/ "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("wlink @main.rsp;"), std::string::npos) << r.out;
  const std::string rsp = slurp(dir_ + "/main.rsp");
  EXPECT_EQ(rsp.rfind("file main.obj\nfile show.obj\nfile g_main.obj\nlibpath " + root_ + "/\n", 0), 0u)
      << rsp;

  settings("Borland C++", "Win32", " grlibbc%d.lib");
  r = run("");
  EXPECT_NE(r.out.find(" -c -I" + root_ + "/"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(" @main.rsp grlibbc0.lib"), std::string::npos) << r.out;

  settings("IBM VisualAge", "Win32", " grlibi%d.lib");
  r = run("");
  EXPECT_NE(r.out.find(" /Fomain.obj main.cpp;"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(" /Femain.exe @main.rsp grlibi0.lib"), std::string::npos) << r.out;
}

}  // namespace

namespace {

// Files that real M code brought: each is translated once, to files of its own name,
// or reported with file(line); never a crash, never another file overwritten.
TEST_F(Cli, OutputNamesComeFromTheWholeStem) {
  const std::string stem(30, 'n');
  write(stem + ".m", "x = 1;\n");
  write(stem + ".c", "user's own file\n");
  result r = korval("-nologo -trans " + stem + ".m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(slurp(dir_ + "/" + stem + ".c"), "user's own file\n");
  EXPECT_TRUE(std::ifstream(dir_ + "/" + stem + ".cxx").good());
  const std::string longer(40, 'k');
  write(longer + ".m", "function y = " + longer + "(x)\ny = x;\n");
  write("calls.m", "disp(" + longer + "(2))\n");
  r = korval("-nologo -trans calls.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(slurp(dir_ + "/" + longer + ".cxx").find(" " + longer + "(M<double> x) {"),
            std::string::npos);

  // A dot in the stem is part of the name, mapped to a C++ name.
  write("simps.m", "disp(1)\n");
  write("simps.old.m", "disp(2)\n");
  r = korval("-nologo -trans simps.old.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(std::ifstream(dir_ + "/simps_2eold.cxx").good());
  EXPECT_FALSE(std::ifstream(dir_ + "/simps.cxx").good());
  r = korval("-nologo -mat2cpp Program_0.1.m");
  write("Program_0.1.m", "function Program_0\ndisp(3)\n");
  r = korval("-nologo -mat2cpp Program_0.1.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(slurp(dir_ + "/Program_0_2e1.cxx").find("Program_0_2e1() {"), std::string::npos);
  // Two M-files that would share the mapped name are refused.
  write("simps_2eold.m", "disp(4)\n");
  r = korval("-nologo -trans simps.old.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("simps_2eold.m and the main file would write the same files"),
            std::string::npos) << r.out;
}

TEST_F(Cli, AFileIsNeverEnteredAgain) {
  write("s.m", "s\n");
  result r = korval("-nologo -trans s.m");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(lines_of(r.out).back(),
            "s.m(1) : error: 's' : the script s calls itself; a script cannot run itself");
  // A comment that names the function, or holds it, defines nothing.
  write("f.m", "%# y = f(x)\n%{\nfunction y = f(x)\n%}\nfunction y = f(x)\n"
               "if x > 0\n  y = f(x - 1) + 1;\nelse\n  y = 0;\nend\n");
  write("main.m", "disp(f(3))\n");
  r = korval("-nologo -trans main.m");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(slurp(dir_ + "/f.cxx").find("y=f(x-1.0)+1.0;"), std::string::npos) << slurp(dir_ + "/f.cxx");
}

TEST_F(Cli, StatementsWithoutACppFormAreReported) {
  const std::pair<const char*, const char*> cases[] = {
      {"parfor i = 1:3\n  x = i;\nend\n", "t.m(1) : error: 'parfor i = 1:3' : 'parfor' statements are not supported"},
      {"x = 1;\nspmd\n", "t.m(2) : error: 'spmd' : 'spmd' statements are not supported"},
      {"import pkg.*\n", "t.m(1) : error: 'import pkg.*' : 'import' statements are not supported"},
      {"x = [1 2\n", "t.m(1) : error: 'x = [1 2' : brackets do not pair"},
      {"y = (1 + 2)) * 3\n", "t.m(1) : error: 'y = (1 + 2)) * 3' : brackets do not pair"},
      {"z = 1 2\n", "t.m(1) : error: 'z = 1 2' : missing operator before '2.0'"},
  };
  for (const auto& c : cases) {
    write("t.m", c.first);
    const result r = korval("-nologo -mat2cpp t.m");
    EXPECT_EQ(r.status, 1) << c.first;
    EXPECT_EQ(r.out, std::string(c.second) + "\n") << c.first;
  }
  // Long literals and comments stay whole; a long number is read.
  write("t.m", "% " + std::string(400, 'c') + "\ns = '" + std::string(400, 's') +
                   "';\nx = 11111111111111111111111111111111111111111111111111;\n");
  const result r = korval("-nologo -mat2cpp t.m");
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string cpp = slurp(dir_ + "/t.cxx");
  EXPECT_NE(cpp.find("// " + std::string(400, 'c')), std::string::npos);
  EXPECT_NE(cpp.find(std::string(400, 's')), std::string::npos);
  EXPECT_NE(cpp.find("1.111111111111111"), std::string::npos);
}

}  // namespace
