#include "project/wrappers.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "driver/diag.h"
#include "driver/helpers.h"
#include "symbols/datatype.h"
#include "symbols/lang.h"

// The C++ types of the inputs and outputs of the entry point of `name` that takes n_in
// inputs, read from its header: "M<double>", "M< M<double> >" for a cell, a structure's
// type. An output reference (Mr<...>, ...&) gives the type it refers to. Empty when the
// header has no such entry point.
bool entry_types(const std::string& header, const std::string& m_name, int n_in, int n_out,
                 std::vector<std::string>& in, std::vector<std::string>& out) {
  const std::string name = cpp_function_name(m_name);
  std::ifstream h(header);
  for (std::string line; std::getline(h, line);) {
    const std::size_t open = line.find(" " + name + "(");
    if (open == std::string::npos || line.size() < 2 || line.compare(line.size() - 2, 2, ");") != 0) continue;
    const std::string result = line.substr(0, open);
    std::vector<std::string> params;
    std::string cur;
    int depth = 0;
    for (std::size_t k = open + name.size() + 2; k + 2 < line.size(); ++k) {
      const char c = line[k];
      if (c == '<') ++depth;
      if (c == '>') --depth;
      if (c == ',' && depth == 0) {
        params.push_back(cur);
        cur.clear();
      } else {
        cur += c;
      }
    }
    if (!cur.empty()) params.push_back(cur);
    in.clear();
    out.clear();
    bool outputs = false;
    for (std::string p : params) {
      while (!p.empty() && p.front() == ' ') p.erase(0, 1);
      if (p == "i_o_t") { outputs = true; continue; }
      const std::size_t cut = p.find_last_of(' ');
      std::string type = cut == std::string::npos ? p : p.substr(0, cut);
      if (outputs) {
        if (type.compare(0, 3, "Mr<") == 0) type = "M<" + type.substr(3);
        while (!type.empty() && (type.back() == '&' || type.back() == ' ')) type.pop_back();
      }
      (outputs ? out : in).push_back(type);
    }
    if (!outputs && n_out == 1) out.push_back(result);
    if (int(in.size()) == n_in && (n_out == 0 || int(out.size()) == n_out)) return true;
  }
  return false;
}


namespace {

// The argument names in01.., out01.. of a wrapper, as a symbol table.
symbol_type arguments(int n_in, int n_out, int datatype) {
  symbol_type args;
  for (int k = 1; k <= n_in; ++k) args.add_typed(diag::format("in%02d", k), SYM_INPUT, datatype);
  for (int k = 1; k <= n_out; ++k) args.add_typed(diag::format("out%02d", k), SYM_OUTPUT, datatype);
  return args;
}

// name(inputs[, i_o, outputs]) with the one output assigned first.
std::string call_line(const symbol_type& args, const std::string& name, int n_in, int n_out,
                      const std::string& in_prefix = "", const std::string& out_prefix = "") {
  std::string s;
  if (n_out == 1) s += out_prefix + "out01=";
  s += cpp_function_name(name) + "(" + args.listing(SYM_INPUT, PN_NAMES, in_prefix, "", n_in);
  if (n_out > 1) s += std::string(n_in > 0 ? ", " : "") + "i_o, " + args.listing(SYM_OUTPUT, PN_NAMES, out_prefix);
  return s + ");\n";
}

// The MEX gateway's head. The host's mex.h is a C++ header here and must stay outside
// the extern "C" block; the conversions of values live in gridlib_mex.h.
const char kMexTemplate[] =
    "#include <mex.h>\n"
    "#include \"gridlib_mex.h\"\n"
    "extern \"C\" {\n"
    "void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {\n"
    "// Check number of arguments\n";

bool is_matrix_type(const std::string& type) { return type.compare(0, 2, "M<") == 0; }

// The body of the MEX gateway: the argument counts are checked, then the inputs are
// converted, the function runs and the outputs are converted inside one host_call, so
// that an error reaches the interpreter through its error call, never as an exception
// or the end of the process.
std::string mex_body(const std::string& name, int n_in, int n_out, int datatype) {
  std::vector<std::string> in, out;
  if (!entry_types(name + ".h", name, n_in, n_out, in, out)) {
    in.assign(n_in, datatypes().value_type(datatype));
    out.assign(n_out, datatypes().value_type(datatype));
  }
  std::string w = kMexTemplate;
  const std::string ni = std::to_string(n_in), no = std::to_string(n_out);
  w += "if (nrhs!=" + ni + ") mexErrMsgTxt(\"" + ni + " input argument(s) expected.\");\n";
  // A call as a statement asks for no output, and the first one still becomes ans.
  w += "if (nlhs>" + std::string(n_out > 0 ? no : "0") + ") mexErrMsgTxt(\"" + no +
       " output argument(s) expected.\");\n";
  w += "if (!grl::host_call([&] {\n";
  w += "grl::mex_init();\n// variable declaration\n";
  for (int k = 1; k <= n_in + n_out; ++k) {
    const bool input = k <= n_in;
    const std::string& type = input ? in[k - 1] : out[k - n_in - 1];
    const std::string v = input ? diag::format("in%02d", k) : diag::format("out%02d", k - n_in);
    if (!is_matrix_type(type))
      diag::error("%s of a MEX file must be a matrix or a cell: it is the structure %s.", v.c_str(), type.c_str());
    w += type + " " + v + "(\"" + v + "\",0,0);\n";
  }
  w += "// assign inputs\n";
  for (int k = 1; k <= n_in; ++k) w += diag::format("matlab_to_korval(prhs[%d],in%02d);\n", k - 1, k);
  std::string call = "// call function\n";
  if (n_out == 1) call += "out01=";
  call += cpp_function_name(name) + "(";
  for (int k = 1; k <= n_in; ++k) call += (k > 1 ? ", " : "") + diag::format("in%02d", k);
  if (n_out > 1) {
    call += std::string(n_in > 0 ? ", " : "") + "i_o";
    for (int k = 1; k <= n_out; ++k) call += diag::format(", out%02d", k);
  }
  w += call + ");\n// assign outputs\n";
  for (int k = 1; k <= n_out; ++k)
    w += (k > 1 ? diag::format("if (nlhs>=%d) ", k) : std::string()) +
         diag::format("korval_to_matlab(out%02d,plhs[%d]);\n", k, k - 1);
  w += "})) grl::mex_fail();\n} // mexFunction\n\n} // extern C\n";
  return w;
}

const char kXmathTemplate[] =
    "extern \"C\" {\n"
    "static void xmath_Error(const char* msg) { XmathError(ERROR_FATAL, (char*)msg, 1); }\n"
    "static void fccpy(double* dest, const double* src, int m, int n) {\n"
    "for (int i=0;i<m;i++) for (int j=0;j<n;j++) dest[i+j*m]=src[i*n+j];\n"
    "}\n"
    "static void xmath_to_korval(externType* x, M<m_type>& korval_mat) {\n"
    "if (x->type!=ETMATRIX) xmath_Error(\"Only matrices are accepted\");\n"
    "int m=x->rows, n=x->cols, isc=x->imag!=0;\n"
    "korval_mat=czeros(isc,m,n);\n"
    "fccpy(korval_mat.re_data(),x->real,m,n);\n"
    "if (isc) fccpy(korval_mat.im_data(),x->imag,m,n);\n"
    "}\n"
    "static void korval_to_xmath(M<m_type>& korval_mat, externType*& x) {\n"
    "int m=korval_mat.rows(), n=korval_mat.cols(), isc=korval_mat.isc();\n"
    "x=AllocateMatrix(m,n,!isc);\n"
    "for (int i=0;i<m;i++) for (int j=0;j<n;j++) {\n"
    "x->real[i*n+j]=korval_mat.re(i+j*m); if (isc) x->imag[i*n+j]=korval_mat.im(i+j*m); }\n"
    "}\n"
    "ifstream fin;\nofstream fout, ferr;\n";

const char kIdlTemplate[] =
    "extern \"C\" {\n"
    "#include <export.h>\n"
    "static void IDL_Error(const char* msg) { IDL_Message(IDL_M_NAMED_GENERIC, IDL_MSG_LONGJMP, msg); }\n"
    "static void IDL_to_korval(IDL_VPTR v, M<m_type>& korval_mat) {\n"
    "if (v->type!=IDL_TYP_DOUBLE) v=IDL_BasicTypeConversion(1, &v, IDL_TYP_DOUBLE);\n"
    "if (v->flags & IDL_V_ARR) {\n"
    "IDL_ARRAY* a=v->value.arr;\n"
    "if (a->n_dim>2) IDL_Error(\"N-dimensional matrices are not supported\");\n"
    "int m=a->dim[0], n=a->n_dim>1?a->dim[1]:1;\n"
    "korval_mat=czeros(0,m,n);\n"
    "double* d=(double*)a->data;\n"
    "for (int k=0;k<m*n;k++) korval_mat.re(k)=d[k];\n"
    "} else {\n"
    "korval_mat=v->value.d;\n"
    "}\n"
    "}\n"
    "static void korval_to_IDL(M<m_type>& korval_mat, IDL_VPTR& v) {\n"
    "IDL_MEMINT dim[2]={korval_mat.rows(), korval_mat.cols()};\n"
    "double* d=(double*)IDL_MakeTempArray(IDL_TYP_DOUBLE, 2, dim, IDL_ARR_INI_NOP, &v);\n"
    "for (int k=0;k<dim[0]*dim[1];k++) d[k]=korval_mat.re(k);\n"
    "}\n"
    "ifstream fin;\nofstream fout, ferr;\n"
    "DLLX IDL_VPTR ";

}  // namespace

std::string module_wrapper(int kind, const std::string& name, int n_in, int n_out, int datatype,
                           const toolchain_t& tc) {
  const symbol_type args = arguments(n_in, n_out, datatype);
  const std::string defs = args.listing(SYM_ARGUMENTS, PN_DEFINITION) + "\n";
  std::string w;
  if (kind == 4) {
    w += mex_body(name, n_in, n_out, datatype);
  } else if (kind == 8) {
    w += kXmathTemplate;
    w += "void " + name + "(int nlhs, externType** plhs, int nrhs, externType** prhs) {\n";
    w += "initM(fin,fout,ferr);\nmt_set_error_handler(xmath_Error);\n// variable declaration\n";
    w += defs + "// assign inputs\n" + args.listing(SYM_INPUT, PN_CONVERT_IN, "xmath_to_korval", "prhs");
    w += "// call function\n" + call_line(args, name, n_in, n_out);
    w += "// assign outputs\n" + args.listing(SYM_OUTPUT, PN_CONVERT_OUT, "korval_to_xmath", "plhs");
    w += "}\nstatic functionData fdata[]={\n";
    w += "{\"" + name + "\"," + name + "," + std::to_string(n_in) + "," + std::to_string(n_in) + "," +
         std::to_string(n_out) + "," + std::to_string(n_out) + ",0},\n{0}\n};\n";
    w += "int main(int argc, char** argv) {\nXmathMain(argc,argv,fdata,1);\nreturn 0;\n}\n} // extern C\n";
  } else {
    w += "// To link into IDL:\n// Linkimage, '" + name + "', '" + name + "." + tc.libext() + "', 1, '" +
         name + "', /Keywords, Min_Args=" + std::to_string(n_in) +
         ", Max_Args=" + std::to_string(n_in) + "\n\n";
    w += kIdlTemplate;
    w += name + "(int argc, IDL_VPTR argv[]) {\n";
    w += "if (argc!=" + std::to_string(n_in) + ") IDL_Error(\"" + std::to_string(n_in) +
         " input argument(s) expected.\");\n";
    w += "initM(fin,fout,ferr);\nmt_set_error_handler(IDL_Error);\n// variable declaration\n";
    w += defs + "// assign inputs\n" + args.listing(SYM_INPUT, PN_CONVERT_IN, "IDL_to_korval", "argv");
    w += "// call function\n" + call_line(args, name, n_in, n_out);
    if (n_out != 1) diag::error("IDL compiled modules must have exactly one output argument.");
    w += "// assign outputs\nIDL_VPTR argw;\nkorval_to_IDL(out01,argw);\nreturn argw;\n}\n} // extern C\n";
  }
  return w;
}

namespace {

// The matrix access functions that a DLL exports: its head (the declaration files get
// it) and its body. The work is the library's (gridlib_host.h), which checks the
// pointers and positions a caller in another language passes.
struct access_fn {
  const char* head;
  const char* body;
};
const access_fn kAccessSet[] = {
    {"void DLLX _stdcall mtInitM()", "{ initM(stin,stout,sterr); }"},
    {"void DLLX _stdcall mtExitM()", "{ exitM(); }"},
    {"M<m_type>* DLLX _stdcall mtCreateDoubleMatrix(int rows, int cols, int isc)",
     "{ return grl::host_new(rows,cols,isc); }"},
    {"void DLLX _stdcall mtDestroyMatrix(M<m_type>* x)", "{ delete x; }"},
    {"double DLLX _stdcall mtGetR(M<m_type>* x, int row, int col, i_o_t, double* v)",
     "{ return grl::host_get(x,row,col,false,v); }"},
    {"double DLLX _stdcall mtGetI(M<m_type>* x, int row, int col, i_o_t, double* v)",
     "{ return grl::host_get(x,row,col,true,v); }"},
    {"void DLLX _stdcall mtSetR(M<m_type>* x, int row, int col, i_o_t, double* v)",
     "{ grl::host_set(x,row,col,false,v); }"},
    {"void DLLX _stdcall mtSetI(M<m_type>* x, int row, int col, i_o_t, double* v)",
     "{ grl::host_set(x,row,col,true,v); }"},
    {"int DLLX _stdcall mtGetM(M<m_type>* x)", "{ return x ? int(x->rows()) : 0; }"},
    {"int DLLX _stdcall mtGetN(M<m_type>* x)", "{ return x ? int(x->cols()) : 0; }"},
    {"int DLLX _stdcall mtGetNumberOfDimensions(M<m_type>* x)", "{ return x ? 2 : 0; }"},
    {"int DLLX _stdcall mtIsString(M<m_type>* x)", "{ return x && x->ischar(); }"},
    {"int DLLX _stdcall mtIsChar(M<m_type>* x)", "{ return x && x->ischar(); }"},
    {"int DLLX _stdcall mtIsComplex(M<m_type>* x)", "{ return x && x->isc(); }"},
    {"void DLLX _stdcall mtSetString(M<m_type>* x, int on)", "{ if (x) x->set_flags(on ? grl::F_STRING : 0); }"},
    {"int DLLX _stdcall mtGetClassID(M<m_type>* x)", "{ return grl::host_class_id(x); }"},
    {"int DLLX _stdcall mtSetClassID(M<m_type>* x, int id)", "{ return grl::host_set_class(x,id); }"},
};

// On a Unix target: no calling convention word, the host's streams, and the error of
// the last failed call for the caller.
std::string unix_access_text() {
  std::string set;
  for (const access_fn& f : kAccessSet) {
    std::string head = f.head;
    util::strrep(head, " _stdcall", "");
    util::strrep(head, ", i_o_t", "");
    set += head + " " + (std::string(f.body) == "{ initM(stin,stout,sterr); }" ? "{ grl::host_init(); }" : f.body) +
           "\n";
  }
  return set + "const char* DLLX mtLastError() { return grl::host_error().message.c_str(); }\n";
}

// The C header of a shared library, lib<name>.h: the access functions and the entry
// points, matrices passed as void*.
std::string c_declaration(const std::string& prototype, bool wrapped, int compiler) {
  lang::prototype_t p;
  if (!lang::parse(prototype, wrapped, p)) return std::string();
  std::string d = lang::declaration(2, p, std::string(), compiler, wrapped);
  util::strrep(d, " _stdcall", "");
  util::strrep(d, "__o,", ",");   // an output's name in the translated C++
  util::strrep(d, "__o)", ")");
  return d + "\n";
}

// An access function's head as C declares it: matrices as void*, no export words.
std::string c_access_declaration(std::string head) {
  util::strrep(head, " DLLX _stdcall", "");
  util::strrep(head, ", i_o_t", "");
  util::strrep(head, "M<m_type>*", "void*");
  util::strrep(head, "()", "(void)");
  return head + ";\n";
}

std::string c_header_head(const std::string& name, const std::string& library) {
  std::string guard = "LIB_" + name + "_H";
  for (char& c : guard) c = std::isalnum(static_cast<unsigned char>(c)) ? std::toupper(static_cast<unsigned char>(c)) : '_';
  std::string h = "/* " + library + ": the M function " + name + " and the matrix access functions, for C.\n"
      " * Matrices are handles: mtCreateDoubleMatrix makes one (rows and columns from 1),\n"
      " * mtDestroyMatrix frees it. Each entry point name_I_O takes I input handles and\n"
      " * the addresses of O handles, which receive new matrices (free them too; NULL\n"
      " * when the call failed early). A call that fails leaves its message in\n"
      " * mtLastError(), which is \"\" after a call that succeeded. */\n"
      "#ifndef " + guard + "\n#define " + guard + "\n\n#ifdef __cplusplus\nextern \"C\" {\n#endif\n\n"
      "typedef double m_type;\n\n"
      "/* The classes of mtGetClassID and mtSetClassID. */\n"
      "enum { MT_DOUBLE_CLASS, MT_SINGLE_CLASS, MT_INT8_CLASS, MT_UINT8_CLASS, MT_INT16_CLASS,\n"
      "       MT_UINT16_CLASS, MT_INT32_CLASS, MT_UINT32_CLASS, MT_INT64_CLASS, MT_UINT64_CLASS,\n"
      "       MT_LOGICAL_CLASS, MT_CHAR_CLASS, MT_CELL_CLASS };\n\n";
  return h;
}

const char* const kLeaveOut[] = {"operator ", "ostream&", ">* ", "char* ", "char *", "int ",
                                 "double ", "M< M", "constMM"};

int count_parameters(const std::string& params, bool& has_io, int& outputs) {
  // Parameters split at ","; those before the one with i_o are inputs.
  has_io = false;
  outputs = 0;
  // No parameters at all: the entry point of a call without inputs (name_0_1).
  if (params.find("()") != std::string::npos || params.find_first_not_of(" \t") == std::string::npos)
    return 0;
  int inputs = 0;
  std::string p = params;
  std::size_t start = 0;
  while (start <= p.size()) {
    std::size_t end = p.find(',', start);
    if (end == std::string::npos) end = p.size();
    const std::string part = p.substr(start, end - start);
    if (part.find("i_o") != std::string::npos)
      has_io = true;
    else if (has_io)
      ++outputs;
    else
      ++inputs;
    start = end + 1;
  }
  return inputs;
}

}  // namespace

std::string dll_wrapper(int kind, const std::string& name, int datatype, const toolchain_t& tc,
                        const std::string& target) {
  const bool library = name == "gridlib";
  const bool unix_target = unix_shared_object(tc);
  if (kind == 16 && !library)
    diag::error("Target dll not supported for this file.\nUse specific targets such as -dll:vb or -dll:delphi.");
  lang_writer decl;
  decl.open(name, tc.compiler());
  decl.select(kind);
  const std::string dll = unix_target ? target : name + ".dll";
  std::string w, c_header;
  if (unix_target) {
    // A shared object exports every function it defines: DLLX marks nothing here.
    w = "#include \"gridlib_host.h\"\n#define DLLX\nextern \"C\" {\n";
    w += unix_access_text();
    c_header = c_header_head(name, target) + "/* Matrix access functions */\n";
    for (const access_fn& f : kAccessSet) c_header += c_access_declaration(f.head);
    c_header += "const char* mtLastError(void);\n\n/* M functions */\n";
  } else {
    w = "#define WIN32_LEAN_AND_MEAN\n#include <windows.h>\n#include <strstrea.h>\n#include \"gridlib.h\"\n"
        "#include \"gridlib_host.h\"\n#undef islower\n#undef isspace\n#undef isupper\n#undef max\n#undef min\n"
        "extern \"C\" {\n";
  }
  if (library) {
    decl.comment(" KORVAL run-time library: declarations for callers of " + dll);
    decl.text("\n");
    decl.text_for("unit gridlib;\ninterface\n\n", 18);
    decl.text_for("package gridlib is\n\n", 22);
    decl.comment(" Matrix access functions ");
    decl.text("\n");
    std::string set = "ostrstream stout, sterr;\nchar empty[]=\"\\0\";\nistrstream stin(empty);\n";
    for (const access_fn& f : kAccessSet) {
      std::string text = std::string(f.head) + " " + f.body;
      if (tc.compiler() == ini::CC_VISUALC) util::strrep(text, "* DLLX ", " DLLX *");
      decl.declare(dll, text.substr(0, text.find(" {")) + ";", false, false);
      util::strrep(text, ", i_o_t", "");
      set += text + "\n";
    }
    if (!unix_target) w += set;
    decl.text("\n");
    decl.comment(" Gridkit functions ");
    decl.text("\n");
  }
  std::ifstream header;
  util::open_read(header, name + ".h");
  for (std::string line; std::getline(header, line);) {
    if (line.size() > 511) line.resize(511);
    if (line.size() <= 10 || line.compare(0, 2, "M<") != 0 || line.find('(') == std::string::npos ||
        line.size() < 2 || line.compare(line.size() - 2, 2, ");") != 0)
      continue;
    bool skip = false;
    for (const char* bad : kLeaveOut) skip = skip || line.find(bad) != std::string::npos;
    if (skip || !decl.declare(dll, line, true, true)) continue;
    const std::size_t open = line.find('(');
    const std::size_t before = line.find_last_of(" *&", open);
    const std::string fname = line.substr(before + 1, open - before - 1);
    bool has_io = false;
    int n_out = 0;
    const std::string params = line.substr(open, line.size() - open - 1);
    const int n_in = count_parameters(params.substr(1, params.size() - 2), has_io, n_out);
    if (!has_io) n_out = 1;
    const symbol_type args = arguments(n_in, n_out, datatype);
    const std::string entry = diag::format("%s_%d_%d", fname.c_str(), n_in, n_out);
    w += std::string("void DLLX") + (unix_target ? " " : " _stdcall ") + entry + "(";
    std::string pointers;
    {
      std::ostringstream p;
      int first = 1;
      symbol_type::print_all(args, p, first, "*", "", SYM_INPUT, PN_VALUE_PARAM, -1, 0);
      symbol_type::print_all(args, p, first, "**", "", SYM_OUTPUT, PN_VALUE_PARAM, -1, 0);
      w += p.str() + ") {\n";
      std::ostringstream q;
      first = 0;
      symbol_type::print_all(args, q, first, "", "", SYM_ARGUMENTS, PN_NAMES, -1, 0);
      pointers = q.str();
    }
    if (unix_target) c_header += c_declaration(line, true, tc.compiler());
    // A C caller may pass NULL; an error of the function is kept for mtLastError.
    w += "if (grl::host_null(\"" + entry + "\"" + pointers + ")) return;\n";
    std::string news;
    for (int k = 1; k <= n_out; ++k) w += diag::format("*out%02d=nullptr; ", k);
    for (int k = 1; k <= n_out; ++k) news += diag::format("*out%02d=new M<m_type>(); ", k);
    w += "\ngrl::host_call([&] {\n";
    if (!news.empty()) w += news + "\n";
    w += call_line(args, fname, n_in, n_out, "*", "**");
    w += "});\n}\n\n";
  }
  w += "} // extern \"C\"\n\n";
  if (unix_target) {
    c_header += "\n#ifdef __cplusplus\n}\n#endif\n\n#endif\n";
    std::ofstream out;
    util::open_write(out, "lib" + name + ".h");
    out << c_header;
  }
  if (library) {
    decl.text("\n");
    decl.text_for("\nimplementation\nend.\n\n", 18);
    decl.text_for("\nend gridlib;\n\n", 22);
  }
  decl.close();
  return w;
}
