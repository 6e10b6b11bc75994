// Start-up of the main window: one instance only, the Flash resources made usable, the last
// folder restored, first-run actions, the bars configured and the command-line file played.

#include <utility>

#include "app/form1.h"
#include "dialogs/form4.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {
namespace {

constexpr std::uint32_t kClearFrameMask = 0xFF3AFFFF;  // no caption, thick frame, maximise box
constexpr std::uint32_t kFullFrameBits = 0x00CF0000;
constexpr std::uint32_t kSystemMenuOnly = 0x000B0000;  // system menu, minimise, maximise boxes

}  // namespace

void Form1::SetWindowFrame(bool show) {
  const std::uint32_t style = windowStyle();
  setWindowStyle(show ? (style | kFullFrameBits) : (style & kClearFrameMask));
}

void Form1::SetFormTopmost() {
  // The main window keeps its place in the z-order: a player that covers every other window
  // is more annoying than useful, so only the secondary windows are top-most.
  setTopmost(false);
}

void Form1::Form_Load() {
  using media::GetExtension;
  using media::GetPathFromFileName;
  const std::string sep = "/";

  // One instance only: a second launch ends before any window shows.
  if (services_.instance.PrevInstance()) {
    Unload();
    return;
  }

  const std::string launchedWith = launchCommandLine_;
  step([&] {
    if (!launchedWith.empty()) commandLine = launchedWith;
  });

  // Flash resources are stored as .dll between runs.
  const std::string app = appFolder();
  step([&] {
    for (const std::string& name : services_.files.listFiles(app, "*.dll")) {
      const std::string swf = name.substr(0, name.size() - 3) + "swf";
      step([&] { services_.files.rename(app + sep + name, app + sep + swf); });
    }
  });

  step([&] { SetWindowFrame(false); });
  step([&] { SetFormTopmost(); });
  step([&] { setWindowStyle(kSystemMenuOnly); });

  step([&] { services_.screenSaver.setActive(false); });

  step([&] { WebBrowser1.setVisible(false); });
  step([&] { Picture7.setVisible(false); });
  step([&] { WindowsMediaPlayer1.setVisible(false); });
  step([&] { ShockwaveFlash1.setVisible(false); });

  // Start file, first pass: a quoted command line names no folder and is skipped here.
  std::string startExtension;
  step([&] { File1.setPath(GetPathFromFileName(commandLine, sep)); });
  step([&] { startFile = media::WithoutQuotes(commandLine); });
  step([&] { startFileName = services_.files.Dir(startFile); });
  step([&] { startExtension = GetExtension(startFileName); });

  step([&] { currentIndex = 0; });

  std::string documentsFolder;
  step([&] { documentsFolder = services_.folders.documentsFolder(); });

  // The last folder of the file list. The whole stored value is read: a long path cut at
  // a fixed buffer would point the list at a wrong folder.
  const std::string settings = app + sep + "fileinf.ini";
  if (services_.files.fileExists(settings)) {
    std::string savedFolder;
    step([&] {
      savedFolder =
          services_.profile.GetPrivateProfileString("user", "filepath", "false", 0, settings);
    });
    step([&] { File1.setPath(savedFolder); });
    step([&] { Dir1.setPath(File1.Path()); });
  } else {
    step([&] { services_.profile.WritePrivateProfileSection("user", "", settings); });
    step([&] { Dir1.setPath(documentsFolder); });
  }

  // First run: no datinf folder yet.
  firstRun_ = !services_.files.folderExists(app + sep + "datinf");
  if (firstRun_) {
    step([&] { services_.files.createFolder(app + sep + "datinf"); });
    step([&] { showForm4(); });
    step([&] { Label8_Click(); });
  }

  // Seek bar and volume bar.
  step([&] { tVate1.setMax(100); });
  step([&] { tVate1.setValue(0); });
  step([&] { tVate1.setStyle(2); });
  step([&] { tVate1.setCanMove(true); });
  step([&] { tVate1.setBite_LP(2); });
  step([&] { tVate1.setBite_RP(2); });
  step([&] { tVate1.setPicture(Image1.Picture(), 17, 17, 1, 1, 16); });
  step([&] { volume.setStyle(2); });
  step([&] { volume.setCanMove(true); });
  step([&] { volume.setBite_RP(2); });
  step([&] { volume.setBite_LP(2); });
  step([&] { volume.setValue(50); });
  step([&] { volume.setPicture(Image14.Picture(), 5, 5, 1, 1, 12); });
  step([&] { tVate1.setcMouseIcon(Image51.Picture()); });
  step([&] { volume.setcMouseIcon(Image51.Picture()); });

  // Menu marks, initial layout and visibility.
  step([&] { setInitialMenuMarks(); });
  const float W = Width(), H = Height();
  step([&] { Frame1.setTop(645); });
  step([&] { Frame1.setLeft(120); });
  step([&] { Frame1.setWidth(1935); });
  step([&] { Frame1.setHeight(H - 1620); });
  step([&] { Frame1.ZOrder(0); });
  for (forms::OptionButton* option : {&Option1, &Option2, &Option3}) {
    step([&] { option->setTop(0); });
    step([&] { option->setHeight(375); });
  }
  step([&] { Drive1.setTop(375); });
  step([&] { Drive1.setWidth(Frame1.Width()); });
  step([&] { Dir1.setTop(675); });
  step([&] { Dir1.setWidth(Frame1.Width()); });
  step([&] { Dir1.setVisible(true); });
  step([&] { File1.setTop(2415); });
  step([&] { File1.setLeft(0); });
  step([&] { File1.setHeight(3315); });
  step([&] { File1.setWidth(Frame1.Width()); });
  step([&] { tVate1.ZOrder(0); });
  step([&] { volume.ZOrder(0); });
  step([&] { Picture7.setLeft(W - Picture7.Width()); });
  step([&] { Picture7.setTop(H - Picture7.Height()); });
  step([&] { Picture7.setVisible(false); });
  step([&] { Timer11.setEnabled(true); });
  step([&] { Label1.setCaption("00:00"); });
  step([&] { Label2.setCaption("/00:00"); });
  showButtonLayout(false);
  for (forms::Image* shown : {&Image4, &Image9, &Image20}) step([&] { shown->setVisible(true); });
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WindowsMediaPlayer1.setVisible(false); });
  step([&] { ShockwaveFlash1.setVisible(false); });

  step([&] { services_.clock.doEvents(); });

  // Play the start file by the start rule.
  if (const auto kind = media::ClassifyForStart(startExtension))
    session_.open(media::OpenRoute::Start, *kind, startFile);

  // The start file's folder wins over the restored one.
  step([&] { File1.setPath(GetPathFromFileName(startFile, sep)); });
  step([&] { File1.setPattern(media::MediaPattern); });

  step([&] { promotionDue = services_.clock.now() + kPromotionPeriodMs; });
  step([&] { Timer12.setInterval(500); });
  step([&] { Timer12.setEnabled(true); });
}

// The first run's blog tab stays lit while the load hides its page with the rest; the page is
// shown once the window is on the screen, unless a start file took the video area. (A page whose
// place is shown with the window, before the browser engine exists, is never drawn.)
void Form1::windowOnScreen() {
  if (!std::exchange(firstRun_, false) || WebBrowser1.Visible() || WindowsMediaPlayer1.Visible() ||
      ShockwaveFlash1.Visible())
    return;
  step([&] { WebBrowser1.setVisible(true); });
  step([&] { WebBrowser1.ZOrder(0); });
  // The association dialog stays above the page.
  if (form4_ && form4_->loaded() && form4_->Visible()) step([&] { form4_->Show(); });
}

}  // namespace kv::app
