#pragma once
// When pixels first reach the screen: damage of the X server's root window, which covers every
// window drawn on it (nothing else draws on the private server of the benchmark).

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <string>

namespace kv::bench {

class FirstDamage {
 public:
  explicit FirstDamage(const std::string& display);
  ~FirstDamage();
  FirstDamage(const FirstDamage&) = delete;
  FirstDamage& operator=(const FirstDamage&) = delete;

  bool ok() const { return damage_ != 0; }
  // Forgets what was drawn so far (a window that went away repaints the root).
  void reset(double settleSeconds = 0.15);
  // The time (nowSeconds()) of the next drawing, or -1 after timeoutSeconds.
  double next(double timeoutSeconds);

 private:
  xcb_connection_t* connection_ = nullptr;
  xcb_damage_damage_t damage_ = 0;
  std::uint8_t firstEvent_ = 0;
};

}  // namespace kv::bench
