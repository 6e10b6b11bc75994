// libFuzzer entry of the SWF reader: any bytes must give a movie or an error text, never a
// crash, a sanitizer report, a hang or unbounded memory. On success the per-frame lookups and
// the FLV re-wrapping of embedded streams run too.

#include <cstddef>
#include <cstdint>

#include "media/flash/flv_export.h"
#include "media/flash/swf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kv::media::swf;
  ReadOptions options;
  options.maxBodyBytes = 8u << 20;    // the same limit logic as 64 MiB, at fuzzing speed
  options.minBudgetBytes = 8u << 20;  // likewise for the budget of what a read may keep
  const ReadResult r = read({data, size}, options);
  if (!r.ok()) return 0;
  const Movie& m = r.movie;
  for (std::int32_t f = 0; f < m.frameCount && f < 64; ++f) (void)m.actionsOf(f);
  for (const auto& [label, frame] : m.labels) (void)m.frameOfLabel(label);
  const double rate = m.frameRate() > 0 ? m.frameRate() : 12.0;
  (void)exportStreamsToFlv(m, rate);
  return 0;
}
