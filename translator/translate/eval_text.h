// eval of a text known when the program is translated, replaced by that text in the
// M source (see eval_text.cpp).
#pragma once
#include <string>

// The source with every eval of a literal text (or of literals and num2str/int2str of
// numbers joined in brackets) replaced by the text: as a statement, the statement
// itself; inside an expression, the expression in parentheses. Line breaks are kept,
// so line numbers do not move.
std::string expand_evals(const std::string& source);
