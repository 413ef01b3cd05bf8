// Dates written as text (internal, not installed): for datenum, datevec and weekday.
#ifndef GRIDLIB_DATE_TEXT_H
#define GRIDLIB_DATE_TEXT_H

#include "gridlib.h"

namespace grl {
// Whether x is date text: a char array (one date a row) or a cell of char rows.
bool is_date_text(const M<m_type>& x);
// The date vectors (n x 6: year, month, day, hour, minute, second) of the texts, read
// by format, or by the first standard format that reads each text whole; fn names the
// function in messages.
M<m_type> date_text_vectors(const M<m_type>& text, const M<m_type>* format, const char* fn);
}  // namespace grl

#endif
