// korval-fuzz: the fuzzing target of `make fuzz`. It runs the translator on one M text
// as a user runs `korval fz.m -trans -force -nologo` in an empty directory: the text is
// copied to fz.m in the scratch directory $KORVAL_FUZZ_DIR (emptied first), and the
// whole project step runs, the search for called M-files included. A report through
// the diagnostics ends the process with status 1, which is a normal outcome here;
// crashes, hangs and sanitizer reports are what the fuzzer looks for.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "driver/driver.h"

namespace {

void empty_directory(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") std::remove((dir + "/" + name).c_str());
  }
  closedir(d);
}

}  // namespace

int main(int argc, char** argv) {
  const char* dir = std::getenv("KORVAL_FUZZ_DIR");
  if (argc != 2 || !dir) {
    std::fprintf(stderr, "usage: KORVAL_FUZZ_DIR=dir korval-fuzz file.m\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  empty_directory(dir);
  if (chdir(dir) != 0) return 2;
  std::ofstream("fz.m", std::ios::binary) << text;
  const char* args[] = {"korval", "fz.m", "-trans", "-force", "-nologo"};
  driver_run run;
  korval_driver(5, args, run);
  return 0;
}
