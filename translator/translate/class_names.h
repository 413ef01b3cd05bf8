// Class names written with a package, containers.Map, read as the library's function
// that makes such an object (containers_Map).
#pragma once
#include <string>

// The source with every containers.Map outside strings and comments spelt
// containers_Map. Line breaks are kept.
std::string spell_class_names(const std::string& source);
