// The registry value store: named string values under backslash-separated keys,
// kept in a text file of "KEY\PATH\name=value" lines (an empty name is the key's
// default value).
//
// The file is $KORVAL_REGISTRY when that is set, else
// $XDG_CONFIG_HOME/talvecore/registry (XDG_CONFIG_HOME defaults to ~/.config). Keys
// and names compare without regard to case, as the registry they stand in for does.
// An unreadable file means the value is missing; a write replaces the file atomically
// (temporary file and rename), so a reader never sees half a file.
#pragma once
#include <string>

namespace platform {

inline constexpr const char* kMachineHive = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kClassesHive = "HKEY_CLASSES_ROOT";

// The path of the registry file; empty when neither the variables nor HOME are set.
std::string registry_file();

// Reads value `name` of `key` (for example "HKEY_LOCAL_MACHINE\SOFTWARE\Talvecore\KORVAL\rootdir").
// False when the file or the value is missing.
bool registry_get(const std::string& key, const std::string& name, std::string& value);

// Stores the value, creating the file and its directory when needed. False when it
// could not be stored (no file location, a newline in the text, an "=" in the key or
// name, or the file system refused); the store is then unchanged.
bool registry_set(const std::string& key, const std::string& name, const std::string& value);

// Removes the value; true when the store no longer holds it.
bool registry_delete(const std::string& key, const std::string& name);

}  // namespace platform
