#pragma once
// Events of controls, forms and components: handlers raised in the order they were connected.
//
// connect() returns a Connection, a handle that can disconnect the handler later; handlers of a
// window that lives as long as the event may ignore it. An object that goes away before the
// event (a secondary window listening to the main window) keeps a ScopedConnection, which
// disconnects when it goes out of scope. Raising walks the handler list in place: it runs on
// every mouse move and every 50 ms tick, so it copies nothing but one reference count.

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kv {

namespace detail {
struct SlotBase {
  bool active = true;
};
}  // namespace detail

class Connection {
 public:
  Connection() = default;
  explicit Connection(std::weak_ptr<detail::SlotBase> slot) : slot_(std::move(slot)) {}

  // The handler is not called again, not even by a raise that is running now.
  void disconnect() {
    if (auto s = slot_.lock()) s->active = false;
    slot_.reset();
  }
  bool connected() const {
    const auto s = slot_.lock();
    return s && s->active;
  }

 private:
  std::weak_ptr<detail::SlotBase> slot_;
};

class ScopedConnection {
 public:
  ScopedConnection() = default;
  ScopedConnection(Connection c) : connection_(std::move(c)) {}  // NOLINT: implicit by design
  ScopedConnection(ScopedConnection&& other) noexcept
      : connection_(std::exchange(other.connection_, Connection())) {}
  ScopedConnection& operator=(ScopedConnection&& other) noexcept {
    if (this != &other) {
      connection_.disconnect();
      connection_ = std::exchange(other.connection_, Connection());
    }
    return *this;
  }
  ScopedConnection(const ScopedConnection&) = delete;
  ScopedConnection& operator=(const ScopedConnection&) = delete;
  ~ScopedConnection() { connection_.disconnect(); }

  void disconnect() { connection_.disconnect(); }
  bool connected() const { return connection_.connected(); }

 private:
  Connection connection_;
};

// Keeps several connections for the life of their owner.
class Connections {
 public:
  Connections& operator+=(Connection c) {
    held_.emplace_back(std::move(c));
    return *this;
  }
  void clear() { held_.clear(); }

 private:
  std::vector<ScopedConnection> held_;
};

template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  Connection connect(Handler handler) {
    State& s = *state_;
    if (s.raising == 0) s.compact();  // drop handlers disconnected since
    auto slot = std::make_shared<Slot>(std::move(handler));
    s.entries.push_back(slot);
    return Connection(slot);
  }

  bool connected() const {
    for (const auto& slot : state_->entries)
      if (slot->active) return true;
    return false;
  }

  // A handler connected while the event runs sees the next raise; one disconnected while it
  // runs is not called any more. The event may be destroyed by one of its own handlers.
  void raise(Args... args) const {
    const std::shared_ptr<State> keep = state_;
    State& s = *keep;
    const std::size_t count = s.entries.size();
    ++s.raising;
    for (std::size_t i = 0; i < count; ++i) {
      // Index, not iterator: a handler that connects may move the vector's storage (the entries
      // themselves stay put, and none is dropped while a raise runs).
      Slot& slot = *s.entries[i];
      if (slot.active) slot.handler(args...);
    }
    --s.raising;
  }

 private:
  struct Slot : detail::SlotBase {
    explicit Slot(Handler h) : handler(std::move(h)) {}
    Handler handler;
  };
  struct State {
    std::vector<std::shared_ptr<Slot>> entries;
    int raising = 0;
    void compact() {
      std::erase_if(entries, [](const std::shared_ptr<Slot>& s) { return !s->active; });
    }
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace kv
