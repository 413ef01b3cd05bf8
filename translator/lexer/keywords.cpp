#include "lexer/keywords.h"

namespace {

const block_keyword kKeywords[] = {
    {"function", block_role::opens, false},
    {"for", block_role::opens, true},
    {"if", block_role::opens, true},
    {"while", block_role::opens, true},
    {"switch", block_role::opens, true},
    {"try", block_role::opens, false},
    {"elseif", block_role::continues, true},
    {"else", block_role::continues, false},
    {"case", block_role::continues, true},
    {"otherwise", block_role::continues, false},
    {"catch", block_role::continues, false},
    {"end", block_role::closes, false},
    {"endif", block_role::closes, false},
    {"endfor", block_role::closes, false},
    {"endwhile", block_role::closes, false},
    {"enddo", block_role::closes, false},
    {"endswitch", block_role::closes, false},
    {"end_try_catch", block_role::closes, false},
    {"endfunction", block_role::closes, false},
    {"endparfor", block_role::closes, false},
};

}  // namespace

const block_keyword* find_block_keyword(std::string_view word) {
  for (const block_keyword& k : kKeywords)
    if (word == k.word) return &k;
  return nullptr;
}

bool opens_body_block(std::string_view word) {
  const block_keyword* k = find_block_keyword(word);
  return k && k->role == block_role::opens && word != "function";
}

bool splits_after_expression(std::string_view word) {
  const block_keyword* k = find_block_keyword(word);
  return k && k->role == block_role::opens && k->takes_expression;
}

bool spells_end(std::string_view word) {
  const block_keyword* k = find_block_keyword(word);
  return k && k->role == block_role::closes && word != "end";
}
