// Small string, path and file helpers shared by the whole translator.
//
// Each group lives in a module of its own (strlwr.cpp, strrmv.cpp, addslash.cpp,
// namespli.cpp, skipspac.cpp, strrep.cpp, filename.cpp, fileopen.cpp). The std::string
// forms are the ones to use in new code; the pointer forms exist for callers that hold
// zero-terminated text and guard their arguments with the module's assertions.
#pragma once
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <string>

namespace util {

// STRLWR: case conversion in place (8-bit text, C locale).
char* strlwr(char* s);
char* strupr(char* s);
std::string& strlwr(std::string& s);
std::string& strupr(std::string& s);

// STRRMV: deletes the first occurrence of s2 from s1; 1 if there was one, else 0.
int strrmv(char* s1, const char* s2);
int strrmv(std::string& s1, const std::string& s2);

// ADDSLASH: appends "/" unless the text already ends with "\" or "/" (an empty text
// becomes "/").
void addslash(std::string& fname);
void addslash(std::string* fname);

// NAMESPLI: dir receives everything up to and including the last "\" or "/" (empty
// when there is none), name everything after it. Either output may be nullptr.
void namesplit(const char* buf, std::string* dir, std::string* name);
void namesplit(const std::string& buf, std::string* dir, std::string* name);

// Cuts a path after the last separator that comes before its final character:
// a\b\c.exe gives a\b\ and a\b\ gives a\. A path without such a separator is left alone.
void strip_last(std::string& path);

// SKIPSPAC: the first position that is not white space / that is white space or the end.
const char* skipspace(const char* p);
const char* skipword(const char* p);
std::size_t skipspace(const std::string& s, std::size_t pos);
std::size_t skipword(const std::string& s, std::size_t pos);

// STRREP: replaces every occurrence of from in s by to, searching again from the start
// after each replacement. When to itself contains from nothing is replaced, since the
// search would never end. An empty from replaces nothing.
void strrep(std::string& s, const char* from, const char* to);
void strrep(std::string& s, const std::string& from, const std::string& to);

// File names.
std::string extension(const std::string& name);   // after the last "." (the whole name without one)
int count_dots(const std::string& name);
std::string base_name(const std::string& name);   // up to the first "."
// The stem of an M-file's name: the whole name without its ".m" ("simps.old.m" is
// "simps.old"); a name without ".m" is its own stem.
std::string m_stem(const std::string& name);
// The C++ name of a stem, from which the output files are named. A stem that is a C++
// identifier is kept. Otherwise every character other than a letter, digit or "_"
// becomes "_" and its code as two hex digits ("simps.old" is "simps_2eold",
// "my-prog" is "my_2dprog"), and a name that then begins with a digit gets "m" in
// front ("1st" is "m1st").
std::string cpp_stem(const std::string& stem);

// Files. exists: the file can be opened for reading (a directory cannot).
bool exists(const std::string& path);
// Fatal "could not open %s for read" / "could not open %s for write" on failure.
std::FILE* open_read(const std::string& path);
std::FILE* open_write(const std::string& path);
void open_read(std::ifstream& in, const std::string& path);
void open_write(std::ofstream& out, const std::string& path);

}  // namespace util
