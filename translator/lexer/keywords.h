// The words of the M language that open, continue and close blocks of statements.
// One list serves the scanner (a block opener followed by an operand on the same line
// ends its statement there; echo counts open blocks) and the translator (statement
// forms, and which first words are not operands of an expression).
#pragma once
#include <string_view>

enum class block_role {
  opens,       // for, if, while, switch, try, function
  continues,   // elseif, else, case, otherwise, catch
  closes,      // end and its long spellings
};

struct block_keyword {
  const char* word;
  block_role role;
  // An expression follows the word on its line (if x, for i = v, case 1): a new
  // operand after a complete expression starts the next statement (if x y=1).
  bool takes_expression;
};

// The keyword entry of word, or nullptr when word is no block keyword.
const block_keyword* find_block_keyword(std::string_view word);

inline bool is_block_keyword(std::string_view word) { return find_block_keyword(word) != nullptr; }

// A block opener inside a function body (for, if, while, switch, try): what echo
// counts. The function line opens the function itself and is not counted.
bool opens_body_block(std::string_view word);

// A word that opens a block and takes an expression on its line (for, if, while,
// switch): "if x y=1" is the two statements "if x" and "y=1".
bool splits_after_expression(std::string_view word);

// The long spellings of end (endif, endfor, endwhile, enddo) read as "end".
bool spells_end(std::string_view word);
