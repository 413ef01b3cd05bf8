// Package functions: +util/twice.m on the search path is the function util.twice, and
// +a/+b/f.m is a.b.f. Each has a program name of its own (a C++ name and the name of its
// generated files) made from its parts; the project finds its M-file from that name.
// The source of every file is rewritten before it is read: util.twice(...) and
// @util.twice become calls of the program name, and `import util.*` or
// `import util.twice` lets the file call twice(...) by its short name.
#pragma once
#include <functional>
#include <string>
#include <vector>

// The program name of the package function parts[0].parts[1]...parts[n-1].
std::string package_function_name(const std::vector<std::string>& parts);

// The M-file of a program name made by package_function_name, relative to a search
// folder and without .m ("+a/+b/f"), or "" when name is no such name.
std::string package_file(const std::string& name);

// The source with each call of a package function spelled by its program name and its
// import statements taken out (an import of anything that is no package function of
// the program stays, to be refused). `exists` tells whether a program name has an
// M-file. A name the file assigns (a structure variable) is left as it is.
std::string package_calls(const std::string& source, const std::function<bool(const std::string&)>& exists);
