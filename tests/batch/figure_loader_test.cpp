// SPDX-License-Identifier: MIT
#include "batch/figure_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

// The error of finding or opening the module, or "" when there is none.
template <class Step>
std::string errorOf(Step step, const fs::path& path) {
  try {
    step(path);
    return "";
  } catch (const FigureModuleError& error) {
    return error.what();
  }
}

std::string findingError(const fs::path& programFolder) {
  return errorOf(findFigureModule, programFolder);
}

std::string openingError(const fs::path& module) {
  return errorOf(openFigureModule, module);
}

// An installation under a temporary folder: PREFIX/bin for the program, PREFIX/lib/kvt for the
// module, each folder 0755 and the module 0644 unless a case changes them.
struct Installation {
  Installation() {
    fs::create_directories(bin);
    fs::create_directories(lib);
    for (const fs::path& folder : {dir.path(), dir.path() / "lib", bin, lib})
      ::chmod(folder.c_str(), 0755);
  }
  void put(const fs::path& module) const {
    std::ofstream(module) << "module";
    ::chmod(module.c_str(), 0644);
  }
  testing::TempDir dir;
  fs::path bin = dir.path() / "bin";
  fs::path lib = dir.path() / "lib" / "kvt";
};

TEST(FigureLoader, FindsTheModuleOnlyWhereNoOtherUserCouldHavePutIt) {
  struct Case {
    const char* what;
    void (*arrange)(const Installation&);
    const char* error;  // part of the message; "" when the module is found
  };
  const Case cases[] = {
      {"beside the program", [](const Installation& i) { i.put(i.bin / "kvt-figures.so"); }, ""},
      {"installed", [](const Installation& i) { i.put(i.lib / "kvt-figures.so"); }, ""},
      {"missing", [](const Installation&) {}, "kvt-figures.so is not installed (looked for "},
      {"in a folder others can write",
       [](const Installation& i) {
         i.put(i.lib / "kvt-figures.so");
         ::chmod(i.lib.c_str(), 0777);
       },
       "/lib/kvt can be written by other users"},
      {"in a sticky folder others can write",
       [](const Installation& i) {
         i.put(i.bin / "kvt-figures.so");
         ::chmod(i.bin.c_str(), 01777);
       },
       "/bin can be written by other users"},
      {"below a folder others can write",
       [](const Installation& i) {
         i.put(i.lib / "kvt-figures.so");
         ::chmod((i.dir.path() / "lib").c_str(), 0775);
       },
       "/lib above it can be written by other users"},
      {"writable by others",
       [](const Installation& i) {
         i.put(i.bin / "kvt-figures.so");
         ::chmod((i.bin / "kvt-figures.so").c_str(), 0666);
       },
       "kvt-figures.so can be written by other users"},
      {"a link to a module in a folder others can write",
       [](const Installation& i) {
         const fs::path open = i.dir.path() / "open";
         fs::create_directory(open);
         ::chmod(open.c_str(), 0777);
         i.put(open / "planted.so");
         fs::create_symlink(open / "planted.so", i.bin / "kvt-figures.so");
       },
       "/open can be written by other users"},
  };
  for (const Case& c : cases) {
    const Installation installation;
    c.arrange(installation);
    const std::string error = findingError(installation.bin);
    if (*c.error == '\0') {
      EXPECT_EQ(error, "") << c.what;
    } else {
      EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
    }
  }
}

TEST(FigureLoader, RefusesAModuleOfAnotherUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const Installation installation;
  const fs::path module = installation.bin / "kvt-figures.so";
  installation.put(module);
  ASSERT_EQ(::chown(module.c_str(), 65534, 65534), 0);
  EXPECT_NE(findingError(installation.bin).find("belongs to another user (uid 65534)"),
            std::string::npos);
}

TEST(FigureLoader, WithoutTheProgramsFolderNoModuleIsLooked) {
  EXPECT_NE(findingError({}).find("cannot be found: /proc/self/exe cannot be read"),
            std::string::npos);
}

TEST(FigureLoader, RefusesWhatIsNotAFigureModuleOfThisVersion) {
  const testing::TempDir dir;
  const std::string text = dir.file("text.so");
  std::ofstream(text) << "not a shared object";
  const std::pair<std::string, const char*> cases[] = {
      {KVT_STUB_MODULE_OTHER_VERSION, "is from another version of kvt-batch (module version 1000"},
      {KVT_STUB_MODULE_NO_ENTRY, "has no entry point kvtRenderFigure"},
      {text, "cannot be loaded: "},
  };
  for (const auto& [module, error] : cases)
    EXPECT_NE(openingError(module).find(error), std::string::npos) << openingError(module);
}

}  // namespace
}  // namespace kvt
