#pragma once
// The SWF writer's shapes under the names the Ruffle tests and benchmark use.

#include "media/flash/swf_shapes.h"

namespace kv::media::test {
using swf::place;
using swf::rectangleShape;
}  // namespace kv::media::test
