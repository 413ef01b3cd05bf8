// Dates as numbers: datenum (days since the year 0, day 1 being 1-Jan-0000), datevec
// (year, month, day, hour, minute, second) and datestr (the text of a date in a
// numbered or written format). Text dates are read by date_text.cpp.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "date_text.h"
#include "gridlib_extra.h"
#include "math_util.h"
#include "strutil.h"

using namespace grl;

namespace {

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The day number of a date; months beyond 12 or below 1 move into other years.
double day_number(double year, double month, double day, double hour, double minute, double second) {
  static const double month_start[] = {306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};
  // NaN or an infinite month has no place in the table: the date is not a number.
  if (!std::isfinite(month)) return NAN;
  // The year starts in March, so that a leap day ends it.
  year += std::ceil((month - 14) / 12);
  const double m = std::fmod(std::fmod(std::floor(month) - 1, 12) + 12, 12);
  day += month_start[int(m)] + 60;
  day += 365 * year + std::floor(year / 4) - std::floor(year / 100) + std::floor(year / 400);
  return day + (hour + (minute + second / 60) / 60) / 24;
}

struct date_t {
  double year, month, day, hour, minute, second;
};

date_t date_of(double n) {
  date_t d;
  const double z = std::floor(n) - 60;
  const double a = std::floor((z - 0.25) / 36524.25);
  const double b = z - 0.25 + a - std::floor(a / 4);
  d.year = std::floor(b / 365.25);
  const double c = std::trunc(b - std::floor(365.25 * d.year)) + 1;
  d.month = std::trunc((5 * c + 456) / 153);
  d.day = c - std::trunc((153 * d.month - 457) / 5);
  if (d.month > 12) {
    d.year += 1;
    d.month -= 12;
  }
  // The seconds rounded to the precision a day number holds.
  const double frac = n - std::floor(n);
  double tmps = std::fabs(2.220446049250313e-16 * 86400 * n);
  if (tmps == 0) tmps = 1;
  const double srnd = std::pow(2.0, std::floor(-std::log2(tmps)));
  double s = std::round(86400 * frac * srnd) / srnd;
  d.hour = std::floor(s / 3600);
  s -= 3600 * d.hour;
  d.minute = std::floor(s / 60);
  d.second = s - 60 * d.minute;
  return d;
}

void need_numbers(const Mt& x, const char* fn) {
  if (x.holds_cell() || x.isc()) grl_fail("%s: expected date vector or serial date number", fn);
  if (x.ischar()) grl_fail("%s: text dates are not supported; give date numbers or date vectors", fn);
}

// The dates of a datestr argument: date vectors (rows of 3 or 6 whose month and day
// are whole numbers in range) or date numbers.
std::vector<double> day_numbers(const Mt& x) {
  if (is_date_text(x)) {
    const Mt n = datenum(x);
    return std::vector<double>(n.cre(), n.cre() + n.numel());
  }
  need_numbers(x, "datestr");
  std::vector<double> out;
  const std::size_t r = x.rows(), c = x.cols();
  const m_type* p = x.cre();
  bool vectors = (c == 3 || c == 6) && r > 0;
  for (std::size_t i = 0; i < r && vectors; ++i) {
    const double mo = double(p[i + r]), dd = double(p[i + 2 * r]);
    vectors = mo == std::floor(mo) && mo >= 1 && mo <= 12 && dd == std::floor(dd) && dd >= 1 && dd <= 31;
  }
  if (vectors) {
    for (std::size_t i = 0; i < r; ++i) {
      auto at = [&](std::size_t j) { return j < c ? double(p[i + j * r]) : 0.0; };
      out.push_back(day_number(at(0), at(1), at(2), at(3), at(4), at(5)));
    }
  } else {
    for (std::size_t k = 0; k < x.numel(); ++k) out.push_back(double(p[k]));
  }
  return out;
}

const char* const kNumbered[] = {
    "dd-mmm-yyyy HH:MM:SS", "dd-mmm-yyyy", "mm/dd/yy", "mmm", "m", "mm", "mm/dd", "dd", "ddd", "d", "yyyy",
    "yy", "mmmyy", "HH:MM:SS", "HH:MM:SS PM", "HH:MM", "HH:MM PM", "QQ-YY", "QQ", "dd/mm", "dd/mm/yy",
    "mmm.dd,yyyy HH:MM:SS", "mmm.dd,yyyy", "mm/dd/yyyy", "dd/mm/yyyy", "yy/mm/dd", "yyyy/mm/dd", "QQ-YYYY",
    "mmmyyyy", "yyyy-mm-dd", "yyyymmddTHHMMSS", "yyyy-mm-dd HH:MM:SS"};

std::string two(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%02d", int(v));
  return b;
}

// The text of one date in the written format f.
std::string format_date(double n, const std::string& f) {
  // Beyond a billion days the year no longer fits the text's integer fields.
  if (!std::isfinite(n) || std::fabs(n) > 1e9) grl_fail("datestr: the date number %g is out of range", n);
  const date_t d = date_of(n);
  const bool pm_clock = f.find("AM") != std::string::npos || f.find("PM") != std::string::npos;
  const int weekday = int(std::fmod(std::fmod(std::floor(n) + 5, 7) + 7, 7));   // 0 Sunday
  const std::string month = kMonths[int(d.month) - 1], wday = kDays[weekday];
  std::string out;
  auto at = [&](std::size_t i, const char* code) { return f.compare(i, std::strlen(code), code) == 0; };
  for (std::size_t i = 0; i < f.size();) {
    if (at(i, "yyyy") || at(i, "YYYY")) {
      // At least four places, the sign among them: year 5 is 0005, year -1 is -001.
      char y[16];
      std::snprintf(y, sizeof y, "%04d", int(d.year));
      out += y;
      i += 4;
    }
    else if (at(i, "yy") || at(i, "YY")) { out += two(std::fmod(std::fmod(d.year, 100) + 100, 100)); i += 2; }
    else if (at(i, "mmmm")) { out += month; i += 4; }
    else if (at(i, "mmm")) { out += month.substr(0, 3); i += 3; }
    else if (at(i, "mm")) { out += two(d.month); i += 2; }
    else if (at(i, "m")) { out += month.substr(0, 1); i += 1; }
    else if (at(i, "dddd")) { out += wday; i += 4; }
    else if (at(i, "ddd")) { out += wday.substr(0, 3); i += 3; }
    else if (at(i, "dd")) { out += two(d.day); i += 2; }
    else if (at(i, "d")) { out += wday.substr(0, 1); i += 1; }
    else if (at(i, "HH")) {
      if (pm_clock) {
        int h = int(d.hour) % 12;
        if (h == 0) h = 12;
        char b[8];
        std::snprintf(b, sizeof b, "%2d", h);
        out += b;
      } else {
        out += two(d.hour);
      }
      i += 2;
    }
    else if (at(i, "MM")) { out += two(d.minute); i += 2; }
    else if (at(i, "SS")) { out += two(std::floor(d.second)); i += 2; }
    else if (at(i, "FFF")) {
      char b[8];
      std::snprintf(b, sizeof b, "%03d", int(std::round((d.second - std::floor(d.second)) * 1000)) % 1000);
      out += b;
      i += 3;
    }
    else if (at(i, "AM") || at(i, "PM")) { out += d.hour >= 12 ? "PM" : "AM"; i += 2; }
    else if (at(i, "QQ")) { out += "Q" + std::to_string(int((d.month - 1) / 3) + 1); i += 2; }
    else out += f[i++];
  }
  return out;
}

Mt date_text(const Mt& x, const Mt* format) {
  const std::vector<double> days = day_numbers(x);
  std::string f;
  if (format && !format->isempty()) {
    if (format->ischar()) {
      f = su::text(*format);
    } else {
      const double k = format->holds_cell() || format->numel() != 1 ? -1 : double(format->cre()[0]);
      if (k < 0 || k > 31 || k != std::floor(k)) grl_fail("datestr: invalid standard format number");
      f = kNumbered[int(k)];
    }
  } else {
    // Dates at midnight show no time.
    bool midnight = true;
    for (double n : days) midnight = midnight && n == std::floor(n);
    f = kNumbered[midnight ? 1 : 0];
  }
  std::vector<std::string> rows;
  for (double n : days) {
    if (!std::isfinite(n)) grl_fail("datestr: the date %g is not a finite number", n);
    rows.push_back(format_date(n, f));
  }
  return su::char_rows(rows);
}

}  // namespace

Mt datenum(const Mt& v) {
  if (is_date_text(v)) return datenum(date_text_vectors(v, nullptr, "datenum"));
  need_numbers(v, "datenum");
  const std::size_t r = v.rows(), c = v.cols();
  if (c != 3 && c != 6) {
    // Day numbers are already dates.
    Mt out = v;
    out.set_flags(0);
    return out;
  }
  Mt out = Mt::alloc(r, 1);
  const m_type* p = v.cre();
  for (std::size_t i = 0; i < r; ++i) {
    auto at = [&](std::size_t j) { return j < c ? double(p[i + j * r]) : 0.0; };
    out.pr()[i] = m_type(day_number(at(0), at(1), at(2), at(3), at(4), at(5)));
  }
  return out;
}

namespace {
Mt datenum_parts(const std::vector<const Mt*>& parts) {
  std::size_t n = 1;
  for (const Mt* p : parts) {
    need_numbers(*p, "datenum");
    if (p->numel() != 1) {
      if (n != 1 && p->numel() != n) grl_fail("datenum: all inputs must be scalars or arrays of the same size");
      n = p->numel();
    }
  }
  const Mt* shape = parts[0];
  for (const Mt* p : parts)
    if (p->numel() == n) shape = p;
  Mt out = Mt::alloc(shape->rows(), shape->cols());
  for (std::size_t k = 0; k < n; ++k) {
    double v[6] = {0, 1, 1, 0, 0, 0};
    for (std::size_t j = 0; j < parts.size(); ++j) {
      const Mt& p = *parts[j];
      v[j] = p.isempty() ? 0 : double(p.cre()[p.numel() == 1 ? 0 : k]);
    }
    out.pr()[k] = m_type(day_number(v[0], v[1], v[2], v[3], v[4], v[5]));
  }
  return out;
}
}  // namespace

// datenum(text, format); datenum(text, pivot year) reads the text by the standard
// formats (two-digit years are always taken within 50 years of this one).
Mt datenum(const Mt& y, const Mt& m) {
  if (is_date_text(y)) return datenum(date_text_vectors(y, m.ischar() ? &m : nullptr, "datenum"));
  return datenum_parts({&y, &m});
}
Mt datenum(const Mt& y, const Mt& m, const Mt& d) { return datenum_parts({&y, &m, &d}); }
Mt datenum(const Mt& y, const Mt& m, const Mt& d, const Mt& h) { return datenum_parts({&y, &m, &d, &h}); }
Mt datenum(const Mt& y, const Mt& m, const Mt& d, const Mt& h, const Mt& mi) {
  return datenum_parts({&y, &m, &d, &h, &mi});
}
Mt datenum(const Mt& y, const Mt& m, const Mt& d, const Mt& h, const Mt& mi, const Mt& s) {
  return datenum_parts({&y, &m, &d, &h, &mi, &s});
}

Mt datevec(const Mt& n) {
  if (is_date_text(n)) return date_text_vectors(n, nullptr, "datevec");
  need_numbers(n, "datevec");
  const std::size_t count = n.numel();
  Mt out = Mt::alloc(count, 6);
  m_type* o = count ? out.pr() : nullptr;
  for (std::size_t k = 0; k < count; ++k) {
    const date_t d = date_of(double(n.cre()[k]));
    const double parts[6] = {d.year, d.month, d.day, d.hour, d.minute, d.second};
    for (std::size_t j = 0; j < 6; ++j) o[k + j * count] = m_type(parts[j]);
  }
  return out;
}

Mt datestr(const Mt& d) { return date_text(d, nullptr); }
Mt datestr(const Mt& d, const Mt& format) { return date_text(d, &format); }

Mt datevec(const Mt& text, const Mt& format) {
  if (!is_date_text(text)) grl_fail("datevec: DATE must be a string or a cell array of strings when a format is given");
  return date_text_vectors(text, format.ischar() ? &format : nullptr, "datevec");
}

namespace {
// [y, m, d, h, mi, s] = datevec(...): the columns of the date vectors.
void vector_columns(const Mt& v, const std::vector<Mr<m_type>>& outs) {
  const std::size_t n = v.rows();
  for (std::size_t j = 0; j < outs.size() && j < 6; ++j) {
    Mt c = Mt::alloc(n, 1);
    for (std::size_t r = 0; r < n; ++r) c.pr()[r] = v.cre()[r + j * n];
    Mr<m_type> o = outs[j];
    o = c;
  }
}
}  // namespace

void datevec(const Mt& d, i_o_t, Mr<m_type> y, Mr<m_type> m, Mr<m_type> dd, Mr<m_type> h, Mr<m_type> mi,
             Mr<m_type> s) {
  vector_columns(datevec(d), {y, m, dd, h, mi, s});
}
void datevec(const Mt& d, const Mt& f, i_o_t, Mr<m_type> y, Mr<m_type> m, Mr<m_type> dd, Mr<m_type> h,
             Mr<m_type> mi, Mr<m_type> s) {
  vector_columns(datevec(d, f), {y, m, dd, h, mi, s});
}

// A cell of date texts given as a cell (a literal or a cell variable).
Mt datenum(const M<Mt>& texts) { return datenum(Mt(texts)); }
Mt datenum(const M<Mt>& texts, const Mt& format) { return datenum(Mt(texts), format); }
Mt datevec(const M<Mt>& texts) { return datevec(Mt(texts)); }
Mt datevec(const M<Mt>& texts, const Mt& format) { return datevec(Mt(texts), format); }
