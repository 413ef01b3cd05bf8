#include "project/mfile.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include <sstream>
#include "driver/ctext.h"
#include "driver/diag.h"
#include "driver/helpers.h"
#include "translate/eval_text.h"
#include "translate/local_functions.h"

namespace {

void write_file(const std::string& path, const std::string& text, bool layout) {
  std::ofstream out;
  util::open_write(out, path);
  if (layout) {
    ctext_type printer;
    printer.print(out, text);
  } else {
    out << text;
  }
  out.flush();
  if (!out) diag::error("ctext_type::print: outstream overflow");
}

}  // namespace

std::string record_name(const std::string& base) { return base == "con" ? "con2.r" : base + ".r"; }

int translate_mfile(const mfile_job& job) {
  // The whole name: a cut one wrote another file (a 30-character stem made NAME.c).
  const std::string& cpp_name = job.cpp_name;
  const std::size_t dot = cpp_name.rfind('.');
  if (dot == std::string::npos) diag::error("could not find . in C++ filename");
  const std::string base = cpp_name.substr(0, dot);
  const std::string record = record_name(base);
  if (!job.scan_only) std::remove(cpp_name.c_str());
  std::remove(record.c_str());

  minput_t input;
  {
    std::ifstream in(job.mfile, std::ios::binary);
    if (!in) diag::error("could not open %s for read", job.mfile.c_str());
    std::ostringstream all;
    all << in.rdbuf();
    // eval of a text known now becomes the text itself; the file's local functions
    // get names of their own.
    input.assign(qualify_local_functions(expand_evals(all.str()), base));
  }
  const std::string saved_file = diag::current_file();
  const int saved_line = diag::current_line();
  diag::set_position(job.mfile, 1);

  std::string records = job.mfile + "\n";
  std::string cpp;
  int kind = -1;
  bool header_mode = false;
  for (int ordinal = 1;; ++ordinal) {
    symbol_type table;
    if (!job.scan_only && job.project) table.merge(*job.project, 2);
    // The variable file is there from the second run on.
    const std::string sym = base + ".sym";
    if (job.variables && util::exists(sym)) table.read_variables(sym);
    auto p = std::make_unique<parser_t>();
    p->in = &input;
    p->symbols = &table;
    p->script_table = job.caller;
    p->host = job.host;
    p->default_type = job.default_type;
    p->scan_only = job.scan_only ? 1 : 0;
    p->lines = job.lines;
    p->mfile = job.mfile;
    p->cpp_ext = job.cpp_ext;
    p->header_mode = header_mode;
    parser_t::function_texts texts;
    const int more = p->translate_function(ordinal, base, texts);
    if (ordinal == 1) kind = p->kind;
    if (job.variables) table.write_variables(sym, SYM_VARFILE_SET);
    records += texts.records;
    cpp += texts.cpp;
    if (!job.scan_only) {
      const std::string header = ordinal == 1 ? base + ".h" : texts.header_name;
      write_file(header, texts.header, false);
    }
    if (!more) break;
    header_mode = true;
  }
  write_file(record, records, false);
  if (!job.scan_only) write_file(cpp_name, cpp, true);
  diag::set_position(saved_file, saved_line);
  return kind;
}
