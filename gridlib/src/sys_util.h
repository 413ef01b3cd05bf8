// Reading folders, shared by the functions that list them (dir, ls) and walk them (genpath).
#pragma once
#include <string>
#include <vector>

namespace grl {
// The names of every entry of folder dir, . and .. included, in name order; none when
// the folder cannot be read.
std::vector<std::string> folder_names(const std::string& dir);
}  // namespace grl
