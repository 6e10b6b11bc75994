#pragma once
// The command line of the korvelin executable.
//   korvelin [--screenshot PATH] [--after SECONDS] [--summary] [FILE]
//   korvelin --probe FILE...
//   korvelin --execute TEXT
//   korvelin --version | --help

#include <optional>
#include <string>
#include <vector>

namespace kv::app {

struct ProgramOptions {
  enum class Mode { Run, Version, Help, Probe, Execute };
  Mode mode = Mode::Run;
  // Run: the words of the command line that name the file (the shell may split a path at its
  // spaces); Probe: the files; Execute: the command text (the client checks its count).
  std::vector<std::string> files;
  // Save a picture of the main window here and end (PNG).
  std::string screenshot;
  // When to take the picture, or (without one) when to end; seconds after start.
  std::optional<double> afterSeconds;
  // Print what start-up did as one JSON line (scripts and tests).
  bool summary = false;
  // A usage error ("" when the line is fine).
  std::string error;
};

ProgramOptions parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

// Seconds the screenshot waits when --after is not given.
inline constexpr double kDefaultScreenshotDelay = 2.0;

}  // namespace kv::app
