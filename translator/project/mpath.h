// The M-file search path: the ordered list of directories in which the project looks
// for the M-file of a called name, and the out-of-date test for generated files.
#pragma once
#include <optional>
#include <string>
#include <vector>

class mpath_t {
 public:
  static constexpr int kMaxDirs = 255;      // entries a path may hold
  static constexpr int kLineLimit = 252;    // characters read per line of a path file

  // Appends dir as the next entry; the 256th entry stops the run.
  void add_dir(const std::string& dir);
  // Turns one line of a path file into entries: the directory and its private/.
  void add_line(const std::string& line);
  // Reads a path file line by line; a file that cannot be opened is a warning only.
  void load(const std::string& path);
  // The directory (entry text, with private/ when found in the second pass) that
  // holds the M-file of name, or nothing when no entry does.
  // A package function's program name (util_pkg_twice) is found as +util/twice.m in
  // an entry, when no M-file has the name itself.
  std::optional<std::string> find(const std::string& name) const;
  // The M-file of name (its folder's entry text and its file name), or nothing.
  std::optional<std::string> path_of(const std::string& name) const;

  int count() const { return static_cast<int>(dirs_.size()); }
  const std::string& getdirn(int n) const;

  // True when target is missing, or when both exist and target is strictly older.
  static bool is_out_of_date(const std::string& source, const std::string& target);

 private:
  bool locate(const std::string& name, std::string& dir, std::string& file) const;
  std::vector<std::string> dirs_;
};
