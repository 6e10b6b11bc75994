// `korvelin --probe` on Flash movies: which engine would draw each and which tier serves its
// seek and position calls.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QProcess>

#include "media/flash/resource_movies.h"
#include "media/probe_flash.h"
#include "ruffle_test_util.h"

namespace kv::media::test {
namespace {

TEST(ProbeFlash, EngineAndTierPerMovie) {
  TempDir dir;
  TestMovie old;
  old.version = 6;
  struct Case {
    std::string file;
    const char* engine;
    const char* tier;
  } cases[] = {
      {dir.write("new.swf", buildMovie({})), "ruffle", "actions"},
      {dir.write("old.swf", buildMovie(old)), "ruffle", "menu"},
      {dir.write("idle.swf", idleMovieBytes()), "native", "native"},
      {dir.write("player.swf", playerMovieBytes()), "native", "native"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const QJsonObject o = media::flashEngineJson(c.file, ruffleDir());
    EXPECT_EQ(o["engine"].toString(), c.engine);
    EXPECT_EQ(o["tier"].toString(), c.tier);
    EXPECT_FALSE(o.contains("reason"));
  }
  // Without Ruffle users' movies go to the native runtime, and the probe says why.
  const QJsonObject without = media::flashEngineJson(cases[0].file, dir.path());
  EXPECT_EQ(without["engine"].toString(), "native");
  EXPECT_TRUE(without["reason"].toString().contains("missing"));
  EXPECT_TRUE(media::flashEngineJson(dir.write("bad.swf", {'C', 'W', 'S'}), ruffleDir()).isEmpty());
}

TEST(ProbeFlash, TheProgramReportsIt) {
  TempDir dir;
  const std::string movie = dir.write("cartoon.swf", buildMovie({}));
  QProcess p;
  p.start(KORVELIN_EXE, {"--probe", QString::fromStdString(movie)});
  ASSERT_TRUE(p.waitForFinished(60000));
  const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  EXPECT_EQ(o["flash"].toObject()["engine"].toString(), "ruffle");  // staged beside it
  EXPECT_EQ(o["flash"].toObject()["tier"].toString(), "actions");
}

}  // namespace
}  // namespace kv::media::test
