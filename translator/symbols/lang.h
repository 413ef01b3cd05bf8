// Declaration files for callers of a DLL written in other languages: Visual Basic,
// Delphi, C, PowerBuilder and ObjectAda. The writer parses the C++ prototypes that the
// translator wrote and prints each language's declaration with the stdcall export name.
#pragma once
#include <cstdio>
#include <string>

class lang_writer {
 public:
  static constexpr int kSlots = 5;

  lang_writer() = default;
  ~lang_writer();
  lang_writer(const lang_writer&) = delete;
  lang_writer& operator=(const lang_writer&) = delete;

  // Prepares the five file names "<base>.<ext>"; no file is created yet.
  void open(const std::string& base, int compiler);
  // Kind 16 creates every file, one of the five language codes only its own one.
  void select(int kind);
  // Writes comment start, text, comment end and a newline to every open file.
  void comment(const std::string& text);
  // Writes text to every open file.
  void text(const std::string& text);
  // Writes text to the file of the language with code `code`, if that file is open.
  void text_for(const std::string& text, int code);
  // Declares the function of one C++ prototype in every open file. Returns whether the
  // language of the last open file accepted it.
  bool declare(const std::string& dll, const std::string& prototype, bool wrapped, bool wrapped_name);
  // Closes every open file.
  void close();

  const std::string& file_name(int slot) const { return names_[slot]; }

 private:
  std::string base_;
  int compiler_ = 0;
  std::string names_[kSlots];
  std::FILE* files_[kSlots] = {nullptr, nullptr, nullptr, nullptr, nullptr};
  bool opened_ = false;

  void create(int slot);
};

namespace lang {

// The parts of one accepted prototype.
struct prototype_t {
  std::string name;      // the C++ function name
  char ret = '?';        // kind letter of the result: 'i', 'd', 'm' or '?'
  bool procedure = false;
  std::string in_kinds, out_kinds;   // one kind letter per parameter
  std::string in_names, out_names;   // parameter names, each followed by '$'
};

// Language code (17, 18, 20, 21, 22) to slot 0..4, -1 for any other code.
int slot_of(int code);
// Kind letter of a C++ type text.
char kind_of(const std::string& word);
// Parses one prototype line; false when it is not one the writer declares.
bool parse(const std::string& line, bool wrapped, prototype_t& out);
// The declaration text of p in the language of slot (without the final newline), or
// the empty string when that language leaves it out.
std::string declaration(int slot, const prototype_t& p, const std::string& dll, int compiler,
                        bool wrapped_name);

}  // namespace lang
