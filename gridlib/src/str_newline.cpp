// newline: the line feed as a 1x1 char value, for texts built with [a newline b].
#include "gridlib_extra.h"
#include "strutil.h"

M<m_type> newline() { return grl::su::str("\n"); }
