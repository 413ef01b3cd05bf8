#include "project/reserved.h"

#include <cstdio>
#include <fstream>

#include "driver/diag.h"
#include "driver/helpers.h"

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
}

void add_known_functions(symbol_type& table) {
  struct known {
    const char* name;
    int in, out, varargin;
  };
  const int function = datatypes().function_index();
  for (const known& k : {known{"feval", 2, 4, 1}, known{"nargin", 1, 1, 0}, known{"nargout", 1, 1, 0}}) {
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
