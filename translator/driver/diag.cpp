#include "driver/diag.h"

#include <cctype>
#include <cstdarg>
#include <cstdlib>
#include <fstream>
#include <new>

#include "platform/msgbox.h"

namespace diag {
namespace {

std::string g_file;
int g_line = 0;
line_sink g_sink = nullptr;
prompt_handler g_prompt = nullptr;

std::string vformat(const char* fmt, va_list ap) {
  va_list copy;
  va_copy(copy, ap);
  const int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n <= 0) return std::string();
  std::string out(static_cast<std::size_t>(n) + 1, '\0');
  std::vsnprintf(&out[0], out.size(), fmt, ap);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

// Reads the text of line `wanted` of `file`. Each read takes at most 1023 characters up
// to a newline, so a longer line counts as several. Returns false when the file
// cannot be opened.
bool source_line(const std::string& file, int wanted, std::string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  text = "(end of file)";
  std::string piece;
  for (int n = 1; n <= wanted; ++n) {
    piece.clear();
    int c;
    bool got = false;
    while (piece.size() < kReportLimit && (c = in.get()) != EOF) {
      got = true;
      if (c == '\n') break;
      piece.push_back(static_cast<char>(c));
    }
    if (!got) return true;
    if (n == wanted) {
      if (!piece.empty() && piece.back() == '\r') piece.pop_back();
      text = piece;
    }
  }
  return true;
}

void show(const std::string& report) {
  platform::message_box(kTitle, report, platform::box_kind::ok);
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
}

int g_trials = 0;

[[noreturn]] void fatal(const std::string& msg) {
  if (g_trials > 0) throw failed{compose_report(msg)};
  show(compose_report(msg));
  std::exit(1);
}

}  // namespace

trial_scope::trial_scope() { ++g_trials; }
trial_scope::~trial_scope() { --g_trials; }

void set_position(const std::string& file, int line) {
  g_file = file;
  g_line = line;
}
void set_line(int line) { g_line = line; }
const std::string& current_file() { return g_file; }
int current_line() { return g_line; }

std::string format(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::string s = vformat(fmt, ap);
  va_end(ap);
  return s;
}

std::string compose_report(const std::string& msg) {
  std::string report;
  if (g_line <= 0) {
    report = "error: " + msg + "\n";
  } else {
    std::string text;
    if (!source_line(g_file, g_line, text))
      report = "Could not open " + g_file + "\n";
    else
      report = g_file + "(" + std::to_string(g_line) + ") : error: '" + text + "' : " + msg + "\n";
  }
  if (report.size() > kReportLimit) report.resize(kReportLimit);
  return report;
}

void error(const char* msg) { fatal(msg); }
void error(const char* fmt, const char* s) { fatal(format(fmt, s)); }
void error(const char* fmt, int n, const char* s) { fatal(format(fmt, n, s)); }
void error(const char* fmt, const char* s1, const char* s2) { fatal(format(fmt, s1, s2)); }
void error_at(int line, const char* msg) {
  g_line = line;
  fatal(msg);
}
void error_at(int line, const char* fmt, const char* s) {
  g_line = line;
  fatal(format(fmt, s));
}
void error_at(int line, const char* fmt, const char* s1, const char* s2) {
  g_line = line;
  fatal(format(fmt, s1, s2));
}

void warning(const char* msg) { show(compose_report(msg)); }
void warning(const char* fmt, const char* s) { show(compose_report(format(fmt, s))); }

void message(const char* text) { platform::message_box(kTitle, text, platform::box_kind::ok); }
void message(const char* fmt, const char* s) { message(format(fmt, s).c_str()); }

void set_line_sink(line_sink sink) { g_sink = sink; }
void set_prompt_handler(prompt_handler handler) { g_prompt = handler; }

void progress(const char* fmt, const char* s) {
  std::string line = format(fmt, s);
  if (g_sink) {
    g_sink(line);
    return;
  }
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

char ask(const char* question) {
  std::string text = format("%s ?", question);
  if (text.size() > 255) text.resize(255);
  return platform::message_box(kTitle, text, platform::box_kind::yes_no) == platform::box_answer::yes
             ? 'Y'
             : 'N';
}

char ask_console(const char* prompt) {
  std::fputs(prompt, stdout);
  std::fflush(stdout);
  int c;
  do {
    c = std::getchar();
  } while (c != EOF && std::isspace(c));
  for (int rest = c; rest != EOF && rest != '\n';) rest = std::getchar();
  std::fputc('\n', stdout);
  std::fflush(stdout);
  if (c == EOF) return 'N';
  return static_cast<char>(std::toupper(c));
}

void prompt_console(const char* prompt, std::string& answer) {
  if (g_prompt) {
    answer.clear();
    g_prompt(prompt, answer);
    if (answer.size() > kPathLimit) answer.resize(kPathLimit);
    return;
  }
  std::fputs(prompt, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  answer.clear();
  int c;
  do {
    c = std::getchar();
  } while (c != EOF && std::isspace(c));
  while (c != EOF && !std::isspace(c)) {
    if (answer.size() < kPathLimit) answer.push_back(static_cast<char>(c));
    c = std::getchar();
  }
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// The first line, at most 31 characters, without its newline. NUL bytes count as
// characters, so binary garbage never passes for the version.
template <typename Next>
static std::string first_line(Next next) {
  std::string line;
  int c;
  while (line.size() < 31 && (c = next()) != EOF) {
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  return line;
}

void check_version(std::FILE* stream, const std::string& file) {
  const std::string first =
      stream ? first_line([stream] { return std::fgetc(stream); }) : std::string();
  if (first != kVersion) error("Wrong version of %s", file.c_str());
}

void check_version(std::istream& stream, const std::string& file) {
  const std::string first = first_line([&stream] {
    const auto c = stream.get();
    return stream ? static_cast<int>(static_cast<unsigned char>(c)) : EOF;
  });
  if (first != kVersion) error("Wrong version of %s", file.c_str());
}

void support_message() {
  std::string text = "Technical support can be obtained at\n";
  text += std::string("Web: ") + kSupportWeb + "\n";
  text += std::string("e-mail: ") + kSupportMail + "\n";
  text += std::string("Fax: ") + kSupportFax;
  message(text.c_str());
}

static std::string edge_line(const std::string& left, const std::string& right, int width) {
  const int gap = width - static_cast<int>(left.size()) - static_cast<int>(right.size());
  return left + std::string(gap > 0 ? static_cast<std::size_t>(gap) : 0, ' ') + right;
}

banner_lines banner(const std::string& name, int width) {
  banner_lines b;
  b.line[0] = edge_line(name, std::string("Version ") + kVersion, width);
  b.line[1] = edge_line(kMakerNotice, "All rights reserved", width);
  b.line[2] = edge_line("Technical support", kSupportWeb, width);
  return b;
}

void assert_failed(const char* condition, const char* module, int line) {
  std::fflush(stdout);
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", condition, module, line);
  std::fflush(stderr);
  std::exit(3);
}

// A reserve that is given back when an allocation fails, so that composing and
// showing the report has memory to work with.
static char* g_reserve = nullptr;

static void out_of_memory() {
  delete[] g_reserve;
  g_reserve = nullptr;
  std::set_new_handler(nullptr);
  error("Out of memory");
}

void install_memory_handler() {
  if (!g_reserve) g_reserve = new char[1 << 16];
  std::set_new_handler(out_of_memory);
}

}  // namespace diag
