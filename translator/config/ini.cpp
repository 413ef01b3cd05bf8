// Module INI: the compiler and target tables, the settings file and the library name.
#include "config/ini.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "driver/diag.h"

namespace ini {
namespace {

struct compiler_row {
  char letter;
  const char* name;
  const char* cpp;
};

const compiler_row kCompilers[] = {
    {'B', "Borland C++ (or Builder)", "bcc32"},
    {'D', "DJGPP", "gcc"},
    {'E', "EMX", "gcc"},
    {'V', "Visual C++", "cl"},
    {'W', "WATCOM C++32", "wcl386"},
    {'I', "IBM VisualAge", "icc"},
    {'C', "CXX (DEC OSF/1)", "cxx"},
    {'Q', "QNX with WATCOM C++", "wcl386"},
    {'G', "GNU C++", "gcc"},
    {'S', "SGI CC/Sun CC", "CC"},
    {'A', "aCC (HP)", "aCC"},
    {'X', "xlC (IBM)", "xlC"},
    {0, "Unknown", ""},
};
constexpr int kCompilerRows = sizeof kCompilers / sizeof kCompilers[0];

const char* const kTargets[] = {
    "MSDOS", "Win3.11", "WinNT/Win95 (Win32)", "Win3.11 (Win32s)", "OS/2",
    "DOS/4GW", "GO32",  "Unix",                "Unknown",
};
constexpr int kTargetRows = sizeof kTargets / sizeof kTargets[0];

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

const char* compiler_name(int code) {
  return code >= 0 && code < kCompilerRows ? kCompilers[code].name : "Failure";
}

const char* target_name(int code) {
  return code >= 0 && code < kTargetRows ? kTargets[code] : "Failure";
}

const char* compiler_cpp(int code) {
  return code >= 0 && code < kCompilerRows ? kCompilers[code].cpp : "";
}

int compiler_code(const std::string& name) {
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name.empty() ? 0 : name[0])));
  for (int code = 0; code < kCompilerRows; ++code)
    if (letter != 0 && kCompilers[code].letter == letter) return code;
  diag::error("Unknown compiler");
}

int target_code(const std::string& name) {
  std::string up = name;
  for (char& c : up) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (contains(up, "4GW")) return TG_DOS4GW;
  if (contains(up, "OS/2")) return TG_OS2;
  if (contains(up, "DOS")) return TG_MSDOS;
  if (contains(up, "UNIX")) return TG_UNIX;
  if (contains(up, "GO32")) return TG_GO32;
  if (contains(up, "WIN")) {
    if (contains(up, "32S")) return TG_WIN32S;
    if (contains(up, "32")) return TG_WIN32;
    if (contains(up, "95") || contains(up, "NT")) return TG_WIN32;
    return TG_WIN311;
  }
  diag::error("Unknown target OS");
}

}  // namespace ini

namespace {

// One line of the settings file: at most 511 characters up to a newline, which is
// consumed; a longer line leaves its rest for the next read, as a fixed line buffer
// does. A carriage return before the newline is dropped. False at end of file.
bool read_line(std::FILE* in, std::string& line) {
  line.clear();
  int c = 0;
  bool got = false;
  while (line.size() < ini::kFieldLimit && (c = std::fgetc(in)) != EOF) {
    got = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return got;
}

// Reads the next line and takes its value when it begins with key. The value ends at
// the first zero byte and is cut to the value limit.
bool keyed_value(std::FILE* in, const char* key, std::string& value) {
  std::string line;
  if (!read_line(in, line)) return false;
  const std::size_t n = std::strlen(key);
  if (line.compare(0, n, key) != 0) return false;
  value.assign(line.c_str() + n);
  if (value.size() > ini::kValueLimit) value.resize(ini::kValueLimit);
  return true;
}

bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

void replace_all(std::string& s, const std::string& from, const std::string& to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

}  // namespace

bool toolchain_t::read(const std::string& settings_path) {
  settings_path_ = settings_path;
  std::FILE* in = std::fopen(settings_path.c_str(), "rb");
  if (!in) return false;
  diag::check_version(in, settings_path);  // fatal on a wrong first line
  std::string name, target, matlab, path, lib, include, cpp, cppflags, exeflags, dllflags,
      mexflags, ldflags, section;
  const bool complete =
      keyed_value(in, "[Settings]", section) && keyed_value(in, "Compiler=", name) &&
      keyed_value(in, "Target=", target) && keyed_value(in, "Matlab=", matlab) &&
      keyed_value(in, "PATH=", path) && keyed_value(in, "LIB=", lib) &&
      keyed_value(in, "INCLUDE=", include) && keyed_value(in, "CPP=", cpp) &&
      keyed_value(in, "CPPFLAGS=", cppflags) && keyed_value(in, "EXEFLAGS=", exeflags) &&
      keyed_value(in, "DLLFLAGS=", dllflags) && keyed_value(in, "MEXFLAGS=", mexflags) &&
      keyed_value(in, "LDFLAGS=", ldflags);
  std::fclose(in);
  if (!complete) return false;
  compiler_ = ini::compiler_code(name);  // "Unknown" reads as U: fatal
  target_ = ini::target_code(target);
  matlab_ = matlab;
  path_ = path;
  lib_ = lib;
  include_ = include;
  cpp_ = cpp;
  cppflags_ = cppflags;
  exeflags_ = exeflags;
  dllflags_ = dllflags;
  mexflags_ = mexflags;
  ldflags_ = ldflags;
  return true;
}

void toolchain_t::write(const std::string& settings_path) const {
  std::FILE* out = std::fopen(settings_path.c_str(), "wb");
  if (!out) diag::error("could not open %s for write", settings_path.c_str());
  std::fprintf(out, "%s\n[Settings]\n", diag::kVersion);
  std::fprintf(out, "Compiler=%s\nTarget=%s\n", compiler_name(), target_name());
  std::fprintf(out, "Matlab=%s\nPATH=%s\nLIB=%s\nINCLUDE=%s\nCPP=%s\n", matlab_.c_str(),
               path_.c_str(), lib_.c_str(), include_.c_str(), cpp_.c_str());
  std::fprintf(out, "CPPFLAGS=%s\nEXEFLAGS=%s\nDLLFLAGS=%s\nMEXFLAGS=%s\nLDFLAGS=%s\n",
               cppflags_.c_str(), exeflags_.c_str(), dllflags_.c_str(), mexflags_.c_str(),
               ldflags_.c_str());
  const bool failed = std::ferror(out) != 0;
  if (std::fclose(out) != 0 || failed) diag::error("could not open %s for write", settings_path.c_str());
}

void toolchain_t::finish() {
  using namespace ini;
  switch (compiler_) {
    case CC_BORLAND: case CC_VISUALC: case CC_WATCOM: case CC_VISUALAGE:
      objext_ = "obj", srcext_ = "cpp", exeext_ = "exe", libext_ = "dll";
      break;
    case CC_DJGPP: case CC_EMX:
      objext_ = "o", srcext_ = "cpp", exeext_ = "exe", libext_.clear();
      break;
    case CC_QNX:
      objext_ = "o", srcext_ = "cpp", exeext_.clear(), libext_.clear();
      break;
    case CC_CXX: case CC_GNU: case CC_SGISUN: case CC_ACC: case CC_XLC:
      objext_ = "o", srcext_ = "cxx", exeext_.clear(), libext_ = "so";
      break;
    default:
      objext_.clear(), srcext_.clear(), exeext_.clear(), libext_.clear();
  }
  for (std::string* flags : {&cppflags_, &exeflags_, &dllflags_, &mexflags_, &ldflags_})
    for (char& c : *flags)
      if (c == '*') c = '\n';
  win16_ = target_ == TG_WIN311;
}

void toolchain_t::load(const std::string& settings_path, const std::string& root, bool given,
                       int compiler, int target) {
  settings_path_ = settings_path;
  if (given || !read(settings_path)) configure(root, compiler, target);
  finish();
  libnum_done_ = false;
  libname_.clear();
  export_env();
  if (compiler_ == ini::CC_WATCOM) check_watcom();
}

const std::string& toolchain_t::libnum(int n) {
  if (libnum_done_) return libname_;
  libnum_done_ = true;
  const std::size_t at = ldflags_.find("%d");
  if (at == std::string::npos) return libname_;
  std::size_t begin = at, end = at;
  while (begin > 0 && !is_blank(ldflags_[begin - 1])) --begin;
  while (end < ldflags_.size() && !is_blank(ldflags_[end])) ++end;
  const std::string number = std::to_string(n);
  libname_ = ldflags_.substr(begin, end - begin);
  replace_all(libname_, "%d", number);
  replace_all(ldflags_, "%d", number);
  return libname_;
}
