#include "comfort/choices.h"

#include <charconv>
#include <sstream>

namespace kv::comfort {

namespace {

constexpr const char* kHeader = "korvelin-watching 1";

bool readNumber(const std::string& text, double low, double high, double& out) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return false;
  out = value;
  return true;
}

bool readSwitch(const std::string& text, bool& out) {
  if (text != "yes" && text != "no") return false;
  out = text == "yes";
  return true;
}

}  // namespace

std::optional<LastingChoices> LastingChoices::parse(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return std::nullopt;
  LastingChoices c;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const std::string name = line.substr(0, eq), value = line.substr(eq + 1);
    double position = 0;
    bool ok = false;
    if (name == "subtitle-scale")
      ok = readNumber(value, 0.3, 4, c.subtitleScale);
    else if (name == "subtitle-position" && (ok = readNumber(value, 0, 150, position)))
      c.subtitlePosition = static_cast<int>(position);
    else if (name == "hardware-decoding")
      ok = readSwitch(value, c.hardwareDecoding);
    else if (name == "on-top")
      ok = readSwitch(value, c.onTop);
    else if (name == "normalise")
      ok = readSwitch(value, c.normalise);
    if (!ok) return std::nullopt;
  }
  return c;
}

std::string LastingChoices::text() const {
  char scale[16];
  const auto end =
      std::to_chars(scale, scale + sizeof scale, subtitleScale, std::chars_format::fixed, 2);
  auto yes = [](bool on) { return on ? "yes\n" : "no\n"; };
  return std::string(kHeader) + "\nsubtitle-scale=" + std::string(scale, end.ptr) +
         "\nsubtitle-position=" + std::to_string(subtitlePosition) +
         "\nhardware-decoding=" + yes(hardwareDecoding) + "on-top=" + yes(onTop) +
         "normalise=" + yes(normalise);
}

}  // namespace kv::comfort
