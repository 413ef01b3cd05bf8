// parser_t: translates one M function, reading its statements through the scanner
// (scanner_t, translator/lexer/scanner.h), whose state it inherits.
#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lexer/scanner.h"
#include "lexer/tokens.h"
#include "symbols/datatype.h"
#include "symbols/symbol.h"
#include "translate/infer.h"
#include "translate/nested_functions.h"

// The M name of a library function: the translator puts the library's spelling
// (sqrt_M) in place of the M name (sqrt) before it looks names up.
std::string m_name(const symbol_type& table, const std::string& word);
// s as a C++ string literal, its quotes and backslashes escaped.
std::string c_string_literal(const std::string& s);
// The text a C++ string literal (a string token) stands for: c_string_literal undone.
std::string c_string_value(const std::string& literal);

class parser_t : public scanner_t {
 public:
  parser_t() = default;

  // Expression layer: operator levels, operand boundaries and the in-place rewrites
  // that turn M expressions into C++ over the run-time library (expr.cpp).
  static constexpr int MAX_ARGUMENTS = 62;
  static constexpr int kMaxVarargout = 8;    // outputs a function of varargout alone takes   // arguments a scanned list may hold
  int prec(int i);
  int find_expr(int i, int dir);
  int next_op(int i);
  // Fills bounds (resized as needed) with the first token of each argument and, at
  // bounds[n], the closing bracket; returns n.
  int scan_arguments(int open, std::vector<int>& bounds);
  int argument_of(int i, const std::vector<int>& bounds, int n);
  int index_owner(int i);
  int end_owner(int i, int& start);
  int operand_start(int open);
  void rewrite_postfix(const char* op, const char* name);
  void rewrite_infix(const char* op, const char* name);
  void rewrite_operators();   // the operator table, in its order
  void rewrite_colon();
  void exact_int_literals();
  void rewrite_end();
  void rewrite_brackets();
  void rewrite_single_target();
  bool field_list_target();
  void fold_sign(int i);
  bool constant_range(int i, double& start, double& step, double& stop);
  std::string spell_token(int i);
  bool calls_procedure();
  // Records name as a variable holding a cell of the default type.
  void mark_cell(const std::string& name);
  // Variables that hold a cell in one statement and another class in the next
  // (any_class.cpp). A translation records the candidates; the function is then
  // translated once more with any_vars set: those are declared as values of any class
  // (holding their cell), whole assignments of a cell and brace targets are written
  // for such a value.
  std::set<std::string> any_vars;
  std::set<std::string> plain_assigned;   // x = value that is surely not a cell
  std::set<std::string> class_tested;     // iscell(x), ischar(x), class(x), ...
  std::set<std::string> cell_results;     // x = regexprep(c, ...) that gives a cell
  std::set<std::string> any_outputs;      // [x, y] = f(v) with v of any class
  void note_class_tests();
  void note_plain_assignment(const std::string& var, int from);
  std::set<std::string> mixed_variables() const;
  void declare_any_vars();
  void any_class_calls();
  void any_arguments(int open);
  bool argument_of_m_function(int a);
  int matching_brace(int a);
  bool begins_cell(int i);
  bool call_yields_cell(int i);
  bool output_yields_cell(int i, std::size_t k);
  // regexp and regexpi at token i: the outputs the call gives, in order, as chosen
  // by the option words written as literal strings.
  bool is_regexp_call(int i);
  std::vector<std::string> regexp_outputs(int i);
  void function_handles();
  void apply_replacements();
  // Anonymous functions (anon.cpp): the token that stands for one in the statement is a
  // string token whose text is this character followed by the C++.
  static constexpr char kAnonMark = '\x01';
  // own_scope: the function of str2func's text, whose body sees no variable of the
  // function that makes it.
  bool anonymous_function(int at, bool own_scope = false);
  int anon_body_end(int from);
  int names_as_functions(int from, int to, const std::vector<std::string>& inputs);
  std::string anon_text(int from, int to);
  std::string anon_code(int from, int to, bool list);
  void translate_expression();
  // The fields of structures as calls of the library (fields.cpp); runs last.
  void field_pass();
  // X() of a value that may hold a handle (value_calls.cpp); runs after field_pass.
  void value_call_pass();
  bool struct_argument(int from, int to);
  void cell_list_outputs();
  void cell_subscripts();
  void rewrite_exist();
  // Names that are variables on some paths and functions on others (dual_names.cpp).
  std::set<std::string> dual_names;
  int body_depth = -1;   // the depth of the function's own statements
  void note_dual_names(int known, int at_depth);
  void dual_reads();
  bool feval_learns(const std::string& n);
  std::string exist_value(const std::string& var, char kind) const;
  bool library_function(const std::string& var) const;
  std::string exist_function(const std::string& var, char kind) const;
  void resolve_exist(std::string& text) const;
  std::vector<std::string> exist_pending;   // names of the exist marks, in order

  // Command forms (command.cpp): unsupported commands are dropped; `hold on` and the
  // like become calls whose first argument is a string.
  void translate();
  void command_form();
  void command_syntax();
  void search_path_statement();
  void compound_assignment();
  void expression_sets_ans();
  void display_calls();
  void cell_output_targets();
  void held_cell_results();
  void struct_cell_arguments();
  bool element_statement() const;
  static bool own_command_words(const std::string& word);
  static bool is_command(const std::string& word);

  // One function of an M-file (function.cpp): translates it and fills the C++ text of
  // the ".cpp" file (to be laid out by ctext_type), the header file's text (already
  // laid out) and the call records. Returns 1 when another function follows.
  struct function_texts {
    std::string cpp, header, header_name, records;
  };
  int translate_function(int ordinal, const std::string& base, function_texts& out);
  // The entry points and the full signature of the translated function.
  std::string entry_points(const std::string& f);
  std::string varargout_entries(const std::string& f, const std::string& rt) const;
  symbol_info info_record() const;

  // The statement translator (xline.cpp) and writer (outline.cpp).
  void translate_statement();
  void write_statement(std::string& out);
  void finish_function(std::string& out);
  std::string function_exit_text() const;
  std::string outputs_back_text() const;
  bool calls_for_no_output();
  bool lists_for_no_output();

  // What the translator asks of the project it works for.
  class host_t {
   public:
    virtual ~host_t() = default;
    // Finds the M-file of name on the search path and scans or translates it, so that
    // table learns its interface.
    virtual void translate_name(const std::string& name, symbol_type& table, int flag) = 0;
    // cd x: the M-files of x are found for the rest of the run.
    virtual void add_search_dir(const std::string& dir) = 0;
    // Whether an M-file of that name is on the search path.
    virtual bool has_mfile(const std::string&) { return false; }
    // Whether translate_name can find name (an M-file, a function of a file already
    // read, the main file); a name it cannot find is an undefined function.
    virtual bool defines(const std::string&) { return true; }
    // Whether the file of function name asks for the names of its arguments (inputname).
    virtual bool asks_inputname(const std::string&) { return false; }
    // Translates the function M-file name, which only a name built while the program
    // runs can reach; false (after a warning) when it does not translate, and the
    // program is then made without it.
    virtual bool try_translate(const std::string&) { return true; }
    // Whether try_translate left the file of name out of the program.
    virtual bool left_out(const std::string&) { return false; }
  };

  // ---- Set by the project before the first statement; read-only afterwards -------
  host_t* host = nullptr;
  symbol_type* symbols = nullptr;   // the function's symbol table (filled as it goes)
  int default_type = 0;             // type code given to new variables
  symbol_type* script_table = nullptr;   // merged in when the file turns out a script
  std::string mfile;        // the M-file's name, for #line
  std::string script_of;    // a script's local function: that script's M-file (s.m)
  std::string cpp_ext = "cpp";   // extension of generated C++ files
  bool lines = false;       // write #line before each statement
  // What inference proved before the translation (infer.h): real double scalars,
  // declared as C++ doubles, and real double arrays, whose elements are read and
  // written directly.
  std::set<std::string> inferred_scalars;
  std::set<std::string> inferred_arrays;
  // Variables that hold a 1 x 1 structure wherever they hold one (single_structures):
  // their fields are one value each, never a comma list.
  std::set<std::string> single_structs;
  // The second form of a function proven to give a real double scalar from real double
  // scalars: scalar_signature translates that form (inputs and output C++ doubles);
  // scalar_twin makes the general form call it when its arguments are such scalars.
  bool scalar_signature = false;
  bool scalar_twin = false;
  // The scalar form can raise no error (scalar arithmetic, comparisons, calls of
  // itself): it needs no call frame, as no stack is ever taken inside it.
  bool frameless = false;
  std::string scalar_dispatch(const std::string& f) const;

  // ---- Function state: the statement forms and the function's assembly -----------
  int kind = DT_UNCLASSIFIED;   // type code of the file: unclassified, function or script
  std::string name;         // the function being translated
  int depth = 0;            // C++ blocks open, the function's own included
  int loop_depth = 0;       // depth at which the outermost open loop began
  int n_in = 0, n_out = 0;
  int has_varargin = 0, has_varargout = 0;
  int uses_feval = 0, uses_nargin_fun = 0, uses_nargout_fun = 0;
  int uses_nargin = 0, uses_nargout = 0;
  int n_globals = 0;
  int end_reached = 0;      // the function's last statement: the writer closes it
  // The switch blocks open in the function: the depth each opened at (its cases end
  // there), and whether a case or otherwise of it is open.
  struct open_switch {
    int depth;
    bool in_case;
  };
  std::vector<open_switch> open_switches;
  // The loops open in the function: the depth each opened at, and whether a break or
  // continue inside a switch jumps to its labels (in C++ a switch's body is a loop of
  // its own, so those two leave the switch by goto).
  // A loop counted in C++ (for_range) sits in a block of its own with its range, the
  // views it opens and its counter's whole-number copy: its end closes that block too.
  struct open_loop {
    int depth;
    int id;
    bool breaks, continues;
    bool scoped = false;
    std::size_t views = 0;       // entries of active_views it opened
    bool shadow = false;         // it put its counter on active_shadows
    int fast = -1;               // its entry in fast_loops, or -1
  };
  std::vector<open_loop> open_loops;
  int loop_labels = 0;      // makes the labels of loops unique
  void loop_opened();
  // From inference: what each for statement may use, in order (infer.h), and how many
  // for statements have been met.
  std::vector<loop_plan> loop_plans;
  std::size_t for_ordinal = 0;
  // From inference: the views each while statement may open, in order, and how many
  // while statements have been met.
  std::vector<std::set<std::string>> while_views;
  std::vector<while_counter> while_counters;   // (parallel to while_views)
  std::size_t while_ordinal = 0;
  std::size_t while_loop_views();
  void while_counter_loop(std::size_t ordinal);
  // Arrays read through a view grl_view_<C++ name> in the loops open now, and loop
  // counters with a whole-number copy grl_q_<C++ name> (both by M name).
  std::vector<std::string> active_views;
  std::vector<std::string> active_shadows;
  std::set<std::string> while_shadows;   // those of while loops: the copy is grl::whole_q
  bool counted_for(const std::string& v, const std::string& vc, bool scalar, const loop_plan& plan, int& fast);
  // A subscript that follows a loop counter: sign * counter + offset (a whole literal:
  // no counter), and its whole-number C++ text.
  struct sub_form {
    std::string counter;
    int sign = 1;
    long long offset = 0;
    std::string whole;
  };
  bool whole_subscripts(int open, int close, std::vector<sub_form>* forms = nullptr);
  // An innermost counted loop over a whole-number counter is written twice (see
  // expand_fast_loops): a copy whose element accesses index with no test, run when the
  // checks made as it starts show every subscript within its extent for every pass,
  // and the ordinary copy. grl_fast (std::true_type or std::false_type) tells the copies
  // apart in the accesses, the counter and the line records.
  struct fast_loop {
    std::string counter;               // the loop's variable (M name)
    std::string range;                 // its grl::for_range
    std::vector<std::string> checks;   // what must hold for the fast copy
    std::set<std::string> fast_views, other_views;   // views accessed each way
    bool ok = true;                    // no loop inside, no labels
  };
  std::map<int, fast_loop> fast_loops;
  fast_loop* open_fast_loop();
  void fast_access(fast_loop& loop, const std::string& view, bool write, const std::vector<sub_form>& forms);
  bool raises_nothing_when_fast();
  void expand_fast_loops(std::string& body) const;
  bool loop_jump();         // break or continue inside a switch: the goto
  int has_return = 0;       // the function's end needs the target of return
  int loop_count = 0;       // makes the auxiliary names of for loops unique
  // The try blocks open in the function: the depth each opened at, and whether its
  // catch has been met.
  struct open_try {
    int depth;
    bool caught;
  };
  std::vector<open_try> open_tries;
  std::vector<std::string> persistent_vars;   // declared static, in order
  bool uses_inputname = false;                // inputname: the function takes its callers' names
  bool uses_cleanup = false;                  // onCleanup: the function has a cleanup frame
  std::set<std::string> cleanup_vars;         // variables that hold an onCleanup
  // The call frame that records the running line for an error's stack: its C++ name,
  // empty for the generated dispatchers, which have none.
  std::string frame_variable() const;
  std::string frame_declaration() const;
  std::string file_base;       // the M-file's name without .m, for the frame of a subfunction
  int ordinal_in_file = 1;     // 1 for the file's first function, 2... for subfunctions
  // clear c / c = value of a variable holding an onCleanup: its cleanup runs first.
  std::string cleanup_release_text();
  std::string line_record();
  bool follows_else = false;   // the statement written last was the "} else" of an elseif
  std::string before_statement;   // C++ the writer puts before the statement's own
  // The statics of the persistent variables and the cleanup frame, for the function's
  // declarations.
  std::string persistent_declarations() const;
  std::set<std::string> handle_vars;        // variables that hold a function handle
  // Nested functions: the file's plan (null for a file without them) and this
  // function's part of it (null for a function outside every nest).
  const nest_plan* nest = nullptr;
  const nest_function* nest_self = nullptr;
  int source_line(int line) const;
  void declare_shared();
  void evaluated_statement();
  std::string local_definitions();
  // The frame of a function of a nest and the references to its shared variables.
  std::string nest_declarations() const;
  std::set<std::string> nest_prototypes;    // nested functions without inputs a handle calls
  std::string handle_text(const std::string& quoted);

  // ---- Statement state: set by the translator, read by the writer ---------------
  // (display, the statement's own flag, comes from the scanner and may be cleared.)
  int is_function_line = 0;
  int needs_semicolon = 0;  // the writer ends the statement with ";"
  int header_pending = 0;   // the writer emits the header marker first
  int par_run_pending = 0;  // the previous statement was par_run
  std::vector<std::string> handle_targets;  // functions named by this statement's handles
  // The file's local functions by their M names, and the functions a name built while
  // the program runs may reach (str2func or feval of text): they join the dispatcher.
  std::vector<std::string> local_names;
  bool reads_ans = false;   // the file names ans: expression statements set it
  // The number of outputs of the M function of that name (-1: no such M function).
  std::function<int(const std::string&)> outputs_of;
  std::vector<std::string> run_time_targets;
  bool run_time_targets_added = false;

 protected:
  bool directive_word(const std::string& word) const override;

 private:
  [[noreturn]] void fail(const char* msg);
  void function_line();
  // The statement forms (forms.cpp): one handler per first word.
  using form_handler = bool (parser_t::*)();
  static const form_handler* find_form(const std::string& word);
  // onCleanup and error(struct(...)) (errors.cpp), rewritten before the expressions.
  void error_rewrites();
  void like_arguments();
  void cleanup_statement();
  void error_structs();
  // The text that ends a block at "end": "}", or for a try without catch the handler
  // that ignores the error.
  std::string close_block_text();
  bool statement_form();
  void check_statement();   // check.cpp: reports what has no C++ form
  static bool unsupported_statement(const std::string& word);
  bool keyword_statement() const;
  void block_text();
  bool form_par_run();
  bool form_par_sync();
  bool form_else();
  bool form_elseif();
  bool form_if_while();
  bool form_global();
  bool form_define();
  bool form_declaration();
  bool form_switch();
  bool form_case();
  bool form_end();
  bool form_do();
  bool form_until();
  std::string close_loop_text(const std::string& close);
  bool form_return();
  bool form_assert();
  // try, catch and persistent (errors.cpp).
  bool form_try();
  bool form_catch();
  bool form_persistent();
  void try_block();
  void catch_block();
  void persistent_statement();
  bool form_for();
  bool form_load_save();
  bool form_comment();
  bool form_shell();
  void for_loop();
  void unwrap_for();
  void replace_token(int i, const std::string& with);
  void assignment(int eq);
  void forward_outputs(int eq, int count);
  void load_save();
  std::string loaded_names();
  void identifier_pass();
  bool function_fields(int i, std::size_t dot);
  bool package_word(int i);
  bool known_count(int i);
  void undefined_name(int i);
  bool empty_subscript(int i) const;
  void pass_argument_names(int i);
  void cell_element_indexes(int open);
  void element_access_pass();
  void scalar_library_calls();
  bool proven_array(const std::string& word) const;
  int resolve(const std::string& word, int e, int line);
  void varargin_pass();
  void arity_pass();
  void regexp_pass();
  int call_end_or_none(int open);
  int call_end(int open);
  int cell_list(int i);
  // Output lists that name cell elements (outputs.cpp).
  int output_marker(int owner);
  bool m_function_call(int owner);
  int wrap_outputs(int owner, int marker);
  void output_places_pass();
  // isKey, values and remove given their keys as a cell literal (objects.cpp).
  void map_key_literals();
  int list_tokens(int i, double& start, double& stop);
  // c{:} or c{a:b} at i: its tokens, and for a range its bounds as tokens (a number, or
  // an expression evaluated when the statement runs).
  struct list_span {
    int tokens = 0;
    bool range = false;
    std::vector<std::pair<std::string, int>> first, last;
    // c{k, :} and the like: the subscripts of the part of c whose elements are listed.
    bool part = false;
    std::vector<std::pair<std::string, int>> subscripts;
  };
  list_span list_at(int i);
  list_span part_of_cell(int i);
  int put_list(int at, const std::string& c, const list_span& span, bool place = false);
  int spread_call(int i, int tokens, int owner, const std::vector<int>& bounds, int inputs,
                  int callee_in, bool library);
  bool takes_any_number(int i, int owner);
  bool holds_matrix(int at);
  bool is_false(int j);
  void add_variable(const std::string& var, int type);
  void empty_statement();
  void raw(int at, const std::string& text);
};
