// The text a failed assert shows for its arguments (see assert_text.cpp).
#pragma once
#include <string>
#include <string_view>

// The arguments' source text (between assert's brackets), printed back the way the
// interpreter shows an expression: "x==3" becomes "x == 3", "f(a,b)" "f (a, b)".
std::string assert_arguments_text(std::string_view source);
// The text between the bracket at `open` of `line` and its partner; empty when the
// line ends first (a statement continued on the next line).
std::string_view assert_arguments_source(std::string_view line, std::size_t open);
