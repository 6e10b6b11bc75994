// The action block the player adds to frame 1 of SWF 8+ ActionScript 1/2 movies before the web
// engine gets them. It registers ExternalInterface callbacks that the page calls for the
// position and seek calls of the component, and nothing else: the movie must find every
// register, depth, child, variable and _global exactly as without it. So the block keeps its
// values on the stack only (registers carry across the DoAction blocks of a frame), declares no
// variable, places no clip and writes nothing to _global; whether the timeline stands still is
// told by the page, which watches the frame number against the engine's ticks. It runs again
// whenever frame 1 runs; addCallback replaces the earlier registration.
//
// As ActionScript 2:
//   flash.external.ExternalInterface.addCallback("kvState", null,
//       function () { return _root._currentframe; });
//   flash.external.ExternalInterface.addCallback("kvGoto", null, function (f, play) {
//       if (play) _root.gotoAndPlay(f); else _root.gotoAndStop(f); });
//   flash.external.ExternalInterface.addCallback("kvPlay", null, function () { _root.play(); });
//   flash.external.ExternalInterface.addCallback("kvStop", null, function () { _root.stop(); });
//   flash.external.ExternalInterface.addCallback("kvGet", null, function (name) {
//       var v = eval(name); return typeof v == "undefined" ? "" : String(v); });
//   flash.external.ExternalInterface.addCallback("kvSet", null,
//       function (name, value) { set(name, value); });
// The functions are DefineFunction2 with registers of their own; their parameters live in
// those registers only, so a variable name read by kvGet can never resolve to them.

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "media/flash/ruffle/ruffle_movie.h"
#include "media/flash/swf_writer.h"

namespace kv::media::ruffle {
namespace {

using swf::Bytes;
using swf::putString;
using swf::putU16;

struct Reg {
  std::uint8_t index;
};
struct Null {};
using Value = std::variant<std::string, const char*, int, bool, Reg, Null>;

enum Op : std::uint8_t {
  kPop = 0x17,
  kGetVariable = 0x1C,
  kSetVariable = 0x1D,
  kReturn = 0x3E,
  kTypeOf = 0x44,
  kEquals2 = 0x49,
  kToString = 0x4B,
  kGetMember = 0x4E,
  kCallMethod = 0x52,
};

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes op(std::uint8_t code) {
  return {code};
}

Bytes record(std::uint8_t code, const Bytes& payload) {
  Bytes out{code};
  putU16(out, static_cast<std::uint32_t>(payload.size()));
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Bytes push(std::initializer_list<Value> values) {
  Bytes p;
  for (const Value& v : values) {
    if (const auto* s = std::get_if<std::string>(&v)) {
      p.push_back(0);
      putString(p, *s);
    } else if (const auto* c = std::get_if<const char*>(&v)) {
      p.push_back(0);
      putString(p, *c);
    } else if (const auto* i = std::get_if<int>(&v)) {
      p.push_back(7);
      swf::putU32(p, static_cast<std::uint32_t>(*i));
    } else if (const auto* b = std::get_if<bool>(&v)) {
      p.push_back(5);
      p.push_back(*b ? 1 : 0);
    } else if (const auto* r = std::get_if<Reg>(&v)) {
      p.push_back(4);
      p.push_back(r->index);
    } else {
      p.push_back(2);
    }
  }
  return record(0x96, p);
}

Bytes storeRegister(std::uint8_t index) {
  return record(0x87, Bytes{index});
}

Bytes branch(std::uint8_t code, std::size_t offset) {
  Bytes p;
  putU16(p, static_cast<std::uint32_t>(offset));
  return record(code, p);
}

// cond; If (true) skip the other branch: "if (cond) whenTrue else whenFalse".
Bytes ifElse(const Bytes& cond, const Bytes& whenTrue, const Bytes& whenFalse) {
  const Bytes falsePart = cat({whenFalse, branch(0x99, whenTrue.size())});  // Jump
  return cat({cond, branch(0x9D, falsePart.size()), falsePart, whenTrue});  // If
}

// An anonymous DefineFunction2 whose parameters live in registers 1..n only; it pushes the
// function object. this, arguments and super are suppressed.
Bytes function(int params, std::uint8_t registers, const Bytes& body) {
  Bytes p;
  putString(p, "");
  putU16(p, static_cast<std::uint32_t>(params));
  p.push_back(registers);
  p.push_back(0x2A);  // suppress super, arguments, this
  p.push_back(0x00);
  for (int i = 0; i < params; ++i) {
    p.push_back(static_cast<std::uint8_t>(i + 1));
    putString(p, "p" + std::to_string(i + 1));
  }
  putU16(p, static_cast<std::uint32_t>(body.size()));
  return cat({record(0x8E, p), body});
}

Bytes root() {
  return cat({push({"_root"}), op(kGetVariable)});
}
Bytes currentFrame() {
  return cat({root(), push({"_currentframe"}), op(kGetMember)});
}
// _root.method(arg?) with the result dropped.
Bytes callRoot(const char* method, const Bytes& args, int count) {
  return cat({args, push({count}), root(), push({method}), op(kCallMethod), op(kPop)});
}

Bytes stateFunction() {
  return function(0, 1, cat({currentFrame(), op(kReturn)}));
}

Bytes gotoFunction() {
  const Bytes frame = push({Reg{1}});
  return function(
      2, 3,
      ifElse(push({Reg{2}}), callRoot("gotoAndPlay", frame, 1), callRoot("gotoAndStop", frame, 1)));
}

Bytes timelineFunction(const char* method) {
  return function(0, 1, callRoot(method, {}, 0));
}

Bytes getFunction() {
  return function(1, 3,
                  cat({push({Reg{1}}), op(kGetVariable), storeRegister(2), op(kPop),
                       ifElse(cat({push({Reg{2}}), op(kTypeOf), push({"undefined"}), op(kEquals2)}),
                              cat({push({""}), op(kReturn)}),
                              cat({push({Reg{2}}), op(kToString), op(kReturn)}))}));
}

Bytes setFunction() {
  return function(2, 3, cat({push({Reg{1}, Reg{2}}), op(kSetVariable)}));
}

// flash.external.ExternalInterface.addCallback(name, null, fn), evaluated afresh each time so
// that nothing but the stack holds it.
Bytes addCallback(const char* name, const Bytes& fn) {
  return cat({fn, push({Null{}, name, 3, "flash"}), op(kGetVariable), push({"external"}),
              op(kGetMember), push({"ExternalInterface"}), op(kGetMember), push({"addCallback"}),
              op(kCallMethod), op(kPop)});
}

}  // namespace

std::vector<std::uint8_t> bridgeActions() {
  return cat({
      addCallback(kStateCallback, stateFunction()),
      addCallback("kvGoto", gotoFunction()),
      addCallback("kvPlay", timelineFunction("play")),
      addCallback("kvStop", timelineFunction("stop")),
      addCallback("kvGet", getFunction()),
      addCallback("kvSet", setFunction()),
  });
}

}  // namespace kv::media::ruffle
