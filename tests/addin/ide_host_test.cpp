// The add-in as the IDE runs it: the installed ide-host loads the installed pelkor.so
// and the commands start the real translator (or the viewer) as processes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "scratch_dir.h"

namespace {

std::string quote(const std::string& s) { return testutil::shell_quote(s); }

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct run_result {
  int status = -1;
  std::string out, err;
};

const char kRootKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL\\rootdir";

const char kProject[] =
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
    "# Name \"demo - Win32 Debug\"\r\n"
    "# Begin Source File\r\n"
    "\r\n"
    "SOURCE=.\\extra.cpp\r\n"
    "# End Source File\r\n"
    "# End Target\r\n"
    "# End Project\r\n";

const char kHeader[] =
    "This is the output from running Visual KORVAL.\nPlease close this window after viewing it.\n";
const char kTrailer[] = "--------------KORVAL DONE-------------------------------------------\n";

class IdeHost : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_ + "/root/";
    proj_ = dir_ + "/proj/";
    std::system(("cp -r " + quote(KORVAL_TEST_ROOT) + " " + quote(root_) + " && mkdir " + quote(proj_)).c_str());
    configure_for_visual_cpp();
    set_root(root_);
    spit(proj_ + "main.m", "function main\nx = twice(3);\nshow(x)\n");
    spit(proj_ + "twice.m", "function y = twice(x)\ny = 2*x;\n");
    spit(proj_ + "show.m", "function show(v)\ndisp(v)\n");
    spit(proj_ + "demo.dsp", kProject);
  }

  // The root's settings name Visual C++, so the makefile's rules are .cpp and .obj.
  void configure_for_visual_cpp() {
    std::string ini = slurp(root_ + "korval.ini");
    auto set = [&ini](const std::string& key, const std::string& value) {
      const std::size_t at = ini.find("\n" + key + "=");
      const std::size_t end = ini.find('\n', at + 1);
      ini.replace(at + 1, end - at - 1, key + "=" + value);
    };
    set("Compiler", "Visual C++");
    set("Target", "Win32");
    set("CPP", "cl");
    set("CPPFLAGS", " /nologo /GX /Fo");
    set("EXEFLAGS", " /MT");
    set("LDFLAGS", " grlibvc%d.lib");
    spit(root_ + "korval.ini", ini);
  }

  void set_root(const std::string& root) {
    spit(dir_ + "/registry", std::string(kRootKey) + "\\=" + root + "\n");
  }

  // Runs ide-host from the test's root, in the directory `cwd` (default: the test's).
  run_result host(const std::string& args, const std::string& env = "") {
    const std::string cmd = "cd " + quote(dir_) + " && unset korval3 KORVAL3 mpath MPATH; KORVAL_REGISTRY=" +
                            quote(dir_ + "/registry") + " " + env + " " + quote(root_ + "ide-host") + " " +
                            args + " >" + quote(dir_ + "/out") + " 2>" + quote(dir_ + "/err");
    run_result r;
    const int st = std::system(cmd.c_str());
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.out = slurp(dir_ + "/out");
    r.err = slurp(dir_ + "/err");
    return r;
  }

  std::string add_args() { return "-project " + quote(proj_ + "demo.dsp") + " -choose " + quote(proj_ + "main.m") + " add"; }

  testutil::scratch_dir scratch_{"idehost"};
  std::string dir_ = scratch_.path(), root_, proj_;
};

TEST_F(IdeHost, AddMFilesTranslatesAndUpdatesTheProject) {
  // The root is stored without its separator: every path below has exactly one.
  set_root(root_.substr(0, root_.size() - 1));
  const run_result r = host(add_args());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  // The IDE saves and closes, the translator's output follows the log's header in the
  // output window, the updater reports, and the workspace and the log are opened.
  const std::string saves = "command: FileSaveAll\ncommand: WindowCloseAll\ncommand: WorkspaceSave\n"
                            "command: WorkspaceClose\n";
  ASSERT_EQ(r.out.compare(0, saves.size() + std::strlen(kHeader), saves + kHeader), 0) << r.out;
  const std::string updating = "Updating " + proj_ + "demo.dsp from " + proj_ + "main.mak\n";
  const std::size_t upd = r.out.find(updating);
  ASSERT_NE(upd, std::string::npos) << r.out;
  const std::string translator_output = r.out.substr(saves.size() + std::strlen(kHeader),
                                                     upd - saves.size() - std::strlen(kHeader));
  EXPECT_NE(translator_output, "");
  EXPECT_EQ(r.out.substr(upd + updating.size()),
            "Added main.m\nAdded main.cpp\nAdded twice.m\nAdded twice.cpp\nAdded show.m\n"
            "Added show.cpp\nAdded g_main.cpp\n"
            "Update completed successfully.\ncommand: WorkspaceOpen\nopen: " + proj_ + "korval.out\n")
      << r.out;
  // The log holds the same output between its header and trailer.
  EXPECT_EQ(slurp(proj_ + "korval.out"), kHeader + translator_output + kTrailer);

  const std::string dsp = slurp(proj_ + "demo.dsp");
  const std::string m_entry = "# Begin Source File\r\nSOURCE=main.m\r\n# Begin Custom Build\r\n"
                              "main.cpp: $(SOURCE) \"$(INTDIR)\" \"$(OUTDIR)\"\r\n\t" + root_ +
                              "korval main.m main.cpp -mat2cpp -nologo  -ide:vc\r\n# End Custom Build\r\n# End Source File\r\n";
  EXPECT_NE(dsp.find("# Begin Group \"m-files\"\r\n" + m_entry), std::string::npos) << dsp;
  EXPECT_NE(dsp.find("# Begin Group \"C++ files created from m-files\"\r\n# Begin Source File\r\nSOURCE=main.cpp\r\n"),
            std::string::npos) << dsp;
  EXPECT_NE(dsp.find("SOURCE=g_main.cpp\r\n# End Source File\r\n# End Group\r\n# Begin Group \"Gridkit\"\r\n"
                     "# Begin Source File\r\nSOURCE=" + root_ + "grlibvc0.lib\r\n# End Source File\r\n# End Group\r\n"
                     "# End Target\r\n# End Project\r\n"),
            std::string::npos) << dsp;
  const std::string include = "\r\n# ADD CPP /I \"" + root_ + "\"\r\n";
  EXPECT_NE(dsp.find("# ADD BASE CPP /nologo /W3 /GX /O2 /c" + include + "# ADD CPP /nologo /W3 /GX /O2 /c\r\n"),
            std::string::npos) << dsp;
  EXPECT_NE(dsp.find("# ADD BASE CPP /nologo /W3 /Gm /Zi /Od /c" + include), std::string::npos) << dsp;
  EXPECT_EQ(slurp(proj_ + "demo.dsp.org"), kProject);

  // A second run, with a workspace beside the project, leaves one entry per file and
  // reopens the workspace.
  spit(proj_ + "demo.dsw", "workspace\r\n");
  const run_result again = host(add_args());
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_NE(again.out.find("open: " + proj_ + "demo.dsw\nopen: " + proj_ + "korval.out\n"), std::string::npos)
      << again.out;
  EXPECT_EQ(slurp(proj_ + "demo.dsp"), dsp);
  EXPECT_EQ(slurp(proj_ + "demo.dsp.org"), dsp);
}

TEST_F(IdeHost, CommandsThatDoNotRun) {
  // IDE version 4: the version sentence, nothing else.
  const std::string version = "Visual KORVAL 3.0 can only be run with Developer Studio 5.X";
  run_result r = host("-version 4.2 " + add_args() + " viewer");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, version + "\n" + version + "\n");
  EXPECT_EQ(r.err, "box: " + version + "\nbox: " + version + "\n");

  // No project: no dialog, nothing run.
  r = host("-choose " + quote(proj_ + "main.m") + " add");
  EXPECT_EQ(r.out, "Please create or open a project before running Visual KORVAL.\n");
  EXPECT_EQ(r.err, "box: Please create or open a project before running Visual KORVAL.\n");

  // The dialog is cancelled: the command ends before the IDE saves anything.
  r = host("-project " + quote(proj_ + "demo.dsp") + " -cancel add");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(slurp(proj_ + "demo.dsp"), kProject);

  // No root directory in the registry: said once when the add-in connects, and again
  // by the command, which does nothing more.
  std::remove((dir_ + "/registry").c_str());
  r = host(add_args());
  EXPECT_EQ(r.out, "Could not locate KORVAL registry entry.\n");
  EXPECT_EQ(r.err, "box: Could not locate KORVAL registry entry.\nbox: Could not locate KORVAL registry entry.\n");
  EXPECT_EQ(slurp(proj_ + "demo.dsp"), kProject);
}

TEST_F(IdeHost, FailuresLeaveTheProjectAndShowTheLog) {
  // The translator fails on brackets that do not pair: its message is in the window and
  // the log, the project is unchanged, the log is still opened.
  spit(proj_ + "bad.m", "function bad\nx = (1 + ;\n");
  run_result r = host("-project " + quote(proj_ + "demo.dsp") + " -choose " + quote(proj_ + "bad.m") + " add");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "box: Error: KORVAL returned error code 1.\n");
  EXPECT_NE(r.out.find("error"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("command: WorkspaceOpen\nopen: " + proj_ + "korval.out\n"), std::string::npos);
  EXPECT_EQ(slurp(proj_ + "demo.dsp"), kProject);
  const std::string log = slurp(proj_ + "korval.out");
  EXPECT_EQ(log.compare(0, std::strlen(kHeader), kHeader), 0);
  EXPECT_EQ(log.substr(log.size() - std::strlen(kTrailer)), kTrailer);

  // A project file without the version marker is left as it was.
  std::string old = kProject;
  old.replace(old.find("Format Version 5.00"), 19, "Format Version 4.00");
  spit(proj_ + "demo.dsp", old);
  r = host(add_args());
  EXPECT_EQ(r.err, "box: Unknown VC Project File Version.\n");
  EXPECT_EQ(slurp(proj_ + "demo.dsp"), old);

  // The project file has gone by the time the translator is done: the update ends
  // with its message in the window and a box, and the log is still opened.
  std::remove((proj_ + "demo.dsp").c_str());
  r = host(add_args());
  EXPECT_EQ(r.err, "box: could not read " + proj_ + "demo.dsp\n");
  EXPECT_NE(r.out.find("\ncould not read " + proj_ + "demo.dsp\ncommand: WorkspaceOpen\nopen: " + proj_ +
                       "korval.out\n"), std::string::npos) << r.out;

  // The translator cannot be started.
  std::remove((root_ + "korval").c_str());
  r = host(add_args());
  EXPECT_EQ(r.err, "box: Could not run KORVAL. Please check configuration.\n");
  EXPECT_EQ(r.out, "command: FileSaveAll\ncommand: WindowCloseAll\ncommand: WorkspaceSave\n"
                   "command: WorkspaceClose\ncommand: WorkspaceOpen\nopen: " + proj_ + "korval.out\n");

  // The log cannot be written: the command ends with the workspace closed.
  ASSERT_EQ(::mkdir((proj_ + "korval.out.d").c_str(), 0777), 0);
  std::remove((proj_ + "korval.out").c_str());
  ASSERT_EQ(::rename((proj_ + "korval.out.d").c_str(), (proj_ + "korval.out").c_str()), 0);
  r = host(add_args());
  EXPECT_EQ(r.out.substr(r.out.size() - 33), "could not write KORVAL log file.\n");
  EXPECT_EQ(r.err, "box: could not write KORVAL log file.\n");
}

TEST_F(IdeHost, ViewerAboutAndDocuments) {
  // The viewer starts with no arguments in the IDE's directory, and is not waited for.
  ASSERT_EQ(std::system(("mkdir -p " + quote(root_ + "visual")).c_str()), 0);
  spit(root_ + "visual/lumigrid", "#!/bin/sh\necho \"$# $(pwd)\" > " + quote(dir_ + "/viewer.txt") + "\n");
  ::chmod((root_ + "visual/lumigrid").c_str(), 0755);
  run_result r = host("viewer");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");
  for (int i = 0; i < 100 && slurp(dir_ + "/viewer.txt").empty(); ++i) usleep(50 * 1000);
  EXPECT_EQ(slurp(dir_ + "/viewer.txt"), "0 " + dir_ + "\n");

  std::remove((root_ + "visual/lumigrid").c_str());
  r = host("viewer");
  EXPECT_EQ(r.out, "Could not run Matrix Viewer.\n");
  EXPECT_EQ(r.err, "box: Could not run Matrix Viewer.\n");

  // The root stored without its separator gets one.
  set_root(root_.substr(0, root_.size() - 1));
  r = host("about");
  EXPECT_EQ(r.err, "box: Visual KORVAL 3.0\\n\\nM-files into C++ in your Developer Studio projects\\n\\n"
                   "ADDIN Path: " + root_ + "pelkor.so\\n\\nKORVAL Path: " + root_ + "\n");
  std::remove((dir_ + "/registry").c_str());
  r = host("about");
  EXPECT_EQ(r.err, "box: Could not locate KORVAL registry entry.\nbox: Visual KORVAL 3.0\\n\\n"
                   "M-files into C++ in your Developer Studio projects\\n\\nADDIN Path: " + root_ +
                   "pelkor.so\\n\\nKORVAL Path: \n");

  // M-files are shown as C/C++ sources; other names, and binary files, are not.
  spit(dir_ + "/bin.m", std::string("a\0b", 3));
  r = host("open:x.m open:x.mat open:my.model.m open:" + quote(dir_ + "/bin.m") + " open:sub/model.m");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "open: x.m\nlanguage: x.m C/C++\nopen: x.mat\nopen: my.model.m\nopen: " + dir_ +
                       "/bin.m\nopen: sub/model.m\nlanguage: model.m C/C++\n");
}

TEST_F(IdeHost, PathAndCommandLine) {
  // The root goes in front of PATH once; the translator and the programs it starts see it.
  spit(root_ + "korval", "#!/bin/sh\necho \"PATH=$PATH\"\necho \"args=$*\"\necho \"dir=$(pwd)\"\nexit 3\n");
  ::chmod((root_ + "korval").c_str(), 0755);
  run_result r = host(add_args(), "PATH=/usr/bin:/bin");
  EXPECT_NE(r.out.find("\nPATH=" + root_ + ":/usr/bin:/bin\nargs=main.m -make -ide:vc\ndir=" + dir_ + "/proj\n"),
            std::string::npos) << r.out;
  EXPECT_EQ(r.err, "box: Error: KORVAL returned error code 3.\n");
  r = host(add_args(), "PATH=/bin:" + quote(root_));
  EXPECT_NE(r.out.find("\nPATH=/bin:" + root_ + "\n"), std::string::npos) << r.out;

  // An M-file elsewhere, in a directory with a blank: one argument, from the project.
  ASSERT_EQ(std::system(("mkdir " + quote(dir_ + "/my m")).c_str()), 0);
  spit(dir_ + "/my m/main.m", "disp(1)\n");
  spit(root_ + "korval", "#!/bin/sh\necho \"first=$1\"\n");
  r = host("-project " + quote(proj_ + "demo.dsp") + " -choose " + quote(dir_ + "/my m/main.m") + " add");
  EXPECT_NE(r.out.find("\nfirst=../my m/main.m\n"), std::string::npos) << r.out;

  for (const char* bad : {"", "-cancel", "-project", "-choose a.m -cancel add", "-x add", "build", "open:"}) {
    r = host(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
  }
}

}  // namespace
