// Where a statement is, for the line and column of an error's stack: the place M
// reports for the statement that was running when an error was raised.
#pragma once
#include "lexer/tokens.h"

struct statement_place {
  int line = 0;     // 0: the line of the statement's first token
  int column = 0;   // 0: not known
};

// The place of the statement s as the scanner read it (before any rewriting): the
// keyword of for, parfor and switch; the name of a command (hold on, when `command`:
// the scanner read command words); the "=" of an assignment; the root of the
// expression otherwise (of the condition of if, elseif and while): the last operator
// of the lowest precedence outside brackets (the first operand of a range), a prefix
// operator, a transpose, the closing bracket of a matrix or cell literal, else the
// first token (a called or shown name, a literal).
statement_place statement_column(const tokens_t& s, bool command);
