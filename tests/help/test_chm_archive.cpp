// The help file as the build compiles it, read back through libchm; and files that are not
// help files.

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "platform/qt/help/chm_archive.h"

using kv::help::ChmArchive;

namespace {

const std::string kChm = std::string(KORVELIN_STAGE) + "/pemra.chm";

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(ChmArchive, HoldsEveryPageOfTheSourcesAndEveryLinkLeadsToOne) {
  struct Edition {
    const char* file;
    std::string sources;
    const char* title;
  };
  const std::string sources = KORVELIN_HELP_SOURCES;
  for (const Edition& e : {Edition{"pemra.chm", sources, "Korvelin 使用说明"},
                           Edition{"pemra_en.chm", sources + "/en", "Korvelin Help"}}) {
    ChmArchive chm(std::string(KORVELIN_STAGE) + "/" + e.file);
    ASSERT_EQ(chm.status(), ChmArchive::Status::Ok) << e.file;
    const auto files = chm.files();
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(e.sources)) {
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() != ".htm") continue;
      ++pages;
      EXPECT_NE(std::find(files.begin(), files.end(), "/" + name), files.end()) << name;
      const auto page = chm.read(name);
      ASSERT_TRUE(page) << name;
      EXPECT_EQ(*page, slurp(entry.path().string())) << name;
      // Links inside the file: every one names a page that is there.
      const std::regex href("href=\"([^\"#:]+)");
      for (std::sregex_iterator m(page->begin(), page->end(), href), end; m != end; ++m)
        EXPECT_TRUE(chm.contains((*m)[1])) << name << " links to " << (*m)[1];
    }
    EXPECT_GE(pages, 9);
    EXPECT_NE(chm.read("help.htm")->find(e.title), std::string::npos) << e.file;
    EXPECT_TRUE(chm.contains("/help.htm"));
    EXPECT_FALSE(chm.contains("missing.htm"));
    EXPECT_FALSE(chm.read("missing.htm"));
    EXPECT_FALSE(chm.read(std::string(600, 'x')));
  }
}

TEST(ChmArchive, EveryChinesePageHasAnEnglishOne) {
  for (const auto& entry : std::filesystem::directory_iterator(KORVELIN_HELP_SOURCES)) {
    if (!entry.is_regular_file() || entry.path().extension() == ".txt") continue;
    const auto english = entry.path().parent_path() / "en" / entry.path().filename();
    const std::string name = entry.path().filename().string();
    if (name == "CMakeLists.txt") continue;
    if (name == "pemra.hhp") continue;  // pemra_en.hhp there
    ASSERT_TRUE(std::filesystem::is_regular_file(english)) << name;
    // Nothing Chinese is left but the name of the language to go back to.
    std::string text = slurp(english.string());
    for (std::size_t at; (at = text.find("中文")) != std::string::npos;) text.erase(at, 6);
    const QString shown = QString::fromStdString(text);
    EXPECT_FALSE(std::any_of(shown.begin(), shown.end(), [](QChar c) {
      return c.script() == QChar::Script_Han;
    })) << name;
  }
}

TEST(ChmArchive, TellsMissingEmptyAndForeignFilesApart) {
  QTemporaryDir dir;
  const std::string base = dir.path().toStdString();
  write(base + "/empty.chm", "");
  write(base + "/text.chm", "<html>not a help file</html>");
  const std::string real = slurp(kChm);
  ASSERT_GT(real.size(), 1000u);
  write(base + "/header.chm", real.substr(0, 100));
  write(base + "/half.chm", real.substr(0, real.size() / 2));
  std::filesystem::create_directory(base + "/folder.chm");

  EXPECT_EQ(ChmArchive(base + "/none.chm").status(), ChmArchive::Status::Missing);
  EXPECT_EQ(ChmArchive(base + "/empty.chm").status(), ChmArchive::Status::Empty);
  EXPECT_EQ(ChmArchive(base + "/text.chm").status(), ChmArchive::Status::NotChm);
  EXPECT_EQ(ChmArchive(base + "/header.chm").status(), ChmArchive::Status::NotChm);
  EXPECT_EQ(ChmArchive(base + "/folder.chm").status(), ChmArchive::Status::NotChm);
  // A file cut in half may still open; reading it must not crash, whatever it yields.
  ChmArchive half(base + "/half.chm");
  for (const std::string& name : half.files()) (void)half.read(name);
  (void)half.read("help.htm");
  for (const char* name : {"none.chm", "empty.chm", "text.chm"}) {
    ChmArchive chm(base + "/" + name);
    EXPECT_FALSE(chm.read("help.htm")) << name;
    EXPECT_TRUE(chm.files().empty()) << name;
  }
}
