// STRLWR: upper and lower case in place.
#include <cctype>

#include "driver/diag.h"
#include "driver/helpers.h"

namespace util {
namespace {
template <int (*conv)(int)>
void convert(char* p) {
  for (; *p; ++p) *p = static_cast<char>(conv(static_cast<unsigned char>(*p)));
}
}  // namespace

char* strlwr(char* s) {
  KASSERT("STRLWR", s!=NULL);
  convert<std::tolower>(s);
  return s;
}

char* strupr(char* s) {
  KASSERT("STRLWR", s!=NULL);
  convert<std::toupper>(s);
  return s;
}

std::string& strlwr(std::string& s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string& strupr(std::string& s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace util
