// The compiler and target tables, the settings file and the library name.
#include <gtest/gtest.h>

#include <cstring>

#include "config/ini.h"
#include "driver/helpers.h"
#include "config_fixture.h"

using namespace cfgtest;
using namespace ini;

TEST(Tables, CompilerLettersAndNames) {
  const char* letters = "BDEVWICQGSAX";
  for (int code = 0; code < 12; ++code) {
    EXPECT_EQ(compiler_code(std::string(1, letters[code])), code);
    EXPECT_EQ(compiler_code(std::string(1, static_cast<char>(std::tolower(letters[code])))), code);
    // The display name reads back as its own code: the settings file relies on it.
    EXPECT_EQ(compiler_code(compiler_name(code)), code) << compiler_name(code);
  }
  EXPECT_STREQ(compiler_name(CC_GNU), "GNU C++");
  EXPECT_STREQ(compiler_name(CC_UNKNOWN), "Unknown");
  EXPECT_STREQ(compiler_name(13), "Failure");
  EXPECT_STREQ(compiler_name(-1), "Failure");
  EXPECT_STREQ(compiler_cpp(CC_VISUALC), "cl");
  EXPECT_STREQ(compiler_cpp(CC_QNX), "wcl386");
  EXPECT_STREQ(compiler_cpp(CC_UNKNOWN), "");
}

TEST(TablesDeath, UnknownCompilerLetters) {
  EXPECT_EXIT(compiler_code("Unknown"), ::testing::ExitedWithCode(1), "error: Unknown compiler");
  EXPECT_EXIT(compiler_code("nothing"), ::testing::ExitedWithCode(1), "error: Unknown compiler");
  EXPECT_EXIT(compiler_code(""), ::testing::ExitedWithCode(1), "error: Unknown compiler");
  EXPECT_EXIT(compiler_code(std::string(1, '\0')), ::testing::ExitedWithCode(1), "Unknown compiler");
}

TEST(Tables, TargetNamesReadBack) {
  for (int code = 0; code <= TG_UNIX; ++code) EXPECT_EQ(target_code(target_name(code)), code);
  EXPECT_EQ(target_code("WinNT/Win95 (Win32)"), TG_WIN32);
  EXPECT_EQ(target_code("Win3.11"), TG_WIN311);
  EXPECT_EQ(target_code("DOS/4GW"), TG_DOS4GW);  // 4GW is tested before DOS
  EXPECT_EQ(target_code("dos4gw"), TG_DOS4GW);
  EXPECT_EQ(target_code("win32s"), TG_WIN32S);
  EXPECT_EQ(target_code("win95"), TG_WIN32);
  EXPECT_EQ(target_code("winnt"), TG_WIN32);
  EXPECT_EQ(target_code("unix"), TG_UNIX);
  EXPECT_EQ(target_code("go32"), TG_GO32);
  EXPECT_STREQ(target_name(TG_UNKNOWN), "Unknown");
  EXPECT_STREQ(target_name(9), "Failure");
}

TEST(TablesDeath, UnknownTarget) {
  EXPECT_EXIT(target_code("Unknown"), ::testing::ExitedWithCode(1), "error: Unknown target OS");
  EXPECT_EXIT(target_code("beos"), ::testing::ExitedWithCode(1), "error: Unknown target OS");
}

namespace {

// A configuration of one compiler as the dialogue leaves it, with every question
// answered No and the compiler found under /opt/cc.
toolchain_t configured(int compiler, int target, const std::string& root) {
  box_script::install({});
  toolchain_t tc;
  tc.builtin(root, compiler, target);
  tc.set_dirs("/opt/cc/bin/" + tc.executable(), root);
  platform::set_box_handler(nullptr);
  return tc;
}

void expect_same(const toolchain_t& a, const toolchain_t& b) {
  EXPECT_EQ(a.compiler(), b.compiler());
  EXPECT_EQ(a.target(), b.target());
  EXPECT_EQ(a.matlab(), b.matlab());
  EXPECT_EQ(a.path(), b.path());
  EXPECT_EQ(a.lib(), b.lib());
  EXPECT_EQ(a.include(), b.include());
  EXPECT_EQ(a.cpp(), b.cpp());
  EXPECT_EQ(a.cppflags(), b.cppflags());
  EXPECT_EQ(a.exeflags(), b.exeflags());
  EXPECT_EQ(a.dllflags(), b.dllflags());
  EXPECT_EQ(a.mexflags(), b.mexflags());
  EXPECT_EQ(a.ldflags(), b.ldflags());
}

const char kGnuLd[] =
    " -s -lgrlib%d -lstdc++ -llapacke -lopenblas -lfftw3 -lfftw3f -lmatio -lpthread -lm";

}  // namespace

class SettingsFile : public scratch {};

TEST_F(SettingsFile, RoundTripEveryCompiler) {
  for (int code = 0; code < 12; ++code) {
    SCOPED_TRACE(compiler_name(code));
    const toolchain_t tc = configured(code, TG_WIN32, root_);
    tc.write(ini());
    toolchain_t back;
    ASSERT_TRUE(back.read(ini()));
    expect_same(tc, back);
  }
}

TEST_F(SettingsFile, LinesInOrder) {
  const toolchain_t tc = configured(CC_GNU, TG_UNKNOWN, root_);
  tc.write(ini());
  const std::vector<std::string> want = {
      "3.00",
      "[Settings]",
      "Compiler=GNU C++",
      "Target=Unix",
      "Matlab=",
      "PATH=/opt/cc/bin",
      "LIB=/opt/cc/lib;" + root_,
      "INCLUDE=/opt/cc/include",
      "CPP=gcc",
      "CPPFLAGS= -L./ -I./ -O2 -o ",
      "EXEFLAGS=",
      "DLLFLAGS= -fPIC -shared",
      "MEXFLAGS= -v -I.",
      std::string("LDFLAGS=") + kGnuLd,
  };
  EXPECT_EQ(lines_of(slurp(ini())), want);
}

TEST_F(SettingsFile, IncompleteFilesAskForANewConfiguration) {
  configured(CC_GNU, TG_UNKNOWN, root_).write(ini());
  const std::string good = slurp(ini());
  toolchain_t tc;
  EXPECT_FALSE(tc.read(root_ + "missing.ini"));

  // The fifth line does not begin with "Matlab=", though compiler and target are valid.
  std::string text = good;
  text.replace(text.find("Matlab="), 7, "MATLAB=");
  spit(ini(), text);
  EXPECT_FALSE(tc.read(ini()));

  // Cut anywhere, even inside the last line's key.
  for (std::size_t cut : {std::size_t(5), good.find("PATH="), good.find("LDFLAGS=") + 3}) {
    spit(ini(), good.substr(0, cut));
    EXPECT_FALSE(tc.read(ini())) << cut;
  }
  // Cut inside the last value: the value is what there is.
  spit(ini(), good.substr(0, good.size() - 4));
  ASSERT_TRUE(tc.read(ini()));
  EXPECT_EQ(tc.ldflags(), std::string(kGnuLd).substr(0, std::strlen(kGnuLd) - 3));

  // Binary garbage after a good version line.
  spit(ini(), std::string("3.00\n") + std::string(1, '\0') + "\xff\x01[Settings]\n" + good.substr(16));
  EXPECT_FALSE(tc.read(ini()));
}

TEST_F(SettingsFile, LongValuesAreNeverCopiedWhole) {
  configured(CC_GNU, TG_UNKNOWN, root_).write(ini());
  const std::string good = slurp(ini());
  const std::string long_value(600, 'x');
  toolchain_t tc;

  // A 600-character PATH overflows its line: the rest is read as the next line, which
  // has no LIB key, so the file counts as incomplete.
  std::string text = good;
  text.insert(text.find("PATH=") + 5, long_value);
  spit(ini(), text);
  EXPECT_FALSE(tc.read(ini()));

  // The last line has nothing behind it: its value is cut to 510 characters.
  spit(ini(), good.substr(0, good.find("LDFLAGS=") + 8) + long_value + "\n");
  ASSERT_TRUE(tc.read(ini()));
  EXPECT_EQ(tc.ldflags(), std::string(503, 'x'));  // 511 - "LDFLAGS=" (8)
  EXPECT_LE(tc.ldflags().size(), kValueLimit);

  // A zero byte ends a value.
  text = good;
  text.insert(text.find("CPP=gcc") + 7, std::string("\0junk", 5));
  spit(ini(), text);
  ASSERT_TRUE(tc.read(ini()));
  EXPECT_EQ(tc.cpp(), "gcc");
}

TEST_F(SettingsFile, BadCompilerOrVersionIsFatal) {
  configured(CC_GNU, TG_UNKNOWN, root_).write(ini());
  const std::string good = slurp(ini());
  std::string text = good;
  text.replace(text.find("GNU C++"), 7, "Unknown");
  spit(ini(), text);
  EXPECT_EXIT(toolchain_t().read(ini()), ::testing::ExitedWithCode(1), "error: Unknown compiler");

  text = good;
  text.replace(text.find("Unix"), 4, "Mars");
  spit(ini(), text);
  EXPECT_EXIT(toolchain_t().read(ini()), ::testing::ExitedWithCode(1), "error: Unknown target OS");

  spit(ini(), std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10) + std::string(300, '\xff'));
  EXPECT_EXIT(toolchain_t().read(ini()), ::testing::ExitedWithCode(1),
              "error: Wrong version of .*korval.ini");
  spit(ini(), "3.00 \n" + good.substr(5));
  EXPECT_EXIT(toolchain_t().read(ini()), ::testing::ExitedWithCode(1), "Wrong version of");
  spit(ini(), "");
  EXPECT_EXIT(toolchain_t().read(ini()), ::testing::ExitedWithCode(1), "Wrong version of");
}

TEST_F(SettingsFile, ReadsVisualCppAndWindowsTargets) {
  spit(ini(),
       "3.00\n[Settings]\nCompiler=Visual C++\nTarget=WinNT/Win95 (Win32)\nMatlab=Installed\n"
       "PATH=p\nLIB=l\nINCLUDE=i\nCPP=cl\nCPPFLAGS=c\nEXEFLAGS=e\nDLLFLAGS=d\nMEXFLAGS=m\n"
       "LDFLAGS=x\r\n");
  toolchain_t tc;
  ASSERT_TRUE(tc.read(ini()));
  EXPECT_EQ(tc.compiler(), CC_VISUALC);
  EXPECT_EQ(tc.target(), TG_WIN32);
  EXPECT_EQ(tc.matlab(), "Installed");
  EXPECT_EQ(tc.ldflags(), "x");  // a carriage return before the newline is not part of it
}

TEST(BuiltIn, WatcomTextsForEachTarget) {
  const std::string r = "/k/";
  struct row {
    int target;
    const char *cpp, *exe, *dll, *ld;
  } rows[] = {
      {TG_DOS4GW, " /od /zq /3s /zp8 /bt=dos4g", "", "",
       "system dos4g*library /k/grlibwt%d.lib*option stack=256k*disable 1027*name"},
      {TG_WIN32, " /od /zq /3s /zp8 /bm /bt=nt", "system nt*", "system nt_dll*",
       "library /k/grlibwt%d.lib*library user32.lib*library kernel32.lib*"
       "option stack=256k*disable 1027*name"},
      {TG_OS2, " /od /zq /3s /zp8 /bt=os2", "", "",
       "system os2v2*library /k/grlibwt%d.lib*option stack=256k*disable 1027*name"},
      {TG_WIN32S, " /bw /od /zq /3s /zp8 /bm /bt=nt", "system nt*", "system nt_dll*",
       "library /k/grlibwt%d.lib*library user32.lib*library kernel32.lib*"
       "option stack=256k*disable 1027*name"},
  };
  for (const row& w : rows) {
    SCOPED_TRACE(target_name(w.target));
    const toolchain_t tc = configured(CC_WATCOM, w.target, r);
    EXPECT_EQ(tc.target(), w.target);
    EXPECT_EQ(tc.cppflags(), w.cpp);
    EXPECT_EQ(tc.exeflags(), w.exe);
    EXPECT_EQ(tc.dllflags(), w.dll);
    EXPECT_EQ(tc.ldflags(), w.ld);
    EXPECT_EQ(tc.mexflags(), " -v -I.");
  }
  const toolchain_t qnx = configured(CC_QNX, TG_UNKNOWN, r);
  EXPECT_EQ(qnx.target(), TG_UNIX);
  EXPECT_EQ(qnx.cppflags(), " /bw /mf /od /zq /bt=qnx /l=qnx /od /zq /3s /zp8");
  EXPECT_EQ(qnx.ldflags(),
            "library libgrlib%d.a*library /k/grlibwt%d.lib*option stack=256k*disable 1027*name");
}

TEST(BuiltIn, WatcomAsksForTheTarget) {
  struct row {
    std::initializer_list<bool> answers;
    int target;
  } rows[] = {
      {{true, true}, TG_WIN32},
      {{true, false}, TG_WIN32S},
      {{false, true}, TG_DOS4GW},
      {{false, false, true}, TG_OS2},
  };
  for (const row& w : rows) {
    box_script::install(w.answers);
    toolchain_t tc;
    tc.builtin("/k/", CC_WATCOM, TG_UNKNOWN);
    EXPECT_EQ(tc.target(), w.target);
  }
  platform::set_box_handler(nullptr);
}

TEST(BuiltInDeath, WatcomWithNoTarget) {
  EXPECT_EXIT(
      {
        box_script::install({false, false, false});
        toolchain_t().builtin("/k/", CC_WATCOM, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "error: No more targets supported\\.");
}

TEST(BuiltIn, OtherRows) {
  const toolchain_t vc = configured(CC_VISUALC, TG_UNKNOWN, "C:\\k\\");
  EXPECT_EQ(vc.target(), TG_WIN32);
  EXPECT_EQ(vc.cppflags(), " /nologo /YX /DWIN32 /Od /Fe");
  EXPECT_EQ(vc.ldflags(), " C:\\k\\grlibvc%d.lib user32.lib");

  box_script::install({false});  // not Windows NT/95: Win32s
  toolchain_t bc;
  bc.builtin("/k/", CC_BORLAND, TG_UNKNOWN);
  EXPECT_EQ(bc.target(), TG_WIN32S);
  EXPECT_EQ(bc.exeflags(), " -WE");
  EXPECT_EQ(bc.ldflags(), " wintty?.obj /k/grlibbc%d.lib");
  const toolchain_t bc32 = configured(CC_BORLAND, TG_WIN32, "/k/");
  EXPECT_EQ(bc32.exeflags(), " -WC");
  EXPECT_EQ(bc32.ldflags(), " /k/grlibbc%d.lib");

  EXPECT_EQ(configured(CC_DJGPP, TG_UNKNOWN, "/k/").target(), TG_GO32);
  EXPECT_EQ(configured(CC_VISUALAGE, TG_UNKNOWN, "/k/").target(), TG_OS2);
  EXPECT_EQ(configured(CC_XLC, TG_UNKNOWN, "/k/").cppflags(), " -L./ -I./ -+ -qspill=1000 -o ");
  EXPECT_EQ(configured(CC_UNKNOWN, TG_UNIX, "/k/").target(), TG_UNKNOWN);
}

TEST(BuiltIn, GnuNumericLibraries) {
  // The first library answered Yes ends the library questions; the thread question
  // always follows.
  box_script::install({false, false, true, true});
  toolchain_t tc;
  tc.builtin("/k/", CC_GNU, TG_UNKNOWN);
  EXPECT_EQ(box_script::asked(),
            (std::vector<std::string>{"Digital: Use DXML library ?", "IBM: Use ESSL library ?",
                                      "Sun Solaris: Use Sunsoft Performance Library ?",
                                      "Are you using Parallel Processing on Solaris ?"}));
  EXPECT_EQ(tc.cppflags(), " -L./ -I./ -dalign -IM77 -IF77  -O2 -o ");
  EXPECT_EQ(tc.ldflags(), " -s -lgrlib%d -lstdc++ -llapacke -lopenblas -lfftw3 -lfftw3f -lmatio "
                          "-lpthread -lsunperf -lsunmath -lm -lthread");

  box_script::install({false, false, false, true, false, false, true, false});
  tc.builtin("/k/", CC_GNU, TG_UNKNOWN);
  EXPECT_EQ(tc.ldflags(), " -s -lgrlib%d -lstdc++ -llapacke -lopenblas -lfftw3 -lfftw3f -lmatio "
                          "-lpthread -lblas -lf2c -lm");
  EXPECT_EQ(tc.cppflags(), " -L./ -I./ -O2 -o ");

  box_script::install({false, true, true});  // SGI/Sun: no Sunsoft library, BLAS on Sun/SGI
  tc.builtin("/k/", CC_SGISUN, TG_UNKNOWN);
  EXPECT_EQ(tc.ldflags(), " -lgrlib%d -lblas -lftn -lm");
  platform::set_box_handler(nullptr);
}

TEST(LibraryNumber, CompletesTheNameOnce) {
  toolchain_t vc = configured(CC_VISUALC, TG_UNKNOWN, "C:\\k\\");
  vc.finish();
  EXPECT_EQ(vc.libnum(1), "C:\\k\\grlibvc1.lib");
  EXPECT_EQ(vc.ldflags(), " C:\\k\\grlibvc1.lib user32.lib");
  EXPECT_EQ(vc.libnum(7), "C:\\k\\grlibvc1.lib");
  EXPECT_EQ(vc.ldflags(), " C:\\k\\grlibvc1.lib user32.lib");

  toolchain_t gnu = configured(CC_GNU, TG_UNKNOWN, "/k/");
  gnu.finish();
  EXPECT_EQ(gnu.libnum(0), "-lgrlib0");
  EXPECT_EQ(gnu.ldflags(),
            " -s -lgrlib0 -lstdc++ -llapacke -lopenblas -lfftw3 -lfftw3f -lmatio -lpthread -lm");

  // WATCOM's directives are lines: the word ends at the line break, and every "%d"
  // is numbered.
  toolchain_t qnx = configured(CC_QNX, TG_UNKNOWN, "/k/");
  qnx.finish();
  EXPECT_EQ(qnx.libnum(12), "libgrlib12.a");
  EXPECT_EQ(qnx.ldflags(),
            "library libgrlib12.a\nlibrary /k/grlibwt12.lib\noption stack=256k\ndisable 1027\nname");

  toolchain_t none;
  EXPECT_EQ(none.libnum(3), "");
}

TEST(Finish, ExtensionsLineBreaksAndWin16) {
  struct row {
    int compiler;
    const char *obj, *src, *exe, *lib;
  } rows[] = {
      {CC_BORLAND, "obj", "cpp", "exe", "dll"}, {CC_DJGPP, "o", "cpp", "exe", ""},
      {CC_QNX, "o", "cpp", "", ""},             {CC_GNU, "o", "cxx", "", "so"},
      {CC_XLC, "o", "cxx", "", "so"},           {CC_UNKNOWN, "", "", "", ""},
  };
  for (const row& w : rows) {
    toolchain_t tc = configured(w.compiler, TG_WIN32, "/k/");
    tc.finish();
    EXPECT_EQ(tc.objext(), w.obj);
    EXPECT_EQ(tc.srcext(), w.src);
    EXPECT_EQ(tc.exeext(), w.exe);
    EXPECT_EQ(tc.libext(), w.lib);
    EXPECT_FALSE(tc.win16());
  }
  toolchain_t wat = configured(CC_WATCOM, TG_WIN32, "/k/");
  wat.finish();
  EXPECT_EQ(wat.exeflags(), "system nt\n");
  EXPECT_EQ(wat.ldflags().find('*'), std::string::npos);
  toolchain_t bc = configured(CC_BORLAND, TG_WIN311, "/k/");
  bc.finish();
  EXPECT_TRUE(bc.win16());
}

TEST(Directories, FromTheFoundCompiler) {
  toolchain_t vc = configured(CC_VISUALC, TG_UNKNOWN, "C:\\k\\");
  vc.set_dirs("C:\\Program Files\\DevStudio\\VC\\bin\\cl.exe", "C:\\k\\");
  EXPECT_EQ(vc.path(), "C:\\Program Files\\DevStudio\\VC\\bin;c:\\program files\\devstudio\\SharedIDE\\bin");
  EXPECT_EQ(vc.lib(), "C:\\Program Files\\DevStudio\\VC\\lib;C:\\k\\");
  EXPECT_EQ(vc.include(), "C:\\Program Files\\DevStudio\\VC\\include");

  toolchain_t wat = configured(CC_WATCOM, TG_WIN32, "/k");
  wat.set_dirs("C:\\WATCOM\\binnt\\wcl386.exe", "/k");
  EXPECT_EQ(wat.path(), "C:\\WATCOM\\binnt;C:\\WATCOM\\binw");
  EXPECT_EQ(wat.lib(), "C:\\WATCOM\\lib386;C:\\WATCOM\\lib386\\nt;/k/");
  EXPECT_EQ(wat.include(), "C:\\WATCOM\\h;C:\\WATCOM\\h\\nt");

  toolchain_t gnu = configured(CC_GNU, TG_UNKNOWN, "/k/");
  gnu.set_dirs("/usr/bin/gcc", "/k/");
  EXPECT_EQ(gnu.path(), "/usr/bin");
  EXPECT_EQ(gnu.lib(), "/usr/lib;/k/");
  EXPECT_EQ(gnu.include(), "/usr/include");
}

TEST_F(SettingsFile, ShippedFileIsTheGnuConfiguration) {
  // The install fills in the compiler's directory and the root directory.
  std::string text = slurp(std::string(KORVAL_SOURCE_DIR) + "/share/korval.ini.in");
  util::strrep(text, "@KORVAL_CC_DIR@", "/opt/cc/");
  util::strrep(text, "@KORVAL_ROOT@", root_);
  util::strrep(text, "@KORVAL_PROGRAM_SAN@", "");   // set only by a sanitizer build
  util::strrep(text, "@KORVAL_PROGRAM_SAN_LINK@", "");
  util::strrep(text, "@KORVAL_PROGRAM_LINKER@", "");  // gold, where the install finds it
  spit(ini(), text);
  toolchain_t shipped;
  ASSERT_TRUE(shipped.read(ini()));
  expect_same(shipped, configured(CC_GNU, TG_UNKNOWN, root_));
}
