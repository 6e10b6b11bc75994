#include "first_damage.h"

#include <poll.h>

#include <cstdlib>

#include "bench_tools.h"

namespace kv::bench {

FirstDamage::FirstDamage(const std::string& display) {
  connection_ = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(connection_)) return;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(connection_, &xcb_damage_id);
  if (!ext || !ext->present) return;
  std::free(xcb_damage_query_version_reply(connection_, xcb_damage_query_version(connection_, 1, 1),
                                           nullptr));
  firstEvent_ = ext->first_event;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
  damage_ = xcb_generate_id(connection_);
  xcb_damage_create(connection_, damage_, screen->root, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
  xcb_flush(connection_);
}

FirstDamage::~FirstDamage() {
  if (damage_) xcb_damage_destroy(connection_, damage_);
  xcb_disconnect(connection_);
}

void FirstDamage::reset(double settleSeconds) {
  // Whatever is still being drawn (a window closing) arrives within the settle time.
  while (next(settleSeconds) >= 0) {
  }
}

double FirstDamage::next(double timeoutSeconds) {
  if (!ok()) return -1;
  const double until = nowSeconds() + timeoutSeconds;
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
      const bool damage = (event->response_type & 0x7f) == firstEvent_ + XCB_DAMAGE_NOTIFY;
      std::free(event);
      if (damage) {
        const double at = nowSeconds();
        // Non-empty reports come once until the damage is taken away.
        xcb_damage_subtract(connection_, damage_, XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
        return at;
      }
    }
    const double left = until - nowSeconds();
    if (left <= 0) return -1;
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left * 1000) + 1);
  }
}

}  // namespace kv::bench
