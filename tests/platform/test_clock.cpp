#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/forms/timer.h"

using kv::VirtualClock;
using kv::forms::Timer;

TEST(VirtualClock, FiresDueTicksInTimeOrderWithNowAtTheirDueTime) {
  VirtualClock clock(1000);
  std::vector<std::string> fired;
  clock.schedule(300, [&] { fired.push_back("a@" + std::to_string(clock.now())); });
  clock.schedule(200, [&] { fired.push_back("b@" + std::to_string(clock.now())); });
  clock.advance(650);
  EXPECT_EQ(fired, (std::vector<std::string>{"b@1200", "a@1300", "b@1400", "a@1600", "b@1600"}));
  EXPECT_EQ(clock.now(), 1650);
}

TEST(VirtualClock, ATickMayCancelItselfAndOthers) {
  VirtualClock clock;
  int a = 0, b = 0;
  kv::Clock::TimerId idB = 0;
  const auto idA = clock.schedule(100, [&] {
    ++a;
    clock.cancel(idB);
  });
  idB = clock.schedule(100, [&] { ++b; });
  clock.advance(1000);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 0);  // cancelled by the earlier tick of the same moment
  clock.cancel(idA);
  clock.advance(1000);
  EXPECT_EQ(a, 10);
}

TEST(VirtualClock, DoEventsRunsPostedWorkOnce) {
  VirtualClock clock;
  int ran = 0;
  clock.post([&] { ++ran; });
  clock.doEvents();
  clock.doEvents();
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(clock.doEventsCalls(), 2);
}

TEST(TimerControl, TicksOnlyWhileEnabledAndNeverWithIntervalZero) {
  VirtualClock clock;
  Timer t("Timer1", clock);
  int ticks = 0;
  t.Tick.connect([&] { ++ticks; });
  t.setInterval(7000);
  clock.advance(60000);
  EXPECT_EQ(ticks, 0);  // created stopped
  t.setEnabled(true);
  clock.advance(21000);
  EXPECT_EQ(ticks, 3);
  t.setEnabled(false);
  clock.advance(21000);
  EXPECT_EQ(ticks, 3);

  Timer marker("Timer9", clock);
  marker.Tick.connect([&] { ++ticks; });
  marker.setEnabled(true);
  clock.advance(100000);
  EXPECT_TRUE(marker.Enabled());
  EXPECT_EQ(ticks, 3);
}

TEST(TimerControl, ATickThatDisablesItsTimerRunsOnce) {
  VirtualClock clock;
  Timer t("Timer11", clock);
  int ticks = 0;
  t.Tick.connect([&] {
    ++ticks;
    t.setEnabled(false);
  });
  t.setInterval(100);
  t.setEnabled(true);
  clock.advance(1000);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(t.Enabled());
}

TEST(TimerControl, ChangingTheIntervalRestartsTheCountdown) {
  VirtualClock clock;
  Timer t("Timer5", clock);
  int ticks = 0;
  t.Tick.connect([&] { ++ticks; });
  t.setInterval(1000);
  t.setEnabled(true);
  clock.advance(900);
  t.setInterval(500);
  clock.advance(400);
  EXPECT_EQ(ticks, 0);
  clock.advance(100);
  EXPECT_EQ(ticks, 1);
}

TEST(Events, EveryHandlerGetsTheArgumentsWhole) {
  kv::Event<std::string, std::string> command;
  std::vector<std::string> seen;
  command.connect([&](std::string c, std::string a) { seen.push_back(c + "|" + a); });
  command.connect([&](const std::string& c, const std::string& a) { seen.push_back(c + "|" + a); });
  command.raise("oknext", "args");
  EXPECT_EQ(seen, (std::vector<std::string>{"oknext|args", "oknext|args"}));
}
