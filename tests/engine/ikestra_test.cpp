// The engine as the programs use it: a shared library loaded at run time.
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "test_support.h"

namespace {
namespace fs = std::filesystem;
using Entry = int32_t (*)(int32_t);

class EngineLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    lib_ = dlopen(KESTRA_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib_, nullptr) << dlerror();
    old_ = fs::current_path();
    fs::current_path(dir_.path());
  }
  void TearDown() override {
    fs::current_path(old_);
    if (lib_) dlclose(lib_);
  }
  Entry Get(const char* name) {
    return reinterpret_cast<Entry>(dlsym(lib_, name));
  }

  void* lib_ = nullptr;
  kestra::test::TempFolder dir_;
  fs::path old_;
};

TEST_F(EngineLibrary, ExportsBothNamesAndNothingElseOfTheEngine) {
  EXPECT_NE(Get("IKESTRA"), nullptr);
  EXPECT_NE(Get("_IKESTRA"), nullptr);
  EXPECT_EQ(dlsym(lib_, "_ZN6kestra11AnalysisRun7ExecuteEv"), nullptr);
}

TEST_F(EngineLibrary, WrongConsistencyCodeTouchesNoFile) {
  const fs::path in = dir_.path() / "wall.ks5d";
  kestra::test::WriteFile(in, "T\n");
  kestra::test::WriteNamesFile(dir_.path(), in);
  for (int32_t code : {15, 17}) {
    EXPECT_EQ(Get("_IKESTRA")(code), 1);
    EXPECT_EQ(Get("IKESTRA")(code), 1);
  }
  EXPECT_FALSE(fs::exists(dir_.path() / "wall.ks5o"));
  EXPECT_FALSE(fs::exists(dir_.path() / "wall.ks5p"));
  EXPECT_FALSE(fs::exists(dir_.path() / "wall.ks5r"));
}

TEST_F(EngineLibrary, RunsTheAnalysisNamedInTheCurrentFolder) {
  const fs::path in = dir_.path() / "wall.ks5d";
  kestra::test::WriteFile(in, kestra::test::ReadFile(
                                  fs::path(KESTRA_EXAMPLES) / "wall-on-springs.ks5d"));
  kestra::test::WriteNamesFile(dir_.path(), in);
  EXPECT_EQ(Get("_IKESTRA")(16), 0);
  EXPECT_NE(kestra::test::ReadFile(dir_.path() / "wall.ks5o").find("END OF ANALYSIS"),
            std::string::npos);
  // A second call in the same process starts afresh.
  EXPECT_EQ(Get("IKESTRA")(16), 0);
  const std::string report = kestra::test::ReadFile(dir_.path() / "wall.ks5o");
  EXPECT_EQ(report.find("END OF ANALYSIS"), report.rfind("END OF ANALYSIS"));
}

TEST_F(EngineLibrary, MissingNamesFileReturnsNormally) {
  EXPECT_EQ(Get("_IKESTRA")(16), 0);
}

}  // namespace
