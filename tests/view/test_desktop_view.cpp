// The window host on the desktop: windows that come and go with their forms, the context menu,
// the Open dialog and the message box, the pointer's control and the move without a window
// manager.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "platform/forms/menu.h"
#include "platform/qt/caption_text.h"
#include "platform/qt/convert.h"
#include "platform/qt/language.h"
#include "platform/qt/shown_text.h"
#include "platform/temp_dir.h"
#include "view_rig.h"

using namespace kv;
using namespace kv::forms;
using test::ViewRig;

namespace {
// Runs act on the popup or dialog that opens next.
void whenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* up = QApplication::activePopupWidget();
    if (!up) up = QApplication::activeModalWidget();
    if (!up) return;
    timer->stop();
    timer->deleteLater();
    act(up);
  });
  timer->start(20);
}
}  // namespace

TEST(DesktopView, FormsGetWindowsWhileTheyAreLoaded) {
  ViewRig rig;
  EXPECT_EQ(rig.window(), nullptr) << "no window before Show";
  rig.form.Show();
  ASSERT_NE(rig.window(), nullptr);
  EXPECT_TRUE(rig.window()->isVisible());
  rig.form.Hide();
  EXPECT_FALSE(rig.window()->isVisible());
  rig.form.Show();
  EXPECT_TRUE(rig.window()->isVisible());
  rig.form.Unload();
  EXPECT_EQ(rig.window(), nullptr);
}

TEST(DesktopView, TheContextMenuShowsMarksAndRunsTheChosenItemAfterClosing) {
  ViewRig rig;
  rig.form.Show();
  MenuItem menu("menu", "PlayerMenu");
  MenuItem play("BUT4", "播放/暂停   (&P)", &menu);
  MenuItem sep("sep", "-", &menu);
  MenuItem zoom("BUT8", "缩放比例", &menu);
  MenuItem half("BUT8A", "50%    (&5)", &zoom);
  MenuItem hidden("BUT9", "hidden", &menu);
  play.setChecked(true);
  hidden.setVisible(false);
  bool menuOpenAtClick = true;
  play.Click.connect([&] { menuOpenAtClick = QApplication::activePopupWidget() != nullptr; });

  std::vector<std::string> texts;
  bool checked = false;
  whenModal([&](QWidget* up) {
    auto* popup = qobject_cast<QMenu*>(up);
    ASSERT_NE(popup, nullptr);
    for (QAction* a : popup->actions())
      if (a->isVisible()) texts.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    checked = popup->actions()[0]->isChecked();
    popup->actions()[0]->trigger();
    popup->close();
  });
  rig.view.popupMenu(rig.form, menu);
  EXPECT_EQ(texts, (std::vector<std::string>{"播放/暂停   (&P)", "-", "缩放比例"}));
  EXPECT_TRUE(checked);
  EXPECT_FALSE(menuOpenAtClick);

  // Dismissed: nothing runs.
  int clicks = 0;
  play.Click.connect([&] { ++clicks; });
  whenModal([](QWidget* up) { up->close(); });
  rig.view.popupMenu(rig.form, menu);
  EXPECT_EQ(clicks, 0);
}

// A title, a file name or a chapter name is shown as it is wherever it goes.
TEST(DesktopView, TextsThatAreNotCaptionsAreShownAsTheyAre) {
  using view::TextPlace;
  const std::vector<std::string> texts = {"<b>&amp;x</b>", "A && B &C", "-",
                                          "[*] x",         "a\tb",      "Ünïcødé & 字幕"};
  ViewRig rig;
  rig.form.Show();
  MenuItem menu("menu", "PlayerMenu");
  std::vector<std::unique_ptr<MenuItem>> items;
  for (const std::string& t : texts) {
    items.push_back(std::make_unique<MenuItem>("item", t, &menu));
    items.back()->setLiteral(true);
  }
  std::vector<std::string> inMenu;
  whenModal([&](QWidget* up) {
    for (QAction* a : up->actions())
      inMenu.push_back(a->isSeparator() ? "separator" : a->text().toStdString());
    up->close();
  });
  rig.view.popupMenu(rig.form, menu);
  ASSERT_EQ(inMenu.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const QString text = QString::fromStdString(texts[i]);
    QString noTab = text;
    noTab.replace('\t', ' ');
    const view::CaptionText menuShown = view::parseCaption(QString::fromStdString(inMenu[i]));
    EXPECT_EQ(menuShown.text, noTab);
    EXPECT_EQ(menuShown.accessKey, -1) << texts[i];
    const view::CaptionText label =
        view::parseCaption(view::literalText(texts[i], TextPlace::Caption));
    EXPECT_EQ(label.text, text);
    EXPECT_EQ(label.accessKey, -1) << texts[i];
    QTextDocument tip;
    tip.setHtml(view::literalText(texts[i], TextPlace::ToolTip));
    EXPECT_EQ(tip.toPlainText(), noTab);
    QWidget window;
    window.setWindowTitle(view::literalText(texts[i], TextPlace::Title));
    window.winId();
    EXPECT_EQ(window.windowHandle()->title(), text);
  }
}

TEST(DesktopView, OpenDialogTakesTheProgramsFilterAndReturnsThePath) {
  EXPECT_EQ(view::dialogFilters("AllFiles|*.*|*.wmv|*.wmv|图片|*.jpg;*.png"),
            (QStringList{"AllFiles (*)", "*.wmv (*.wmv)", "图片 (*.jpg *.png)"}));
  EXPECT_TRUE(view::dialogFilters("").isEmpty());
  EXPECT_EQ(view::dialogFilters("odd|"), QStringList{});

  test::TempDir dir;
  const std::string chosen = dir.file("clip.mp4", "x");
  ViewRig rig;
  rig.form.Show();
  QStringList filters;
  whenModal([&](QWidget* up) {
    auto* dialog = qobject_cast<QFileDialog*>(up);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    dialog->selectFile(QString::fromStdString(chosen));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  EXPECT_EQ(rig.view.showOpen(rig.form, "AllFiles|*.*|*.mp4|*.mp4", dir.path() + "/old.avi"),
            chosen);
  EXPECT_EQ(filters.size(), 2);

  whenModal([](QWidget* up) { static_cast<QDialog*>(up)->reject(); });
  EXPECT_EQ(rig.view.showOpen(rig.form, "AllFiles|*.*", chosen), "") << "cancel gives nothing";
}

TEST(DesktopView, MessageBoxIsModalWithTheTextAndTitle) {
  ViewRig rig;
  rig.form.Show();
  QString text, title;
  whenModal([&](QWidget* up) {
    auto* box = qobject_cast<QMessageBox*>(up);
    ASSERT_NE(box, nullptr);
    text = box->text();
    title = box->windowTitle();
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    box->accept();
  });
  rig.view.messageBox(&rig.form, "此时系统信息不可用", "");
  EXPECT_EQ(text, "此时系统信息不可用");
  EXPECT_EQ(title, QApplication::applicationName());
}

TEST(DesktopView, AMessageBoxGoesWithItsWindow) {
  ViewRig rig;
  rig.form.Show();
  // The player shutting down while the box is open.
  whenModal([&](QWidget*) { rig.form.Unload(); });
  rig.view.messageBox(&rig.form, "play.avi", "");
  EXPECT_EQ(rig.window(), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DesktopView, ThePointersControlAndAMoveWithoutWindowManager) {
  ViewRig rig;
  Label label("Label1", &rig.form);
  label.design(1500, 1500, 1500, 1500);
  rig.form.Show();
  ViewRig::settle();
  QWidget* w = rig.widget(label);
  const QPoint inside = w->mapToGlobal(QPoint(5, 5));
  EXPECT_EQ(rig.view.controlAt({inside.x(), inside.y()}), &label);
  const QPoint background = rig.window()->mapToGlobal(QPoint(2, 2));
  EXPECT_EQ(rig.view.controlAt({background.x(), background.y()}), &rig.form);

  // A bare X server has no move loop: the window follows the mouse until the release.
  rig.view.startSystemMove(rig.form);
  QWidget* window = rig.window();
  const QPoint from = QCursor::pos();
  QMouseEvent drag(QEvent::MouseMove, QPointF(10, 10), QPointF(from + QPoint(40, 25)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drag);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(from + QPoint(40, 25)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(window, &release);
  ViewRig::settle();
  EXPECT_EQ(rig.form.Left(), (100 + 40) * 15);
  EXPECT_EQ(rig.form.Top(), (100 + 25) * 15);
}

TEST(DesktopView, WindowsWithoutAPositionOpenCentredOverTheMainWindow) {
  ViewRig rig;
  rig.view.setMainForm(rig.form);
  rig.form.Show();
  ViewRig::settle();
  const QRect main = rig.window()->frameGeometry();
  struct Case {
    int position;
    bool centred;
  };
  for (const Case& c : {Case{Form::kStartCenterOwner, true}, Case{Form::kStartManual, false}}) {
    Form dialog("Dialog", &rig.screen, &rig.view);
    dialog.design(0, 0, 3000, 1500);
    dialog.setStartUpPosition(c.position);
    dialog.Show();
    ViewRig::settle();
    view::FormWindow* window = rig.view.windowOf(dialog);
    ASSERT_NE(window, nullptr);
    const QPoint centre = window->geometry().center();
    if (c.centred) {
      EXPECT_NEAR(centre.x(), main.center().x(), 2);
      // Room is kept above it for the window system's title bar (none on this server).
      EXPECT_NEAR(centre.y(), main.center().y() - 12, 2);
      // The form learns where it is.
      EXPECT_EQ(view::pixels(dialog.Left()), window->x());
    } else {
      EXPECT_EQ(window->pos(), QPoint(0, 0));
    }
    dialog.Unload();
    ViewRig::settle();
  }
}

TEST(DesktopView, MessageBoxesAndStandardButtonsSpeakTheChosenLanguage) {
  struct Case {
    Language language;
    const char* text;
    const char* button;
  };
  for (const Case& c :
       {Case{Language::Chinese, "此时系统信息不可用", "确定"},
        Case{Language::English, "System information is not available at this time.", "OK"},
        Case{Language::Chinese, "此时系统信息不可用", "确定"}}) {
    ASSERT_TRUE(view::loadProgramTranslations(*qApp, c.language));
    ViewRig rig;
    rig.form.Show();
    QString button, text;
    whenModal([&](QWidget* up) {
      auto* box = qobject_cast<QMessageBox*>(up);
      ASSERT_NE(box, nullptr);
      button = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
      text = box->text();
      box->accept();
    });
    rig.view.messageBox(&rig.form, "此时系统信息不可用", "");
    EXPECT_EQ(button.toStdString(), c.button);
    EXPECT_EQ(text.toStdString(), c.text);
    EXPECT_EQ(rig.view.language(), c.language);
    // A text of its own (a command's) is shown as it came, in every language.
    whenModal([&](QWidget* up) {
      text = static_cast<QMessageBox*>(up)->text();
      static_cast<QMessageBox*>(up)->accept();
    });
    rig.view.literalMessageBox(&rig.form, "此时系统信息不可用");
    EXPECT_EQ(text.toStdString(), "此时系统信息不可用");
  }
}

TEST(DesktopView, AChosenLanguageIsShownByTheOpenWindowsAndKept) {
  ViewRig rig;
  rig.form.setCaption("文件类型关联");
  forms::Label label("Label1", &rig.form);
  label.design(0, 0, 1500, 300);
  label.setToolTipText("关闭");
  rig.form.Show();
  ViewRig::settle();
  std::vector<Language> kept;
  rig.view.setLanguageKeeper([&kept](Language l) { kept.push_back(l); });
  rig.view.chooseLanguage(Language::English);
  EXPECT_EQ(rig.window()->windowTitle().toStdString(), "File Type Associations");
  EXPECT_EQ(rig.widget(label)->toolTip().toStdString(), "Close");
  rig.view.chooseLanguage(Language::Chinese);
  EXPECT_EQ(rig.window()->windowTitle().toStdString(), "文件类型关联");
  EXPECT_EQ(kept, (std::vector<Language>{Language::English, Language::Chinese}));
  // The forms keep the texts as written.
  EXPECT_EQ(rig.form.Caption(), "文件类型关联");
}
