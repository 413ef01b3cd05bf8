// Shared helpers of the toolchain configuration tests: a scratch directory, scripted
// answers for the Yes/No questions, and standard input fed from a text.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/msgbox.h"

namespace cfgtest {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void spit(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// Answers for the Yes/No boxes, in order; the questions asked are recorded. When
// the script runs out every further question is answered No.
struct box_script {
  static std::deque<bool>& answers() {
    static std::deque<bool> a;
    return a;
  }
  static std::vector<std::string>& asked() {
    static std::vector<std::string> q;
    return q;
  }
  static platform::box_answer handler(const std::string& title, const std::string& text,
                                      platform::box_kind kind) {
    if (kind == platform::box_kind::ok) return platform::console_box(title, text, kind);
    asked().push_back(text);
    if (answers().empty()) return platform::box_answer::no;
    const bool yes = answers().front();
    answers().pop_front();
    return yes ? platform::box_answer::yes : platform::box_answer::no;
  }
  static void install(std::initializer_list<bool> a) {
    answers().assign(a.begin(), a.end());
    asked().clear();
    platform::set_box_handler(&handler);
  }
};

// A fresh scratch directory, made the current directory for the test; the previous
// current directory, PATH and box handler are restored afterwards.
class scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = fs::current_path();
    old_path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    char tmpl[] = "/tmp/korval-config-XXXXXX";
    dir_ = mkdtemp(tmpl);
    fs::current_path(dir_);
    root_ = (dir_ / "root").string() + "/";
    fs::create_directories(root_);
  }
  void TearDown() override {
    platform::set_box_handler(nullptr);
    setenv("PATH", old_path_.c_str(), 1);
    fs::current_path(old_cwd_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // Standard input reads `text` from here on.
  void feed(const std::string& text) {
    spit(dir_ / "stdin.txt", text);
    ASSERT_NE(std::freopen((dir_ / "stdin.txt").c_str(), "rb", stdin), nullptr);
  }
  // An executable file standing in for a compiler: dir/bin/name.
  std::string fake_compiler(const std::string& dir, const std::string& name) {
    const fs::path bin = dir_ / dir / "bin";
    fs::create_directories(bin);
    spit(bin / name, "#!/bin/sh\nexit 0\n");
    fs::permissions(bin / name, fs::perms::owner_all);
    return (bin / name).string();
  }
  std::string ini() const { return root_ + "korval.ini"; }

  fs::path dir_, old_cwd_;
  std::string root_, old_path_;
};

}  // namespace cfgtest
