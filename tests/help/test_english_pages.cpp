// The help file, the local pages and the pictures with words in the language shown: their English
// editions beside them in English, the Chinese ones otherwise or when there is no English one.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "platform/forms/picture.h"
#include "platform/language.h"
#include "platform/qt/help/host_help.h"

using namespace kv;

TEST(EnglishPages, TheEnglishEditionWhenChosenAndPresent) {
  QTemporaryDir dir;
  const std::string base = dir.path().toStdString();
  for (const char* file :
       {"/both/pemra.chm", "/both/pemra_en.chm", "/alone/pemra.chm", "/help/keys.htm",
        "/help/en/keys.htm", "/news.htm", "/help/en/news.htm", "/help/other.htm",
        "/dialogs/promotion.png", "/dialogs/promotion_en.png", "/dialogs/other.png"}) {
    std::filesystem::create_directories(std::filesystem::path(base + file).parent_path());
    std::ofstream(base + file) << "x";
  }
  struct Case {
    const char* path;
    const char* english;  // what English shows
  };
  const Case helpFiles[] = {{"/both/pemra.chm", "/both/pemra_en.chm"},
                            {"/alone/pemra.chm", "/alone/pemra.chm"},
                            {"/none/pemra.chm", "/none/pemra.chm"}};
  const Case pages[] = {{"/help/keys.htm", "/help/en/keys.htm"},
                        {"/news.htm", "/help/en/news.htm"},
                        {"/help/other.htm", "/help/other.htm"}};
  const Case pictures[] = {{"/dialogs/promotion.png", "/dialogs/promotion_en.png"},
                           {"/dialogs/other.png", "/dialogs/other.png"}};
  for (const Language language : {Language::Chinese, Language::English}) {
    setShownLanguage(language);
    const bool english = language == Language::English;
    for (const Case& c : helpFiles)
      EXPECT_EQ(help::shownHelpFile(base + c.path), base + (english ? c.english : c.path))
          << c.path;
    for (const Case& c : pages)
      EXPECT_EQ(shownLocalPage(base + c.path), base + (english ? c.english : c.path)) << c.path;
    EXPECT_EQ(shownLocalUrl("file://" + base + "/news.htm"),
              "file://" + base + (english ? "/help/en/news.htm" : "/news.htm"));
    EXPECT_EQ(shownLocalUrl("https://example.org/news.htm"), "https://example.org/news.htm");
    for (const Case& c : pictures)
      EXPECT_EQ(forms::shownPictureFile(base + c.path), base + (english ? c.english : c.path))
          << c.path;
  }
  setShownLanguage(Language::Chinese);
}
