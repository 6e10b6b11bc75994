// Every caption of every window the program shows is drawn whole: its glyphs, access-key
// underline included, lie inside its control and inside every container around it, with the
// font the view draws it in, and no "&" of the design is shown literally. Run at 1x and at
// twice the pixel density, in Chinese and in English (KV_TEST_LANGUAGE); in English every
// text shown (captions, tool tips, titles, menu items) is translated.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QPixmap>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/playback_rig.h"
#include "comfort/comfort_texts.h"
#include "dialogs/form0.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/frm_about.h"
#include "platform/language.h"
#include "platform/qt/convert.h"
#include "platform/qt/desktop_look.h"
#include "platform/qt/help/help_window.h"
#include "platform/qt/help/host_help.h"
#include "platform/qt/language.h"
#include "platform/qt/painted_control.h"
#include "platform/qt/shown_text.h"
#include "view_rig.h"

using namespace kv;

namespace {

#ifdef KV_TEST_LANGUAGE
const Language kLanguage = parseLanguage(KV_TEST_LANGUAGE).value_or(Language::Chinese);
#else
const Language kLanguage = Language::Chinese;
#endif
const bool kEnglish = kLanguage == Language::English;

// In English nothing Chinese is left, but the name of the language to go back to.
void expectTranslated(const QString& shown, const std::string& where) {
  if (!kEnglish || shown == QStringLiteral("中文")) return;
  EXPECT_FALSE(view::needsTranslation(shown)) << where << ": \"" << shown.toStdString() << "\"";
}

struct MainWindowRig {
  view::ComponentRegistry registry;
  view::DesktopView view{registry};
  test::PlaybackRig rig{&view};
  app::Form1& f = rig.startWith({"a.avi", "b.jpg"});

  MainWindowRig() {
    view.setMainForm(f);
    rig.click(0);
    test::ViewRig::settle();
  }
  ~MainWindowRig() {
    rig.form.reset();
    test::ViewRig::settle();
  }
  std::vector<forms::Form*> forms() const {
    return {&f, f.form3(), f.form4(), f.aboutBox(), f.promotion()};
  }
};

QString withoutBlanks(QString s) {
  s.remove(QLatin1Char(' '));
  s.remove(QChar::LineSeparator);
  s.remove(QLatin1Char('\n'));
  return s;
}

// What is wrong with the caption of one control ("" when it is drawn whole).
std::string captionProblem(const view::PaintedControl& w) {
  const forms::Control& c = w.control();
  const QString caption = view::shownText(c.Caption());
  const view::CaptionLayout layout = w.captionLayout();
  if (layout.lines.empty()) return "";
  QString drawn;
  for (const auto& line : layout.lines) drawn += line.text;
  if (withoutBlanks(drawn) != withoutBlanks(view::parseCaption(caption).text))
    return "draws \"" + drawn.toStdString() + "\"";
  const QRectF ink = view::measuredInk(layout);
  const auto inside = [&ink](const QRectF& room) {
    return room.adjusted(-0.01, -0.01, 0.01, 0.01).contains(ink);
  };
  const auto describe = [&ink](const char* what, const QRectF& room) {
    return std::string("glyphs ") + std::to_string(ink.left()) + "," + std::to_string(ink.top()) +
           " to " + std::to_string(ink.right()) + "," + std::to_string(ink.bottom()) +
           " leave the " + what + " " + std::to_string(room.width()) + "x" +
           std::to_string(room.height());
  };
  if (!inside(QRectF(w.captionRoom()))) return describe("caption room", w.captionRoom());
  // Each container clips what it holds.
  for (const QWidget* up = &w; up && !up->isWindow(); up = up->parentWidget()) {
    const QRectF inW = QRectF(up->parentWidget()->rect())
                           .translated(QPointF(w.mapFrom(up->parentWidget(), QPoint(0, 0))));
    if (!inside(inW)) return describe("container", inW);
  }
  const int design = view::scaledCaptionFont(c).pixelSize();
  if (layout.font.pixelSize() > design) return "drawn larger than the design's font";
  return "";
}

// WCAG contrast of two colours (1 to 21). No caption keeps a described colour below 4.5.
double contrast(const QColor& a, const QColor& b) {
  const auto l = [](double v) { return v < 0.04 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  const auto y = [&](QColor c) {
    return .2126 * l(c.redF()) + .7152 * l(c.greenF()) + .0722 * l(c.blueF()) + .05;
  };
  return std::max(y(a), y(b)) / std::min(y(a), y(b));
}
// Captions drawn below 11 pixels: the file panel's filters leave 23 pixels for "Music".
const std::set<std::string> kSmallAllowed = {"Option1", "Option2", "Option3"};
int checkWindow(QWidget* window, const std::string& screen) {
  int checked = 0;
  if (!window) {
    ADD_FAILURE() << screen << ": no window";
    return 0;
  }
  const QImage shown = window->grab().toImage();
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    auto* w = dynamic_cast<view::PaintedControl*>(widget);
    if (!w || !w->isVisibleTo(window) || !w->attached()) continue;
    if (w->control().Caption().empty()) continue;
    ++checked;
    EXPECT_EQ(captionProblem(*w), "")
        << screen << ": " << w->control().name() << " \"" << w->control().Caption() << "\"";
    expectTranslated(view::shownText(w->control().Caption()), screen + ": " + w->control().name());
    const forms::Control& c = w->control();
    const QRectF ink = w->captionLayout().ink;
    const QPoint beside = w->mapTo(window, QPoint(std::min(int(ink.right()) + 2, w->width() - 1),
                                                  std::max(0, int(ink.center().y()))));
    EXPECT_TRUE(!w->isEnabled() || ink.isEmpty() ||
                contrast(view::shownForeColour(c),
                         shown.pixelColor(beside * shown.devicePixelRatio())) >= 4.5)
        << screen << ": " << c.name();
    EXPECT_TRUE(kSmallAllowed.contains(c.name()) || w->captionLayout().font.pixelSize() >= 11)
        << screen << ": " << c.name();
  }
  // Captions of one kind in one container show in one size.
  std::map<std::pair<const forms::Control*, forms::Kind>, std::set<int>> groupSizes;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    auto* w = dynamic_cast<view::PaintedControl*>(widget);
    if (w && w->isVisibleTo(window) && w->attached() && !w->control().Caption().empty())
      groupSizes[{w->control().parent(), w->control().kind()}].insert(
          w->captionLayout().font.pixelSize());
  }
  for (const auto& [group, sizes] : groupSizes)
    EXPECT_EQ(sizes.size(), 1u) << screen << ": a group in " << group.first->name();
  expectTranslated(window->windowTitle(), screen + ": title");
  for (const QWidget* widget : window->findChildren<QWidget*>())
    if (widget->isVisibleTo(window)) expectTranslated(widget->toolTip(), screen + ": tool tip");
  // Qt's own buttons (the help window's) fit their text as well.
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    if (!b->isVisibleTo(window) || b->text().isEmpty()) continue;
    ++checked;
    expectTranslated(b->text(), screen);
    const QFontMetricsF fm(b->font());
    EXPECT_LE(fm.horizontalAdvance(b->text()), b->width())
        << screen << ": " << b->text().toStdString();
    EXPECT_LE(fm.height(), b->height()) << screen << ": " << b->text().toStdString();
  }
  return checked;
}

void expectMenuTranslated(const forms::MenuItem& menu) {
  for (const forms::MenuItem* item : menu.items()) {
    expectTranslated(view::shownText(item->Caption()), "menu " + item->name());
    expectMenuTranslated(*item);
  }
}

}  // namespace

TEST(CaptionFit, EveryCaptionOfEveryWindowIsDrawnWhole) {
  ASSERT_TRUE(view::loadProgramTranslations(*qApp, kLanguage));
  view::applyDesktopLook(*qApp);  // the colours the person sees
  MainWindowRig m;
  app::Form1& f = m.f;
  struct Screen {
    const char* name;
    std::function<void()> open;
    bool captioned = true;  // the screen-filling modes hide every caption
  };
  const std::vector<Screen> screens = {
      {"main window, play tab", [&] { f.Label3_Click(); }},
      {"main window, list tab", [&] { f.Label6_Click(); }},
      {"main window, blog tab", [&] { f.Label8_Click(); }},
      {"main window, help tab", [&] { f.Label9_Click(); }},
      {"main window, theatre", [&] { f.BUT0_Click(); }, false},
      {"main window, full screen", [&] { f.BUT1_Click(); }, false},
      {"main window, stretch", [&] { f.BUT17_Click(); }, false},
      {"main window, native size", [&] { f.BUT2_Click(); }},
      {"main window, maximised", [&] { f.Image16_Click(); }},
      {"main window, restored", [&] { f.Image19_Click(); }},
      {"popup menu window", [&] { f.toggleForm3(); }},
      {"popup menu window, start with the session switched",
       [&] {
         f.form3()->Label6_Click();  // closes the window; it opens again with the other caption
         test::ViewRig::settle();
         f.toggleForm3();
       }},
      {"association dialog", [&] { f.showForm4(); }},
      {"association dialog, every type described",
       [&] {
         for (std::size_t i = 0; i < dialogs::kFileTypes.size(); ++i) {
           f.form4()->Check_Click(i);
           test::ViewRig::settle();
           checkWindow(m.view.windowOf(*f.form4()), dialogs::kFileTypes[i].caption);
         }
       }},
      {"association dialog, select all", [&] { f.form4()->Command1_Click(); }},
      {"About box", [&] { f.showAbout(); }},
      {"promotion window",
       [&] {
         f.promotionDue = 0;
         f.Timer12_Timer();
       }},
  };
  for (const Screen& s : screens) {
    s.open();
    test::ViewRig::settle();
    int checked = 0;
    for (forms::Form* form : m.forms())
      if (view::FormWindow* window = form ? m.view.windowOf(*form) : nullptr;
          window && window->isVisible())
        checked += checkWindow(window, s.name);
    EXPECT_TRUE(!s.captioned || checked > 0) << s.name;
  }

  test::FakeShell shell;
  help::HostHelp helpService(shell);
  helpService.setOwner([&m] { return m.view.mainWindow(); });
  helpService.showTopic("/nonexistent/pemra.chm", "help.htm");
  test::ViewRig::settle();
  ASSERT_NE(helpService.window(), nullptr);
  EXPECT_GT(checkWindow(helpService.window(), "help window"), 0);
  expectTranslated(helpService.window()->browser().toPlainText(), "help window message");
  expectMenuTranslated(f.menu);
  ASSERT_TRUE(view::loadProgramTranslations(*qApp, Language::Chinese));
}

TEST(CaptionFit, AccessKeysAreUnderlinedAndDoubledAmpersandsShowOnce) {
  struct Case {
    const char* caption;
    const char* shown;
    int accessKey;
  };
  for (const Case& c : {Case{" 使用说明(&H)", " 使用说明(H)", 6}, Case{"&Open", "Open", 0},
                        Case{"A && B", "A & B", -1}, Case{"&&&X", "&X", 1}, Case{"End&", "End", -1},
                        Case{"全 选", "全 选", -1}}) {
    const view::CaptionText text = view::parseCaption(QString::fromUtf8(c.caption));
    EXPECT_EQ(text.text.toStdString(), c.shown) << c.caption;
    EXPECT_EQ(text.accessKey, c.accessKey) << c.caption;
  }
}

// Texts composed outside the view (messages over the video, the names of tracks) come out in
// the language shown through the same catalogue.
TEST(CaptionFit, TheWatchingTextsSpeakTheLanguageShown) {
  namespace t = comfort::texts;
  std::vector<const char*> all = {t::kMenu,
                                  t::kAudioTrack,
                                  t::kSubtitleTrack,
                                  t::kSubtitlesOff,
                                  t::kNoTracks,
                                  t::kExternal,
                                  t::kDetailSeparator,
                                  t::kResumeItem,
                                  t::kResumeOffer,
                                  t::kResumed,
                                  t::kVolume,
                                  t::kMuted,
                                  t::kSpeed,
                                  t::kFrameForward,
                                  t::kFrameBack,
                                  t::kSubtitlesShown,
                                  t::kSubtitlesHidden,
                                  t::kSnapshotSaved,
                                  t::kSnapshotFailed,
                                  t::kNativeSize,
                                  t::kTheatre,
                                  t::kFullScreen,
                                  t::kStretch,
                                  t::kZoom};
  for (const char* added : {t::kPictureMenu,       t::kLoadSubtitle,     t::kSubtitleFilter,
                            t::kEncodingMenu,      t::kEncodingGuess,    t::kSubtitleBigger,
                            t::kSubtitleSmaller,   t::kSubtitleUp,       t::kSubtitleDown,
                            t::kSubtitleLookReset, t::kNormaliseItem,    t::kHardwareItem,
                            t::kOnTopItem,         t::kSubtitleDelay,    t::kAudioDelay,
                            t::kContrast,          t::kBrightness,       t::kGamma,
                            t::kSaturation,        t::kAspect,           t::kAspectOwn,
                            t::kDeinterlaceOn,     t::kDeinterlaceOff,   t::kOnTopOn,
                            t::kOnTopOff,          t::kNormaliseOn,      t::kNormaliseOff,
                            t::kDecoder,           t::kNoDecoder,        t::kSoftwareDecoding,
                            t::kSubtitleSize,      t::kSubtitlePosition, t::kSubtitleAdded,
                            t::kSubtitleNotAdded,  t::kEncodingChosen})
    all.push_back(added);
  for (const auto& e : t::kEncodings) all.push_back(e.shown);
  for (const auto& l : t::kLanguages) all.push_back(l.name);
  ASSERT_TRUE(view::loadProgramTranslations(*qApp, kLanguage));
  for (const char* text : all) {
    const std::string shown = translatedText(text);
    if (kEnglish)
      EXPECT_FALSE(view::needsTranslation(QString::fromStdString(shown))) << text;
    else
      EXPECT_EQ(shown, text);
  }
  ASSERT_TRUE(view::loadProgramTranslations(*qApp, Language::Chinese));
}
