// MAT-files, ASCII data files, the file table and errors: what a program's standard
// output cannot show (files written, positions, the fatal messages).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#define GRLIB 0
#include "gridlib.h"
#include "ends.h"

typedef M<double> MD;

namespace {
MD str(const char* s) { return grl::str_M(s); }
std::string tmp(const char* name) { return std::string("/tmp/grl_io_") + std::to_string(getpid()) + "_" + name; }
}  // namespace

TEST(IoMat, RoundTripKeepsValuesKindsAndNames) {
  for (const char* opt : {"-v6", "-v4"}) {
    MD x("x", 0, 0), s("s", 0, 0), b("b", 0, 0), z("z", 0, 0), e("e", 0, 0);
    x = MD::alloc(2, 3);
    for (int k = 0; k < 6; ++k) x.pr()[k] = k + 0.5;
    s = str("hi there");
    b = MD(1.0); b.set_flags(grl::F_LOGICAL);
    z = MD::cplx(1.0, -2.0);
    const std::string f = tmp("a.mat");
    save(str(f.c_str()), str(opt), &x, &s, &b, &z, &e);
    MD x2("x", 0, 0), s2("s", 0, 0), b2("b", 0, 0), z2("z", 0, 0), e2("e", 0, 0);
    load(str(f.c_str()), &z2, &x2, &s2, &b2, &e2);
    ASSERT_EQ(x2.rows(), 2u);
    ASSERT_EQ(x2.cols(), 3u);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(x2.cre()[k], k + 0.5);
    EXPECT_TRUE(s2.ischar());
    EXPECT_EQ(grl::text_of(s2), "hi there");
    if (std::string(opt) == "-v6") {
      EXPECT_TRUE(b2.islogical());   // version 4 has no logical class
    }
    EXPECT_EQ(b2.cre()[0], 1.0);
    ASSERT_TRUE(z2.isc());
    EXPECT_EQ(z2.cim()[0], -2.0);
    EXPECT_TRUE(e2.isempty());
    std::remove(f.c_str());
  }
}

TEST(IoMat, NameWithoutExtensionMeansMatFile) {
  MD x("x", 0, 0);
  x = 7.0;
  const std::string f = tmp("noext");
  save(str(f.c_str()), &x);
  MD y("x", 0, 0);
  load(str(f.c_str()), &y);
  EXPECT_EQ(y.cre()[0], 7.0);
  std::remove((f + ".mat").c_str());
}

TEST(IoMat, MissingFileIsFatal) {
  MD x("x", 0, 0);
  EXPECT_ENDS(load(str("nofile"), &x), testing::ExitedWithCode(1), "error: load: unable to find file nofile");
}

TEST(IoAscii, RoundTripAndRaggedRows) {
  MD x("x", 0, 0);
  x = MD::alloc(2, 2);
  double v[] = {1, 3, 2, -4.25};
  for (int k = 0; k < 4; ++k) x.pr()[k] = v[k];
  const std::string f = tmp("a.txt");
  saveascii(str(f.c_str()), &x);
  MD y("y", 0, 0);
  loadascii(str(f.c_str()), &y);
  ASSERT_EQ(y.rows(), 2u);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(y.cre()[k], v[k]);
  std::FILE* o = std::fopen(f.c_str(), "w");
  std::fputs("1 2\n3\n", o);
  std::fclose(o);
  EXPECT_ENDS(loadascii(str(f.c_str()), &y), testing::ExitedWithCode(1), "inconsistent number of columns");
  std::remove(f.c_str());
}

// x = load(file): what a program's output cannot show, the empty file (MATLAB gives [],
// where Octave stops) and the MAT-files that have no value form here.
TEST(IoAscii, LoadAsValue) {
  const std::string f = tmp("v.txt");
  std::FILE* o = std::fopen(f.c_str(), "w");
  std::fclose(o);
  MD e = load(str(f.c_str()));
  EXPECT_EQ(e.rows(), 0u);
  EXPECT_EQ(e.cols(), 0u);
  // '-ascii' reads text whatever the file is called.
  const std::string m = tmp("text.mat");
  o = std::fopen(m.c_str(), "w");
  std::fputs("1 2\n", o);
  std::fclose(o);
  MD t = load(str(m.c_str()), str("-ascii"));
  ASSERT_EQ(t.numel(), 2u);
  EXPECT_EQ(t.cre()[1], 2.0);
  // Named .mat but holding text: no MAT-file to make a structure of.
  EXPECT_ENDS(load(str(m.c_str())), testing::ExitedWithCode(1), "error: load: ");
  // A real MAT-file gives a structure of its variables: by its header under any name,
  // by the name without ".mat", and with one variable named.
  MD x("x", 0, 0), y("y", 0, 0);
  x = 3.0;
  y = str("text");
  const std::string b = tmp("real");
  save(str(b.c_str()), &x, &y);
  const std::string renamed = tmp("real.dat");
  std::rename((b + ".mat").c_str(), renamed.c_str());
  MD s1 = load(str(renamed.c_str()));
  ASSERT_TRUE(s1.holds_struct());
  EXPECT_EQ(grl::field(s1, "x").cre()[0], 3.0);
  EXPECT_TRUE(grl::field(s1, "y").ischar());
  std::rename(renamed.c_str(), (b + ".mat").c_str());
  MD s2 = load(str(b.c_str()));
  ASSERT_TRUE(s2.holds_struct());
  EXPECT_EQ(s2.st_->names.size(), 2u);
  MD s3 = load(str((b + ".mat").c_str()), str("y"));
  ASSERT_EQ(s3.st_->names.size(), 1u);
  EXPECT_EQ(s3.st_->names[0], "y");
  EXPECT_ENDS(load(str((b + ".mat").c_str()), str("z")), testing::ExitedWithCode(1),
              "load: variable 'z' not found in");
  EXPECT_ENDS(load(str("no_file.txt"), str("-mat")), testing::ExitedWithCode(1),
              "error: load: unable to find file no_file.txt");
  // A directory is not a file to read.
  EXPECT_ENDS(load(str("/tmp")), testing::ExitedWithCode(1), "error: load: unable to find file /tmp");
  std::remove(f.c_str());
  std::remove(m.c_str());
  std::remove((b + ".mat").c_str());
}

TEST(IoFiles, WriteReadPositionsAndEnd) {
  const std::string f = tmp("t.txt");
  MD fid = fopen(str(f.c_str()), str("w"));
  ASSERT_GE(fid.cre()[0], 3.0);
  EXPECT_EQ(fwrite(fid, str("ab\n12 3.5 x\n")).cre()[0], 12.0);
  EXPECT_EQ(fclose(fid).cre()[0], 0.0);
  fid = fopen(str(f.c_str()));
  EXPECT_EQ(grl::text_of(fgetl(fid)), "ab");
  EXPECT_EQ(ftell(fid).cre()[0], 3.0);
  MD v = fscanf(fid, str("%f"));
  ASSERT_EQ(v.numel(), 2u);
  EXPECT_EQ(v.cre()[1], 3.5);
  EXPECT_EQ(grl::text_of(fgets(fid)), "x\n");
  EXPECT_EQ(fgetl(fid).cre()[0], -1.0);
  EXPECT_EQ(feof(fid).cre()[0], 1.0);
  frewind(fid);
  MD bytes = fread(fid, MD(2.0));
  EXPECT_EQ(bytes.cre()[0], double('a'));
  // Past the end or before the start: -1, and the position stays where it was.
  const double at = ftell(fid).cre()[0];
  EXPECT_EQ(fseek(fid, MD(1.0), str("eof")).cre()[0], -1.0);
  EXPECT_EQ(fseek(fid, MD(-1.0), str("bof")).cre()[0], -1.0);
  EXPECT_EQ(ftell(fid).cre()[0], at);
  EXPECT_EQ(fseek(fid, MD(-1.0), str("eof")).cre()[0], 0.0);
  EXPECT_EQ(fread(fid).cre()[0], double('\n'));
  fclose(fid);
  EXPECT_EQ(fopen(str("/nonexistent/dir/x")).cre()[0], -1.0);
  EXPECT_EQ(exist(str(f.c_str())).cre()[0], 2.0);
  EXPECT_EQ(exist(str("/tmp")).cre()[0], 7.0);
  deleteM(str(f.c_str()));
  EXPECT_EQ(exist(str(f.c_str())).cre()[0], 0.0);
}

TEST(IoFiles, BadStreamsAreFatal) {
  EXPECT_ENDS(fclose(MD(99.0)), testing::ExitedWithCode(1), "error: fclose: invalid stream number = 99");
  EXPECT_ENDS(grl::fid_file(7.5), testing::ExitedWithCode(1), "error: fprintf: invalid stream number = 7.5");
  EXPECT_EQ(grl::fid_file(1), stdout);
  EXPECT_EQ(grl::fid_file(2), stderr);
}

// fprintf reaches files opened by fopen; an id that is not open, or a closed one, ends
// the program before anything is written.
TEST(IoFiles, FprintfToFileIdsAndExistKinds) {
  const std::string f = tmp("fprintf.txt");
  MD fid = fopen(str(f.c_str()), str("w"));
  ASSERT_GE(fid.cre()[0], 3.0);
  fprintf(fid, str("%d-%s\n"), MD(4.0), str("x"));
  fprintf(fid, str("end"));
  fclose(fid);
  std::FILE* in = std::fopen(f.c_str(), "r");
  ASSERT_NE(in, nullptr);
  char buf[32] = {};
  const std::size_t n = std::fread(buf, 1, sizeof buf - 1, in);
  std::fclose(in);
  EXPECT_EQ(std::string(buf, n), "4-x\nend");
  EXPECT_ENDS(fprintf(fid, str("late")), testing::ExitedWithCode(1), "error: fprintf: invalid stream number = ");
  EXPECT_EQ(exist(str(f.c_str()), str("file")).cre()[0], 2.0);
  EXPECT_EQ(exist(str(f.c_str()), str("dir")).cre()[0], 0.0);
  EXPECT_EQ(exist(str("/tmp"), str("dir")).cre()[0], 7.0);
  EXPECT_EQ(exist(str("/tmp"), str("file")).cre()[0], 7.0);
  EXPECT_EQ(exist(str(f.c_str()), str("var")).cre()[0], 0.0);
  EXPECT_ENDS(exist(str(f.c_str()), str("kind")), testing::ExitedWithCode(1),
              "error: exist: unrecognized type argument \"kind\"");
  deleteM(str(f.c_str()));
}

// A message identifier before the format is not part of the message.
TEST(IoSys, WarningAndErrorIdentifiers) {
  testing::internal::CaptureStderr();
  warning(str("Pkg:id"), str("value %d"), MD(3.0));
  warning(str("off"), str("all"));
  warning(str("hidden: %d"), MD(4.0));
  warning(str("on"), str("all"));
  warning(str("rate: %d%%"), MD(5.0));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: value 3\nwarning: rate: 5%\n");
  EXPECT_ENDS(error(str("Pkg:id"), str("no %s"), str("way")), testing::ExitedWithCode(1), "error: no way");
  EXPECT_ENDS(error(str("a: %d"), MD(1.0)), testing::ExitedWithCode(1), "error: a: 1");
}

TEST(IoSys, ShellStatusOutputAndErrors) {
  EXPECT_EQ(system(str("exit 3")).cre()[0], 3.0);
  MD st, out;
  system_M(str("echo hi"), i_o, st, out);
  EXPECT_EQ(st.cre()[0], 0.0);
  EXPECT_EQ(grl::text_of(out), "hi\n");
  EXPECT_ENDS(error(str("x %d"), 3.0), testing::ExitedWithCode(1), "error: x 3");
  EXPECT_ENDS(exit_M(MD(4.0)), testing::ExitedWithCode(4), "");
  MD t0 = MD::alloc(1, 6), t1;
  const double c0[] = {2020, 12, 31, 23, 59, 59.5};
  for (int k = 0; k < 6; ++k) t0.pr()[k] = c0[k];
  t1 = t0;
  t1.pr()[4] = 60;   // one minute on, across the year's end
  EXPECT_EQ(etime(t1, t0).cre()[0], 60.0);
}
