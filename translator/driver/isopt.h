// Switch lookup (module ISOPT). A switch is an argument that begins with "-" or "/".
// The arguments are searched from the last one down to the second (the program name
// is never examined), so the last occurrence of a switch wins. A switch matches when
// its text after the "-" or "/" begins with name: case-sensitive, a prefix test, so
// "-mexhelp" also satisfies "mex" and "-help" satisfies "h".
#pragma once
#include <string>

// True when argument a is a switch. An argument that begins with "/" and names an
// existing file or directory is a path (an absolute main-file name on Unix), not a switch.
bool is_switch(const char* a);

bool is_option(int argc, const char* const* argv, const char* name);

// As is_option; value receives the text after the name when the character right
// behind it is ":" or "=" (as in -dt:double or -mpath=my.pth), else the empty text.
bool option_value(int argc, const char* const* argv, const char* name, std::string& value);
