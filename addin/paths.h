// The paths and texts the add-in derives from the project path, the chosen M-file and
// the root directory. Both "\" and "/" separate directories.
#pragma once
#include <string>

namespace pelkor {

// The root directory with one separator at its end.
std::string with_separator(const std::string& dir);

// The directory of a path with its separator ("/p/demo.dsp" gives "/p/"); empty when
// the path names no directory.
std::string directory_of(const std::string& path);

// The file name without directory and extension ("/m/main.m" gives "main").
std::string base_name(const std::string& path);

// "korval.out" in the project's directory.
std::string log_path(const std::string& project_dir);

// The translator's makefile for the M-file, in the project's directory.
std::string makefile_path(const std::string& project_dir, const std::string& m_file);

// The workspace beside the project: the project path with "dsw" for its last three
// characters.
std::string workspace_path(const std::string& project);

// The file's path as seen from the directory `dir` (both absolute), through links
// resolved where they exist: "main.m" for a file in dir, "../m/main.m" beside it. A
// path that would begin with "-" gets "./" in front, so that it is never a switch.
std::string relative_path(const std::string& dir, const std::string& file);

// The search path with the root directory in front, unless it holds it already.
// An empty search path becomes the root directory alone.
std::string path_with_root(const std::string& search_path, const std::string& root);

}  // namespace pelkor
