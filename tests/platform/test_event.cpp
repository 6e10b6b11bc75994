// Events: many handlers, connection handles, and raising while handlers change the list.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/event.h"

using namespace kv;

TEST(Event, RaisesEveryHandlerInConnectionOrderWithTheArguments) {
  Event<int, std::string> e;
  std::vector<std::string> seen;
  e.connect([&](int n, std::string s) { seen.push_back("a" + std::to_string(n) + s); });
  e.connect([&](int n, std::string s) { seen.push_back("b" + std::to_string(n) + s); });
  e.raise(7, "x");
  EXPECT_EQ(seen, (std::vector<std::string>{"a7x", "b7x"}));
}

TEST(Event, ScopedConnectionDisconnectsWhenItGoesOutOfScope) {
  Event<> e;
  int calls = 0;
  {
    ScopedConnection c = e.connect([&] { ++calls; });
    e.raise();
    EXPECT_TRUE(c.connected());
  }
  e.raise();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(e.connected());
  // A plain handle keeps the handler until it is told to let go.
  Connection plain = e.connect([&] { ++calls; });
  e.raise();
  plain.disconnect();
  e.raise();
  EXPECT_EQ(calls, 2);
}

TEST(Event, HandlersChangingTheListWhileItRuns) {
  Event<> e;
  std::vector<std::string> seen;
  Connection second;
  e.connect([&] {
    seen.push_back("first");
    second.disconnect();                         // not called any more, not even by this raise
    e.connect([&] { seen.push_back("late"); });  // sees the next raise only
  });
  second = e.connect([&] { seen.push_back("second"); });
  e.raise();
  EXPECT_EQ(seen, (std::vector<std::string>{"first"}));
  seen.clear();
  e.raise();
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "late"}));
}

TEST(Event, AHandlerMayDestroyTheEventItRunsFrom) {
  // A secondary window unloaded by a click on one of its own controls.
  auto e = std::make_unique<Event<int>>();
  int after = 0;
  e->connect([&](int) { e.reset(); });
  e->connect([&](int n) { after = n; });  // still runs: the raise holds the list
  e->raise(5);
  EXPECT_EQ(e, nullptr);
  EXPECT_EQ(after, 5);
}

TEST(Event, ConnectionOutlivingItsEventIsHarmless) {
  Connection c;
  ScopedConnection scoped;
  {
    Event<> e;
    c = e.connect([] {});
    scoped = e.connect([] {});
  }
  EXPECT_FALSE(c.connected());
  c.disconnect();
  scoped.disconnect();
}

TEST(Event, DisconnectedHandlersDoNotPileUp) {
  // A window shown and closed many times connects and drops a handler each time.
  Event<> e;
  std::weak_ptr<int> witness;
  for (int i = 0; i < 1000; ++i) {
    auto held = std::make_shared<int>(i);
    witness = held;
    ScopedConnection c = e.connect([held] {});
  }
  e.connect([] {});  // connecting drops what was disconnected before
  EXPECT_TRUE(witness.expired());
}
