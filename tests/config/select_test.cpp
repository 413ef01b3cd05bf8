// Configuring anew through the console dialogue, driven through standard input, and
// the environment exported for the build commands.
#include <gtest/gtest.h>

#include "config/ini.h"
#include "config_fixture.h"

using namespace cfgtest;
using namespace ini;

namespace {
// GNU C++: the four library questions and the thread question answered No.
const std::string kGnuNoLibraries = "g\nn\nn\nn\nn\nn\n";
const char kGnuLd[] =
    " -s -lgrlib%d -lstdc++ -llapacke -lopenblas -lfftw3 -lfftw3f -lmatio -lpthread -lm";
}  // namespace

class Dialogue : public scratch {};

TEST_F(Dialogue, GnuFoundOnPathWritesTheSettings) {
  const std::string gcc = fake_compiler("gnu", "gcc");
  const std::string cc = (dir_ / "gnu").string() + "/";
  setenv("PATH", (cc + "bin:/usr/bin:/bin").c_str(), 1);
  spit("mpath", "/my/m/files\n");  // a search path of the user's own is kept
  feed(kGnuNoLibraries + "y\ny\nn\n");  // auto-search, accept, no MATLAB
  testing::internal::CaptureStdout();
  toolchain_t tc;
  tc.load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
  const std::string out = testing::internal::GetCapturedStdout();

  EXPECT_NE(out.find("Compiler selection\n------------------\n\nBorland C++ (or Builder)\n"
                     "Visual C++\nWATCOM C++32\nDJGPP\nEMX\nCXX (DEC OSF/1)\nGNU C++\n"
                     "SGI CC/Sun CC\nxlC (IBM)\nIBM VisualAge\n\nPress first letter of name: \n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("GNU C++ selected.\n\n"), std::string::npos);
  EXPECT_NE(out.find("Searching for gcc...\n"), std::string::npos);
  const std::vector<std::string> want = {
      "3.00",
      "[Settings]",
      "Compiler=GNU C++",
      "Target=Unix",
      "Matlab=",
      "PATH=" + cc + "bin",
      "LIB=" + cc + "lib;" + root_,
      "INCLUDE=" + cc + "include",
      "CPP=gcc",
      "CPPFLAGS= -L./ -I./ -O2 -o ",
      "EXEFLAGS=",
      "DLLFLAGS= -fPIC -shared",
      "MEXFLAGS= -v -I.",
      std::string("LDFLAGS=") + kGnuLd,
  };
  EXPECT_EQ(lines_of(slurp(ini())), want);
  EXPECT_EQ(slurp("mpath"), "/my/m/files\n");
  EXPECT_FALSE(fs::exists("script.m"));

  // Exported for the build commands: PATH joined with ":".
  EXPECT_EQ(std::string(std::getenv("PATH")), cc + "bin:/usr/bin:/bin:" + cc + "bin");
  EXPECT_EQ(std::string(std::getenv("LIB")), cc + "lib;" + root_);
  EXPECT_EQ(std::string(std::getenv("INCLUDE")), cc + "include");
  EXPECT_EQ(tc.srcext(), "cxx");
  EXPECT_EQ(tc.libnum(0), "-lgrlib0");
  (void)gcc;
}

TEST_F(Dialogue, ValidFileAsksNothing) {
  fake_compiler("gnu", "gcc");
  feed(kGnuNoLibraries + "n\n" + (dir_ / "gnu").string() + "\ny\nn\n");
  testing::internal::CaptureStdout();
  toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(fs::exists("mpath"));  // no MATLAB: an empty search path
  EXPECT_EQ(slurp("mpath"), "");
  const std::string written = slurp(ini());

  feed("");  // any question would now meet the end of the input
  testing::internal::CaptureStdout();
  toolchain_t tc;
  tc.load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(tc.compiler(), CC_GNU);
  EXPECT_EQ(slurp(ini()), written);
}

TEST_F(Dialogue, EnteredDirectoryIsCheckedUntilTheCompilerIsThere) {
  fake_compiler("gnu", "gcc");
  const std::string missing = (dir_ / "nothere").string();
  feed(kGnuNoLibraries + "n\n" + missing + "\n" + (dir_ / "gnu").string() + "/\ny\nn\n");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  toolchain_t tc;
  tc.load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
  const std::string out = testing::internal::GetCapturedStdout();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(out.find("Compiler directory, such as . Enter 'q' to quit\n"), std::string::npos);
  EXPECT_NE(err.find("Compiler not found at " + missing + "/bin/gcc"), std::string::npos) << err;
  EXPECT_NE(err.find("Compiler found at " + (dir_ / "gnu").string() + "/bin/gcc.\nAccept ?"),
            std::string::npos);
  EXPECT_EQ(tc.path(), (dir_ / "gnu").string() + "/bin");
}

TEST_F(Dialogue, CompilerSwitchReconfiguresAValidFile) {
  fake_compiler("gnu", "gcc");
  feed(kGnuNoLibraries + "n\n" + (dir_ / "gnu").string() + "\ny\nn\n");
  testing::internal::CaptureStdout();
  toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);

  // -compiler:v: no selection menu, Visual C++ found in an entered directory, MATLAB
  // installed (not Unix: the user is told how to make the search path).
  fake_compiler("vc", "cl");
  feed("n\n" + (dir_ / "vc").string() + "\ny\ny\n");
  toolchain_t tc;
  tc.load(ini(), root_, true, compiler_code("v"), TG_UNKNOWN);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.find("Compiler selection", out.find("GNU C++ selected.")), std::string::npos);
  EXPECT_NE(out.find("Visual C++ selected."), std::string::npos);

  toolchain_t back;
  ASSERT_TRUE(back.read(ini()));
  EXPECT_EQ(back.compiler(), CC_VISUALC);
  EXPECT_EQ(back.target(), TG_WIN32);
  EXPECT_EQ(back.cpp(), "cl");
  EXPECT_EQ(back.matlab(), "Installed");
  EXPECT_EQ(back.ldflags(), " " + root_ + "grlibvc%d.lib user32.lib");
  EXPECT_EQ(slurp("script.m"), "delete mpath\ndiary mpath\nmatlabpath\nquit\n");
  EXPECT_EQ(tc.exeext(), "exe");
}

TEST_F(Dialogue, QuitAtTheDirectoryPrompt) {
  EXPECT_EXIT(
      {
        feed(kGnuNoLibraries + "n\nq\n");
        toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "error: Compiler not found\\.");
  EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(Dialogue, EndOfInputNeverHangs) {
  // No letter at all.
  EXPECT_EXIT(
      {
        feed("");
        toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "error: Unknown compiler");
  // Every question after the letter meets the end: No, and no directory is a quit,
  // even though "/bin/gcc" (the empty answer's candidate) may exist.
  EXPECT_EXIT(
      {
        feed("g");
        toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "error: Compiler not found\\.");
  // A found compiler that is not accepted, then the end.
  EXPECT_EXIT(
      {
        fake_compiler("gnu", "gcc");
        feed(kGnuNoLibraries + "n\n" + (dir_ / "gnu").string() + "\nn\n");
        toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "error: Compiler not found\\.");
  EXPECT_EXIT(
      {
        feed("z\n");
        toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "error: Unknown compiler");
}

TEST_F(Dialogue, BrokenFileIsConfiguredAnew) {
  spit(ini(), "3.00\n[Settings]\nCompiler=GNU C++\nTarget=Unix\nMatl");
  fake_compiler("gnu", "gcc");
  feed(kGnuNoLibraries + "n\n" + (dir_ / "gnu").string() + "\ny\nn\n");
  testing::internal::CaptureStdout();
  toolchain_t tc;
  tc.load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Compiler selection"), std::string::npos);
  EXPECT_EQ(lines_of(slurp(ini())).size(), 14u);
}

class Environment : public scratch {
 protected:
  void SetUp() override {
    scratch::SetUp();
    for (const char* v : {"LIB", "INCLUDE", "WATCOM", "DJGPP"}) {
      const char* old = std::getenv(v);
      saved_.emplace_back(v, old ? old : std::string("\x01"));
      unsetenv(v);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      value == "\x01" ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    scratch::TearDown();
  }
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(Environment, WatcomAndDjgppFindTheirInstallation) {
  box_script::install({});
  toolchain_t wat;
  wat.builtin("/k/", CC_WATCOM, TG_WIN32);
  wat.set_dirs("C:\\WATCOM\\binnt\\wcl386", "/k/");
  setenv("PATH", "/usr/bin", 1);
  wat.export_env();
  EXPECT_STREQ(std::getenv("WATCOM"), "C:\\WATCOM\\");
  EXPECT_STREQ(std::getenv("INCLUDE"), "C:\\WATCOM\\h;C:\\WATCOM\\h\\nt");
  EXPECT_STREQ(std::getenv("PATH"), "/usr/bin:C:\\WATCOM\\binnt;C:\\WATCOM\\binw");

  setenv("WATCOM", "D:\\OWN\\", 1);  // already set: left alone
  wat.export_env();
  EXPECT_STREQ(std::getenv("WATCOM"), "D:\\OWN\\");

  toolchain_t dj;
  dj.builtin("/k/", CC_DJGPP, TG_UNKNOWN);
  dj.set_dirs("C:\\DJGPP\\bin\\gcc", "/k/");
  dj.export_env();
  EXPECT_STREQ(std::getenv("DJGPP"), "C:/DJGPP/djgpp.env");
  EXPECT_STREQ(std::getenv("LIB"), "C:\\DJGPP\\lib;/k/");

  // Without an inherited PATH the compiler's directory stands alone: an empty entry
  // would put the current directory on the search path.
  unsetenv("PATH");
  dj.export_env();
  EXPECT_STREQ(std::getenv("PATH"), "C:\\DJGPP\\bin");

  toolchain_t empty;
  setenv("PATH", "/usr/bin", 1);
  unsetenv("LIB");
  empty.export_env();
  EXPECT_STREQ(std::getenv("PATH"), "/usr/bin");
  EXPECT_EQ(std::getenv("LIB"), nullptr);
}

TEST_F(Environment, WatcomInstalledFor16BitWindows) {
  // INCLUDE without an NT directory: the warning and the question; No ends the run.
  toolchain_t wat;
  box_script::install({});
  wat.builtin("/k/", CC_WATCOM, TG_WIN32);
  wat.set_dirs("C:\\WATCOM\\binnt\\wcl386", "/k/");
  wat.write(ini());
  std::string text = slurp(ini());
  text.replace(text.find("INCLUDE="), text.find('\n', text.find("INCLUDE=")) - text.find("INCLUDE="),
               "INCLUDE=C:\\WATCOM\\h");
  spit(ini(), text);
  platform::set_box_handler(nullptr);
  EXPECT_EXIT(
      {
        feed("n\n");
        toolchain_t().load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
      },
      ::testing::ExitedWithCode(1), "Do you want to continue \\?");
  testing::internal::CaptureStdout();
  feed("y\n");
  toolchain_t tc;
  tc.load(ini(), root_, false, CC_UNKNOWN, TG_UNKNOWN);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "The WATCOM C++ compiler was not installed for the Win95/NT target.\n"
            "Please re-install it, while selecting Win95/NT (32 bit) as target.\n\n"
            "KORVAL will not work with WATCOM C++ installed for Windows (16 bit) target.\n\n");
  EXPECT_EQ(tc.compiler(), CC_WATCOM);
}
