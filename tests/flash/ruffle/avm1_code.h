#pragma once
// A few AVM1 records beyond the SWF writer's, for movies that probe the page and the player:
// objects, methods, functions, trace, loops and fscommand with a computed argument.

#include <cstdint>
#include <string>
#include <vector>

#include "media/flash/swf_writer.h"

namespace kv::media::test::avm1 {

using swf::Bytes;

inline Bytes cat(std::initializer_list<Bytes> parts) {
  return swf::act::join(parts);
}
inline Bytes op(std::uint8_t code) {
  return {code};
}
inline Bytes record(std::uint8_t code, const Bytes& payload) {
  Bytes out{code};
  swf::putU16(out, static_cast<std::uint32_t>(payload.size()));
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}
inline Bytes str(const std::string& s) {
  return swf::act::pushStrings({s});
}
inline Bytes num(int v) {
  Bytes p{7};
  swf::putU32(p, static_cast<std::uint32_t>(v));
  return record(0x96, p);
}
inline Bytes reg(std::uint8_t r) {
  return record(0x96, Bytes{4, r});
}
inline Bytes null() {
  return record(0x96, Bytes{2});
}
inline Bytes var(const std::string& name) {
  return cat({str(name), op(0x1C)});
}
inline Bytes member(const Bytes& object, const std::string& name) {
  return cat({object, str(name), op(0x4E)});
}
// object.method(args...) with args given in order; the result stays on the stack.
inline Bytes call(const Bytes& object, const std::string& method, std::vector<Bytes> args) {
  Bytes out;
  for (auto it = args.rbegin(); it != args.rend(); ++it)
    out.insert(out.end(), it->begin(), it->end());
  return cat({out, num(static_cast<int>(args.size())), object, str(method), op(0x52)});
}
inline Bytes drop(const Bytes& value) {
  return cat({value, op(0x17)});
}
inline Bytes trace(const Bytes& value) {
  return cat({value, op(0x26)});
}
// fscommand(command, value) with a computed value.
inline Bytes fscommand(const std::string& command, const Bytes& value) {
  return cat({str("FSCommand:" + command), value, swf::act::getUrl2()});
}
inline Bytes setVar(const std::string& name, const Bytes& value) {
  return cat({str(name), value, op(0x1D)});
}
inline Bytes setMember(const Bytes& object, const std::string& name, const Bytes& value) {
  return cat({object, str(name), value, op(0x4F)});
}
// An anonymous DefineFunction (parameters by name); pushes the function.
inline Bytes function(const std::vector<std::string>& params, const Bytes& body) {
  Bytes p;
  swf::putString(p, "");
  swf::putU16(p, static_cast<std::uint32_t>(params.size()));
  for (const auto& name : params) swf::putString(p, name);
  swf::putU16(p, static_cast<std::uint32_t>(body.size()));
  return cat({record(0x9B, p), body});
}
inline Bytes flashExternal() {
  return member(member(var("flash"), "external"), "ExternalInterface");
}
// for (k in object) trace(k); in register 1. Enumerate2 pushes a null, then the names.
inline Bytes traceNames(const Bytes& object) {
  auto offset = [](int v) {
    Bytes b;
    swf::putU16(b, static_cast<std::uint32_t>(static_cast<std::uint16_t>(v)));
    return b;
  };
  const Bytes check = cat({record(0x87, Bytes{1}), null(), op(0x49)});  // (k = next) == null
  const Bytes body = trace(reg(1));
  const int back = static_cast<int>(check.size() + 5 + body.size() + 5);
  return cat({object, op(0x55), check, record(0x9D, offset(static_cast<int>(body.size()) + 5)),
              body, record(0x99, offset(-back))});
}

}  // namespace kv::media::test::avm1
