#include "addin/textfile.h"

#include <unistd.h>

#include <cstdlib>

namespace prjupd {

line_reader::line_reader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

line_reader::~line_reader() {
  if (file_) std::fclose(file_);
}

bool line_reader::next(std::string& line) {
  if (!file_) return false;
  char* buf = nullptr;
  std::size_t cap = 0;
  const ssize_t n = ::getline(&buf, &cap, file_);
  if (n < 0) {
    std::free(buf);
    return false;
  }
  line.assign(buf, static_cast<std::size_t>(n));
  std::free(buf);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

crlf_writer::crlf_writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}

crlf_writer::~crlf_writer() { close(); }

void crlf_writer::write(const std::string& line) {
  if (!file_) return;
  ok_ = ok_ && std::fwrite(line.data(), 1, line.size(), file_) == line.size();
  ok_ = ok_ && std::fputs("\r\n", file_) >= 0;
  ok_ = ok_ && std::fflush(file_) == 0;
}

bool crlf_writer::close() {
  if (!file_) return false;
  ok_ = ok_ && std::fflush(file_) == 0;
  ok_ = ok_ && ::fsync(::fileno(file_)) == 0;
  ok_ = (std::fclose(file_) == 0) && ok_;
  file_ = nullptr;
  return ok_;
}

}  // namespace prjupd
