#include "project/link.h"

#include <cstdio>
#include <sstream>

#include "driver/ctext.h"
#include "driver/diag.h"
#include "driver/helpers.h"
#include "project/mpath.h"
#include "project/wrappers.h"

namespace {

bool is_dll(int kind) { return (kind & 16) != 0; }

// gcc and the compilers built from it (DJGPP, EMX) take -g and strip with -s.
bool is_gnu(int compiler) {
  return compiler == ini::CC_GNU || compiler == ini::CC_DJGPP || compiler == ini::CC_EMX;
}

// The link flags without the word "-s", which strips the program.
std::string without_strip(const std::string& flags) {
  std::string padded = " " + flags + " ";
  for (std::size_t at; (at = padded.find(" -s ")) != std::string::npos;) padded.erase(at, 3);
  return padded.substr(1, padded.size() - 2);
}

std::string blanks_for_breaks(std::string s) {
  for (char& c : s)
    if (c == '\n') c = ' ';
  return s;
}

}  // namespace

link_t::link_t(const std::string& name, const std::string& root, const link_options& options,
               const toolchain_t& toolchain, std::string& commands)
    : name_(name), root_(root), options_(options), tc_(toolchain), commands_(commands) {
  const std::string& ext = is_dll(options.kind) ? tc_.libext() : tc_.exeext();
  target_ = ext.empty() ? name : name + "." + ext;
  // A shared object on a Unix target is named so that the linker's -l<name> finds it.
  if (is_dll(options.kind) && unix_shared_object(tc_)) target_ = "lib" + target_;
  if (options.kind == 4 && tc_.target() == ini::TG_UNIX) target_ = name + ".mex";
}

void link_t::start() {
  if (!options_.make) return;
  util::open_write(makefile_, name_ + ".mak");
  makefile_ << "#\n# KORVAL makefile for " << tc_.compiler_name() << " : Target " << tc_.target_name()
            << "\n#\n\nall: " << target_ << "\n\n";
}

void link_t::add_translation_rule(const std::string& mfile, const std::string& cpp) {
  if (!options_.make || !translated_.insert(cpp).second) return;
  makefile_ << cpp << ": " << mfile << "\n\t" << root_ << "korval " << mfile << " " << cpp
            << " -mat2cpp -nologo ";
  switch (options_.kind) {
    case 2: makefile_ << " -mexhelp"; break;
    case 4: makefile_ << " -mex"; break;
    case 8: makefile_ << " -xmath"; break;
    case 19: makefile_ << " -idl"; break;
    default: break;
  }
  makefile_ << "\n";
}

void link_t::write_main_wrapper(const symbol_type& project, bool script) {
  const int f = project.find(name_, SYM_FUNCTIONS);
  const symbol_info info = f >= 0 ? project.info_of(f) : symbol_info();
  const int n_in = info[INFO_NIN], n_out = info[INFO_NOUT];
  if (options_.kind == 1 && n_in > 0) {
    if (options_.make) return;
    diag::error("function '%s' accepts input arguments and can not be used as main.", name_.c_str());
  }

  const std::string base = "g_" + name_.substr(0, 6);
  std::string w = "#undef GRLIB\n#define GRLIB " + std::to_string(options_.datatype & DT_INDEX_MASK) +
                  "\n#include \"gridlib.h\"\n#include \"gridlib_extra.h\"\n#include \"gridlib_funfun.h\"\n#include \"gridlib_outs.h\"\n"
                  "#include \"gridlib_fast.h\"\n#include \"gridlib_names.h\"\n\n";
  if (name_ != "gridlib") w += "#include \"" + name_ + ".h\"\n\n";
  const std::string externs = project.listing(SYM_GLOBALS, PN_EXTERN);
  if (!externs.empty()) w += externs + "\n";

  if (options_.kind == 4 || options_.kind == 8 || options_.kind == 19) {
    if (options_.kind == 8) w = "#include <xmathlib.h>\n" + w;
    w += module_wrapper(options_.kind, name_, n_in, n_out, options_.datatype, tc_);
  } else if (is_dll(options_.kind)) {
    w += dll_wrapper(options_.kind, name_, options_.datatype, tc_, target_);
  } else if (options_.kind == 1) {
    if (options_.ide) w += "uint32 grlibpr;\n\n";
    w += "int main() {\n";
    w += options_.ide ? "grlibpr=initM(cin,cout,cerr);\n" : "initM(cin,cout,cerr);\n";
    w += script ? "#include \"" + name_ + "." + tc_.srcext() + "\"\n" : cpp_function_name(name_) + "();\n";
  } else {
    // A helper program for MATLAB: inputs from one MAT-file, outputs to another.
    symbol_type args;
    for (int k = 1; k <= n_in; ++k) args.add_typed(diag::format("in%02d", k), SYM_INPUT, options_.datatype);
    for (int k = 1; k <= n_out; ++k) args.add_typed(diag::format("out%02d", k), SYM_OUTPUT, options_.datatype);
    w += "int main(int argc, char **argv) {\n";
    // The library starts first: it is what ends the program on the usage error.
    w += "initM(cin,cout,cerr);\n";
    w += "if (argc<3) error(\"Usage:\\n" + name_ + " inputfile outputfile\\n\");\n\n";
    w += args.listing(SYM_ARGUMENTS, PN_DEFINITION) + "\n\n";
    // The outputs of an earlier run go first, so that a run that fails leaves no output
    // file; every input must be in the input file.
    w += "grl::remove_saved(TM(argv[2]), TM(argv[1]));\n";
    if (n_in > 0)
      w += "grl::load_required(TM(argv[1]), {" + args.listing(SYM_INPUT, PN_NAMES, "&", "", n_in) + "});\n";
    // A cell input or output of the function travels in the file as a value holding
    // the cell: the call takes and gives the cell itself.
    std::vector<std::string> in_types, out_types;
    if (!entry_types(name_ + ".h", name_, n_in, n_out, in_types, out_types)) in_types.clear(), out_types.clear();
    auto is_cell = [](const std::vector<std::string>& types, int k) {
      return k < int(types.size()) && types[std::size_t(k)].find("M<", 2) != std::string::npos;
    };
    std::string call, after;
    for (int k = 0; k < n_in; ++k) {
      if (!is_cell(in_types, k)) continue;
      const std::string v = diag::format("in%02d", k + 1);
      w += "if (!" + v + ".holds_cell()) error(\"" + name_ + ": " + v + " must be a cell array\");\n";
    }
    if (n_out == 1) call += is_cell(out_types, 0) ? "out01=M<m_type>::of_cell(" : "out01=";
    call += cpp_function_name(name_) + "(";
    for (int k = 0; k < n_in; ++k) {
      const std::string v = diag::format("in%02d", k + 1);
      call += (k ? ", " : "") + (is_cell(in_types, k) ? v + ".held_cell()" : v);
    }
    if (n_out > 1) {
      call += n_in > 0 ? ", i_o" : "i_o";
      for (int k = 0; k < n_out; ++k) {
        const std::string v = diag::format("out%02d", k + 1);
        if (!is_cell(out_types, k)) {
          call += ", " + v;
          continue;
        }
        w += out_types[std::size_t(k)] + " " + v + "_cell;\n";
        call += ", " + v + "_cell";
        after += v + "=M<m_type>::of_cell(" + v + "_cell);\n";
      }
    }
    if (n_out == 1 && is_cell(out_types, 0)) call += ")";
    w += call + ");\n" + after;
    w += "save(TM(argv[2]), ";
    if (n_out == 1)
      w += "&out01";
    else if (n_out > 1)
      w += args.listing(SYM_OUTPUT, PN_NAMES, "&");
    else
      w += "&x_M";
    w += ");\n\n";
  }
  if (options_.kind == 1 || options_.kind == 2) w += "exitM();\nreturn 0;\n}\n\n";
  const std::string globals = project.listing(SYM_GLOBALS, PN_DEFINITION);
  if (!globals.empty()) w += globals + "\n\n";

  std::ofstream out;
  util::open_write(out, base + "." + tc_.srcext());
  ctext_type printer;
  printer.print(out, w);
  add_compile_step(base);
}

void link_t::add_compile_step(const std::string& base) {
  const std::string source = base + "." + tc_.srcext();
  const std::string object = base + "." + tc_.objext();
  const bool needs = mpath_t::is_out_of_date(source, object) ||
                     mpath_t::is_out_of_date(tc_.settings_path(), object);
  // A file translated again in the same run (the feval dispatcher, rewritten once every
  // name is known) is compiled again but linked once.
  const bool again = !linked_.insert(object).second;
  if (options_.verbose)
    diag::progress(needs ? "will compile %s" : "will link %s", (needs ? source : object).c_str());
  if (options_.kind == 4) {
    if (!again) link_list_ += (needs ? source : object) + " ";
    return;
  }
  const int cc = tc_.compiler();
  if (cc >= ini::CC_UNKNOWN) return;
  std::string cmd = tc_.cpp() + " -c";
  const std::string& flags = is_dll(options_.kind) ? tc_.dllflags() : tc_.exeflags();
  if (cc == ini::CC_WATCOM) {
    if (!options_.mat2cpp && !again) link_list_ += "file " + object + "\n";
    if (root_.size() >= 2) cmd += " /i=" + root_;
    if (is_dll(options_.kind)) cmd += " -bd";
    cmd += tc_.cppflags() + " " + source;
  } else if (cc == ini::CC_VISUALAGE) {
    if (!options_.mat2cpp && !again) link_list_ += object + "\n";
    cmd += " -I" + root_ + tc_.cppflags() + " /Fo" + object + " " + source;
  } else {
    if (!options_.mat2cpp && !again) link_list_ += object + "\n";
    // A program run in the debugger (-ide) needs its debugging information: gdb
    // finds the variables, grlibpr among them, through it.
    const std::string debug = options_.ide && is_gnu(cc) ? " -g" : "";
    cmd += " -I" + root_ + flags + debug + tc_.cppflags() + object + " " + source;
  }
  if (options_.make && !again) makefile_ << object << ": " << source << "\n\t" << cmd << "\n\n";
  if (needs && compiling_.insert(object).second) commands_ += cmd + ";";
}

void link_t::link() {
  if (options_.mat2cpp) return;
  const std::string rsp = name_ + ".rsp";
  std::ofstream response;
  util::open_write(response, rsp);
  if (options_.kind == 4) {
    // Octave's mkoctfile stands in for MATLAB's mex command: it compiles the sources
    // position-independent and links the MEX file with the run-time library.
    const std::string mex = "mkoctfile --mex" + tc_.mexflags() + " -I" + root_ + " -L" + root_ + " -o " + target_ + " " +
                            link_list_ + tc_.ldflags();
    response << mex << "\n";
    commands_ += mex;
    if (options_.make) makefile_ << target_ << ": " << link_list_ << "\n\t" << mex << "\n\n";
    return;
  }
  const int cc = tc_.compiler();
  const std::string& flags = is_dll(options_.kind) ? tc_.dllflags() : tc_.exeflags();
  response << link_list_;
  std::string cmd = cc == ini::CC_WATCOM ? "" : tc_.cpp();
  // ... and is linked unstripped, so that the debugger keeps the symbols.
  const std::string ldflags = options_.ide && is_gnu(cc) ? without_strip(tc_.ldflags()) : tc_.ldflags();
  switch (cc) {
    case ini::CC_BORLAND:
    case ini::CC_DJGPP:
      cmd += " -L" + root_ + flags + tc_.cppflags() + target_ + " @" + rsp + ldflags;
      break;
    case ini::CC_VISUALC:
      cmd += flags + tc_.cppflags() + target_ + " @" + rsp + tc_.ldflags();
      break;
    case ini::CC_WATCOM:
      if (!options_.mat2cpp) response << "libpath " << root_ << "\n";
      response << flags << tc_.ldflags() << " " << target_ << "\n";
      cmd = "wlink @" + rsp + (options_.make ? "\n\t" : ";");
      break;
    case ini::CC_VISUALAGE:
      cmd += tc_.cppflags() + " /Fe" + target_ + " @" + rsp + tc_.ldflags();
      break;
    default:
      if (cc >= ini::CC_UNKNOWN) break;
      cmd += " -L" + root_ + flags + tc_.cppflags() + target_ + " " + blanks_for_breaks(link_list_) + ldflags;
  }
  commands_ += cmd;
  if (options_.make) {
    std::string objects = blanks_for_breaks(link_list_);
    util::strrep(objects, "file ", "");
    makefile_ << target_ << ": " << objects << "\n\t" << cmd << "\n\n";
  }
}
