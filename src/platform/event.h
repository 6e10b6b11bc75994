#pragma once
// Events of controls and components: a list of handlers raised in the order they were connected.

#include <functional>
#include <utility>
#include <vector>

namespace kv {

template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  void connect(Handler handler) { handlers_.push_back(std::move(handler)); }
  bool connected() const { return !handlers_.empty(); }

  // A handler may connect further handlers while the event runs; they see the next raise.
  void raise(Args... args) const {
    const auto snapshot = handlers_;
    for (const auto& h : snapshot) h(args...);
  }

 private:
  std::vector<Handler> handlers_;
};

}  // namespace kv
