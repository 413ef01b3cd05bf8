// The names of the library's by-name table (gridlib/src/handle_library.cpp); a unit
// test of the library checks that every one is there.
#include "translate/by_name.h"

#include <algorithm>

const std::vector<std::string>& library_by_name_list() {
  static const std::vector<std::string> names = {
      "abs", "acos", "all", "angle", "any", "asin", "atan", "atan2", "ceil", "cell2mat", "class",
      "conj", "conv", "cos", "cosh", "cross", "ctranspose", "cummax", "cummin", "cumprod",
      "cumsum", "cumtrapz", "deblank", "det", "diff", "dot", "double", "eig", "exp", "factorial",
      "fileparts", "find", "fix", "fliplr", "flipud", "floor", "func2str", "gamma", "histc",
      "hypot", "imag", "int2str", "interp1", "intersect", "inv", "isempty", "isfield", "isfinite",
      "isinf", "ismember", "isnan", "isprime", "kron", "length", "linspace", "log", "log10",
      "log2", "lower", "lu", "mat2str", "max", "mean", "median", "meshgrid", "min", "minus",
      "mldivide", "mod", "mrdivide", "mtimes", "nchoosek", "ndgrid", "ndims", "nnz", "norm",
      "num2str", "numel", "plus", "polyfit", "polyval", "power", "primes", "prod", "qr", "range",
      "rank", "rdivide", "real", "rem", "repmat", "reshape", "round", "setdiff", "sign", "sin",
      "sinh", "size", "sort", "sortrows", "sqrt", "std", "str2double", "str2num", "strcmp",
      "strcmpi", "strrep", "strtrim", "sum", "svd", "tan", "tanh", "times", "trace", "transpose",
      "trapz", "union", "unique", "upper", "var"};
  return names;
}

bool library_calls_by_name(const std::string& m_name) {
  const std::vector<std::string>& names = library_by_name_list();
  return std::find(names.begin(), names.end(), m_name) != names.end();
}
