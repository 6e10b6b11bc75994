// The command line of the korvelin executable.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options.h"

using kv::app::parseOptions;
using kv::app::ProgramOptions;

TEST(Options, WhatTheCommandLineAsksFor) {
  struct Case {
    std::vector<std::string> args;
    ProgramOptions::Mode mode;
    std::vector<std::string> files;
    std::string screenshot;
    double after;  // -1: none
  };
  const std::vector<Case> cases = {
      {{}, ProgramOptions::Mode::Run, {}, "", -1},
      {{"/a b/clip.mp4"}, ProgramOptions::Mode::Run, {"/a b/clip.mp4"}, "", -1},
      {{"/a", "b.mp4"}, ProgramOptions::Mode::Run, {"/a", "b.mp4"}, "", -1},  // split by a shell
      {{"--screenshot", "s.png", "x.mp4"}, ProgramOptions::Mode::Run, {"x.mp4"}, "s.png", 2},
      {{"x.mp4", "--after=0.5", "--screenshot=s.png"},
       ProgramOptions::Mode::Run,
       {"x.mp4"},
       "s.png",
       0.5},
      {{"--after", "10"}, ProgramOptions::Mode::Run, {}, "", 10},
      {{"--", "--after"}, ProgramOptions::Mode::Run, {"--after"}, "", -1},
      {{"-", "-x.mp4"}, ProgramOptions::Mode::Run, {"-", "-x.mp4"}, "", -1},
      {{"--version"}, ProgramOptions::Mode::Version, {}, "", -1},
      {{"--probe", "a", "b"}, ProgramOptions::Mode::Probe, {"a", "b"}, "", -1},
      {{"--execute", "hello"}, ProgramOptions::Mode::Execute, {"hello"}, "", -1},
  };
  for (const Case& c : cases) {
    const ProgramOptions o = parseOptions(c.args);
    const std::string line = testing::PrintToString(c.args);
    EXPECT_EQ(o.error, "") << line;
    EXPECT_EQ(o.mode, c.mode) << line;
    EXPECT_EQ(o.files, c.files) << line;
    EXPECT_EQ(o.screenshot, c.screenshot) << line;
    EXPECT_EQ(o.afterSeconds.value_or(-1), c.after) << line;
  }
}

TEST(Options, TheStartUpSummaryIsAskedFor) {
  EXPECT_FALSE(parseOptions({"x.mp4"}).summary);
  const ProgramOptions o = parseOptions({"--summary", "x.mp4"});
  EXPECT_TRUE(o.summary);
  EXPECT_EQ(o.files, std::vector<std::string>{"x.mp4"});
}

TEST(Options, MistakesAreReportedNotGuessed) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--probe"},
           {"--screenshot"},
           {"--screenshot="},
           {"--after", "-1"},
           {"--after", "1e9"},
           {"--after", "nan"},
           {"--after", "3s"},
           {"--after", ""},
           {"--fullscreen"},
           {"--summary=yes"},
       })
    EXPECT_NE(parseOptions(args).error, "") << testing::PrintToString(args);
}
