// The scan of action records: what a frame's actions do that the timeline acts on.

#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>
#include <unordered_set>

#include "media/flash/swf_detail.h"

namespace kv::media::swf::detail {
namespace {

struct Known {
  enum class Type : std::uint8_t { String, Number, Bool, Null, Undefined } type;
  std::string text;
  double number = 0;
};

std::string numberToText(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  if (v == std::floor(v) && std::fabs(v) < 1e15) return format("%.0f", v);
  char buf[64];
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  return buf;
}

std::string knownText(const Known& k) {
  switch (k.type) {
    case Known::Type::String:
      return k.text;
    case Known::Type::Number:
      return numberToText(k.number);
    case Known::Type::Bool:
      return k.number != 0 ? "true" : "false";
    case Known::Type::Null:
      return "null";
    case Known::Type::Undefined:
      return "";
  }
  return "";
}

// A root-variable name ("name", "_root.name", "/:name"), or nothing for paths and members.
std::optional<std::string> rootVariable(const std::string& name) {
  std::string n = name;
  if (startsWithNoCase(n, "_root."))
    n = n.substr(6);
  else if (startsWithNoCase(n, "_level0."))
    n = n.substr(8);
  else if (n.rfind("/:", 0) == 0)
    n = n.substr(2);
  if (n.empty() || n.find_first_of("/:.") != std::string::npos) return std::nullopt;
  return n;
}

class Scanner {
 public:
  Scanner(Movie& movie, const ReadOptions& options, std::unordered_set<std::string>& seen)
      : movie_(movie), options_(options), seen_(seen) {}

  // Scans one action list. root: whether it belongs to the root timeline (its timeline
  // actions are recorded); frame: the root frame it runs at.
  void scan(const std::uint8_t* p, std::size_t n, bool root, std::int32_t frame,
            bool once = false) {
    once_ = once;
    std::vector<std::string> pool;
    std::vector<std::optional<Known>> stack;
    std::size_t pos = 0;
    while (pos < n) {
      const std::uint8_t op = p[pos++];
      if (op == 0) break;
      std::size_t len = 0;
      if (op >= 0x80) {
        if (n - pos < 2) {
          warn(&movie_.warnings, "action record header runs past the end of its tag");
          return;
        }
        len = u16(p + pos);
        pos += 2;
        if (len > n - pos) {
          warn(&movie_.warnings, "action record runs past the end of its tag");
          return;
        }
      }
      const std::uint8_t* a = p + pos;
      pos += len;
      switch (op) {
        case 0x88: {  // ConstantPool
          pool.clear();
          stack.clear();
          if (len < 2) break;
          const std::size_t count = u16(a);
          std::size_t q = 2;
          for (std::size_t i = 0; i < count && q < len; ++i) pool.push_back(cString(a, q, len));
          break;
        }
        case 0x96:  // Push
          push(a, len, pool, stack);
          break;
        case 0x83: {  // GetURL
          std::size_t q = 0;
          std::string url = cString(a, q, len);
          std::string target = cString(a, q, len);
          if (startsWithNoCase(url, "FSCommand:")) fscommand(url.substr(10), target, root, frame);
          stack.clear();
          break;
        }
        case 0x9A: {  // GetURL2: url below target on the stack
          if (stack.size() >= 2 && stack[stack.size() - 2] &&
              stack[stack.size() - 2]->type == Known::Type::String &&
              startsWithNoCase(stack[stack.size() - 2]->text, "FSCommand:")) {
            const auto& t = stack.back();
            fscommand(stack[stack.size() - 2]->text.substr(10), t ? knownText(*t) : "", root,
                      frame);
          }
          stack.clear();
          break;
        }
        case 0x07:
          timeline(root, frame, Action::Kind::Stop);
          stack.clear();
          break;
        case 0x06:
          timeline(root, frame, Action::Kind::Play);
          stack.clear();
          break;
        case 0x04:
          timeline(root, frame, Action::Kind::NextFrame);
          stack.clear();
          break;
        case 0x05:
          timeline(root, frame, Action::Kind::PrevFrame);
          stack.clear();
          break;
        case 0x81:  // GotoFrame: 0-based, stops
          if (len >= 2) timeline(root, frame, Action::Kind::GotoFrame, u16(a));
          stack.clear();
          break;
        case 0x8C: {  // GoToLabel: stops
          std::size_t q = 0;
          timeline(root, frame, Action::Kind::GotoLabel, 0, cString(a, q, len));
          stack.clear();
          break;
        }
        case 0x9F: {  // GotoFrame2: frame from the stack (numbers 1-based), play flag
          if (len >= 1 && !stack.empty() && stack.back()) {
            const bool play = a[0] & 1;
            const int bias = (a[0] & 2) && len >= 3 ? u16(a + 1) : 0;
            const Known& k = *stack.back();
            if (k.type == Known::Type::Number && std::isfinite(k.number) && k.number >= 1 &&
                k.number < 1e9)
              timeline(root, frame, Action::Kind::GotoFrame,
                       static_cast<std::int32_t>(k.number) - 1 + bias, {}, play);
            else if (k.type == Known::Type::String && !k.text.empty())
              timeline(root, frame, Action::Kind::GotoLabel, 0, k.text, play);
          }
          stack.clear();
          break;
        }
        case 0x1D: {  // SetVariable: name below value
          if (stack.size() >= 2 && stack[stack.size() - 2] && stack.back() &&
              stack[stack.size() - 2]->type == Known::Type::String) {
            if (auto name = rootVariable(stack[stack.size() - 2]->text)) {
              Action act;
              act.kind = Action::Kind::SetVariable;
              act.text = *name;
              act.arg = knownText(*stack.back());
              record(root, frame, std::move(act));
            }
          }
          stack.clear();
          break;
        }
        default:
          stack.clear();  // an action whose stack effect we do not follow
          break;
      }
    }
  }

 private:
  void push(const std::uint8_t* a, std::size_t len, const std::vector<std::string>& pool,
            std::vector<std::optional<Known>>& stack) {
    std::size_t q = 0;
    while (q < len) {
      const std::uint8_t type = a[q++];
      std::optional<Known> v;
      auto need = [&](std::size_t k) { return len - q >= k; };
      switch (type) {
        case 0:
          v = Known{Known::Type::String, cString(a, q, len)};
          break;
        case 1: {
          if (!need(4)) {
            stack.clear();
            return;
          }
          float f;
          std::uint32_t bits = u32(a + q);
          std::memcpy(&f, &bits, 4);
          v = Known{Known::Type::Number, {}, f};
          q += 4;
          break;
        }
        case 2:
          v = Known{Known::Type::Null, {}};
          break;
        case 3:
          v = Known{Known::Type::Undefined, {}};
          break;
        case 4:  // register: value unknown here
          if (!need(1)) {
            stack.clear();
            return;
          }
          q += 1;
          break;
        case 5:
          if (!need(1)) {
            stack.clear();
            return;
          }
          v = Known{Known::Type::Bool, {}, a[q] ? 1.0 : 0.0};
          q += 1;
          break;
        case 6: {  // double: two little-endian 32-bit halves, high half first
          if (!need(8)) {
            stack.clear();
            return;
          }
          const std::uint64_t bits =
              (static_cast<std::uint64_t>(u32(a + q)) << 32) | u32(a + q + 4);
          double d;
          std::memcpy(&d, &bits, 8);
          v = Known{Known::Type::Number, {}, d};
          q += 8;
          break;
        }
        case 7:
          if (!need(4)) {
            stack.clear();
            return;
          }
          v = Known{
              Known::Type::Number, {}, static_cast<double>(static_cast<std::int32_t>(u32(a + q)))};
          q += 4;
          break;
        case 8:
        case 9: {
          const std::size_t w = type == 8 ? 1 : 2;
          if (!need(w)) {
            stack.clear();
            return;
          }
          const std::size_t i = type == 8 ? a[q] : u16(a + q);
          q += w;
          if (i < pool.size()) v = Known{Known::Type::String, pool[i]};
          break;
        }
        default:  // not a push type: the rest of the record cannot be read
          stack.clear();
          return;
      }
      if (stack.size() >= kMaxKnownStack) stack.erase(stack.begin());
      stack.push_back(std::move(v));
    }
  }

  void fscommand(std::string command, std::string args, bool root, std::int32_t frame) {
    if (seen_.size() < kMaxFscommands && seen_.insert(command).second)
      movie_.fscommands.push_back(command);
    Action act;
    act.kind = Action::Kind::FSCommand;
    act.text = std::move(command);
    act.arg = std::move(args);
    record(root, frame, std::move(act));
  }

  void timeline(bool root, std::int32_t frame, Action::Kind kind, std::int32_t target = 0,
                std::string text = {}, bool play = false) {
    Action act;
    act.kind = kind;
    act.target = target;
    act.text = std::move(text);
    act.play = play;
    record(root, frame, std::move(act));
  }

  void record(bool root, std::int32_t frame, Action act) {
    if (!root) return;
    if (movie_.actions.size() >= options_.maxActions) {
      if (!dropped_) warn(&movie_.warnings, "too many actions; the rest are ignored");
      dropped_ = true;
      return;
    }
    act.frame = frame;
    act.once = once_;
    movie_.actions.push_back(std::move(act));
  }

  Movie& movie_;
  const ReadOptions& options_;
  std::unordered_set<std::string>& seen_;
  bool dropped_ = false;
  bool once_ = false;
};

}  // namespace

struct ActionScanner::Impl {
  Impl(Movie& movie, const ReadOptions& options) : scanner(movie, options, seen) {}
  std::unordered_set<std::string> seen;
  Scanner scanner;
};

ActionScanner::ActionScanner(Movie& movie, const ReadOptions& options)
    : impl_(std::make_unique<Impl>(movie, options)) {}
ActionScanner::~ActionScanner() = default;

void ActionScanner::scan(const std::uint8_t* p, std::size_t n, bool root, std::int32_t frame,
                         bool once) {
  impl_->scanner.scan(p, n, root, frame, once);
}

}  // namespace kv::media::swf::detail
