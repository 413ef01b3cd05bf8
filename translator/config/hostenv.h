// What the toolchain configuration needs to know about the machine it runs on: how
// executables are named, how search paths are joined, which drives exist.
#pragma once
#include <string>

namespace hostenv {

// Executables carry no suffix on this host; a compiler is "gcc", not "gcc.exe".
inline constexpr const char* kExeSuffix = "";
// Separator of the directories of PATH. With ";" here the inherited PATH's last
// directory and the compiler's directory would melt into one name.
inline constexpr char kPathSep = ':';

// True when the drive letter names an existing drive. This host has no drives.
inline bool drive_exists(char /*letter*/) { return false; }

// The value of an environment variable, empty when it is not set.
std::string getenv_str(const char* name);
bool is_set(const char* name);
// Sets an environment variable of this process, inherited by the build commands.
void set(const char* name, const std::string& value);


// Runs a fixed command line through the shell and waits for it. Only for commands
// that need the shell's input redirection; the build commands go through the
// command runner, which starts programs directly.
int run_shell(const char* command);
}  // namespace hostenv
