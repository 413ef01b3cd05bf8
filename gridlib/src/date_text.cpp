// Dates written as text: the fields of a date read by a format of the date functions
// (yyyy, yy, mmmm, mmm, mm, dd, HH, MM, SS, FFF, AM/PM; other characters stand for
// themselves), or by the first of the standard formats that reads the whole text.
#include "date_text.h"

#include <cctype>
#include <ctime>
#include <string>
#include <vector>

#include "strutil.h"

namespace grl {
namespace {

const char* const kMonthNames[] = {"january", "february", "march",     "april",   "may",      "june",
                                   "july",    "august",   "september", "october", "november", "december"};

// The formats tried, in order, for a text given without one.
const char* const kStandard[] = {
    "dd-mmm-yyyy HH:MM:SS", "dd-mmm-yyyy", "yyyy-mm-dd HH:MM:SS", "yyyy-mm-dd", "yyyy/mm/dd HH:MM:SS",
    "yyyy/mm/dd", "mm/dd/yyyy HH:MM:SS", "mm/dd/yyyy HH:MM", "mm/dd/yyyy", "mm/dd/yy", "mm/dd",
    "HH:MM:SS PM", "HH:MM PM", "HH:MM:SS", "HH:MM", "mmm.dd,yyyy HH:MM:SS", "mmm.dd,yyyy",
    "mmm-dd-yyyy HH:MM:SS", "mmm-dd-yyyy", "dd mmm yyyy HH:MM:SS", "dd mmm yyyy", "mmm dd yyyy HH:MM:SS",
    "mmm dd yyyy", "dd.mmm.yyyy HH:MM:SS", "dd.mmm.yyyy", "mmm.dd.yyyy HH:MM:SS", "mmm.dd.yyyy",
    "yyyy-mm-ddTHH:MM:SS", "yyyy-mm-dd HH:MM"};

struct fields {
  double year = -1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  bool has_year = false, has_date = false;
};

int this_year() {
  const std::time_t t = std::time(nullptr);
  std::tm parts{};
  localtime_r(&t, &parts);
  return parts.tm_year + 1900;
}

bool starts(const std::string& s, std::size_t at, const char* word) {
  const std::string w = word;
  return s.compare(at, w.size(), w) == 0;
}

// Up to `most` digits (at least one) from s at i.
bool digits(const std::string& s, std::size_t& i, std::size_t most, double& v, std::size_t* count = nullptr) {
  std::size_t n = 0;
  v = 0;
  while (i < s.size() && n < most && std::isdigit(static_cast<unsigned char>(s[i]))) {
    v = v * 10 + (s[i] - '0');
    ++i;
    ++n;
  }
  if (count) *count = n;
  return n > 0;
}

// A month's name (its first three letters or all of it) from s at i, any case.
bool month_name(const std::string& s, std::size_t& i, bool whole, double& month) {
  for (int m = 0; m < 12; ++m) {
    const std::string name = kMonthNames[m];
    const std::size_t len = whole ? name.size() : 3;
    if (i + len > s.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < len && same; ++k)
      same = std::tolower(static_cast<unsigned char>(s[i + k])) == name[k];
    if (same) {
      i += len;
      month = m + 1;
      return true;
    }
  }
  return false;
}

bool read_with(const std::string& s, const std::string& f, fields& out) {
  fields d;
  std::size_t i = 0, k = 0;
  int half = 0;   // 1 AM, 2 PM
  while (k < f.size()) {
    std::size_t n = 0;
    double v = 0;
    if (starts(f, k, "yyyy")) {
      if (!digits(s, i, 4, d.year)) return false;
      d.has_year = true;
      k += 4;
    } else if (starts(f, k, "yy")) {
      if (!digits(s, i, 2, v)) return false;
      // Two digits name the year within 50 years of this one.
      const int now = this_year(), century = now - now % 100;
      d.year = century + v;
      if (d.year > now + 49) d.year -= 100;
      if (d.year < now - 50) d.year += 100;
      d.has_year = true;
      k += 2;
    } else if (starts(f, k, "mmmm")) {
      if (!month_name(s, i, true, d.month)) return false;
      d.has_date = true;
      k += 4;
    } else if (starts(f, k, "mmm")) {
      if (!month_name(s, i, false, d.month)) return false;
      d.has_date = true;
      k += 3;
    } else if (starts(f, k, "mm")) {
      if (!digits(s, i, 2, d.month)) return false;
      d.has_date = true;
      k += 2;
    } else if (starts(f, k, "dddd") || starts(f, k, "ddd")) {
      // A day's name: letters, not checked against the date.
      const std::size_t from = i;
      while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i]))) ++i;
      if (i == from) return false;
      k += starts(f, k, "dddd") ? 4 : 3;
    } else if (starts(f, k, "dd")) {
      if (!digits(s, i, 2, d.day)) return false;
      d.has_date = true;
      k += 2;
    } else if (starts(f, k, "HH")) {
      if (!digits(s, i, 2, d.hour)) return false;
      k += 2;
    } else if (starts(f, k, "MM")) {
      if (!digits(s, i, 2, d.minute)) return false;
      k += 2;
    } else if (starts(f, k, "SS")) {
      if (!digits(s, i, 2, d.second)) return false;
      k += 2;
    } else if (starts(f, k, "FFF")) {
      if (!digits(s, i, 3, v, &n)) return false;
      for (std::size_t z = n; z < 3; ++z) v *= 10;
      d.second += v / 1000;
      k += 3;
    } else if (starts(f, k, "AM") || starts(f, k, "PM")) {
      if (i + 2 > s.size()) return false;
      const char a = char(std::toupper(static_cast<unsigned char>(s[i])));
      const char m = char(std::toupper(static_cast<unsigned char>(s[i + 1])));
      if ((a != 'A' && a != 'P') || m != 'M') return false;
      half = a == 'A' ? 1 : 2;
      i += 2;
      k += 2;
    } else {
      // A blank in the format takes any run of blanks; other characters themselves.
      if (f[k] == ' ') {
        if (i >= s.size() || s[i] != ' ') return false;
        while (i < s.size() && s[i] == ' ') ++i;
      } else {
        if (i >= s.size() || s[i] != f[k]) return false;
        ++i;
      }
      ++k;
    }
  }
  if (i != s.size()) return false;
  if (half == 2 && d.hour < 12) d.hour += 12;
  if (half == 1 && d.hour == 12) d.hour = 0;
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour > 24 || d.minute > 59 || d.second >= 61)
    return false;
  // A time without a date is of 1 January of this year; a date without a year, of
  // this year.
  if (!d.has_year) d.year = this_year();
  out = d;
  return true;
}

std::string trimmed(const std::string& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

fields read_date(const std::string& text, const std::string* format, const char* fn) {
  const std::string s = trimmed(text);
  fields d;
  if (format) {
    if (!read_with(s, *format, d)) grl_fail("%s: DATE not parsed correctly with given format", fn);
    return d;
  }
  for (const char* f : kStandard)
    if (read_with(s, f, d)) return d;
  grl_fail("%s: none of the standard formats match the DATE string", fn);
}

}  // namespace

bool is_date_text(const Mt& x) {
  if (x.ischar()) return true;
  if (!x.holds_cell()) return false;
  const M<Mt>& c = *x.cell_;
  for (std::size_t k = 0; k < c.numel(); ++k)
    if (!c.elem(k).ischar()) return false;
  return true;
}

Mt date_text_vectors(const Mt& text, const Mt* format, const char* fn) {
  std::vector<std::string> texts;
  if (text.holds_cell()) {
    const M<Mt>& c = *text.cell_;
    for (std::size_t k = 0; k < c.numel(); ++k) {
      if (!c.elem(k).ischar()) grl_fail("%s: DATE must be a string or a cell array of strings", fn);
      texts.push_back(su::text(c.elem(k)));
    }
  } else if (text.ischar()) {
    for (std::size_t r = 0; r < text.rows(); ++r) texts.push_back(su::row_text(text, r));
  } else {
    grl_fail("%s: DATE must be a string or a cell array of strings", fn);
  }
  std::string f;
  if (format) {
    if (!format->ischar()) grl_fail("%s: F must be a string", fn);
    f = su::text(*format);
  }
  const std::size_t n = texts.size();
  Mt out = Mt::alloc(n, 6);
  for (std::size_t r = 0; r < n; ++r) {
    const fields d = read_date(texts[r], format ? &f : nullptr, fn);
    const double v[6] = {d.year, d.month, d.day, d.hour, d.minute, d.second};
    for (std::size_t j = 0; j < 6; ++j) out.pr()[r + j * n] = m_type(v[j]);
  }
  return out;
}

}  // namespace grl
