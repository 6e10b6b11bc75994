// The scan of action records: what a frame's actions do that the timeline acts on.
//
// Strings stay views into the body until an action is recorded, so an action record costs its
// own bytes and no more: a Push of a constant-pool index is as cheap as a Push of a number,
// however long the pooled string is. What is recorded is charged to the read's budget.

#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "media/flash/swf_detail.h"
#include "media/flash/swf_text.h"

namespace kv::media::swf::detail {
namespace {

using View = std::string_view;

// A value pushed by a constant Push; text views the body.
struct Known {
  enum class Type : std::uint8_t { String, Number, Bool, Null, Undefined } type;
  View text;
  double number = 0;
};

// The two values on top of the stack, all the actions we follow ever look at: pushing is O(1)
// however deep the movie's own stack grows.
class KnownTop {
 public:
  void push(std::optional<Known> v) {
    below_ = top_;
    top_ = v;
    if (count_ < 2) ++count_;
  }
  void clear() { count_ = 0; }
  std::size_t size() const { return count_; }
  const std::optional<Known>& top() const { return top_; }
  const std::optional<Known>& below() const { return below_; }

 private:
  std::optional<Known> top_, below_;
  std::size_t count_ = 0;
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

// A root-variable name ("name", "_root.name", "/:name"), or nothing for paths and members.
std::optional<View> rootVariable(View n) {
  if (startsWithNoCase(n, "_root."))
    n.remove_prefix(6);
  else if (startsWithNoCase(n, "_level0."))
    n.remove_prefix(8);
  else if (n.substr(0, 2) == "/:")
    n.remove_prefix(2);
  if (n.empty() || n.find_first_of("/:.") != View::npos) return std::nullopt;
  return n;
}

class Scanner {
 public:
  Scanner(Movie& movie, const ReadOptions& options, Budget& budget)
      : movie_(movie),
        options_(options),
        budget_(budget),
        decoder_(movie.version, options.legacyEncoding) {}

  // Scans one action list. root: whether it belongs to the root timeline (its timeline
  // actions are recorded); frame: the root frame it runs at.
  void scan(const std::uint8_t* p, std::size_t n, bool root, std::int32_t frame,
            bool once = false) {
    once_ = once;
    std::vector<View> pool;
    KnownTop stack;
    std::size_t pos = 0;
    while (pos < n && !budget_.exceeded()) {
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
          const View url = cString(a, q, len);
          const View target = cString(a, q, len);
          if (startsWithNoCase(url, "FSCommand:"))
            fscommand(url.substr(10), raw(target), root, frame);
          stack.clear();
          break;
        }
        case 0x9A: {  // GetURL2: url below target on the stack
          const auto& url = stack.below();
          if (stack.size() >= 2 && url && url->type == Known::Type::String &&
              startsWithNoCase(url->text, "FSCommand:")) {
            const auto& t = stack.top();
            fscommand(url->text.substr(10), t ? known(*t) : Value{}, root, frame);
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
          if (len >= 1 && stack.size() >= 1 && stack.top()) {
            const bool play = a[0] & 1;
            const int bias = (a[0] & 2) && len >= 3 ? u16(a + 1) : 0;
            const Known& k = *stack.top();
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
          const auto& name = stack.below();
          if (stack.size() >= 2 && name && stack.top() && name->type == Known::Type::String) {
            if (auto variable = rootVariable(name->text)) {
              if (recording(root) && budget_.charge(variable->size()))
                record(frame, Action::Kind::SetVariable, decoder_.decode(*variable),
                       text(known(*stack.top())));
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
  // Text of a known value: bytes of the movie still to be decoded, or a number already text.
  struct Value {
    View bytes;
    std::string ready;
    bool isReady = false;
  };
  static Value raw(View v) { return Value{v, {}, false}; }
  static Value known(const Known& k) {
    switch (k.type) {
      case Known::Type::String:
        return raw(k.text);
      case Known::Type::Number:
        return Value{{}, numberToText(k.number), true};
      case Known::Type::Bool:
        return Value{{}, k.number != 0 ? "true" : "false", true};
      case Known::Type::Null:
        return Value{{}, "null", true};
      case Known::Type::Undefined:
        break;
    }
    return Value{{}, {}, true};
  }
  std::string text(Value v) {
    if (v.isReady) return std::move(v.ready);
    if (!budget_.charge(v.bytes.size())) return {};
    return decoder_.decode(v.bytes);
  }

  // A Push record. Only its last two values can end up on top of the stack, so the record is
  // walked for its value boundaries and only those two are decoded: a few steps a value. A
  // value cut short or of an unknown type spoils the record: the stack is then unknown.
  void push(const std::uint8_t* a, std::size_t len, const std::vector<View>& pool,
            KnownTop& stack) {
    std::size_t last[2] = {0, 0};  // starts of the last two values
    std::size_t values = 0;
    std::size_t q = 0;
    while (q < len) {
      const std::size_t start = q;
      const std::uint8_t type = a[q++];
      std::size_t size;
      switch (type) {
        case 0: {  // a string, up to its NUL or to the end of the record
          const void* nul = std::memchr(a + q, 0, len - q);
          size = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - (a + q)) + 1
                     : len - q;
          break;
        }
        case 2:
        case 3:
          size = 0;
          break;
        case 4:
        case 5:
        case 8:
          size = 1;
          break;
        case 9:
          size = 2;
          break;
        case 1:
        case 7:
          size = 4;
          break;
        case 6:
          size = 8;
          break;
        default:
          stack.clear();
          return;
      }
      if (size > len - q) {
        stack.clear();
        return;
      }
      q += size;
      last[values++ & 1] = start;
    }
    if (values >= 2) stack.push(value(a, last[values & 1], len, pool));
    if (values >= 1) stack.push(value(a, last[(values - 1) & 1], len, pool));
  }

  // The value that starts at a[q] (its type byte); checked to fit by push().
  static std::optional<Known> value(const std::uint8_t* a, std::size_t q, std::size_t len,
                                    const std::vector<View>& pool) {
    const std::uint8_t type = a[q++];
    switch (type) {
      case 0:
        return Known{Known::Type::String, cString(a, q, len)};
      case 1: {
        float f;
        const std::uint32_t bits = u32(a + q);
        std::memcpy(&f, &bits, 4);
        return Known{Known::Type::Number, {}, f};
      }
      case 2:
        return Known{Known::Type::Null, {}};
      case 3:
        return Known{Known::Type::Undefined, {}};
      case 5:
        return Known{Known::Type::Bool, {}, a[q] ? 1.0 : 0.0};
      case 6: {  // double: two little-endian 32-bit halves, high half first
        const std::uint64_t bits = (static_cast<std::uint64_t>(u32(a + q)) << 32) | u32(a + q + 4);
        double d;
        std::memcpy(&d, &bits, 8);
        return Known{Known::Type::Number, {}, d};
      }
      case 7:
        return Known{
            Known::Type::Number, {}, static_cast<double>(static_cast<std::int32_t>(u32(a + q)))};
      case 8:
      case 9: {
        const std::size_t i = type == 8 ? a[q] : u16(a + q);
        if (i < pool.size()) return Known{Known::Type::String, pool[i]};
        return std::nullopt;
      }
      default:  // a register: its value is not known here
        return std::nullopt;
    }
  }

  void fscommand(View command, Value args, bool root, std::int32_t frame) {
    const bool listed = seen_.size() < kMaxFscommands;
    const bool keep = recording(root);
    if (!listed && !keep) return;
    if (!budget_.charge(command.size())) return;
    std::string name = decoder_.decode(command);
    if (listed && !seen_.count(name) && budget_.charge(2 * name.size() + 64)) {
      seen_.insert(name);
      movie_.fscommands.push_back(name);
    }
    if (keep) record(frame, Action::Kind::FSCommand, std::move(name), text(std::move(args)));
  }

  void timeline(bool root, std::int32_t frame, Action::Kind kind, std::int32_t target = 0,
                View label = {}, bool play = false) {
    if (!recording(root) || !budget_.charge(label.size())) return;
    record(frame, kind, decoder_.decode(label), {}, target, play);
  }

  // Whether an action of this list is kept; counts the ones dropped past the limit.
  bool recording(bool root) {
    if (!root) return false;
    if (movie_.actions.size() < options_.maxActions) return true;
    if (!dropped_) warn(&movie_.warnings, "too many actions; the rest are ignored");
    dropped_ = true;
    return false;
  }

  void record(std::int32_t frame, Action::Kind kind, std::string text, std::string arg,
              std::int32_t target = 0, bool play = false) {
    if (!budget_.charge(sizeof(Action) + text.size() + arg.size())) return;
    Action act;
    act.kind = kind;
    act.play = play;
    act.once = once_;
    act.frame = frame;
    act.target = target;
    act.text = std::move(text);
    act.arg = std::move(arg);
    movie_.actions.push_back(std::move(act));
  }

  Movie& movie_;
  const ReadOptions& options_;
  Budget& budget_;
  TextDecoder decoder_;
  std::unordered_set<std::string> seen_;
  bool dropped_ = false;
  bool once_ = false;
};

}  // namespace

struct ActionScanner::Impl {
  Impl(Movie& movie, const ReadOptions& options, Budget& budget)
      : scanner(movie, options, budget) {}
  Scanner scanner;
};

ActionScanner::ActionScanner(Movie& movie, const ReadOptions& options, Budget& budget)
    : impl_(std::make_unique<Impl>(movie, options, budget)) {}
ActionScanner::~ActionScanner() = default;

void ActionScanner::scan(const std::uint8_t* p, std::size_t n, bool root, std::int32_t frame,
                         bool once) {
  impl_->scanner.scan(p, n, root, frame, once);
}

}  // namespace kv::media::swf::detail
