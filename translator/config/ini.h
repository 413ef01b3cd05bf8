// Toolchain settings (module INI): which C++ compiler and target system the build
// commands are written for, with the compiler's command word, directories, flags,
// file extensions and the run-time library name. Loaded from and saved to the
// settings file "korval.ini" in the root directory; configured anew through a short
// console dialogue when the file is missing or incomplete, or when a switch names a
// compiler or target.
#pragma once
#include <string>

namespace ini {

// Compiler codes. The letter is what the user types or what -compiler gives.
enum compiler_code : int {
  CC_BORLAND = 0,    // B
  CC_DJGPP = 1,      // D
  CC_EMX = 2,        // E
  CC_VISUALC = 3,    // V
  CC_WATCOM = 4,     // W
  CC_VISUALAGE = 5,  // I
  CC_CXX = 6,        // C
  CC_QNX = 7,        // Q
  CC_GNU = 8,        // G
  CC_SGISUN = 9,     // S
  CC_ACC = 10,       // A
  CC_XLC = 11,       // X
  CC_UNKNOWN = 12,   // no letter
};

// Target system codes.
enum target_code : int {
  TG_MSDOS = 0,
  TG_WIN311 = 1,
  TG_WIN32 = 2,
  TG_WIN32S = 3,
  TG_OS2 = 4,
  TG_DOS4GW = 5,
  TG_GO32 = 6,
  TG_UNIX = 7,
  TG_UNKNOWN = 8,
};

// Display names: "GNU C++", "Unix", ...; any other code displays as "Failure".
const char* compiler_name(int code);
const char* target_name(int code);

// The compiler code of a name, by its first letter, case-insensitive; any other
// letter (or an empty name) is the fatal error "Unknown compiler".
int compiler_code(const std::string& name);
// The target code of a name by the substring rules ("4GW", "OS/2", "DOS", "UNIX",
// "GO32", "WIN"...); no match is the fatal error "Unknown target OS".
int target_code(const std::string& name);

// The compiler command word ("gcc", "cl", ...); empty for CC_UNKNOWN and others.
const char* compiler_cpp(int code);

// Longest text a field holds, and longest value copied from the settings file.
inline constexpr std::size_t kFieldLimit = 511;
inline constexpr std::size_t kValueLimit = 510;

}  // namespace ini

class toolchain_t {
 public:
  // Load-or-configure: reads the settings file; configures anew (console dialogue)
  // when it is missing, incomplete or `given` (a -compiler or -target switch) is set,
  // and then rewrites it. Afterwards sets the file extensions, turns every "*" of the
  // five flag fields into a newline, sets the 16-bit Windows flag and exports the
  // compiler's environment (LIB, INCLUDE, PATH).
  void load(const std::string& settings_path, const std::string& root, bool given, int compiler,
            int target);

  // Library number: the first call completes the library name from the word around
  // the first "%d" of LDFLAGS and replaces every "%d" of LDFLAGS by n. Later calls
  // return the stored name unchanged.
  const std::string& libnum(int n);

  // --- Accessors -----------------------------------------------------------------
  const std::string& settings_path() const { return settings_path_; }
  int compiler() const { return compiler_; }
  int target() const { return target_; }
  const std::string& objext() const { return objext_; }
  const std::string& srcext() const { return srcext_; }
  const std::string& exeext() const { return exeext_; }
  const std::string& libext() const { return libext_; }
  const std::string& cpp() const { return cpp_; }
  const std::string& path() const { return path_; }
  const std::string& lib() const { return lib_; }
  const std::string& include() const { return include_; }
  const std::string& libname() const { return libname_; }
  const std::string& matlab() const { return matlab_; }
  const std::string& cppflags() const { return cppflags_; }
  const std::string& exeflags() const { return exeflags_; }
  const std::string& dllflags() const { return dllflags_; }
  const std::string& mexflags() const { return mexflags_; }
  const std::string& ldflags() const { return ldflags_; }
  bool win16() const { return win16_; }
  const char* compiler_name() const { return ini::compiler_name(compiler_); }
  const char* target_name() const { return ini::target_name(target_); }

  // --- The steps of load, for the setup program and the tests ---------------------
  // Reads the settings file. False when it cannot be opened or a line is missing or
  // has another key (the record is then to be configured anew); a first line other
  // than "3.00" is the fatal error "Wrong version of %s".
  bool read(const std::string& settings_path);
  // Writes the settings file; failure is the fatal error "could not open %s for write".
  void write(const std::string& settings_path) const;
  // Configures anew: compiler selection, built-in settings and their questions, the
  // compiler's directory, the MATLAB question, then writes the settings file.
  void configure(const std::string& root, int compiler, int target);
  // Clears every text and sets the compiler, target and the built-in flags of the
  // compiler, asking the target and numeric-library questions it needs.
  void builtin(const std::string& root, int compiler, int target);
  // Sets PATH, LIB and INCLUDE from the full path of the found compiler executable
  // (LIB also gets ";" and the root directory).
  void set_dirs(const std::string& found, const std::string& root);
  // File extensions by compiler, "*" as line breaks, the 16-bit Windows flag.
  void finish();
  // Sets LIB, INCLUDE (and WATCOM or DJGPP) and PATH in the process environment,
  // which the build commands inherit.
  void export_env() const;

  // The compiler executable's file name: CPP, with no ".exe" on this host.
  std::string executable() const;

 private:
  std::string settings_path_;
  int compiler_ = ini::CC_UNKNOWN;
  int target_ = ini::TG_UNKNOWN;
  std::string objext_, srcext_, exeext_, libext_;
  std::string cpp_, path_, lib_, include_, libname_, matlab_;
  std::string cppflags_, exeflags_, dllflags_, mexflags_, ldflags_;
  bool win16_ = false;
  bool libnum_done_ = false;

  void clear();
  void watcom_texts(const std::string& root);
  std::string find_compiler() const;
  void ask_matlab(const std::string& root);
  void check_watcom() const;
};
