// The project file updater: rewrites a Developer Studio 5 project file (".dsp") from
// the makefile the translator writes, so that the project knows the generated files.
//
// Every M-file of the makefile goes into the group "m-files" with a custom build step
// that runs the translator again, every generated C++ file into the group "C++ files
// created from m-files". Lines are written with CR LF ends, as the IDE writes them.
//
// Each rewrite goes into "<project>.tmp" first and replaces the project file (by a
// rename, so the project file is never seen half written) only when the project file
// carries the version marker "Format Version 5". A run of UpdateProjectFromMakefile
// first copies the project file to "<project>.org".
//
// All operations that return an int follow the IDE add-in's convention: nonzero means
// success. A file that cannot be read, created or replaced ends the update at once by
// throwing update_failure; what earlier insertions already wrote back stays.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace prjupd {

struct update_failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The group headers the updater fills.
inline constexpr const char* kMFilesGroup = "# Begin Group \"m-files\"";
inline constexpr const char* kCppGroup = "# Begin Group \"C++ files created from m-files\"";
inline constexpr const char* kLibraryGroup = "# Begin Group \"Gridkit\"";

// Receives the progress lines ("Updating ...", "Added ...", "Update completed
// successfully."). The default writes them to standard output.
using progress_sink = std::function<void(const std::string&)>;

// Reads the makefile and inserts one entry per rule that makes a ".cpp" file from an
// ".m" file or an ".obj" file from a ".cpp" file. Returns the result of the last
// insertion, 0 when no rule was used or the project file lacks the version marker.
int UpdateProjectFromMakefile(const std::string& project, const std::string& makefile,
                              const std::string& root, const progress_sink& progress = {});

// Adds an entry for `source` as the last of the group with `header` (creating the group
// before "# End Target" when missing), with a custom build step made of `build` when
// that is not empty. An entry for the same file (letters in any case) leaves the
// group; so does any other "g_" file when `source` is one. Nonzero when the project
// file carried the version marker and was replaced.
int InsertSourceIntoGroup(const std::string& source, const std::string& project,
                          const std::string& header, const std::vector<std::string>& build);

// Writes `line` after every line that begins with `prefix`, unless it is there already.
// Nonzero when the project file carried the version marker and was replaced.
int InsertLineAfterPrefix(const std::string& project, const std::string& prefix,
                          const std::string& line);

// Copies a text file line by line, ending every line with CR LF. Returns 0.
int CopyTextFile(const std::string& from, const std::string& to);

// Replaces the extension of the path's file name by `ext` (without its dot), or
// appends one when the file name has none.
void ForceExtension(std::string& path, const std::string& ext);

// 0 when the first occurrence of "." + ext in `name` is its very end (so demo.m has
// extension "m", demo.mat and my.model.m do not); nonzero otherwise.
int HasExtension(const std::string& name, const std::string& ext);

}  // namespace prjupd
