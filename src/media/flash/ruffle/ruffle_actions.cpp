// The action block the player adds to frame 1 of SWF 8+ ActionScript 1/2 movies before the web
// engine gets them. It registers ExternalInterface callbacks that the page calls for the
// position and seek calls of the component, and a watch clip that counts the frames the root
// timeline stays on the same frame (two or more: the timeline is stopped).
//
// As ActionScript 2:
//   if (!_global.__kvBridge) {
//     _global.__kvBridge = true; _global.__kvLf = _root._currentframe; _global.__kvN = 0;
//     var ei = flash.external.ExternalInterface;
//     ei.addCallback("kvState", null, function () { return _root._currentframe + "," +
//     _global.__kvN; }); ei.addCallback("kvGoto", null, function (f, play, n) {
//       if (play) _root.gotoAndPlay(f); else _root.gotoAndStop(f);
//       _global.__kvLf = _root._currentframe; _global.__kvN = n; });
//     ei.addCallback("kvPlay", null, function () { _root.play(); _global.__kvN = 0; });
//     ei.addCallback("kvStop", null, function () { _root.stop(); _global.__kvN = 1000000; });
//     ei.addCallback("kvGet", null, function (name) {
//       var v = eval(name); return typeof v == "undefined" ? "" : String(v); });
//     ei.addCallback("kvSet", null, function (name, value) { set(name, value); });
//   }
//   _root.createEmptyMovieClip("__kvWatch", -16384).onEnterFrame = function () {
//     var f = _root._currentframe;
//     if (_global.__kvLf == f) _global.__kvN++; else { _global.__kvLf = f; _global.__kvN = 0; } };
// The watch clip sits at the one timeline depth no placed object can use, so it never
// collides with the movie's own; it is made again whenever frame 1 runs (a rewind removes
// script-made clips at timeline depths). Function parameters live in registers only, so a
// variable name read by kvGet can never resolve to them.

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
  kAdd2 = 0x47,
  kEquals2 = 0x49,
  kToString = 0x4B,
  kGetMember = 0x4E,
  kSetMember = 0x4F,
  kIncrement = 0x50,
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
Bytes global() {
  return cat({push({"_global"}), op(kGetVariable)});
}
Bytes currentFrame() {
  return cat({root(), push({"_currentframe"}), op(kGetMember)});
}
// _global[name] = <value pushed by valueCode>
Bytes setGlobal(const char* name, const Bytes& valueCode) {
  return cat({global(), push({name}), valueCode, op(kSetMember)});
}
// _root.method(arg?) with the result dropped.
Bytes callRoot(const char* method, const Bytes& args, int count) {
  return cat({args, push({count}), root(), push({method}), op(kCallMethod), op(kPop)});
}

Bytes stateFunction() {
  return function(0, 1,
                  cat({currentFrame(), push({","}), op(kAdd2), global(), push({"__kvN"}),
                       op(kGetMember), op(kAdd2), op(kReturn)}));
}

Bytes gotoFunction() {
  const Bytes frame = push({Reg{1}});
  return function(3, 4,
                  cat({ifElse(push({Reg{2}}), callRoot("gotoAndPlay", frame, 1),
                              callRoot("gotoAndStop", frame, 1)),
                       setGlobal("__kvLf", currentFrame()), setGlobal("__kvN", push({Reg{3}}))}));
}

Bytes timelineFunction(const char* method, int watchCount) {
  return function(0, 1, cat({callRoot(method, {}, 0), setGlobal("__kvN", push({watchCount}))}));
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

Bytes enterFrameFunction() {
  const Bytes g = push({Reg{1}});
  return function(
      0, 3,
      cat({global(), storeRegister(1), op(kPop), currentFrame(), storeRegister(2), op(kPop),
           ifElse(cat({g, push({"__kvLf"}), op(kGetMember), push({Reg{2}}), op(kEquals2)}),
                  cat({push({Reg{1}, "__kvN", Reg{1}, "__kvN"}), op(kGetMember), op(kIncrement),
                       op(kSetMember)}),
                  cat({push({Reg{1}, "__kvLf", Reg{2}}), op(kSetMember), push({Reg{1}, "__kvN", 0}),
                       op(kSetMember)}))}));
}

Bytes addCallback(const char* name, const Bytes& fn) {
  return cat({fn, push({Null{}, name, 3, Reg{0}, "addCallback"}), op(kCallMethod), op(kPop)});
}

}  // namespace

std::vector<std::uint8_t> bridgeActions() {
  const Bytes registration = cat({
      setGlobal("__kvBridge", push({true})),
      setGlobal("__kvLf", currentFrame()),
      setGlobal("__kvN", push({0})),
      push({"flash"}),
      op(kGetVariable),
      push({"external"}),
      op(kGetMember),
      push({"ExternalInterface"}),
      op(kGetMember),
      storeRegister(0),
      op(kPop),
      addCallback(kStateCallback, stateFunction()),
      addCallback("kvGoto", gotoFunction()),
      addCallback("kvPlay", timelineFunction("play", 0)),
      addCallback("kvStop", timelineFunction("stop", 1000000)),
      addCallback("kvGet", getFunction()),
      addCallback("kvSet", setFunction()),
  });
  const Bytes once =
      ifElse(cat({global(), push({"__kvBridge"}), op(kGetMember)}), {}, registration);
  const Bytes watch = cat({
      push({-16384, "__kvWatch", 2}),
      root(),
      push({"createEmptyMovieClip"}),
      op(kCallMethod),
      op(kPop),
      root(),
      push({"__kvWatch"}),
      op(kGetMember),
      push({"onEnterFrame"}),
      enterFrameFunction(),
      op(kSetMember),
  });
  return cat({once, watch});
}

}  // namespace kv::media::ruffle
