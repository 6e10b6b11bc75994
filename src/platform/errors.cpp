#include "platform/errors.h"

#include <QLoggingCategory>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kv {

namespace {
Q_LOGGING_CATEGORY(stepLog, "korvelin.step", QtWarningMsg)
}

void reportSwallowed(const std::exception& error) noexcept {
  try {
    const auto* runtime = dynamic_cast<const RuntimeError*>(&error);
    qCDebug(stepLog, "step skipped: error %d: %s",
            runtime ? static_cast<int>(runtime->number()) : 0, error.what());
  } catch (...) {  // logging must never turn a skipped step into a failure
  }
}

double divide(double a, double b) {
  if (b == 0.0) throw RuntimeError(ErrorNumber::DivisionByZero, "division by zero");
  return a / b;
}

double toNumber(const std::string& text) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '\0') throw RuntimeError(ErrorNumber::TypeMismatch, "not a number: empty");
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(begin, &end);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(v))
    throw RuntimeError(ErrorNumber::TypeMismatch, "not a number: " + text);
  return v;
}

std::string numberText(double value) {
  // The shortest text that reads back as the same number.
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

long roundHalfEven(double value) {
  if (!std::isfinite(value) || value > std::numeric_limits<int>::max() + 0.5 ||
      value < std::numeric_limits<int>::min() - 0.5)
    throw RuntimeError(ErrorNumber::Overflow, "overflow");
  return static_cast<long>(std::nearbyint(value));  // default rounding mode: to nearest even
}

short toInt16(double value) {
  const long v = roundHalfEven(value);
  if (v < std::numeric_limits<short>::min() || v > std::numeric_limits<short>::max())
    throw RuntimeError(ErrorNumber::Overflow, "overflow");
  return static_cast<short>(v);
}

}  // namespace kv
