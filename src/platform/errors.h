#pragma once
// The runtime's and the components' errors, and the resume-on-error step that swallows them.

#include <stdexcept>
#include <string>

namespace kv {

// Error numbers keep the meaning the handlers were designed against.
enum class ErrorNumber : int {
  InvalidProcedureCall = 5,
  Overflow = 6,
  SubscriptOutOfRange = 9,
  DivisionByZero = 11,
  TypeMismatch = 13,
  FileNotFound = 53,
  PathNotFound = 76,
  InvalidPropertyValue = 380,
  CantMoveMaximised = 384,
  ComponentFailed = 440,
};

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorNumber number, const std::string& what)
      : std::runtime_error(what), number_(number) {}
  ErrorNumber number() const { return number_; }

 private:
  ErrorNumber number_;
};

// Raised by a component (media player, Flash, web page) for a call it cannot honour.
class ComponentError : public RuntimeError {
 public:
  explicit ComponentError(const std::string& what)
      : RuntimeError(ErrorNumber::ComponentFailed, what) {}
};

// Writes what a resume-on-error step swallowed to the debug category "korvelin.step" (off by
// default; QT_LOGGING_RULES="korvelin.step.debug=true" shows it), so that a programming fault
// hidden by a step can still be found.
void reportSwallowed(const std::exception& error) noexcept;

// One step of a resume-on-error handler: a failure is skipped and the handler goes on.
// Returns whether the step completed.
template <class F>
bool step(F&& f) noexcept {
  try {
    f();
    return true;
  } catch (const std::exception& error) {
    reportSwallowed(error);
    return false;
  }
}

// Numeric helpers that fail like the original arithmetic instead of producing inf/UB.
double divide(double a, double b);         // DivisionByZero when b == 0
double toNumber(const std::string& text);  // TypeMismatch when the text is not a number
std::string numberText(double value);      // 12.5 -> "12.5", 100 -> "100"
long roundHalfEven(double value);          // banker's rounding, Overflow outside 32 bits
short toInt16(double value);               // rounded, Overflow outside 16 bits

}  // namespace kv
