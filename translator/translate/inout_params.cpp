// A function of several outputs may name an input as one of them: the value comes in
// and goes out under one name. The C++ function takes its inputs by value and its
// outputs as references, so such an input arrives under a name of its own and is
// copied into the output before the body runs.
#include "translate/inout_params.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

namespace {

// The names of a comma-separated list (blanks dropped).
std::vector<std::string> names_of(const std::string& list) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : list) {
    if (c == ',') {
      out.push_back(cur);
      cur.clear();
    } else if (!std::isspace(static_cast<unsigned char>(c))) {
      cur.push_back(c);
    }
  }
  out.push_back(cur);
  return out;
}

// The line rewritten, or the line itself when it is no such function line.
std::string rewrite_line(const std::string& line) {
  const std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line.compare(at, 8, "function") != 0) return line;
  if (line.find("...") != std::string::npos) return line;
  const std::size_t open_out = line.find('[', at);
  const std::size_t close_out = line.find(']', at);
  const std::size_t eq = line.find('=', at);
  if (open_out == std::string::npos || close_out == std::string::npos || eq == std::string::npos ||
      !(open_out < close_out && close_out < eq))
    return line;
  const std::size_t open_in = line.find('(', eq);
  const std::size_t close_in = line.find(')', eq);
  if (open_in == std::string::npos || close_in == std::string::npos || close_in < open_in) return line;
  const std::vector<std::string> outs = names_of(line.substr(open_out + 1, close_out - open_out - 1));
  if (outs.size() < 2) return line;
  std::vector<std::string> ins = names_of(line.substr(open_in + 1, close_in - open_in - 1));
  std::string copies;
  for (std::string& in : ins) {
    if (in.empty() || in == "varargin" || in == "~") continue;
    if (std::find(outs.begin(), outs.end(), in) == outs.end()) continue;
    copies += (copies.empty() ? ", " : " ") + in + " = " + in + "__in;";
    in += "__in";
  }
  if (copies.empty()) return line;
  std::string params;
  for (std::size_t k = 0; k < ins.size(); ++k) params += (k ? ", " : "") + ins[k];
  // A comment may follow; statements on the line are left as they are.
  const std::string rest = line.substr(close_in + 1);
  const std::size_t more = rest.find_first_not_of(" \t\r;");
  if (more != std::string::npos && rest[more] != '%') return line;
  const std::string tail = more != std::string::npos ? " " + rest.substr(more)
                           : rest.find('\r') != std::string::npos ? "\r" : "";
  return line.substr(0, open_in + 1) + params + ")" + copies + tail;
}

}  // namespace

std::string separate_inout_params(const std::string& source) {
  if (source.find("function") == std::string::npos) return source;
  std::string out;
  out.reserve(source.size() + 64);
  std::size_t p = 0;
  while (p < source.size()) {
    std::size_t nl = source.find('\n', p);
    const bool last = nl == std::string::npos;
    if (last) nl = source.size();
    out += rewrite_line(source.substr(p, nl - p));
    if (!last) out += '\n';
    p = nl + 1;
  }
  return out;
}
