// Reporting: every user-visible error, warning, question and notice of the translator.
//
// A report names the M-file, the line number and the text of the offending line, or
// reads "error: <message>" when no file position is set. It is shown in a message box
// titled "KORVAL Message" and then printed on standard output. Fatal errors end the
// process with exit status 1; warnings use the same report and return.
#pragma once
#include <cstdio>
#include <istream>
#include <string>

namespace diag {

inline constexpr const char* kTitle = "KORVAL Message";
inline constexpr const char* kVersion = "3.00";
inline constexpr std::size_t kReportLimit = 1023;   // report buffer, longer reports are cut
inline constexpr std::size_t kPathLimit = 511;      // longest path a buffer holds

// Maker's details shown by the banner and the support notice.
inline constexpr const char* kMakerNotice = "Copyright (c) Talvecore Oy 1997-2026";
inline constexpr const char* kSupportWeb = "https://www.talvecore.fi/korval";
inline constexpr const char* kSupportMail = "korval-support@talvecore.fi";
inline constexpr const char* kSupportFax = "+358 9 4250 7719";

// --- Current position -----------------------------------------------------------
void set_position(const std::string& file, int line);
void set_line(int line);
const std::string& current_file();
int current_line();

// --- Fatal errors (never return) ------------------------------------------------
// The single-argument forms take the message as plain text; the others take a
// printf format written in the translator's own code, never user text.
[[noreturn]] void error(const char* msg);
[[noreturn]] void error(const char* fmt, const char* s);
[[noreturn]] void error(const char* fmt, int n, const char* s);
[[noreturn]] void error(const char* fmt, const char* s1, const char* s2);
[[noreturn]] void error_at(int line, const char* msg);
[[noreturn]] void error_at(int line, const char* fmt, const char* s);
[[noreturn]] void error_at(int line, const char* fmt, const char* s1, const char* s2);

// A trial: while one is open, a fatal error throws `failed` (with the report it would
// have shown) instead of ending the run, so that the caller can leave out what failed.
struct failed {
  std::string report;
};
class trial_scope {
 public:
  trial_scope();
  ~trial_scope();
  trial_scope(const trial_scope&) = delete;
  trial_scope& operator=(const trial_scope&) = delete;
};

// --- Other reports --------------------------------------------------------------
void warning(const char* msg);
void warning(const char* fmt, const char* s);
void message(const char* text);
void message(const char* fmt, const char* s);
void progress(const char* fmt, const char* s);
char ask(const char* question);                 // 'Y' or 'N'
// Prints the prompt and reads the next non-blank character, upper-cased; the rest of
// that input line is discarded so that the next question starts afresh. 'N' at end
// of input.
char ask_console(const char* prompt);
// Prints the prompt and a newline, reads one whitespace-delimited word (at most 511
// characters are kept), prints a newline.
void prompt_console(const char* prompt, std::string& answer);
// Reads the first line of an open data file (at most 31 characters) and stops the run
// with "Wrong version of <file>" unless it is exactly "3.00". The stream is left
// behind that line.
void check_version(std::FILE* stream, const std::string& file);
void check_version(std::istream& stream, const std::string& file);
void support_message();

// --- A windowed front end -------------------------------------------------------
// The setup program runs the translator inside its window. It shows the progress
// lines in its log instead of standard output, and it asks for a directory with a
// directory dialog instead of the console prompt. Without a front end (nullptr) the
// console behaviour stays.
using line_sink = void (*)(const std::string& line);
using prompt_handler = void (*)(const std::string& prompt, std::string& answer);
void set_line_sink(line_sink sink);
void set_prompt_handler(prompt_handler handler);

// The three banner lines, each exactly `width` characters (no newlines).
struct banner_lines {
  std::string line[3];
};
banner_lines banner(const std::string& name, int width);

// The report text for msg at the current position (with its final newline), cut to
// the report buffer. Exposed for tests.
std::string compose_report(const std::string& msg);

// printf-style formatting into a string, for messages built from a fixed format.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// --- Internal consistency -------------------------------------------------------
// Prints "Assertion failed: <cond>, file <module>, line <n>" and ends with status 3.
[[noreturn]] void assert_failed(const char* condition, const char* module, int line);

// Makes a failed allocation the fatal error "Out of memory".
void install_memory_handler();

}  // namespace diag

// KASSERT(MODULE, condition): the translator's assertion facility.
#define KASSERT(module, cond) \
  ((cond) ? static_cast<void>(0) : ::diag::assert_failed(#cond, module, __LINE__))
