// Opening files, with the fatal reports every caller shares.
#include <filesystem>

#include "driver/diag.h"
#include "driver/helpers.h"

namespace util {

bool exists(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return false;
  std::fclose(f);
  return true;
}

std::FILE* open_read(const std::string& path) {
  std::FILE* f = exists(path) ? std::fopen(path.c_str(), "r") : nullptr;
  if (!f) diag::error("could not open %s for read", path.c_str());
  return f;
}

std::FILE* open_write(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) diag::error("could not open %s for write", path.c_str());
  return f;
}

void open_read(std::ifstream& in, const std::string& path) {
  if (exists(path)) in.open(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) diag::error("could not open %s for read", path.c_str());
}

void open_write(std::ofstream& out, const std::string& path) {
  out.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out.is_open()) diag::error("could not open %s for write", path.c_str());
}

}  // namespace util
