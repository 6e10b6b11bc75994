#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <string>
#include <vector>

#include "doubles/fake_services.h"
#include "platform/errors.h"
#include "platform/forms/form.h"

using namespace kv;
using namespace kv::forms;

TEST(Controls, RefusedValuesRaiseTheRuntimeErrorAndChangeNothing) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Label label("Label1", &form);
  label.design(10, 20, 300, 200);
  try {
    label.setWidth(-1);
    FAIL() << "negative width accepted";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::InvalidPropertyValue);
  }
  EXPECT_THROW(label.setHeight(-0.5f), RuntimeError);
  EXPECT_EQ(label.Width(), 300);
  EXPECT_EQ(label.Height(), 200);
  label.setLeft(-4560);  // negative positions are allowed
  EXPECT_EQ(label.Left(), -4560);
  // The resume-on-error step swallows the refusal and reports it.
  EXPECT_FALSE(step([&] { label.setWidth(-10); }));
  EXPECT_TRUE(step([&] { label.setWidth(10); }));
}

TEST(Controls, ZOrderMovesWithinTheContainer) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Image a("a", &form), b("b", &form), c("c", &form);
  a.ZOrder(0);
  EXPECT_EQ(form.children().back(), &a);
  c.ZOrder(1);
  EXPECT_EQ(form.children().front(), &c);
  EXPECT_EQ(form.children().size(), 3u);
}

TEST(Forms, ResizeIsRaisedBeforeTheSetterReturns) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  form.Move(100, 100, 9450, 6765);
  std::vector<std::string> order;
  form.Resize.connect([&] {
    order.push_back("Resize " + std::to_string(static_cast<int>(form.Width())) + "x" +
                    std::to_string(static_cast<int>(form.Height())));
  });
  form.setWidth(9600);
  order.push_back("after width");
  form.setWindowState(kMaximized);
  order.push_back("after maximise");
  EXPECT_EQ(order, (std::vector<std::string>{"Resize 9600x6765", "after width",
                                             "Resize 19200x15360", "after maximise"}));
}

TEST(Forms, AMaximisedWindowRefusesMovesAndRestoresItsNormalBounds) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  form.Move(300, 200, 9450, 6765);
  form.setWindowState(kMaximized);
  EXPECT_EQ(form.Left(), 0);
  try {
    form.Move(10, 10);
    FAIL() << "moved a maximised window";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::CantMoveMaximised);
  }
  EXPECT_THROW(form.setHeight(5000), RuntimeError);
  form.setWindowState(kNormal);
  EXPECT_EQ(form.Left(), 300);
  EXPECT_EQ(form.Top(), 200);
  EXPECT_EQ(form.Width(), 9450);
  EXPECT_EQ(form.Height(), 6765);
  EXPECT_THROW(form.setWindowState(3), RuntimeError);
}

TEST(Forms, UnloadDuringLoadLeavesTheWindowHidden) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  int unloads = 0;
  form.Load.connect([&] { form.Unload(); });
  form.Unload_.connect([&] { ++unloads; });
  form.Show();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(form.unloaded());
  EXPECT_EQ(unloads, 1);
}

TEST(Controls, OptionValueFromCodeClicks) {
  test::FakeScreen screen;
  Form form("Form4", &screen);
  CheckBox box("Check1", &form);
  int clicks = 0;
  box.Click.connect([&] { ++clicks; });
  box.setValue(1);
  box.setValue(1);  // no change, no click
  box.setValue(0);
  EXPECT_EQ(clicks, 2);
}

namespace {
std::vector<std::string> logged;
void keepMessage(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (std::string(context.category ? context.category : "") == "korvelin.step")
    logged.push_back(text.toStdString());
}
}  // namespace

TEST(Controls, SwallowedStepsReachTheDebugLogOnlyWhenItIsSwitchedOn) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Label label("Label1", &form);
  const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
  logged.clear();
  step([&] { label.setWidth(-1); });
  EXPECT_TRUE(logged.empty());
  QLoggingCategory::setFilterRules("korvelin.step.debug=true");
  step([&] { label.setWidth(-1); });
  QLoggingCategory::setFilterRules("");
  qInstallMessageHandler(previous);
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_NE(logged[0].find("error 380"), std::string::npos) << logged[0];
  EXPECT_NE(logged[0].find("Label1"), std::string::npos) << logged[0];
}
