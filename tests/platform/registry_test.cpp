#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

class Registry : public testing::Test {
 protected:
  void SetUp() override {
    file_ = testing::TempDir() + "korval-registry-" + std::to_string(getpid());
    std::remove(file_.c_str());
    setenv("KORVAL_REGISTRY", file_.c_str(), 1);
  }
  void TearDown() override { std::remove(file_.c_str()); }
  std::string file_;
};

const char kKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL";

TEST_F(Registry, ValuesRoundTripAndReplace) {
  std::string v;
  EXPECT_FALSE(platform::registry_get(kKey, "rootdir", v));  // no file yet
  ASSERT_TRUE(platform::registry_set(kKey, "rootdir", "/opt/korval/"));
  ASSERT_TRUE(platform::registry_set(kKey, "", "default=value"));
  ASSERT_TRUE(platform::registry_set(kKey, "rootdir", "/usr/korval/"));
  EXPECT_TRUE(platform::registry_get(kKey, "ROOTDIR", v));  // names ignore case
  EXPECT_EQ(v, "/usr/korval/");
  EXPECT_TRUE(platform::registry_get(std::string(kKey) + "\\", "", v));
  EXPECT_EQ(v, "default=value");

  std::ifstream in(file_);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, std::string(kKey) + "\\rootdir=/usr/korval/\n" + kKey + "\\=default=value\n");

  EXPECT_TRUE(platform::registry_delete(kKey, "rootdir"));
  EXPECT_FALSE(platform::registry_get(kKey, "rootdir", v));
}

TEST_F(Registry, RefusesWhatTheFileCannotHold) {
  EXPECT_FALSE(platform::registry_set(kKey, "a=b", "x"));
  EXPECT_FALSE(platform::registry_set(kKey, "name", "two\nlines"));
  std::string v;
  EXPECT_FALSE(platform::registry_get(kKey, "name", v));
  setenv("KORVAL_REGISTRY", "/proc/no/such/dir/registry", 1);
  EXPECT_FALSE(platform::registry_set(kKey, "name", "x"));
}

}  // namespace
