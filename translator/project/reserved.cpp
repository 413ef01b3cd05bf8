#include "project/reserved.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "driver/diag.h"
#include "driver/helpers.h"

namespace {

std::map<std::string, int>& least_inputs() {
  static std::map<std::string, int> least;
  return least;
}

// The eighth number of the function lines of [reserved functions]: the fewest inputs.
void read_least_inputs(const std::string& path) {
  std::map<std::string, int>& least = least_inputs();
  least.clear();
  std::ifstream in(path, std::ios::binary);
  std::string line;
  bool functions = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') {
      functions = line.compare(0, 20, "[reserved functions]") == 0;
      continue;
    }
    if (!functions) continue;
    std::istringstream words(line);
    std::string name, type;
    int counts[8];
    int n = 0;
    if (!(words >> name >> type)) continue;
    while (n < 8 && words >> counts[n]) ++n;
    if (n == 8 && counts[7] > 0) least[name] = counts[7];
  }
}

}  // namespace

void read_reserved(symbol_type& table, const std::string& path) {
  std::FILE* version = util::open_read(path);
  diag::check_version(version, path);
  std::fclose(version);

  std::ifstream in(path, std::ios::binary);
  std::string first;
  std::getline(in, first);
  if (!table.read_section(in, "[reserved functions]", SYM_RESERVED_FUNCTION, 1) ||
      !table.read_section(in, "[reserved vars]", SYM_RESERVED_VAR, 1) ||
      !table.read_section(in, "[replace]", SYM_REPLACE, 1))
    diag::error("Could not read %s", path.c_str());
  read_least_inputs(path);
}

int reserved_least_inputs(const std::string& name) {
  const auto& least = least_inputs();
  const auto it = least.find(name);
  return it == least.end() ? 0 : it->second;
}

void add_known_functions(symbol_type& table) {
  struct known {
    const char* name;
    int in, out, varargin;
  };
  const int function = datatypes().function_index();
  for (const known& k : {known{"feval", 2, 4, 1}, known{"nargin", 1, 1, 0}, known{"nargout", 1, 1, 0},
                          known{"nargin_of", 1, 1, 0}, known{"nargout_of", 1, 1, 0}}) {
    symbol_info info = symbol_info::typed(function);
    info[INFO_NIN] = k.in;
    info[INFO_NOUT] = k.out;
    info[INFO_VARARGIN] = k.varargin;
    table.add(k.name, SYM_KNOWN_FUNCTION, info, 1);
  }
  symbol_info feval = symbol_info::typed(function);
  feval[INFO_NIN] = 2;
  feval[INFO_NOUT] = 4;
  feval[INFO_VARARGIN] = 1;
  table.add("feval", SYM_FEVAL, feval, 1);
}
