#include "gridlib/format.h"
namespace gridlib { namespace fmt {
std::string sprintf(const std::string&, const std::vector<value_view>&) { return ""; }
}}
