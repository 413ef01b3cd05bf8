// Line-by-line text files as the project updater reads and writes them: a line is read
// whole, however long, without its line end (LF or CR LF); every line written ends in
// CR LF and is flushed at once.
#pragma once
#include <cstdio>
#include <string>

namespace prjupd {

class line_reader {
 public:
  explicit line_reader(const std::string& path);
  ~line_reader();
  line_reader(const line_reader&) = delete;
  line_reader& operator=(const line_reader&) = delete;

  bool is_open() const { return file_ != nullptr; }
  // False at the end of the file; a read error counts as the end.
  bool next(std::string& line);

 private:
  std::FILE* file_;
};

class crlf_writer {
 public:
  explicit crlf_writer(const std::string& path);
  ~crlf_writer();
  crlf_writer(const crlf_writer&) = delete;
  crlf_writer& operator=(const crlf_writer&) = delete;

  bool is_open() const { return file_ != nullptr; }
  void write(const std::string& line);
  // Flushes the file to the disk and closes it; false when any write failed.
  bool close();

 private:
  std::FILE* file_;
  bool ok_ = true;
};

}  // namespace prjupd
