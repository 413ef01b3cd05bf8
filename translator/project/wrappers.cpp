#include "project/wrappers.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "driver/diag.h"
#include "driver/helpers.h"
#include "symbols/lang.h"

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
  s += name + "(" + args.listing(SYM_INPUT, PN_NAMES, in_prefix, "", n_in);
  if (n_out > 1) s += std::string(n_in > 0 ? ", " : "") + "i_o, " + args.listing(SYM_OUTPUT, PN_NAMES, out_prefix);
  return s + ");\n";
}

const char kMexTemplate[] =
    "extern \"C\" {\n"
    "#include <mex.h>\n"
    "static void matlab_to_korval(const mxArray* matlab_mat, M<m_type>& korval_mat) {\n"
    "if (mxGetClassID(matlab_mat)!=mxDOUBLE_CLASS) mexErrMsgTxt(\"Wrong class of input argument\");\n"
    "int m=mxGetM(matlab_mat), n=mxGetN(matlab_mat), isc=mxIsComplex(matlab_mat);\n"
    "korval_mat=czeros(isc,m,n);\n"
    "double* pr=mxGetPr(matlab_mat); double* pi=mxGetPi(matlab_mat);\n"
    "for (int k=0;k<m*n;k++) { korval_mat.re(k)=pr[k]; if (isc) korval_mat.im(k)=pi[k]; }\n"
    "}\n"
    "static void korval_to_matlab(M<m_type>& korval_mat, mxArray*& matlab_mat) {\n"
    "int m=korval_mat.rows(), n=korval_mat.cols(), isc=korval_mat.isc();\n"
    "matlab_mat=mxCreateDoubleMatrix(m,n,isc?mxCOMPLEX:mxREAL);\n"
    "double* pr=mxGetPr(matlab_mat); double* pi=mxGetPi(matlab_mat);\n"
    "for (int k=0;k<m*n;k++) { pr[k]=korval_mat.re(k); if (isc) pi[k]=korval_mat.im(k); }\n"
    "}\n"
    "ifstream fin;\nofstream fout, ferr;\n"
    "void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {\n"
    "// Check number of arguments\n";

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
    w += kMexTemplate;
    w += "if (nrhs!=" + std::to_string(n_in) + ") mexErrMsgTxt(\"" + std::to_string(n_in) +
         " input argument(s) expected.\");\n";
    w += "if (nlhs!=" + std::to_string(n_out) + ") mexErrMsgTxt(\"" + std::to_string(n_out) +
         " output argument(s) expected.\");\n";
    w += "initM(fin,fout,ferr);\nmt_set_error_handler(mexErrMsgTxt);\n// variable declaration\n";
    w += defs + "// assign inputs\n" + args.listing(SYM_INPUT, PN_CONVERT_IN, "matlab_to_korval", "prhs");
    w += "// call function\n" + call_line(args, name, n_in, n_out);
    w += "// assign outputs\n" + args.listing(SYM_OUTPUT, PN_CONVERT_OUT, "korval_to_matlab", "plhs");
    w += "} // mexFunction\n\n} // extern C\n";
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

// The matrix access functions that a DLL of the run-time library exports.
const char* const kAccessSet[] = {
    "void DLLX _stdcall mtInitM() { initM(stin,stout,sterr); }",
    "void DLLX _stdcall mtExitM() { exitM(); }",
    "M<m_type>* DLLX _stdcall mtCreateDoubleMatrix(int rows, int cols, int isc) { return new M<m_type>(czeros(isc,rows,cols)); }",
    "void DLLX _stdcall mtDestroyMatrix(M<m_type>* x) { delete x; }",
    "double DLLX _stdcall mtGetR(M<m_type>* x, int row, int col, i_o_t, double* v) { return *v=x->re(row-1+(col-1)*x->rows()); }",
    "double DLLX _stdcall mtGetI(M<m_type>* x, int row, int col, i_o_t, double* v) { return *v=x->im(row-1+(col-1)*x->rows()); }",
    "void DLLX _stdcall mtSetR(M<m_type>* x, int row, int col, i_o_t, double* v) { x->re(row-1+(col-1)*x->rows())=*v; }",
    "void DLLX _stdcall mtSetI(M<m_type>* x, int row, int col, i_o_t, double* v) { x->im(row-1+(col-1)*x->rows())=*v; }",
    "int DLLX _stdcall mtGetM(M<m_type>* x) { return x->rows(); }",
    "int DLLX _stdcall mtGetN(M<m_type>* x) { return x->cols(); }",
    "int DLLX _stdcall mtGetNumberOfDimensions(M<m_type>* x) { return 2; }",
    "int DLLX _stdcall mtIsString(M<m_type>* x) { return x->isstr(); }",
    "int DLLX _stdcall mtIsChar(M<m_type>* x) { return x->isstr(); }",
    "int DLLX _stdcall mtIsComplex(M<m_type>* x) { return x->isc(); }",
    "void DLLX _stdcall mtSetString(M<m_type>* x, int on) { x->setstr(on); }",
};

const char* const kLeaveOut[] = {"operator ", "ostream&", ">* ", "char* ", "char *", "int ",
                                 "double ", "M< M", "constMM"};

int count_parameters(const std::string& params, bool& has_io, int& outputs) {
  // Parameters split at ","; those before the one with i_o are inputs.
  has_io = false;
  outputs = 0;
  if (params.find("()") != std::string::npos) return 0;
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

std::string dll_wrapper(int kind, const std::string& name, int datatype, const toolchain_t& tc) {
  const bool library = name == "gridlib";
  if (kind == 16 && !library)
    diag::error("Target dll not supported for this file.\nUse specific targets such as -dll:vb or -dll:delphi.");
  lang_writer decl;
  decl.open(name, tc.compiler());
  decl.select(kind);
  const std::string dll = name + ".dll";
  std::string w =
      "#define WIN32_LEAN_AND_MEAN\n#include <windows.h>\n#include <strstrea.h>\n#include \"gridlib.h\"\n"
      "#undef islower\n#undef isspace\n#undef isupper\n#undef max\n#undef min\nextern \"C\" {\n";
  if (library) {
    decl.comment(" KORVAL run-time library: declarations for callers of " + dll);
    decl.text("\n");
    decl.text_for("unit gridlib;\ninterface\n\n", 18);
    decl.text_for("package gridlib is\n\n", 22);
    decl.comment(" Matrix access functions ");
    decl.text("\n");
    std::string set = "ostrstream stout, sterr;\nchar empty[]=\"\\0\";\nistrstream stin(empty);\n";
    for (const char* f : kAccessSet) {
      std::string text = f;
      if (tc.compiler() == ini::CC_VISUALC) util::strrep(text, "* DLLX ", " DLLX *");
      decl.declare(dll, text.substr(0, text.find(" {")) + ";", false, false);
      util::strrep(text, ", i_o_t", "");
      set += text + "\n";
    }
    w += set;
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
    w += "void DLLX _stdcall " + diag::format("%s_%d_%d", fname.c_str(), n_in, n_out) + "(";
    {
      std::ostringstream p;
      int first = 1;
      symbol_type::print_all(args, p, first, "*", "", SYM_INPUT, PN_VALUE_PARAM, -1, 0);
      symbol_type::print_all(args, p, first, "**", "", SYM_OUTPUT, PN_VALUE_PARAM, -1, 0);
      w += p.str() + ") {\n";
    }
    std::string news;
    for (int k = 1; k <= n_out; ++k) news += diag::format("*out%02d=new M<m_type>(); ", k);
    if (!news.empty()) w += news + "\n";
    w += call_line(args, fname, n_in, n_out, "*", "**");
    w += "}\n\n";
  }
  w += "} // extern \"C\"\n\n";
  if (library) {
    decl.text("\n");
    decl.text_for("\nimplementation\nend.\n\n", 18);
    decl.text_for("\nend gridlib;\n\n", 22);
  }
  decl.close();
  return w;
}
