#include "driver/driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "driver/isopt.h"
#include "platform/process.h"

namespace {

TEST(Isopt, LastOccurrencePrefixAndCase) {
  const char* argv[] = {"-dt:skip", "prog.m", "-dt:double", "/mexhelp", "-dt=float", "-Trans"};
  const int argc = 6;
  std::string v;
  EXPECT_TRUE(option_value(argc, argv, "dt", v));
  EXPECT_EQ(v, "float");
  EXPECT_TRUE(is_option(argc, argv, "mex"));       // a prefix of mexhelp
  EXPECT_TRUE(option_value(argc, argv, "mexhelp", v));
  EXPECT_EQ(v, "");
  EXPECT_FALSE(is_option(argc, argv, "trans"));    // case-sensitive
  EXPECT_FALSE(is_option(argc, argv, "prog"));     // not a switch
  const char* only_program[] = {"-h"};
  EXPECT_FALSE(is_option(1, only_program, "h"));   // the program name is never examined
}

// On Unix an absolute path begins with "/": one that names a file is the main file,
// not a switch; "/trans" (no such file) is still the switch.
TEST(Isopt, AbsolutePathIsNoSwitch) {
  char dir[] = "/tmp/korval-isopt-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string main_file = std::string(dir) + "/trans.m";
  std::FILE* f = std::fopen(main_file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(is_switch("/trans"));
  EXPECT_FALSE(is_switch(main_file.c_str()));
  EXPECT_FALSE(is_switch(dir));
  const char* argv[] = {"korval", main_file.c_str()};
  EXPECT_FALSE(is_option(2, argv, "t"));
  std::remove(main_file.c_str());
  rmdir(dir);
}

driver_run parse(std::vector<const char*> args) {
  args.insert(args.begin(), "korval");
  driver_run run;
  driver::parse_switches(static_cast<int>(args.size()), args.data(), run);
  driver::collect_defines(static_cast<int>(args.size()), args.data(), run);
  return run;
}

TEST(Switches, OutputKindPrecedence) {
  EXPECT_EQ(parse({"p.m"}).kind, OUT_PROGRAM);
  EXPECT_EQ(parse({"-mexhelp", "-mex"}).kind, OUT_MEXHELP);
  EXPECT_EQ(parse({"-mex", "-xmath"}).kind, OUT_MEX);
  EXPECT_EQ(parse({"-xmath", "-idl"}).kind, OUT_IDL);
  EXPECT_EQ(parse({"-mex", "-dll:vb"}).kind, OUT_DLL_VB);
  EXPECT_EQ(parse({"-dll:delphi"}).kind, OUT_DLL_DELPHI);
  EXPECT_EQ(parse({"-dll:pb"}).kind, OUT_DLL_PB);
  EXPECT_EQ(parse({"-dll:oa"}).kind, OUT_DLL_OA);
  EXPECT_EQ(parse({"-dll:cobol"}).kind, OUT_DLL);
  EXPECT_EQ(parse({"-dll"}).kind, OUT_DLL);
}

TEST(Switches, ImpliedFlags) {
  driver_run ide = parse({"-ide:vc"});
  EXPECT_TRUE(ide.lines && ide.nologo && ide.ide);
  EXPECT_EQ(ide.ide_value, "vc");
  EXPECT_TRUE(parse({"-make"}).trans);
  driver_run m = parse({"-mat2cpp"});
  EXPECT_TRUE(m.trans);
  EXPECT_FALSE(m.main_program);
  EXPECT_TRUE(parse({"-mat2cpp", "-main"}).main_program);
  EXPECT_TRUE(parse({"p.m"}).main_program);
  EXPECT_FALSE(parse({"p.m"}).compiler_given);
  driver_run c = parse({"-compiler:gnu", "-target:unix"});
  EXPECT_TRUE(c.compiler_given);
  EXPECT_EQ(c.compiler, ini::CC_GNU);
  EXPECT_EQ(c.target, ini::TG_UNIX);
  driver_run b = parse({"-build:mt", "-norm"});
  EXPECT_TRUE(b.build && b.norm);
  EXPECT_EQ(b.build_value, "mt");
}

TEST(Switches, DefinesNeedBothSides) {
  driver_run r = parse({"-Dn=5", "/Dsize=big=x", "-D=1", "-Dempty=", "-Dnoeq", "-dt:x=y"});
  ASSERT_EQ(r.defines.size(), 2u);
  EXPECT_EQ(r.defines[0], std::make_pair(std::string("n"), std::string("5")));
  EXPECT_EQ(r.defines[1], std::make_pair(std::string("size"), std::string("big=x")));
}

TEST(MainFile, ProjectNameIsCutAtTheFirstDot) {
  const char* argv[] = {"korval", "-v", "dir/prog.sub.m"};
  driver_run run;
  driver::find_main_file(3, argv, run);
  EXPECT_EQ(run.main_dir, "dir/");
  EXPECT_EQ(run.main_name, "prog.sub.m");
  EXPECT_EQ(run.project_name, "prog_2esub");
  const char* none[] = {"korval", "d/"};
  EXPECT_EXIT(driver::find_main_file(2, none, run), testing::ExitedWithCode(1), "");
}

TEST(CommandRunner, StopsAtTheFirstFailingCommand) {
  const std::string mark = testing::TempDir() + "korval-system2-mark-" + std::to_string(getpid());
  std::remove(mark.c_str());
  EXPECT_EQ(system2("true;true\n\ntouch " + mark, 0, 0), 0);
  EXPECT_EQ(access(mark.c_str(), F_OK), 0);
  std::remove(mark.c_str());

  EXPECT_EQ(system2("true\nfalse\ntouch " + mark, 0, 1), 1);
  EXPECT_NE(access(mark.c_str(), F_OK), 0);
  EXPECT_EQ(system2("no-such-program-korval\ntouch " + mark, 0, 0), -1);
  EXPECT_NE(access(mark.c_str(), F_OK), 0);
}

TEST(CommandRunner, QuotesGroupWords) {
  EXPECT_EQ(platform::split_command("gcc  \"a b\" -o x\"y z\""),
            (std::vector<std::string>{"gcc", "a b", "-o", "xy z"}));
  EXPECT_EQ(platform::split_command("\"\""), (std::vector<std::string>{""}));
  EXPECT_TRUE(platform::split_command("  \t ").empty());
  EXPECT_EQ(platform::run_command("sh -c \"exit 7\"", false), 7);
}

}  // namespace
