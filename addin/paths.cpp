#include "addin/paths.h"

#include <limits.h>
#include <stdlib.h>

#include <vector>

namespace pelkor {
namespace {
const char kSeparators[] = "\\/";

std::string resolved(const std::string& path) {
  char real[PATH_MAX];
  return realpath(path.c_str(), real) ? std::string(real) : path;
}

std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (from <= path.size()) {
    std::size_t sep = path.find('/', from);
    if (sep == std::string::npos) sep = path.size();
    const std::string part = path.substr(from, sep - from);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    from = sep + 1;
  }
  return parts;
}
}  // namespace

std::string with_separator(const std::string& dir) {
  if (!dir.empty() && (dir.back() == '/' || dir.back() == '\\')) return dir;
  return dir + "/";
}

std::string directory_of(const std::string& path) {
  const std::size_t sep = path.find_last_of(kSeparators);
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string base_name(const std::string& path) {
  const std::size_t sep = path.find_last_of(kSeparators);
  std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string log_path(const std::string& project_dir) {
  return (project_dir.empty() ? project_dir : with_separator(project_dir)) + "korval.out";
}

std::string makefile_path(const std::string& project_dir, const std::string& m_file) {
  return project_dir + base_name(m_file) + ".mak";
}

std::string workspace_path(const std::string& project) {
  const std::size_t keep = project.size() >= 3 ? project.size() - 3 : 0;
  return project.substr(0, keep) + "dsw";
}

std::string relative_path(const std::string& dir, const std::string& file) {
  const std::vector<std::string> from = components(resolved(dir));
  const std::vector<std::string> to = components(resolved(file));
  std::size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string rel;
  for (std::size_t i = common; i < from.size(); ++i) rel += "../";
  for (std::size_t i = common; i < to.size(); ++i) rel += to[i] + (i + 1 < to.size() ? "/" : "");
  return rel.compare(0, 1, "-") == 0 ? "./" + rel : rel;
}

std::string path_with_root(const std::string& search_path, const std::string& root) {
  if (search_path.empty()) return root;
  if (search_path.find(root) != std::string::npos) return search_path;
  return root + ":" + search_path;
}

}  // namespace pelkor
