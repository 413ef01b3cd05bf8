// Compiler selection: the console dialogue that configures the toolchain anew, the
// built-in settings of every compiler, and the search for the compiler executable.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "config/hostenv.h"
#include "config/ini.h"
#include "driver/diag.h"
#include "driver/helpers.h"

using namespace ini;

namespace {

// The libraries the run-time library itself needs on this host, linked behind it.
const char kRuntimeLibs[] = " -llapacke -lopenblas -lfftw3 -lfftw3f -lmatio -lpthread";

bool yes(const char* question) { return diag::ask(question) == 'Y'; }

// Optional numeric libraries. Each is asked only by the compilers that offer it.
struct numlib {
  std::string cppflags;  // compiler flags the library needs
  std::string ldflags;   // libraries to link
};

std::string blas_libs() {
  std::string libs = " -lblas";
  if (yes("On Sun/SGI"))
    libs += " -lftn";
  else if (yes("On HP"))
    libs += " -lcl -L/opt/fortran/lib/pa1.1";
  else if (yes("On Linux"))
    libs += " -lf2c";
  return libs;
}

bool ask_dxml(numlib& n) {
  if (!yes("Digital: Use DXML library")) return false;
  n.ldflags = " -ldxml";
  return true;
}
bool ask_essl(numlib& n) {
  if (!yes("IBM: Use ESSL library")) return false;
  n.ldflags = " -lessl";
  return true;
}
bool ask_sunperf(numlib& n) {
  if (!yes("Sun Solaris: Use Sunsoft Performance Library")) return false;
  n.cppflags = " -dalign -IM77 -IF77 ";
  n.ldflags = " -lsunperf -lsunmath";
  return true;
}
bool ask_blas(numlib& n) {
  if (!yes("Use BLAS library")) return false;
  n.ldflags = blas_libs();
  return true;
}

int ask_windows_target() { return yes("Are you using Windows NT/95") ? TG_WIN32 : TG_WIN32S; }

// WATCOM, when no target was given: Windows (NT/95 or Win32s), DOS/4GW or OS/2.
int ask_watcom_target() {
  if (yes("Would you like to create Windows programs")) return ask_windows_target();
  if (yes("Would you like to create DOS/4GW (extended DOS) executables")) return TG_DOS4GW;
  if (yes("Would you like to create OS/2 executables")) return TG_OS2;
  diag::error("No more targets supported.");
}

const char* example_dir(int compiler) {
  switch (compiler) {
    case CC_BORLAND: return "C:\\BC5\\";
    case CC_DJGPP: return "C:\\DJGPP\\";
    case CC_VISUALC: return "C:\\DEVSTUDIO\\";
    case CC_WATCOM: return "C:\\WATCOM\\";
    default: return "";
  }
}

bool is_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Directories where compilers of the Windows era are installed, tried on every drive.
const char* const kInstallDirs[] = {
    "Program Files\\Borland\\CBuilder", "Borland\\CBuilder", "Program Files\\Borland\\bc5",
    "Borland\\bc5", "bc5", "bc4", "Program Files\\DevStudio\\vc", "DevStudio\\vc",
    "Program Files\\msdev", "msdev", "msvc22", "msvc21", "msvc20", "watcom", "pwrs\\watcnt",
    "watcom9",
};

}  // namespace

std::string toolchain_t::executable() const { return cpp_ + hostenv::kExeSuffix; }

void toolchain_t::clear() {
  for (std::string* s : {&objext_, &srcext_, &exeext_, &libext_, &cpp_, &path_, &lib_, &include_,
                         &libname_, &matlab_, &cppflags_, &exeflags_, &dllflags_, &mexflags_,
                         &ldflags_})
    s->clear();
  win16_ = false;
  libnum_done_ = false;
}

// WATCOM's texts, in their order; QNX appends them behind its own.
void toolchain_t::watcom_texts(const std::string& root) {
  switch (target_) {
    case TG_DOS4GW: ldflags_ += "system dos4g*"; break;
    case TG_WIN32: exeflags_ += "system nt*", dllflags_ += "system nt_dll*"; break;
    case TG_OS2: ldflags_ += "system os2v2*"; break;
    case TG_WIN32S:
      exeflags_ += "system nt*", dllflags_ += "system nt_dll*", cppflags_ += " /bw";
      break;
    default: break;
  }
  ldflags_ += "library " + root + "grlibwt%d.lib*";
  cppflags_ += " /od /zq /3s /zp8";
  switch (target_) {
    case TG_DOS4GW: cppflags_ += " /bt=dos4g"; break;
    case TG_WIN32:
    case TG_WIN32S:
      ldflags_ += "library user32.lib*library kernel32.lib*";
      cppflags_ += " /bm /bt=nt";
      break;
    case TG_OS2: cppflags_ += " /bt=os2"; break;
    default: break;
  }
  ldflags_ += "option stack=256k*disable 1027*name";
}

void toolchain_t::builtin(const std::string& root, int compiler, int target) {
  clear();
  mexflags_ = " -v -I.";
  compiler_ = compiler;
  target_ = target;
  cpp_ = compiler_cpp(compiler);
  numlib n;
  switch (compiler) {
    case CC_BORLAND:
      if (target_ == TG_UNKNOWN) target_ = ask_windows_target();
      cppflags_ = " -x- -a4 -4 -e";
      exeflags_ = target_ == TG_WIN32S ? " -WE" : " -WC";
      dllflags_ = " -WD";
      ldflags_ = (target_ == TG_WIN32S ? " wintty?.obj " : " ") + root + "grlibbc%d.lib";
      break;
    case CC_DJGPP:
      target_ = TG_GO32;
      cppflags_ = " -L./ -I./ -o ";
      ldflags_ = " -s -lgrlib%d -lgpp -lm -lpc";
      break;
    case CC_EMX:
      target_ = TG_GO32;
      cppflags_ = " -L./ -I./ -o ";
      ldflags_ = " -s -llibgrlib%d -lstdcpp -lm";
      break;
    case CC_VISUALC:
      target_ = TG_WIN32;
      cppflags_ = " /nologo /YX /DWIN32 /Od /Fe";
      exeflags_ = " /MD";
      dllflags_ = " /MD /LD";
      ldflags_ = " " + root + "grlibvc%d.lib user32.lib";
      break;
    case CC_WATCOM:
      if (target_ == TG_UNKNOWN) target_ = ask_watcom_target();
      watcom_texts(root);
      break;
    case CC_VISUALAGE:
      target_ = TG_OS2;
      cppflags_ = " -Q -B/ST:400000 -B/NOI";
      ldflags_ = " libgrlib%d.lib";
      break;
    case CC_CXX:
      target_ = TG_UNIX;
      ask_dxml(n);
      cppflags_ = " -L./ -I./ -o ";
      ldflags_ = " -lgrlib%d" + n.ldflags + " -lm";
      break;
    case CC_QNX:
      target_ = TG_UNIX;
      cppflags_ = " /bw /mf /od /zq /bt=qnx /l=qnx";
      ldflags_ = "library libgrlib%d.a*";
      watcom_texts(root);
      break;
    case CC_GNU: {
      target_ = TG_UNIX;
      ask_dxml(n) || ask_essl(n) || ask_sunperf(n) || ask_blas(n);
      const bool threads = yes("Are you using Parallel Processing on Solaris");
      // Optimised code: compiled M programs exist to be fast.
      cppflags_ = " -L./ -I./" + n.cppflags + " -O2 -o ";
      // A shared library: position-independent objects, linked as a shared object.
      dllflags_ = " -fPIC -shared";
      ldflags_ = std::string(" -s -lgrlib%d -lstdc++") + kRuntimeLibs + n.ldflags + " -lm";
      if (threads) ldflags_ += " -lthread";
      break;
    }
    case CC_SGISUN:
      target_ = TG_UNIX;
      ask_sunperf(n) || ask_blas(n);
      cppflags_ = " -L./ -I./" + n.cppflags + " -o ";
      ldflags_ = " -lgrlib%d" + n.ldflags + " -lm";
      break;
    case CC_ACC:
      target_ = TG_UNIX;
      ask_blas(n);
      cppflags_ = " -L./ -I./ -o ";
      ldflags_ = " -lgrlib%d" + n.ldflags + " -lm";
      break;
    case CC_XLC:
      target_ = TG_UNIX;
      ask_essl(n);
      cppflags_ = " -L./ -I./ -+ -qspill=1000 -o ";
      ldflags_ = " -lgrlib%d" + n.ldflags + " -lm";
      break;
    default:
      target_ = TG_UNKNOWN;
      break;
  }
}

// The full path of the compiler executable: along PATH first, then the install
// directories on every drive. Empty when not found.
std::string toolchain_t::find_compiler() const {
  const std::string exe = executable();
  if (exe.empty()) return std::string();
  const char* env = std::getenv("PATH");
  const std::string search = env ? env : "";
  std::size_t begin = 0;
  while (begin <= search.size()) {
    std::size_t end = search.find(hostenv::kPathSep, begin);
    if (end == std::string::npos) end = search.size();
    std::string dir = search.substr(begin, end - begin);
    begin = end + 1;
    if (dir.empty()) continue;  // an empty entry would mean the current directory
    if (dir.back() != '/') dir += '/';
    const std::string candidate = dir + exe;
    if (is_file(candidate) && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  for (char drive = 'c'; drive <= 'z'; ++drive) {
    if (!hostenv::drive_exists(drive)) continue;
    for (const char* sub : kInstallDirs) {
      const std::string dir = diag::format("%c:\\%s\\", drive, sub);
      for (const char* bin : {"%sbin\\%s", "%sbinnt\\%s"}) {
        const std::string candidate = diag::format(bin, dir.c_str(), exe.c_str());
        if (is_file(candidate)) return candidate;
      }
    }
  }
  return std::string();
}

void toolchain_t::set_dirs(const std::string& found, const std::string& root) {
  std::string dir = found;
  util::strip_last(dir);  // the executable
  util::strip_last(dir);  // its bin directory
  const char* d = dir.c_str();
  if (compiler_ == CC_WATCOM) {
    path_ = diag::format("%sbinnt;%sbinw", d, d);
    lib_ = diag::format("%slib386;%slib386\\nt", d, d);
    include_ = diag::format("%sh;%sh\\nt", d, d);
  } else {
    path_ = dir + "bin";
    lib_ = dir + "lib";
    include_ = dir + "include";
  }
  if (compiler_ == CC_VISUALC) {
    std::string lower = dir;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = lower.find("devstudio");
    const std::size_t sep = at == std::string::npos ? at : lower.find_first_of("\\/", at);
    if (sep != std::string::npos) path_ += ";" + lower.substr(0, sep + 1) + "SharedIDE\\bin";
  }
  std::string slashed = root;
  if (slashed.empty() || (slashed.back() != '/' && slashed.back() != '\\')) slashed += '/';
  lib_ += ";" + slashed;
}

void toolchain_t::ask_matlab(const std::string& root) {
  if (!yes("Is Matlab installed")) {
    // Without MATLAB the product search path is empty. An mpath the user already
    // has is kept: creating the file must not wipe out its entries.
    if (!is_file("mpath")) {
      std::FILE* f = std::fopen("mpath", "wb");
      if (!f) diag::error("could not open %s for write", "mpath");
      std::fclose(f);
    }
    return;
  }
  matlab_ = "Installed";
  std::FILE* f = std::fopen("script.m", "wb");
  if (!f) diag::error("could not open %s for write", "script.m");
  std::fprintf(f, "delete %s\ndiary %s\nmatlabpath\nquit\n", "mpath", "mpath");
  std::fclose(f);
  // MATLAB reads the script from its standard input: the redirection needs the shell.
  if (target_ == TG_UNIX)
    hostenv::run_shell("matlab < script.m");
  else
    diag::message(
        "To create the mpath file, please run MATLAB now and type:\n\ncd %s\ndiary mpath\nmatlabpath\nquit",
        root.c_str());
}

void toolchain_t::configure(const std::string& root, int compiler, int target) {
  if (compiler == CC_UNKNOWN) {
    std::printf("Compiler selection\n------------------\n\n");
    for (int code : {CC_BORLAND, CC_VISUALC, CC_WATCOM, CC_DJGPP, CC_EMX, CC_CXX, CC_GNU, CC_SGISUN,
                     CC_XLC, CC_VISUALAGE})
      std::printf("%s\n", ini::compiler_name(code));
    std::printf("\n");
    const char letter = diag::ask_console("Press first letter of name: ");
    compiler = compiler_code(std::string(1, letter));
  }
  std::printf("%s selected.\n\n", ini::compiler_name(compiler));
  std::fflush(stdout);
  builtin(root, compiler, target);

  std::string found;
  if (yes("Would you like to auto-search for the compiler")) {
    std::printf("Searching for %s...\n", executable().c_str());
    std::fflush(stdout);
    found = find_compiler();
  }
  for (;;) {
    if (!found.empty() &&
        diag::ask(diag::format("Compiler found at %s.\nAccept", found.c_str()).c_str()) == 'Y')
      break;
    std::string answer;
    diag::prompt_console(
        diag::format("Compiler directory, such as %s. Enter 'q' to quit", example_dir(compiler_)).c_str(),
        answer);
    // A word is empty only at the end of the input, which counts as quitting.
    if (answer.empty() || answer[0] == 'q' || answer[0] == 'Q') diag::error("Compiler not found.");
    if (answer.back() != '/' && answer.back() != '\\') answer += '/';
    found = answer + (compiler_ == CC_WATCOM ? "binnt" : "bin") + "/" + executable();
    if (!is_file(found)) {
      diag::message("Compiler not found at %s", found.c_str());
      found.clear();
    }
  }
  set_dirs(found, root);
  ask_matlab(root);
  write(settings_path_);
}
