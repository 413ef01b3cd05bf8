// ADDSLASH: makes a directory name end with a separator.
#include "driver/diag.h"
#include "driver/helpers.h"

namespace util {

void addslash(std::string& fname) {
  if (fname.empty() || (fname.back() != '\\' && fname.back() != '/')) fname.push_back('/');
}

void addslash(std::string* fname) {
  KASSERT("ADDSLASH", fname!=NULL);
  addslash(*fname);
}

}  // namespace util
