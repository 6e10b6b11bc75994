// The choice of language: the environment over the kept choice over Chinese, and the choice
// kept in a file of its own.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/host/atomic_file.h"
#include "platform/host/host_language.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {
struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("kv-language-" + std::to_string(::getpid()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() { fs::remove_all(path); }
};
}  // namespace

TEST(Language, TheEnvironmentThenTheKeptChoiceThenChinese) {
  struct Case {
    const char* environment;  // nullptr: not set
    const char* file;         // nullptr: no file
    Language expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, Language::Chinese}, {nullptr, "en\n", Language::English},
      {nullptr, "zh", Language::Chinese},    {"en", nullptr, Language::English},
      {"zh", "en\n", Language::Chinese},     {"en", "zh\n", Language::English},
      {"", "en", Language::English},         {"fr", "en", Language::English},
      {"EN", nullptr, Language::Chinese},    {nullptr, "english", Language::Chinese},
      {nullptr, "", Language::Chinese},      {" en ", nullptr, Language::English},
  };
  TempFolder dir;
  const std::string path = (dir.path / "language").string();
  for (const Case& c : cases) {
    fs::remove(path);
    if (c.file) std::ofstream(path) << c.file;
    EXPECT_EQ(host::startLanguage(c.environment, path), c.expected)
        << (c.environment ? c.environment : "(unset)") << " / " << (c.file ? c.file : "(none)");
  }
  // A folder where the file should be is no choice.
  fs::remove(path);
  fs::create_directory(path);
  EXPECT_EQ(host::startLanguage(nullptr, path), Language::Chinese);
}

TEST(Language, TheChoiceIsKeptInItsFile) {
  TempFolder dir;
  const std::string path = (dir.path / "korvelin" / "language").string();
  ASSERT_TRUE(host::storeLanguage(Language::English, path));
  EXPECT_EQ(host::readWholeFile(path, 64).value_or(""), "en\n");
  EXPECT_EQ(host::startLanguage(nullptr, path), Language::English);
  ASSERT_TRUE(host::storeLanguage(Language::Chinese, path));
  EXPECT_EQ(host::startLanguage(nullptr, path), Language::Chinese);

  // Where the folder should be there is a file: nothing is written, nothing breaks.
  const std::string blocked = (dir.path / "file" / "language").string();
  std::ofstream((dir.path / "file").string()) << "x";
  EXPECT_FALSE(host::storeLanguage(Language::English, blocked));
  EXPECT_EQ(host::startLanguage(nullptr, blocked), Language::Chinese);
}
