// korval -build with GNU C++: the run-time library rebuilt for real from the sources
// that the install ships, in a private copy of the root directory, and programs linked
// against the result.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "scratch_dir.h"

namespace {

std::string quote(const std::string& s) { return testutil::shell_quote(s); }

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

struct result {
  int status = -1;
  std::string out;
};

// Runs a shell command; standard output and standard error are captured together.
result run(const std::string& cmd) {
  result r;
  FILE* p = popen((cmd + " 2>&1").c_str(), "r");
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

// Two functions started with par_run meet at a rendezvous: each says it has arrived
// and waits for the other. Run one after the other, the first would wait alone; the
// wait is bounded only so that such a library fails the test instead of hanging it.
const char kParProgram[] = R"(#define GRLIB 0
#include "gridlib.h"
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

static std::atomic<int> arrived{0}, met{0}, off_main{0}, done{0};
static std::thread::id main_thread;

static M<double> meet() {
  if (std::this_thread::get_id() != main_thread) ++off_main;
  ++arrived;
  for (int i = 0; i < 3000 && arrived.load() < 2; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (arrived.load() == 2) ++met;
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ++done;
  return M<double>();
}
static M<double> fa() { return meet(); }
static M<double> fb() { return meet(); }

int main() {
  main_thread = std::this_thread::get_id();
  par_run(fa);
  par_run(fb);
  par_sync;
  std::printf("threads %d met %d off main %d done %d\n", int(grl::par_threads()), met.load(),
              off_main.load(), done.load());
  return 0;
}
)";

// par_run in the plain library: in place, on the main thread, before par_run returns.
const char kSeqProgram[] = R"(#define GRLIB 0
#include "gridlib.h"
#include <cstdio>
#include <thread>

static int step = 0, a_at = -1, b_at = -1;
static std::thread::id main_thread;
static bool on_main = true;

static M<double> fa() { a_at = step++; on_main = on_main && std::this_thread::get_id() == main_thread; return M<double>(); }
static M<double> fb() { b_at = step++; on_main = on_main && std::this_thread::get_id() == main_thread; return M<double>(); }

int main() {
  main_thread = std::this_thread::get_id();
  par_run(fa);
  const int after_a = step;
  par_run(fb);
  par_sync;
  std::printf("threads %d a %d b %d after a %d on main %d\n", int(grl::par_threads()), a_at,
              b_at, after_a, int(on_main));
  return 0;
}
)";

class GnuBuild : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_ + "/root";
    ASSERT_EQ(std::system(("cp -rH " + quote(KORVAL_TEST_ROOT) + " " + quote(root_)).c_str()), 0);
    ASSERT_TRUE(exists(root_ + "/src/gridlib/gnu.mak"));
    dt_before_ = slurp(root_ + "/korval.dt");
  }

  // korval in the root directory, as setup runs it; make compiles on two cores, at
  // -O0: what is checked is the procedure and its records, not the optimiser.
  result korval(const std::string& args) {
    return run("cd " + quote(root_) + " && unset MAKEFLAGS MFLAGS; MAKEFLAGS=-j2 GRLIB_OPTIMIZE=-O0 korval3=" +
               quote(root_) + " ./korval -nologo -v " + args + " </dev/null");
  }

  // Compiles and runs a C++ program against the root's headers and library 0, linked
  // with the libraries that the settings file names.
  result program(const std::string& source) {
    std::ofstream(dir_ + "/prog.cpp") << source;
    std::string ld = slurp(root_ + "/korval.ini");
    ld = ld.substr(ld.find("\nLDFLAGS=") + 9);
    ld = ld.substr(0, ld.find('\n'));
    ld.replace(ld.find("%d"), 2, "0");
    const result c = run("cd " + quote(dir_) + " && g++ -std=c++17 -I" + quote(root_) +
                         " prog.cpp -o prog -Wl,-Map,prog.map -L" + quote(root_) + " " + ld);
    if (c.status != 0) return c;
    return run(quote(dir_ + "/prog"));
  }

  // Leaves in the root's library sources only those whose objects the last program
  // took from libgrlib0.a (its link map names them as libgrlib0.a(grl0_<source>.o)),
  // and returns how many are left.
  int keep_sources_of_last_program() {
    const std::string map = slurp(dir_ + "/prog.map");
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root_ + "/src/gridlib")) {
      const std::filesystem::path& p = entry.path();
      if (p.extension() != ".cpp") continue;
      if (map.find("libgrlib0.a(grl0_" + p.stem().string() + ".o)") != std::string::npos)
        ++kept;
      else
        std::filesystem::remove(p);
    }
    return kept;
  }

  testutil::scratch_dir scratch_{"gnubuild"};
  std::string dir_ = scratch_.path(), root_, dt_before_;
};

// One test for the plain and the multithreaded library: a build of the whole library
// takes minutes, so the multithreaded build starts from the plain one's objects and
// sources.
TEST_F(GnuBuild, BuildsThePlainAndTheMultithreadedLibraryAndRecordsThem) {
  std::remove((root_ + "/libgrlib0.a").c_str());
  result r = korval("-build");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("\nmake GRLIB=0 \"FLAGS= \" -f gnu.mak\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("-DGRLIB=0 -I. -Iinclude"), std::string::npos) << r.out;
  ASSERT_TRUE(exists(root_ + "/libgrlib0.a"));
  EXPECT_EQ(slurp(root_ + "/korval.dt"), dt_before_ + "0\n");

  // par_run in the plain library runs each function in place, on the main thread.
  r = program(kSeqProgram);
  EXPECT_EQ(r.out, "threads 0 a 0 b 1 after a 1 on main 1\n");
  EXPECT_EQ(r.status, 0);

  // -norm keeps the objects: the library is made again from them, nothing compiled.
  r = korval("-build -norm");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("g++"), std::string::npos) << r.out;
  EXPECT_TRUE(exists(root_ + "/libgrlib0.a"));
  EXPECT_EQ(slurp(root_ + "/korval.dt"), dt_before_ + "0\n0\n");

  // The kept objects were made without the thread flag: they are compiled again. The
  // whole library was built above; the multithreaded one is made from the sources the
  // plain program linked, which the thread test's program needs too, so that the test
  // does not compile the whole library a second time.
  const int sources = keep_sources_of_last_program();
  EXPECT_GE(sources, 2);
  EXPECT_LT(sources, 20);
  r = korval("-build:mt -norm");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("\nmake GRLIB=0 \"FLAGS= -D_KORVAL_MT=1\" -f gnu.mak\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("-DGRLIB=0 -D_KORVAL_MT=1 -I. -Iinclude -include grl0_pch.h -MMD -MP -c par.cpp"),
            std::string::npos) << r.out;
  EXPECT_EQ(slurp(root_ + "/korval.dt"), dt_before_ + "0\n0\n0\n");

  // Functions started with par_run now run at the same time, off the main thread.
  r = program(kParProgram);
  EXPECT_EQ(r.out, "threads 1 met 2 off main 2 done 2\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(GnuBuild, FailingMakeLeavesTheRecordUnchanged) {
  std::ofstream(root_ + "/src/gridlib/broken.cpp") << "this is not C++\n";
  const result r = korval("-build");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("broken.cpp"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("error: Failed to build library libgrlib0.a.\n"), std::string::npos) << r.out;
  EXPECT_EQ(slurp(root_ + "/korval.dt"), dt_before_);
  EXPECT_FALSE(exists(root_ + "/libgrlib0.a"));
}

}  // namespace
