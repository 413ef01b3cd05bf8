#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/diag.h"
#include "project/reserved.h"
#include "report.h"
#include "scratch_dir.h"
#include "symbols/symbol.h"
#include "translate/parser.h"
#include "type_table.h"

namespace {

class Statements : public testing::Test {
 protected:
  void SetUp() override {
    testtypes::load_standard_types();
  }
  void TearDown() override {
    datatypes().clear();
    diag::set_position("", 0);
  }

  // Translates every statement of the M text in one parser and returns the C++ written,
  // without the line records of the call frame unless asked (most cases are about the
  // statements' own text).
  std::string translate(const std::string& m, bool line_records = false) {
    const std::string out = translate_all(m);
    if (line_records) return out;
    std::istringstream lines(out);
    std::string kept;
    for (std::string line; std::getline(lines, line);)
      if (!std::regex_match(line, std::regex("grl_frame\\w*\\.at\\([0-9]+,[0-9]+\\);|;\\}"))) kept += line + "\n";
    return kept;
  }

  std::string translate_all(const std::string& m) {
    file_ = testing::TempDir() + "korval-stmt-" + std::to_string(getpid()) + ".m";
    std::ofstream(file_, std::ios::binary) << m;
    input_.assign(m);
    own_ = std::make_unique<parser_t>();   // a fresh parser per translation
    p = own_.get();
    p->in = &input_;
    p->symbols = &table;
    p->host = host_;
    p->name = "f";
    diag::set_position(file_, 1);
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
      p->get_statement();
      p->end_reached = p->at_end() ? 1 : 0;
      if (p->stmt.size() > 1 || p->end_reached) {
        p->translate_statement();
        p->write_statement(out);
      }
      if (p->end_reached) break;
    }
    return out;
  }

  // The same, for statements inside a function body (the function line comes first).
  std::string body(const std::string& m) {
    const std::string all = translate("function f(a)\n" + m);
    const std::size_t start = all.find("nargin_set=0; nargout_set=0;\n");
    const std::size_t end = all.find("nargin_val=old_nargin; nargout_val=old_nargout;\n");
    if (start == std::string::npos || end == std::string::npos) return "NO BODY IN: " + all;
    return all.substr(start + 29, end - start - 29);
  }

  symbol_type table;
  parser_t::host_t* host_ = nullptr;   // the project the parser asks, none by default
  std::unique_ptr<parser_t> own_;
  parser_t* p = nullptr;
  minput_t input_;
  std::string file_;
};

TEST_F(Statements, FunctionLineAndWorkedExample) {
  const std::string out = translate("function y = sq(x)\ny = x.^2;\n");
  EXPECT_EQ(out,
            "//$HEADER\n"
            "double old_nargin=nargin_val; if (!nargin_set) nargin_val=1.0;\n"
            "double old_nargout=nargout_val; if (!nargout_set) nargout_val=1.0;\n"
            "grl::name_input(x,\"x\");\n"
            "nargin_set=0; nargout_set=0;\n"
            "y=power(x,2.0);\n"
            "nargin_val=old_nargin; nargout_val=old_nargout;\n"
            "return(y);\n}\n\n");
  EXPECT_EQ(p->name, "sq");
  EXPECT_EQ(p->n_in, 1);
  EXPECT_EQ(p->n_out, 1);
  EXPECT_EQ(p->depth, 0);
}

TEST_F(Statements, FunctionLineArguments) {
  translate("function [a,b]=g(x,varargin)\n");
  EXPECT_EQ(p->n_in, 2);
  EXPECT_EQ(p->n_out, 2);
  EXPECT_EQ(p->has_varargin, 1);
  EXPECT_EQ(table.type_of(table.find("a", SYM_VARIABLES)), SYM_OUTPUT | SYM_LOCAL);
  EXPECT_EQ(table.info_of(table.find("varargin", SYM_VARIABLES))[INFO_TYPE], DT_CELL);
  EXPECT_GE(table.find("x_M", SYM_RETURN), 0);
  const std::string out = translate("function h\n");
  EXPECT_NE(out.find("nargin_val=0.0;"), std::string::npos);
}

TEST_F(Statements, ControlFlow) {
  EXPECT_EQ(body("if a>1, b=2; elseif a<0, b=3; else b=4; end\n"),
            "if (istrue(a>1.0)) {\nb=2.0;\n} else\nif (istrue(a<0.0)) {\nb=3.0;\n} else {\nb=4.0;\n}\n");
  EXPECT_EQ(body("while a<3 a=a+1; end\n"), "while (istrue(a<3.0)) {\na=a+1.0;\n}\n");
  // return (and break outside a loop) leaves at once by the function's own exit, no
  // jump to its end, which would cross the declarations of a script run after it.
  const std::string exit_text = "{ nargin_val=old_nargin; nargout_val=old_nargout;\nreturn(x_M);\n}";
  EXPECT_NE(translate("function f(a)\nbreak\n").find(exit_text), std::string::npos);
  EXPECT_EQ(body("while 1, break, end\n"), "while (istrue(1.0)) {\nbreak;\n}\n");
  const std::string out = translate("function y = f(a)\nif a, y = 1; return, end\ny = 2;\n");
  EXPECT_NE(out.find("y=1.0;\n{ nargin_val=old_nargin; nargout_val=old_nargout;\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("goto"), std::string::npos) << out;
}

TEST_F(Statements, SwitchWithCases) {
  EXPECT_EQ(body("switch a\ncase 1\nb=1;\ncase 2\nb=2;\nend\n"),
            "mswitch (a) {\nbeginmswitch\nmcase (1.0) {\nb=1.0;\nbreak;\n}\nmcase (2.0) {\nb=2.0;\n"
            "break;\n}\n} endmswitch;\n");
  EXPECT_EQ(body("switch a\ncase 1\nb=1;\notherwise\nb=0;\nend\n"),
            "mswitch (a) {\nbeginmswitch\nmcase (1.0) {\nb=1.0;\nbreak;\n}\notherwise {\nb=0.0;\n"
            "break;\n}\n} endmswitch;\n");
  EXPECT_EQ(body("case=3;\n"), "case=3.0;\n");
}

TEST_F(Statements, SwitchWithCellCases) {
  EXPECT_EQ(body("switch a\ncase {1,2}\nb=1;\ncase {'x'}\nb=2;\nend\n"),
            "mswitch (a) {\nbeginmswitch\nmcase ((CL(1.0),2.0)) {\nb=1.0;\nbreak;\n}\n"
            "mcase ((CL(TM(\"x\")))) {\nb=2.0;\nbreak;\n}\n} endmswitch;\n");
}

TEST_F(Statements, ForLoops) {
  EXPECT_EQ(body("scalar i\nfor i=1:10, end\n"),
            "for (i=1.0-(1.0);i+(1.0)<=10.0&&(i+=1.0,true);) {\n}\n");
  EXPECT_EQ(body("for k=10:-2:1, end\n"),
            "for (k=10.0-(-2.0);k.r+(-2.0)>=1.0&&(k.r+=-2.0,true);) {\n}\n");
  // A loop that runs no pass leaves its variable the empty value it ran over.
  EXPECT_EQ(body("for v=x, end\n"),
            "v_f_v0=x; int v_f_i0; grl::for_none(v,v_f_v0);\nfor (v_f_i0=1;v_f_i0<=forsize(v_f_v0);v_f_i0++) {\n"
            "forelem(v,v_f_v0,v_f_i0);\n}\n");
  EXPECT_EQ(body("for k=3:2, end\n"), "for (k=colon(3.0,1.0,2.0);false;) {\n}\n");
  EXPECT_EQ(body("scalar k\nfor k=3:2, end\n"), "for (k=3.0-(1.0);k+(1.0)<=2.0&&(k+=1.0,true);) {\n}\n");
  // A fractional step runs over the exact range, not an accumulated sum.
  EXPECT_EQ(body("for t=0:0.1:1, end\n").substr(0, 33), "t_f_v0=colon(0.0,0.1,1.0); int t_");
  // Parentheses around the whole loop head are M's other spelling.
  EXPECT_EQ(body("scalar i\nfor (i=1:10)\nend\n"),
            "for (i=1.0-(1.0);i+(1.0)<=10.0&&(i+=1.0,true);) {\n}\n");
  EXPECT_REPORT(body("for (i)=1:3\nend\n"), "Do not use parenthesis with for\n$");
}

TEST_F(Statements, Assignments) {
  EXPECT_EQ(body("[m,n]=size(a)\n"), "/*[m,n]=*/size(a,i_o,m,n); gridlibout<<m; gridlibout<<n;\n");
  EXPECT_EQ(body("[m,n]=size(a);\n"), "/*[m,n]=*/size(a,i_o,m,n);\n");
  EXPECT_EQ(body("[u,v]=g;\n"), "/*[u,v]=*/g(i_o,u,v);\n");
  EXPECT_EQ(body("x=[1 2]\n"), "x=(BR(1.0),2.0); gridlibout<<x;\n");
  EXPECT_EQ(body("c={1,'s'};\n"), "c=(CL(1.0),TM(\"s\"));\n");
  EXPECT_EQ(table.info_of(table.find("c", SYM_VARIABLES))[INFO_TYPE], DT_CELL);
  EXPECT_EQ(body("a+1\n"), "gridlibout<<( a+1.0 );\n");
  // a is an input of f: a nameless copy, shown under its name.
  EXPECT_EQ(body("a\n"), "gridlibout<<grl::named(a,\"a\");\n");
  // A field's assignment shows its structure.
  EXPECT_EQ(body("s.a=1\n"), "grl::field_ref(s,GRL_FIELD(\"a\"))=1.0; gridlibout<<s;\n");
}

// Fields are reached through the library: read, made by assignment (nested, of an
// element, by a name computed when the program runs) and dealt over an array.
TEST_F(Statements, StructureFields) {
  EXPECT_EQ(body("y=s.a.b+1;\n"), "y=grl::field(grl::field(s,GRL_FIELD(\"a\")),GRL_FIELD(\"b\"))+1.0;\n");
  EXPECT_EQ(body("s.a.b=2;\n"), "grl::field_ref(grl::field_ref(s,GRL_FIELD(\"a\")),GRL_FIELD(\"b\"))=2.0;\n");
  EXPECT_EQ(body("s(3).x=5;\n"), "grl::elem_field_ref(s,3.0,GRL_FIELD(\"x\"))=5.0;\n");
  EXPECT_EQ(body("y=s(2).x(1);\n"), "y=grl::elem_field(s,2.0,GRL_FIELD(\"x\"))(1.0);\n");
  EXPECT_EQ(body("n='k';\ny=s.(n);\n"), "n=TM(\"k\");\ny=grl::field(s,n);\n");
  EXPECT_EQ(body("s.(n)=1;\n"), "grl::field_ref(s,n)=1.0;\n");
  EXPECT_EQ(body("s.c{2}=1;\n"), "grl::cell_in(grl::field_ref(s,GRL_FIELD(\"c\"))).br(2.0)=1.0;\n");
  EXPECT_EQ(body("s.c={1};\n"), "grl::field_ref(s,GRL_FIELD(\"c\"))=M<m_type>((CL(1.0)));\n");
  EXPECT_EQ(body("fprintf('%d',s.f);\n"), "fprintf(TM(\"%d\"),CS(grl::field_list(s,\"f\")));\n");
  // The element of a cell may hold a structure array: its field is a list too.
  EXPECT_EQ(body("fprintf('%d',s.c{k}.f);\n"),
            "fprintf(TM(\"%d\"),CS(grl::field_list(grl::field(s,GRL_FIELD(\"c\")).br(k),\"f\")));\n");
  EXPECT_EQ(body("y=s.c{k}.f;\n"), "y=grl::field(grl::field(s,GRL_FIELD(\"c\")).br(k),GRL_FIELD(\"f\"));\n");
  EXPECT_EQ(body("[s.f]=deal(0);\n"), "grl::deal_fields(s,\"f\",grl::arg_list<m_type>(0.0));\n");
  EXPECT_EQ(body("v=[s.f];\n"), "v=(BR(CS(grl::field_list(s,\"f\"))));\n");
  // A program without fields is written as before.
  EXPECT_EQ(body("x(2)=y(1)';\n"), "x(2.0)=ctranspose(y(1.0));\n");
}

// Octave's compound assignments and power spellings in shared M-files.
TEST_F(Statements, OctaveOperators) {
  EXPECT_EQ(body("x=1; x += 2;\n"), body("x=1; x = x + (2);\n"));
  EXPECT_EQ(body("v=[1 2]; v(2) *= a - 1;\n"), body("v=[1 2]; v(2) = v(2) * (a - 1);\n"));
  EXPECT_EQ(body("y = 2 ** 3;\n"), body("y = 2 ^ 3;\n"));
  EXPECT_EQ(body("y = a .** 2;\n"), body("y = a .^ 2;\n"));
  // == is a comparison, not a compound assignment.
  EXPECT_EQ(body("y = a == 2;\n"), "y=a==2.0;\n");
}

TEST_F(Statements, CommandForms) {
  EXPECT_EQ(body("hold on\n"), "hold(TM(\"on\"));\n");
  EXPECT_EQ(body("format long e\n"), "format(TM(\"long e\"));\n");
  EXPECT_EQ(body("clear all\n"), "clear(nop_M);\n");
  EXPECT_EQ(body("clear a b\n"), "clear(a,b);\n");
  EXPECT_EQ(body("cd ..\n"), "cd(TM(\"..\"));\n");
  EXPECT_EQ(body("pause\n"), "pause();\n");
  EXPECT_EQ(body("pause(2)\n"), "pause(2.0);\n");
  EXPECT_EQ(body("axis off equal\n"), "axis(TM(\"off\"),TM(\"equal\"));\n");
  // Any function: the words as written, quotes resolved.
  EXPECT_EQ(body("warning off MATLAB:divideByZero\n"),
            "warning(TM(\"off\"),TM(\"MATLAB:divideByZero\"));\n");
  EXPECT_EQ(body("disp 'two words';\n"), "disp(TM(\"two words\"));\n");
  // warning alone lists the states (s = warning gives them: err_warning_state).
  EXPECT_EQ(body("warning\n"), "grl::show_warning_states();\n");
  EXPECT_EQ(body("warning();\n"), "grl::show_warning_states();\n");
  EXPECT_EQ(body("disp -x;\n"), "disp(TM(\"-x\"));\n");
  // A variable, an operator between blanks, "=" or "(" : no command.
  EXPECT_EQ(body("v=2;\nv -1;\n"), "v=2.0;\nv-1.0;\n");
  EXPECT_EQ(body("disp - x;\n"), "disp-x;\n");
  EXPECT_EQ(body("disp (x);\n"), "disp(x);\n");
  EXPECT_EQ(body("hold=1;\n"), "hold=1.0;\n");
  EXPECT_EQ(body("help plot\nkeyboard\n"), "");
  EXPECT_REPORT(body("cd a b\n"), "Use cd\\('x'\\) instead of cd x\n$");
}

TEST_F(Statements, LoadAndSave) {
  EXPECT_EQ(body("load data x y\n"), "load(TM(\"data\"),&x,&y);\n");
  EXPECT_GE(table.find("y", SYM_VARIABLES), 0);
  EXPECT_EQ(body("save f -ascii x\n"), "saveascii(TM(\"f\"),&x);\n");
  EXPECT_EQ(body("save('f','-v4','x')\n"), "save(TM(\"f\"),&x);\n");
  // A file name alone: every variable made so far (the input, and x and y loaded
  // above); a cell has no MAT-file form here and is left out.
  EXPECT_EQ(body("save f\n"), "save(TM(\"f\"),&a, &x, &y);\n");
  EXPECT_EQ(body("z=1;\nc={1};\nsave('f')\n"), "z=1.0;\nc=(CL(1.0));\nsave(TM(\"f\"),&a, &x, &y, &z);\n");
  // A file name alone: the names read later before they are assigned (w is assigned,
  // q read first, x a known variable; the comment's words are no variables).
  const std::string loaded = body("load f\nw = q + x; % r\nq = 2;\n");
  EXPECT_EQ(loaded.substr(0, loaded.find('\n')), "load(TM(\"f\"),grl::found_only,&q,&x);") << loaded;
  EXPECT_GE(table.find("q", SYM_VARIABLES), 0);
  EXPECT_LT(table.find("r", SYM_VARIABLES), 0);
  EXPECT_REPORT(body("save f -append x\n"), "save: -append not supported\n$");
  EXPECT_REPORT(body("save -ascii f x\n"), "flags can not appear before file name\n$");
}

// A call that passes more than its callee takes becomes a call that ends the program
// when it is reached; other calls, and indexes of variables, stay as they are.
TEST_F(Statements, CallsBeyondTheCallee) {
  auto known = [&](const char* name, int kind, int in, int out) {
    symbol_info info = symbol_info::typed(datatypes().function_index());
    info[INFO_NIN] = in;
    info[INFO_NOUT] = out;
    table.add(name, kind, info, 1);
  };
  known("sqrt_M", SYM_RESERVED_FUNCTION, 1, 1);
  known("fprintf", SYM_RESERVED_FUNCTION, -1, 1);
  known("max", SYM_RESERVED_FUNCTION, 3, 2);
  known("g", SYM_KNOWN_FUNCTION, 1, 1);
  known("show", SYM_KNOWN_FUNCTION, 1, 0);
  table.add("sqrt", SYM_REPLACE, symbol_info::fresh(), 1);
  table.add("sqrt_M", SYM_REPLACEMENT, symbol_info::fresh(), 1);

  EXPECT_EQ(body("y=sqrt(a);\n"), "y=sqrt_M(a);\n");
  EXPECT_EQ(body("y=sqrt(a,2)+1;\n"), "y=grl::bad_call(\"Invalid call to sqrt\")+1.0;\n");
  EXPECT_EQ(body("y=sqrt(max(a,[],2,1));\n"), "y=sqrt_M(grl::bad_call(\"Invalid call to max\"));\n");
  EXPECT_EQ(body("[m,k]=max(a);\n"), "/*[m,k]=*/max(a,i_o,m,k);\n");
  EXPECT_EQ(body("[m,k,j]=max(a);\n"),
            "/*[m,k,j]=*/grl::bad_call(\"max: function called with too many outputs\");\n");
  EXPECT_EQ(body("g(a,1);\n"), "grl::bad_call(\"g: function called with too many inputs\");\n");
  EXPECT_EQ(body("[p,q]=g(a);\n"),
            "/*[p,q]=*/grl::bad_call(\"g: function called with too many outputs\");\n");
  // A function of no outputs may be called as a statement, not assigned.
  EXPECT_EQ(body("show(a);\n"), "show(a);\n");
  EXPECT_EQ(body("y=show(a);\n"), "y=grl::bad_call(\"show: function called with too many outputs\");\n");
  EXPECT_EQ(body("fprintf('%d',1,2,3,4);\n"), "fprintf(TM(\"%d\"),1.0,2.0,3.0,4.0);\n");
  EXPECT_EQ(body("max=[1 2 3]; y=max(1,2,3,4);\n"),
            "max_=(BR(1.0),2.0,3.0);\ny=max_(1.0,2.0,3.0,4.0);\n");
}

// The fewest inputs of a library function come from the eighth number of its line in
// korval.rsv: a call with fewer fails when it is reached, also for one that takes any
// number (-1); a line without the number, or with 0, allows no inputs at all.
TEST_F(Statements, CallsBelowTheFewestInputs) {
  testutil::scratch_dir dir("least");
  const std::string rsv = dir.path() + "/korval.rsv";
  std::ofstream(rsv) << diag::kVersion << "\n[reserved functions]\n"
                     << "mod function 2 1 0 0 0 0 0 2\n"
                     << "blkdiag function -1 1 0 0 0 0 0 1\n"
                     << "zeros function -1 1 0 0 0 0 0\n"
                     << "rand function -1 1 0 0 0 0 0 0\n"
                     << "[reserved vars]\n[replace]\n";
  read_reserved(table, rsv);
  EXPECT_EQ(reserved_least_inputs("mod"), 2);
  EXPECT_EQ(reserved_least_inputs("zeros"), 0);
  EXPECT_EQ(body("y=mod(a);\n"), "y=grl::bad_call(\"Invalid call to mod\");\n");
  EXPECT_EQ(body("y=mod(a,2);\n"), "y=mod(a,2.0);\n");
  EXPECT_EQ(body("y=blkdiag();\n"), "y=grl::bad_call(\"Invalid call to blkdiag\");\n");
  EXPECT_EQ(body("y=blkdiag(a,a,a);\n"), "y=blkdiag(a,a,a);\n");
  EXPECT_EQ(body("y=zeros();\n"), "y=zeros();\n");
  EXPECT_EQ(body("y=rand();\n"), "y=rand();\n");
  // A list among the inputs may hold any number of them.
  EXPECT_EQ(body("c={1,2};\ny=mod(c{:});\n").find("bad_call"), std::string::npos);
}

// regexp's outputs are cells or matrices as its option words (literal strings) say;
// a call of one cell output takes the library's cell form; a names output becomes
// the fields its pattern names.
TEST_F(Statements, RegexpOutputsByTheirOptionWords) {
  for (const char* name : {"regexp", "regexprep"}) {
    symbol_info info = symbol_info::typed(datatypes().function_index());
    info[INFO_NIN] = 16;
    info[INFO_NOUT] = std::string(name) == "regexp" ? 7 : 1;
    table.add(name, SYM_RESERVED_FUNCTION, info, 1);
  }
  auto is_cell = [&](const char* var) {
    return (table.info_of(table.find(var, SYM_VARIABLES))[INFO_TYPE] & DT_CELL) != 0;
  };
  EXPECT_EQ(body("s=regexp(a,'x');\n"), "s=regexp(a,TM(\"x\"));\n");
  EXPECT_FALSE(is_cell("s"));
  EXPECT_EQ(body("m=regexp(a,'x','Match');\n"), "m=grl::regexp_cell(a,TM(\"x\"),TM(\"Match\"));\n");
  EXPECT_TRUE(is_cell("m"));
  body("w=regexp(a,'x','match','once');\n");
  EXPECT_FALSE(is_cell("w"));
  body("t=regexp(a,'x','tokens','once');\n");
  EXPECT_TRUE(is_cell("t"));
  EXPECT_EQ(body("n=numel(regexp(a,'x','split'));\n"),
            "n=numel(grl::regexp_cell(a,TM(\"x\"),TM(\"split\")));\n");
  // The outputs after the named ones follow in their own order: start, end, ...
  body("[p,q,r,u]=regexp(a,'x','split','end');\n");
  EXPECT_TRUE(is_cell("p"));
  EXPECT_FALSE(is_cell("q"));
  EXPECT_FALSE(is_cell("r"));
  EXPECT_TRUE(is_cell("u"));   // tokenExtents
  body("v=regexp({'a'},'x');\n");
  EXPECT_TRUE(is_cell("v"));
  EXPECT_EQ(body("y=regexprep({'a'},'x','y');\n"),
            "y=grl::regexprep_cell((CL(TM(\"a\"))),TM(\"x\"),TM(\"y\"));\n");
  EXPECT_EQ(body("z=regexprep(a,'x','y');\n"), "z=regexprep(a,TM(\"x\"),TM(\"y\"));\n");

  // The names output is a structure (array) the call returns, as any other value; the
  // pattern may be any text.
  EXPECT_EQ(body("k=regexp(a,'(?<key>\\w)=(?<v>\\d)','names');\n"),
            "k=regexp(a,TM(\"(?<key>\\\\w)=(?<v>\\\\d)\"),TM(\"names\"));\n");
  EXPECT_EQ(body("[mm,k]=regexp(a,'\\((?<x>.)','match','names')\n"),
            "/*[mm,k]=*/regexp(a,TM(\"\\\\((?<x>.)\"),TM(\"match\"),TM(\"names\"),i_o,mm,k); "
            "gridlibout<<mm; gridlibout<<k;\n");
  EXPECT_EQ(body("k=regexp(a,a,'names');\n"), "k=regexp(a,a,TM(\"names\"));\n");
}

// c{:} where any number of values may stand becomes the whole list, sized at run
// time; a callee with a fixed count gets that many elements.
TEST_F(Statements, CellListsSpread) {
  auto known = [&](const char* name, int kind, int in) {
    symbol_info info = symbol_info::typed(datatypes().function_index());
    info[INFO_NIN] = in;
    info[INFO_NOUT] = 1;
    table.add(name, kind, info, 1);
  };
  known("fprintf", SYM_RESERVED_FUNCTION, -1);
  known("g", SYM_KNOWN_FUNCTION, 2);
  const std::string c = "c={1,2,3};\n";
  EXPECT_EQ(body(c + "x=[c{:}];\n"), "c=(CL(1.0),2.0,3.0);\nx=(BR(CS(c)));\n");
  EXPECT_EQ(body(c + "x=[0,c{:},4];\n"), "c=(CL(1.0),2.0,3.0);\nx=(BR(0.0),CS(c),4.0);\n");
  EXPECT_EQ(body(c + "x={c{2:3}};\n"), "c=(CL(1.0),2.0,3.0);\nx=(CL(CS(c,2,3)));\n");
  EXPECT_EQ(body(c + "fprintf('%d',c{:});\n"), "c=(CL(1.0),2.0,3.0);\nfprintf(TM(\"%d\"),CS(c));\n");
  // A fixed count is spread when the call runs, as many elements as c then holds.
  EXPECT_EQ(body(c + "y=g(c{:});\n"),
            "c=(CL(1.0),2.0,3.0);\ny=grl::cs_call_fill<2>(CS(c),\"g: function called with too many "
            "inputs\",GRL_CALL(g(_e...)));\n");
  // Two lists in one call, and a call with a spread call among its inputs (the lambda
  // would stand in a decltype), keep the fixed spread.
  EXPECT_EQ(body(c + "y=g(c{:},c{:});\n"), "c=(CL(1.0),2.0,3.0);\ny=g(c[1],c[2],c[1]);\n");
  EXPECT_EQ(body(c + "y=g(c{:},g(c{:}));\n"),
            "c=(CL(1.0),2.0,3.0);\ny=g(c[1],c[2],grl::cs_call_fill<2>(CS(c),\"g: function called "
            "with too many inputs\",GRL_CALL(g(_e...))));\n");
  EXPECT_EQ(body(c + "y=g(g(c{:}),c{:});\n"),
            "c=(CL(1.0),2.0,3.0);\ny=g(grl::cs_call_fill<2>(CS(c),\"g: function called with too "
            "many inputs\",GRL_CALL(g(_e...))),c[1]);\n");
}

// A variable given a handle is called through feval until it is given another value.
TEST_F(Statements, HandleVariablesCallThroughFeval) {
  EXPECT_EQ(body("h=@sin;\ny=h(a);\n"), "h=grl::handle(TM(\"sin\"));\ny=feval(h,a);\n");
  EXPECT_EQ(body("h=@g;\ny=h();\nh=[1 2];\nz=h(2);\n"),
            "h=grl::handle(TM(\"g\"));\ny=feval(h);\nh=(BR(1.0),2.0);\nz=h(2.0);\n");
  EXPECT_EQ(body("s='abc';\nt=s(2);\n"), "s=TM(\"abc\");\nt=s(2.0);\n");
}

TEST_F(Statements, DeclarationsAndDirectives) {
  EXPECT_EQ(body("global g h\n"), "");
  EXPECT_EQ(table.type_of(table.find("g", SYM_ANY)), SYM_GLOBAL);
  EXPECT_EQ(p->n_globals, 2);
  EXPECT_EQ(body("float q\n"), "");
  EXPECT_EQ(table.info_of(table.find("q", SYM_VARIABLES))[INFO_TYPE], 1);
  EXPECT_EQ(body("define N 5\nx=N;\n"), "x=5.0;\n");
  EXPECT_EQ(body("% note\n"), "// note\n");
  EXPECT_EQ(body("%KORVAL% C int k = 0;\n"), "int k = 0;\n");
  EXPECT_REPORT(body("%KORVAL% X y\n"), "Unknown KORVAL directive: X y\n$");
  EXPECT_EQ(body("!ls \"x\"\n"), "system(TM(\"ls \\\"x\\\"\"));\n");
  EXPECT_EQ(body("%# call g\n"), "");
}

// Command-line definitions (-DN=5, -DS='a"b') are numbers and strings of M, not
// names to look up; other text replaces the name as it stands.
TEST_F(Statements, ReplacementsTakeTheKindOfTheirText) {
  const auto define = [&](const char* name, const char* text) {
    table.add_typed(name, SYM_REPLACE, 0, 1);
    table.add_typed(text, SYM_REPLACEMENT, 0, 1);
  };
  define("N", "5");
  define("H", "-2.5e3");
  define("S", "'a\"b'");
  define("W", "sqrt");
  EXPECT_EQ(body("x=N/2;\n"), "x=5.0/2.0;\n");
  EXPECT_EQ(body("x=H;\n"), "x=-2500.0;\n");
  EXPECT_EQ(body("s=S;\n"), "s=TM(\"a\\\"b\");\n");
  EXPECT_EQ(body("y=W(4);\n"), "y=sqrt(4.0);\n");
}

TEST_F(Statements, ScriptsAndLines) {
  const std::string out = translate("% comment\nx = 1;\n");
  EXPECT_EQ(out, "// comment\n//$HEADER\nx=1.0;\n");
  EXPECT_EQ(p->kind, datatypes().script_index());
}

}  // namespace

namespace {

// The generated statements compile against a small header that declares the names the
// run-time library provides.
TEST_F(Statements, GeneratedTextCompiles) {
  const std::string code =
      translate("function [m,n]=g(a,b)\n"
                "scalar i\nfor i=1:3, m=a(i)+b'; end\n"
                "for v=a, n=v.*2; end\n"
                "if m>1 && n<2, m=[1 2;3 4]; elseif m==0, n=0; else n=a(end); end\n"
                "while n~=3 n=n+1; end\n"
                "switch m\ncase 1\nn=2;\notherwise\nn=3;\nend\n"
                "for i=1:2\nswitch i\ncase 1\ntry n=1; catch e, n=e; end\notherwise\n"
                "try\nswitch n\ncase 2\nif n, n=3; end\nend\ncatch\nend\nend\nend\n"
                "c={1,'s'}; d=c{2};\n[p,q]=size(a);\nm=a(:,1)\n",
                true);
  std::string body = code.substr(code.find("nargin_set=0; nargout_set=0;\n"));
  body = body.substr(0, body.find("nargin_val=old_nargin;"));
  const std::string dir = testing::TempDir();
  const std::string src = dir + "korval-gen-" + std::to_string(getpid()) + ".cpp";
  std::ofstream(src) << "#include \"" KORVAL_SOURCE_DIR "/tests/translate/names.h\"\n"
                     << "void body() {\nM<double> a(\"a\",0,0), b(\"b\",0,0), m(\"m\",0,0), "
                        "n(\"n\",0,0), v(\"v\",0,0), v_g_v0(\"v\",0,0), p(\"p\",0,0), "
                        "q(\"q\",0,0), d(\"d\",0,0), e(\"e\",0,0);\nM< M<double> > c(\"c\",0,0);\ndouble i;\n"
                        "grl::call_frame grl_frame(\"g.m\", \"g\");\n"
                     << body.substr(29) << "}\n";
  EXPECT_EQ(std::system(("g++ -std=c++17 -fsyntax-only " + src).c_str()), 0) << body;
}

// A whole function file with shorter entry points compiles: the entry points call the
// full function, which is declared before them.
TEST_F(Statements, FunctionFileWithEntryPointsCompiles) {
  const std::string m = "function [a,b]=g(x,y)\nif nargin<2, y=1; end\na=x+y; b=x.*y;\n";
  file_ = testing::TempDir() + "korval-file-" + std::to_string(getpid()) + ".m";
  std::ofstream(file_, std::ios::binary) << m;
  input_.assign(m);
  table.add_typed("nargin", SYM_RESERVED_FUNCTION, 0, 1);   // as the reserved-names file has it
  parser_t parser;
  parser.in = &input_;
  parser.symbols = &table;
  diag::set_position(file_, 1);
  parser_t::function_texts out;
  EXPECT_EQ(parser.translate_function(1, "g", out), 0);
  const std::string cpp = out.cpp;
  EXPECT_NE(cpp.find("M<double> g(M<double> x, M<double> y, i_o_t, Mr<double> a__o, "
                     "Mr<double> b__o);\n\nM<double> g() {\n"),
            std::string::npos)
      << cpp;
  const std::string src = testing::TempDir() + "korval-file-" + std::to_string(getpid()) + ".cpp";
  std::string text = cpp;
  text.replace(text.find("#include \"gridlib.h\""), 19,
               "#include \"" KORVAL_SOURCE_DIR "/tests/translate/names.h\"");
  const std::string extra = "#include \"gridlib_extra.h\"";
  if (text.find(extra) != std::string::npos) text.erase(text.find(extra), extra.size());
  std::ofstream(src) << text;
  EXPECT_EQ(std::system(("g++ -std=c++17 -fsyntax-only " + src).c_str()), 0) << text;
}

}  // namespace

// exist of a variable is decided here: an input by nargin (so its shorter entry points
// are generated), a name assigned only later once the function has been read, and a
// name that never becomes a variable by the library's file lookup.
TEST_F(Statements, ExistOfVariables) {
  std::string out = body("e = exist('a', 'var');\nq = exist('later');\nlater = 1;\nw = exist('sin');\n"
                         "v = exist('a b');\n");
  p->resolve_exist(out);
  EXPECT_NE(out.find("e=grl::exist_var(nargin_val>=1||grl::holds_value(a));"), std::string::npos) << out;
  EXPECT_EQ(p->uses_nargin, 1);
  EXPECT_NE(out.find("q=grl::exist_var(grl::holds_value(later));"), std::string::npos) << out;
  EXPECT_NE(out.find("w=exist(TM(\"sin\"));"), std::string::npos) << out;
  EXPECT_NE(out.find("v=exist(TM(\"a b\"));"), std::string::npos) << out;
  EXPECT_EQ(out.find('\x01'), std::string::npos) << out;
}

// try/catch: a C++ try block whose handler fills the catch variable's fields; a try
// without catch ignores the error; persistent variables become statics.
TEST_F(Statements, TryCatchAndPersistent) {
  const std::string head = "{ const double grl_counts[2]={nargin_val,nargout_val};\ntry {\n";
  const std::string handler =
      "} catch (const grl::exception& grl_caught) {\n"
      "nargin_val=grl_counts[0]; nargout_val=grl_counts[1]; nargin_set=0; nargout_set=0;\n"
      "grl::caught(grl_caught);";
  EXPECT_EQ(body("try\nb=1;\ncatch\nb=2;\nend\n"), head + "b=1.0;\n" + handler + "\nb=2.0;\n}}\n");
  EXPECT_EQ(body("try\nb=1;\nend\n"), head + "b=1.0;\n" + handler + "\n}}\n");
  const std::string caught = body("while 1\ntry\nbreak\ncatch err\ndisp(err.message)\nend\nend\n");
  EXPECT_NE(caught.find("break;\n} catch"), std::string::npos) << caught;
  EXPECT_NE(caught.find("err=grl::caught_value(grl_caught);\ngridlibout<<( disp(grl::field(err,GRL_FIELD(\"message\"))) );"),
            std::string::npos)
      << caught;
  EXPECT_GE(table.find("err", SYM_VARIABLES), 0);
  // Nested: the inner end closes the inner block only.
  EXPECT_EQ(body("try\ntry\nb=1;\nend\ncatch\nend\n"),
            head + head + "b=1.0;\n" + handler + "\n}}\n" + handler + "\n}}\n");
  // A statement on the try line, and after catch on its line.
  EXPECT_EQ(body("try b=1\ncatch err, b=2; end\n"),
            head + "b=1.0; gridlibout<<b;\n" + handler + "\nerr=grl::caught_value(grl_caught);\nb=2.0;\n}}\n");
  EXPECT_EQ(body("try, b=1; catch, b=2; end\n"), head + "b=1.0;\n" + handler + "\nb=2.0;\n}}\n");
  // A try inside a case: its end does not end the case, the switch's end does.
  const std::string in_case = body("switch a\ncase 1\ntry\nb=1;\nend\nb=3;\notherwise\nb=2;\nend\n");
  EXPECT_NE(in_case.find("}}\nb=3.0;\nbreak;\n}\notherwise {\nb=2.0;\nbreak;\n}\n} endmswitch;"), std::string::npos)
      << in_case;
  const std::string nested = body("switch a\ncase 1\nswitch b\ncase 2\nb=1;\nend\nb=3;\nend\n");
  EXPECT_NE(nested.find("break;\n}\n} endmswitch;\nb=3.0;\nbreak;\n}\n} endmswitch;"), std::string::npos) << nested;
  EXPECT_REPORT(body("case 1\n"), "case or otherwise outside switch");
  // break and continue inside a switch act on the loop around it, not on the switch.
  const std::string jumps = body("for k=1:3\nswitch k\ncase 1\ncontinue\notherwise\ntry\nbreak\nend\nend\n"
                                 "while 1\nbreak\nend\nend\n");
  EXPECT_NE(jumps.find("mcase (1.0) {\ngoto grl_continue_0;\nbreak;\n}"), std::string::npos) << jumps;
  EXPECT_NE(jumps.find("try {\ngoto grl_break_0;\n}"), std::string::npos) << jumps;
  EXPECT_NE(jumps.find("while (istrue(1.0)) {\nbreak;\n}\ngrl_continue_0:;\n}\ngrl_break_0:;"), std::string::npos)
      << jumps;
  body("persistent n\nif isempty(n), n=0; end\nn=n+1;\n");
  EXPECT_EQ(p->persistent_declarations(), "static M<double> n(\"n\",0,0); \n");
  // Not among the ordinary locals, which the function's top declares.
  EXPECT_EQ(table.listing(SYM_LOCAL, PN_DEFINITION).find("n(\"n\""), std::string::npos);
  EXPECT_REPORT(body("catch\n"), "catch without try\n$");
  EXPECT_REPORT(body("b=1;\npersistent b\n"), "a persistent variable must be declared before it is used\n$");
}

// Each statement records its line and column in the call frame, except where the record would
// split a block's text: between "} else" and the "if" of an elseif, before "}".
TEST_F(Statements, LineRecordsForTheErrorStack) {
  const std::string out = translate("function f(a)\nb = 1;\nif a\nb = 2;\nelseif b\nb = 3;\nend\n", true);
  EXPECT_NE(out.find("grl_frame.at(2,3);\nb=1.0;\ngrl_frame.at(3,4);\nif (istrue(a)) {\ngrl_frame.at(4,3);\nb=2.0;\n"
                     "} else\nif (istrue(b)) {\ngrl_frame.at(6,3);\nb=3.0;\n}\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(p->frame_declaration(), "grl::call_frame grl_frame(\"f.m\",\"f\");\n");
  p->mfile = "dir/f.m";
  EXPECT_EQ(p->frame_declaration(), "grl::call_frame grl_frame(\"dir/f.m\",\"f\");\n");
  p->file_base = "main";   // f a subfunction of main.m
  p->ordinal_in_file = 2;
  EXPECT_EQ(p->frame_declaration(), "grl::call_frame grl_frame(\"dir/f.m\",\"main>f\");\n");
  // A script's frame is named after it; its statements are a block that ends with them
  // (the same script may run twice in one scope).
  const std::string script = translate("x = 1;\n", true);
  EXPECT_NE(script.find("grl_frame_f.at(1,3);\nx=1.0;\n;}\n"), std::string::npos) << script;
  // The generated dispatchers have no frame.
  translate("function y=nargin_of(fun)\ny=1;\n", true);
  EXPECT_EQ(p->frame_declaration(), "");
}

TEST_F(Statements, OnCleanupAndErrorStructures) {
  EXPECT_EQ(body("c = onCleanup(@() disp('bye'));\n"), "grl_cleanups.add(\"c\", [=]{ disp(TM(\"bye\")); });\n");
  EXPECT_TRUE(p->uses_cleanup);
  EXPECT_NE(p->persistent_declarations().find("grl::cleanup_frame grl_cleanups;"), std::string::npos);
  // A handle variable is called as a handle; clear and a new value run the cleanup early.
  EXPECT_NE(body("h = @() disp('x');\nc = onCleanup(h);\nc = 3;\nclear c\nclear\n").find(
                "grl_cleanups.add(\"c\", [=]{ grl::call_handle(h,grl::arg_cell({})); });\n"
                "grl_cleanups.release(\"c\");\nc=3.0;\ngrl_cleanups.release(\"c\");\n"),
            std::string::npos);
  const std::string cleared = body("c = onCleanup(@g);\nd = 1;\nclear d\nclear all\n");
  EXPECT_NE(cleared.find("grl_cleanups.add(\"c\", [=]{ g(); });\nd=1.0;\nclear"), std::string::npos) << cleared;
  EXPECT_EQ(cleared.find("release(\"d\")"), std::string::npos) << cleared;
  EXPECT_NE(cleared.find("grl_cleanups.run();\nclear"), std::string::npos) << cleared;
  EXPECT_REPORT(body("c = onCleanup(3);\n"), "onCleanup takes a function handle");
  EXPECT_EQ(body("error(struct('message','m','identifier','a:b'));\n"),
            "error(grl::error_struct(TM(\"message\"),TM(\"m\"),TM(\"identifier\"),TM(\"a:b\")));\n");
}

namespace {

// A project whose files define every function but those named nowhere... or
// ...missing; the file of `named` asks for inputname.
class few_files_host : public parser_t::host_t {
 public:
  void translate_name(const std::string& name, symbol_type& table, int) override {
    asked.push_back(name);
    table.add_typed(name, SYM_FUNCTIONS, datatypes().function_index(), 1);
  }
  void add_search_dir(const std::string&) override {}
  bool defines(const std::string& name) override {
    return name.compare(0, 7, "nowhere") != 0 && name.find("missing") == std::string::npos;
  }
  bool asks_inputname(const std::string& name) override { return name == "named"; }
  std::vector<std::string> asked;
};

}  // namespace

// Names no file defines build into calls that fail when they run, with their place in
// the M-file; the translator asks the project for no file of theirs.
TEST_F(Statements, UndefinedFunctionsFailWhenReached) {
  few_files_host host;
  host_ = &host;
  const std::string out = translate("function f(a)\nif a > 5\n  y = nowhere(a, 2) + 1;\n  also_missing;\nend\n");
  EXPECT_NE(out.find("y=grl::undefined_call{\"nowhere\",3,7}(a,2.0)+1.0;"), std::string::npos) << out;
  EXPECT_NE(out.find("grl::undefined_value(\"also_missing\",4,3)"), std::string::npos) << out;
  for (const std::string& name : host.asked) EXPECT_FALSE(name == "nowhere" || name == "also_missing");
}

// Fields of such a call or name are never reached: the call or name fails first.
TEST_F(Statements, UndefinedNamesWithFields) {
  few_files_host host;
  host_ = &host;
  const std::string fields = translate("function f(a)\nif a > 5\n  y = missing_rec(2).k;\n  z = missing_opts.level.max + 1;\nend\n");
  EXPECT_NE(fields.find("y=grl::field(grl::undefined_call{\"missing_rec\",3,7}(2.0),GRL_FIELD(\"k\"));"), std::string::npos)
      << fields;
  EXPECT_NE(fields.find("z=grl::undefined_value(\"missing_opts\",4,7)+1.0;"), std::string::npos) << fields;
}

// [] as a whole subscript of a variable is an empty index; elsewhere it is the empty
// matrix, which deletes when assigned.
TEST_F(Statements, EmptySubscripts) {
  const std::string out = body("x = 1:3;\ny = x([]);\nx(:, []) = 5;\nx([]) = [];\nz = max([], [], 2);\n");
  EXPECT_NE(out.find("y=x(M<m_type>());"), std::string::npos) << out;
  EXPECT_NE(out.find("x(c_p,M<m_type>())=5.0;"), std::string::npos) << out;
  EXPECT_NE(out.find("x(M<m_type>())=nop_M;"), std::string::npos) << out;
  EXPECT_NE(out.find("max(nop_M,nop_M,2.0)"), std::string::npos) << out;
}

// Several outputs of a list of cell elements take the part of the cell the braces
// name; the empty subscript names no element.
TEST_F(Statements, OutputsOfACellList) {
  const std::string out = body("c = {1, 2; 3, 4};\n[a, b] = c{:};\n[a, b] = c{2, :};\n[a, b] = c{[]};\n");
  EXPECT_NE(out.find("grl::list_outputs(c,i_o,a,b);"), std::string::npos) << out;
  EXPECT_NE(out.find("grl::list_outputs(c(2.0,c_p),i_o,a,b);"), std::string::npos) << out;
  EXPECT_NE(out.find("grl::list_outputs(c(M<m_type>()),i_o,a,b);"), std::string::npos) << out;
}

// F(..., 'like', p) of a maker is the library's general maker; cast(x, 'like', p) casts
// to p's class. Other calls with a text 'like' stay as they are.
TEST_F(Statements, LikeOption) {
  const std::string out = body("p = 1;\na = zeros(2, 3, 'like', p);\nb = nan('like', p);\n"
                               "c = cast(a, 'like', p);\nd = strrep('like', 'l', p);\n");
  EXPECT_NE(out.find("a=grl::construct(\"zeros\",grl::arg_list<m_type>(2.0,3.0,TM(\"like\"),p));"),
            std::string::npos) << out;
  EXPECT_NE(out.find("b=grl::construct(\"NaN\",grl::arg_list<m_type>(TM(\"like\"),p));"), std::string::npos) << out;
  EXPECT_NE(out.find("c=cast(a,class"), std::string::npos) << out;
  EXPECT_NE(out.find("strrep(TM(\"like\"),TM(\"l\"),p)"), std::string::npos) << out;
}

// A call of a function that asks for inputname lists the names of its plain variable
// arguments first; inputname reads the list the function took.
TEST_F(Statements, InputNamesPassedToFunctionsThatAskForThem) {
  few_files_host host;
  host_ = &host;
  const int named = table.add_typed("named", SYM_FUNCTIONS, datatypes().function_index(), 1);
  table.info_of(named)[INFO_NIN] = 4;
  table.info_of(named)[INFO_NOUT] = 1;
  const std::string calls = body("x = 1;\nnamed(x, x + 1, [x 2], 'k');\nnamed(named(x));\nnamed();\n");
  EXPECT_NE(calls.find("grl::pass_names(\"named\",{\"x\",\"\",\"\",\"\"});\nnamed("), std::string::npos) << calls;
  EXPECT_NE(calls.find("grl::pass_names(\"named\",{\"\"});\ngrl::pass_names(\"named\",{\"x\"});\n"),
            std::string::npos) << calls;
  EXPECT_NE(calls.find("grl::pass_names(\"named\",{});\n"), std::string::npos) << calls;
  const std::string asks = body("n = inputname(2);\n");
  EXPECT_EQ(asks, "n=grl::inputname_of(grl_argnames,2.0);\n");
  EXPECT_TRUE(p->uses_inputname);
}

// m.keys(), m.values(k), m.isKey(k) on a variable: the map's method when it holds a
// map, else the field of that name indexed; a cell variable keeps plain indexing.
TEST_F(Statements, MapMethodsOnVariables) {
  EXPECT_EQ(body("m = 1;\nk = m.keys();\n"),
            "m=1.0;\nk=(grl::is_map(m)?grl::map_method(m,\"keys\",grl::arg_list<m_type>()):M<m_type>(grl::field(m,\"keys\")));\n");
  const std::string v = body("m = 1;\nv = m.values(c);\nm.remove('a');\n");
  EXPECT_NE(v.find("v=(grl::is_map(m)?grl::map_method(m,\"values\",grl::arg_list<m_type>(c)):"
                   "M<m_type>(grl::field(m,\"values\")(c)));"), std::string::npos) << v;
  EXPECT_NE(v.find("grl::map_method(m,\"remove\",grl::arg_list<m_type>(TM(\"a\")))"), std::string::npos) << v;
  // Not a method: another field name, an assignment, a name that is no variable.
  EXPECT_EQ(body("m = 1;\ny = m.other(2);\n"), "m=1.0;\ny=grl::field(m,GRL_FIELD(\"other\"))(2.0);\n");
  EXPECT_EQ(body("m.keys(2) = 1;\n").find("map_method"), std::string::npos);
}
