// The project file updater on project files made here, compared byte for byte.
#include "addin/prjupd.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "scratch_dir.h"

namespace {

using prjupd::CopyTextFile;
using prjupd::ForceExtension;
using prjupd::HasExtension;
using prjupd::InsertLineAfterPrefix;
using prjupd::InsertSourceIntoGroup;
using prjupd::UpdateProjectFromMakefile;

std::string crlf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* l : lines) text += std::string(l) + "\r\n";
  return text;
}

const char kHead[] =
    "# Developer Studio Project File - Name=\"demo\" - Package Owner=<4>\r\n"
    "# Developer Studio Generated Build File, Format Version 5.00\r\n"
    "# ** DO NOT EDIT **\r\n"
    "\r\n"
    "CFG=demo - Win32 Debug\r\n"
    "!IF  \"$(CFG)\" == \"demo - Win32 Release\"\r\n"
    "# ADD BASE CPP /nologo /W3 /GX /O2 /c\r\n"
    "# ADD CPP /nologo /W3 /GX /O2 /c\r\n"
    "!ELSEIF  \"$(CFG)\" == \"demo - Win32 Debug\"\r\n"
    "# ADD BASE CPP /nologo /W3 /Gm /Zi /Od /c\r\n"
    "# ADD CPP /nologo /W3 /Gm /Zi /Od /c\r\n"
    "!ENDIF \r\n"
    "\r\n"
    "# Begin Target\r\n"
    "\r\n"
    "# Name \"demo - Win32 Release\"\r\n"
    "# Name \"demo - Win32 Debug\"\r\n";

const char kUtil[] = "# Begin Source File\r\n\r\nSOURCE=.\\util.cpp\r\n# End Source File\r\n";
const char kTail[] = "# End Target\r\n# End Project\r\n";

class Updater : public testing::Test {
 protected:
  void SetUp() override {
    project_ = dir_ + "/demo.dsp";
  }

  void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }

  testutil::scratch_dir scratch_{"prjupd"};
  std::string dir_ = scratch_.path(), project_;
};

std::string entry(const std::string& source) {
  return "# Begin Source File\r\nSOURCE=" + source + "\r\n# End Source File\r\n";
}

std::string m_entry(const std::string& source, const std::string& cpp, const std::string& command) {
  return "# Begin Source File\r\nSOURCE=" + source + "\r\n# Begin Custom Build\r\n" + cpp +
         ": $(SOURCE) \"$(INTDIR)\" \"$(OUTDIR)\"\r\n" + command +
         "\r\n# End Custom Build\r\n# End Source File\r\n";
}

// The translator's makefile for main.m calling show.m, as it writes it for Visual C++.
const char kMakefile[] =
    "#\n# KORVAL makefile for Visual C++ : Target WinNT/Win95 (Win32)\n#\n\nall: main.exe\n\n"
    "main.cpp: main.m\n\t/opt/k/korval main.m main.cpp -mat2cpp -nologo \n\n"
    "show.cpp: show.m\n\t/opt/k/korval show.m show.cpp -mat2cpp -nologo -ide:vc\n\n"
    "main.obj: main.cpp\n\tcl -c /MT main.cpp\n\n"
    "show.obj: show.cpp\n\tcl -c /MT show.cpp\n\n"
    "g_main.obj: g_main.cpp\n\tcl -c /MT g_main.cpp\n\n"
    "multi.cpp: a.m b.m\n\t/opt/k/korval a.m\n\n"
    "main.exe: main.obj show.obj g_main.obj \n\tcl /MT /Femain.exe @main.rsp grlibvc0.lib\n\n";

TEST_F(Updater, MakefileRulesFillTheTwoGroups) {
  const std::string original = std::string(kHead) + kUtil + kTail + "\r\n# stray\r\n";
  write(project_, original);
  write(dir_ + "/main.mak", kMakefile);
  std::vector<std::string> progress;
  const int r = UpdateProjectFromMakefile(project_, dir_ + "/main.mak", "/opt/k/",
                                          [&](const std::string& l) { progress.push_back(l); });
  EXPECT_NE(r, 0);
  // Groups are created before "# End Target" in the order the makefile names them;
  // the translator's command gets -ide:vc once; lines after "# End Project" go.
  const std::string expected =
      std::string(kHead) + kUtil + "# Begin Group \"m-files\"\r\n" +
      m_entry("main.m", "main.cpp", "\t/opt/k/korval main.m main.cpp -mat2cpp -nologo  -ide:vc") +
      m_entry("show.m", "show.cpp", "\t/opt/k/korval show.m show.cpp -mat2cpp -nologo -ide:vc") +
      "# End Group\r\n# Begin Group \"C++ files created from m-files\"\r\n" + entry("main.cpp") +
      entry("show.cpp") + entry("g_main.cpp") + "# End Group\r\n" + kTail;
  EXPECT_EQ(read(project_), expected);
  EXPECT_EQ(read(project_ + ".org"), original);
  EXPECT_FALSE(exists(project_ + ".tmp"));  // it became the project file
  EXPECT_EQ(progress, (std::vector<std::string>{
                          "Updating " + project_ + " from " + dir_ + "/main.mak", "Added main.m",
                          "Added show.m", "Added main.cpp", "Added show.cpp", "Added g_main.cpp",
                          "Update completed successfully."}));

  // The same update again leaves one entry per file.
  EXPECT_NE(UpdateProjectFromMakefile(project_, dir_ + "/main.mak", "/opt/k/", [](const std::string&) {}), 0);
  EXPECT_EQ(read(project_), expected);
  EXPECT_EQ(read(project_ + ".org"), expected);
}

TEST_F(Updater, ExistingEntriesGiveWayToTheNewOne) {
  // Demo.M with its custom build leaves for demo.m; the new entry comes last.
  const std::string demo_old = m_entry("Demo.M", "Demo.cpp", "\told");
  write(project_, std::string(kHead) + "# Begin Group \"m-files\"\r\n" + demo_old + "\r\n" +
                      entry("other.m") + "# End Group\r\n" + kTail);
  EXPECT_NE(InsertSourceIntoGroup("demo.m", project_, prjupd::kMFilesGroup, {"demo.cpp: x", "\tnew"}), 0);
  EXPECT_EQ(read(project_), std::string(kHead) + "# Begin Group \"m-files\"\r\n\r\n" + entry("other.m") +
                                "# Begin Source File\r\nSOURCE=demo.m\r\n# Begin Custom Build\r\n"
                                "demo.cpp: x\r\n\tnew\r\n# End Custom Build\r\n# End Source File\r\n"
                                "# End Group\r\n" + kTail);

  // A new g_ file replaces the other g_ file; util.cpp stays, with the empty lines
  // before its source line dropped; other groups are not touched.
  const std::string other_group = "# Begin Group \"other\"\r\n" + entry("g_keep.cpp") + "# End Group\r\n";
  write(project_, std::string(kHead) + other_group + "# Begin Group \"C++ files created from m-files\"\r\n" +
                      entry("G_old.cpp") + "# Begin Source File\r\n\r\n\r\nSOURCE=util.cpp\r\n"
                      "# PROP Exclude_From_Build 1\r\n# End Source File\r\n# End Group\r\n" + kTail);
  EXPECT_NE(InsertSourceIntoGroup("g_demo.cpp", project_, prjupd::kCppGroup, {}), 0);
  EXPECT_EQ(read(project_), std::string(kHead) + other_group +
                                "# Begin Group \"C++ files created from m-files\"\r\n"
                                "# Begin Source File\r\nSOURCE=util.cpp\r\n# PROP Exclude_From_Build 1\r\n"
                                "# End Source File\r\n" + entry("g_demo.cpp") + "# End Group\r\n" + kTail);
}

TEST_F(Updater, ShapesOfProjectFiles) {
  // No target: copied as it is, still a success; LF ends become CR LF.
  write(project_, "# Format Version 5.00\n# End Project\nlost\n");
  EXPECT_NE(InsertSourceIntoGroup("a.cpp", project_, prjupd::kCppGroup, {}), 0);
  EXPECT_EQ(read(project_), crlf({"# Format Version 5.00", "# End Project"}));

  // The file ends after "# Begin Source File" and empty lines inside the group: the
  // entry is kept as far as it goes, the new one is never placed.
  write(project_, std::string(kHead) + prjupd::kCppGroup + "\r\n# Begin Source File\r\n\r\n\r\n");
  EXPECT_NE(InsertSourceIntoGroup("a.cpp", project_, prjupd::kCppGroup, {}), 0);
  EXPECT_EQ(read(project_), std::string(kHead) + prjupd::kCppGroup + "\r\n# Begin Source File\r\n");

  // A line far longer than 511 characters stays one line.
  const std::string long_line = "# ADD LINK32 " + std::string(1500, 'x');
  write(project_, std::string(kHead) + long_line + "\n" + kTail);
  EXPECT_NE(InsertSourceIntoGroup("a.cpp", project_, prjupd::kCppGroup, {}), 0);
  EXPECT_EQ(read(project_), std::string(kHead) + long_line + "\r\n" + prjupd::kCppGroup + "\r\n" +
                                entry("a.cpp") + "# End Group\r\n" + kTail);
}

TEST_F(Updater, IncludeLineFollowsEachBaseLineOnce) {
  write(project_, std::string(kHead) + kTail);
  const std::string include = "# ADD CPP /I \"/opt/k/\"";
  EXPECT_NE(InsertLineAfterPrefix(project_, "# ADD BASE CPP", include), 0);
  const std::string once = read(project_);
  EXPECT_NE(once.find("# ADD BASE CPP /nologo /W3 /GX /O2 /c\r\n" + include + "\r\n# ADD CPP /nologo /W3 /GX /O2 /c\r\n"),
            std::string::npos) << once;
  EXPECT_NE(once.find("# ADD BASE CPP /nologo /W3 /Gm /Zi /Od /c\r\n" + include + "\r\n# ADD CPP /nologo /W3 /Gm"),
            std::string::npos) << once;
  EXPECT_EQ(once.size(), std::string(kHead).size() + std::string(kTail).size() + 2 * (include.size() + 2));
  EXPECT_NE(InsertLineAfterPrefix(project_, "# ADD BASE CPP", include), 0);
  EXPECT_EQ(read(project_), once);

  // The prefix on the last line: the new line still follows it.
  write(project_, crlf({"# Format Version 5", "# ADD BASE CPP /c"}));
  EXPECT_NE(InsertLineAfterPrefix(project_, "# ADD BASE CPP", include), 0);
  EXPECT_EQ(read(project_), crlf({"# Format Version 5", "# ADD BASE CPP /c"}) + include + "\r\n");
}

TEST_F(Updater, UnknownVersionLeavesTheProjectAlone) {
  const std::string v4 = "# Developer Studio Generated Build File, Format Version 4.00\r\n# Begin Target\r\n" +
                         std::string(kTail);
  write(project_, v4);
  EXPECT_EQ(InsertSourceIntoGroup("a.cpp", project_, prjupd::kCppGroup, {}), 0);
  EXPECT_EQ(InsertLineAfterPrefix(project_, "# Begin", "x"), 0);
  EXPECT_EQ(read(project_), v4);
  EXPECT_TRUE(exists(project_ + ".tmp"));  // the rewrite stays where it was made
  write(dir_ + "/m.mak", "a.obj: a.cpp\n");
  EXPECT_EQ(UpdateProjectFromMakefile(project_, dir_ + "/m", "/", [](const std::string&) {}), 0);
  EXPECT_EQ(read(project_), v4);

  // A makefile without a usable rule: nothing is added, the result is 0.
  write(project_, std::string(kHead) + kTail);
  write(dir_ + "/m.mak", "all: a.exe\nmy.model.cpp: my.model.m\n\tx\na.cpp: data.mat\n\ta.obj: a.c\n");
  std::vector<std::string> progress;
  EXPECT_EQ(UpdateProjectFromMakefile(project_, dir_ + "/m.mak", "/",
                                      [&](const std::string& l) { progress.push_back(l); }), 0);
  EXPECT_EQ(read(project_), std::string(kHead) + kTail);
  EXPECT_EQ(progress.size(), 1u);
}

TEST_F(Updater, UnreadableOrUnwritableFilesEndTheUpdate) {
  try {
    UpdateProjectFromMakefile(project_, dir_ + "/m.mak", "/", [](const std::string&) {});
    ADD_FAILURE() << "no failure";
  } catch (const prjupd::update_failure& e) {
    EXPECT_EQ(std::string(e.what()), "could not read " + project_);
  }
  EXPECT_FALSE(exists(project_ + ".org"));
  EXPECT_FALSE(exists(project_ + ".tmp"));

  write(project_, std::string(kHead) + kTail);
  try {
    UpdateProjectFromMakefile(project_, dir_ + "/none.mak", "/", [](const std::string&) {});
    ADD_FAILURE() << "no failure";
  } catch (const prjupd::update_failure& e) {
    EXPECT_EQ(std::string(e.what()), "could not read " + dir_ + "/none.mak");
  }

  // The temporary file cannot be made: the project file stays whole.
  ASSERT_EQ(::mkdir((project_ + ".tmp").c_str(), 0777), 0);
  EXPECT_THROW(InsertSourceIntoGroup("a.cpp", project_, prjupd::kCppGroup, {}), prjupd::update_failure);
  EXPECT_EQ(read(project_), std::string(kHead) + kTail);
}

TEST(UpdaterNames, ExtensionsAndCopies) {
  EXPECT_EQ(HasExtension("demo.m", "m"), 0);
  EXPECT_NE(HasExtension("demo.mat", "m"), 0);
  EXPECT_NE(HasExtension("my.model.m", "m"), 0);
  EXPECT_NE(HasExtension("demo.M", "m"), 0);
  EXPECT_NE(HasExtension("demo", "m"), 0);
  EXPECT_EQ(HasExtension("/p/g_main.cpp", "cpp"), 0);

  std::string p = "/work/demo.v2/main.dsp";
  ForceExtension(p, "mak");
  EXPECT_EQ(p, "/work/demo.v2/main.mak");
  p = "C:\\p.q\\demo";
  ForceExtension(p, "dsp");
  EXPECT_EQ(p, "C:\\p.q\\demo.dsp");
  p = "a.b.c";
  ForceExtension(p, "dsp");
  EXPECT_EQ(p, "a.dsp");

  const std::string from = testing::TempDir() + "prjupd-copy-from", to = from + ".to";
  std::ofstream(from, std::ios::binary) << "a\nb\r\n\nlast";
  EXPECT_EQ(CopyTextFile(from, to), 0);
  std::ifstream in(to, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(), "a\r\nb\r\n\r\nlast\r\n");
  std::remove(from.c_str());
  std::remove(to.c_str());
}

}  // namespace
