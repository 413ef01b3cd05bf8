// The library functions the run-time library can also call by their name with inputs
// known only while the program runs (its by-name table). The field of a structure
// array among a call's inputs goes through that table; any other library function
// is called with as many inputs as the list holds, chosen when the program runs.
#ifndef KORVAL_TRANSLATE_BY_NAME_H
#define KORVAL_TRANSLATE_BY_NAME_H

#include <string>
#include <vector>

// Whether the library calls the function named (in M) by name.
bool library_calls_by_name(const std::string& m_name);
// Every such name, for the test that the library's table agrees.
const std::vector<std::string>& library_by_name_list();

#endif
