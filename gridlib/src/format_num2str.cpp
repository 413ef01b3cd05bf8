#include "gridlib/format.h"
namespace gridlib { namespace fmt {
std::vector<std::string> num2str_rows(const value_view&) { return {}; }
std::vector<std::string> num2str_rows(const value_view&, int) { return {}; }
std::vector<std::string> num2str_rows(const value_view&, const std::string&) { return {}; }
std::vector<std::string> int2str_rows(const value_view&) { return {}; }
std::string mat2str(const value_view&, int) { return ""; }
}}
