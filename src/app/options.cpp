#include "app/options.h"

#include <cmath>
#include <cstdlib>

namespace kv::app {

const char* const kUsage =
    "usage: korvelin [--screenshot PATH] [--after SECONDS] [--summary] [FILE]\n"
    "       korvelin --probe FILE...   what the player would do with each file (JSON lines)\n"
    "       korvelin --execute TEXT    sends TEXT to the running player; exit status 0 when it\n"
    "                                  took it, 1 refused, 3 no player running, 4 no answer,\n"
    "                                  5 busy: too many earlier commands still waiting\n"
    "       korvelin --version\n"
    "  --screenshot PATH  save a picture of the main window (PNG) and end\n"
    "  --after SECONDS    take the picture, or end, this long after start (default 2 with\n"
    "                     --screenshot)\n"
    "  --summary          print what start-up did as one JSON line\n";

namespace {
constexpr double kLongestWait = 24 * 3600;

std::optional<double> seconds(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) || value < 0 ||
      value > kLongestWait)
    return std::nullopt;
  return value;
}
}  // namespace

ProgramOptions parseOptions(const std::vector<std::string>& args) {
  ProgramOptions o;
  if (!args.empty()) {
    const std::string& first = args[0];
    if (first == "--version" || first == "-v") {
      o.mode = ProgramOptions::Mode::Version;
      return o;
    }
    if (first == "--help" || first == "-h") {
      o.mode = ProgramOptions::Mode::Help;
      return o;
    }
    if (first == "--execute") {
      o.mode = ProgramOptions::Mode::Execute;
      o.files.assign(args.begin() + 1, args.end());
      return o;
    }
    if (first == "--probe") {
      o.mode = ProgramOptions::Mode::Probe;
      o.files.assign(args.begin() + 1, args.end());
      if (o.files.empty()) o.error = "--probe needs at least one file";
      return o;
    }
  }
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string word = args[i];
    if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
      o.files.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    if (word == "--summary") {
      o.summary = true;
      continue;
    }
    std::string value;
    const auto equals = word.find('=');
    const bool inlineValue = equals != std::string::npos;
    if (inlineValue) {
      value = word.substr(equals + 1);
      word = word.substr(0, equals);
    }
    if (word != "--screenshot" && word != "--after") {
      o.error = "unknown option " + word;
      return o;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        o.error = word + " needs a value";
        return o;
      }
      value = args[++i];
    }
    if (word == "--screenshot") {
      if (value.empty()) {
        o.error = "--screenshot needs a file name";
        return o;
      }
      o.screenshot = value;
    } else {
      o.afterSeconds = seconds(value);
      if (!o.afterSeconds) {
        o.error = "--after takes a number of seconds from 0 to 86400, not \"" + value + "\"";
        return o;
      }
    }
  }
  if (!o.screenshot.empty() && !o.afterSeconds) o.afterSeconds = kDefaultScreenshotDelay;
  return o;
}

}  // namespace kv::app
