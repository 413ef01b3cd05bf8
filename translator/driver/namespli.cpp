// NAMESPLI: splits a path into directory and file name; strip-last.
#include "driver/diag.h"
#include "driver/helpers.h"

namespace util {

void namesplit(const std::string& buf, std::string* dir, std::string* name) {
  const std::size_t sep = buf.find_last_of("\\/");
  const std::size_t cut = (sep == std::string::npos) ? 0 : sep + 1;
  if (dir) dir->assign(buf, 0, cut);
  if (name) name->assign(buf, cut, std::string::npos);
}

void namesplit(const char* buf, std::string* dir, std::string* name) {
  KASSERT("NAMESPLI", buf!=NULL);
  namesplit(std::string(buf), dir, name);
}

void strip_last(std::string& path) {
  if (path.size() < 2) return;
  const std::size_t sep = path.find_last_of("\\/", path.size() - 2);
  if (sep != std::string::npos) path.resize(sep + 1);
}

}  // namespace util
