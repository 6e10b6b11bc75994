// The korvelin executable: the main window on the host's services, shown by the desktop view,
// with the engines loaded once the window is on screen.

#include <xcb/xcb.h>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop_components.h"
#include "app/desktop_session.h"
#include "app/form1.h"
#include "app/options.h"
#include "comfort/comfort.h"
#include "comfort/comfort_places.h"
#include "engines/engines.h"
#include "media/player/frame_preview.h"
#include "media/web/web_engine_environment.h"
#include "platform/errors.h"
#include "platform/forms/picture_preload.h"
#include "platform/host/host_language.h"
#include "platform/host/host_services.h"
#include "platform/host/host_stand_in.h"
#include "platform/large_blocks.h"
#include "platform/qt/component_place.h"
#include "platform/qt/desktop_look.h"
#include "platform/qt/desktop_view.h"
#include "platform/qt/form_window.h"
#include "platform/qt/help/host_help.h"
#include "platform/qt/language.h"
#include "platform/qt/window_picture.h"
#include "recent/recent_list.h"

namespace {

// The shell passes one path; a path the shell split at its spaces is joined again.
std::string commandLineOf(const std::vector<std::string>& words) {
  std::string line;
  for (const auto& w : words) line += (line.empty() ? "" : " ") + w;
  return line;
}

std::string startupSummary(const kv::app::Form1& form) {
  QJsonObject o;
  o["commandLine"] = QString::fromStdString(form.commandLine);
  o["startFile"] = QString::fromStdString(form.startFileName.empty() ? "" : form.startFile);
  o["playing"] = form.ShockwaveFlash1.Visible()       ? "flash"
                 : form.WindowsMediaPlayer1.Visible() ? "player"
                                                      : "nothing";
  o["fileList"] = QString::fromStdString(form.File1.Path());
  o["fileListEntries"] = form.File1.ListCount();
  o["folderList"] = QString::fromStdString(form.Dir1.Path());
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

bool envSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// A connection to the X display, held until the toolkit has its own: an X server with no
// client left resets itself, and a toolkit connecting during that reset would fail.
struct DisplayCheck {
  xcb_connection_t* connection = nullptr;
  ~DisplayCheck() {
    if (connection) xcb_disconnect(connection);
  }
};

// Whether there is a display to open the window on; says what to do when there is none.
bool displayAvailable(DisplayCheck& check) {
  if (envSet("QT_QPA_PLATFORM") || envSet("WAYLAND_DISPLAY")) return true;  // the user chose
  const char* advice =
      "  Start it from a desktop session, or without one under a virtual X server:\n"
      "  install the packages xvfb and xauth (sudo apt-get install xvfb xauth) and run\n"
      "  xvfb-run -a korvelin [FILE]   (scripts/run does this by itself)\n";
  if (!envSet("DISPLAY")) {
    std::cerr << "korvelin: there is no display to show the window on (DISPLAY is not set).\n"
              << advice;
    return false;
  }
  check.connection = xcb_connect(nullptr, nullptr);
  const bool ok = xcb_connection_has_error(check.connection) == 0;
  if (!ok)
    std::cerr << "korvelin: the display " << std::getenv("DISPLAY") << " cannot be reached.\n"
              << advice;
  return ok;
}

// Icons of the program, as the skin provides them.
QIcon programIcon(const std::string& applicationFolder) {
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString path = QString::fromStdString(applicationFolder + "/icons/hicolor/") +
                         QStringLiteral("%1x%1/apps/korvelin.png").arg(size);
    if (QFileInfo::exists(path)) icon.addFile(path, QSize(size, size));
  }
  return icon;
}

}  // namespace

// Sanitizer builds only (lsan_defaults.cpp.in).
extern "C" void kvKeepGraphicsDriversLoaded() __attribute__((weak));

int main(int argc, char** argv) {
  using kv::app::ProgramOptions;
  const ProgramOptions options = kv::app::parseOptions({argv + 1, argv + argc});
  if (!options.error.empty()) {
    std::cerr << "korvelin: " << options.error << "\n" << kv::app::kUsage;
    return 2;
  }
  switch (options.mode) {
    case ProgramOptions::Mode::Version:
      std::cout << "Korvelin " << KORVELIN_VERSION << "\n";
      return 0;
    case ProgramOptions::Mode::Help:
      std::cout << kv::app::kUsage;
      return 0;
    case ProgramOptions::Mode::Execute: {
      QCoreApplication client(argc, argv);
      return kv::app::runExecuteClient({argv + 1, argv + argc}, std::cerr);
    }
    case ProgramOptions::Mode::Probe: {
      kv::engines::Engines engines;
      kv::engines::MediaModule* media = engines.loadMediaNow();
      return media ? media->probe(options.files, std::cout) : 1;
    }
    case ProgramOptions::Mode::Run:
      break;
  }

  kv::keepLargeBlocksInOwnMappings();
  auto display = std::make_unique<DisplayCheck>();
  if (!displayAvailable(*display)) return 3;
  // OpenGL (the video, the browser) is set up after the first paint, with the engines.
  kv::media::prepareWebEngineEnvironment(false);
  QApplication application(argc, argv);
  // The skin decodes on a thread of its own while the windows are made. (Not before the
  // application exists: the first thread to touch Qt becomes its main thread.)
  kv::forms::PicturePreload skinPictures(kv::host::HostFolders().applicationFolder() + "/skins");
  display.reset();
  QApplication::setApplicationName("Korvelin");
  QApplication::setApplicationVersion(KORVELIN_VERSION);
  QGuiApplication::setDesktopFileName("korvelin");
  kv::view::overlapStartupWaits();
  kv::view::applyDesktopLook(application);
  // Chinese on every locale unless the person has chosen English.
  kv::view::loadProgramTranslations(application, kv::host::startLanguage());

  kv::host::HostClock clock;
  kv::host::HostCursor cursor;
  kv::host::HostScreen screen;
  kv::host::HostProfile hostProfile;
  kv::host::HostFiles hostFiles;
  kv::host::HostFolders folders;
  // An installed, read-only folder keeps the settings, the first-run marker and the
  // association choices in a per-user folder instead.
  const kv::StandInFolders standIns = kv::host::hostStandIns(folders);
  kv::StandInFiles files(hostFiles, standIns);
  kv::StandInProfile profile(hostProfile, hostFiles, standIns);
  kv::host::HostScreenSaver screenSaver;
  kv::host::HostInstance instance;
  kv::host::HostShell shell;
  kv::help::HostHelp help(shell);
  kv::app::DesktopRegistry registry(folders);

  kv::engines::Engines engines;
  kv::app::DesktopComponents components(engines, clock, folders.applicationFolder() + "/ruffle");
  kv::view::ComponentRegistry places;
  kv::view::DesktopView view(places);
  view.setLanguageKeeper([](kv::Language language) {
    kv::host::storeLanguage(language, kv::host::languageFilePath());
  });
  cursor.setResolver([&view](kv::Point p) { return view.controlAt(p); });
  kv::Services services{clock,       cursor,   screen, profile, files, folders,
                        screenSaver, instance, view,   shell,   help,  registry.service()};
  auto parts = components.components();
  kv::app::Form1 form(services, parts);
  form.comfort().usePlaces(
      std::make_unique<kv::comfort::FilePositions>(kv::comfort::positionsFile()),
      kv::comfort::stillsFolder());
  form.comfort().keepChoicesIn(
      std::make_unique<kv::comfort::FileChoices>(kv::comfort::choicesFile()));
  form.seekPreview().usePreviews([&engines]() -> std::unique_ptr<kv::media::FramePreview> {
    kv::engines::MediaModule* media = engines.media();
    return media ? media->createPreview() : nullptr;
  });
  form.recent().keepIn(std::make_unique<kv::recent::FileRecent>(kv::recent::recentFile()));
  view.setMainForm(form);
  help.setOwner([&view] { return view.mainWindow(); });
  components.registerPlaces(places, form);

  // OpenGL only once an engine is wanted (the software stack alone holds tens of MiB). Without
  // it (an off-screen platform) the video has no picture.
  engines.setBeforeFirstLoad([&components, &engines] {
    const bool openGL = kv::media::shareOpenGLContexts();
    components.setPicturesShown(openGL);
    // The browser engine started without the shared context brings the process down.
    if (!openGL) engines.refuseWeb("no OpenGL here: web pages and Flash movies stay empty");
    if (kvKeepGraphicsDriversLoaded) kvKeepGraphicsDriversLoaded();
  });
  const bool quitAfterPaint = envSet("KORVELIN_QUIT_AFTER_FIRST_PAINT");  // start-up benchmark
  const std::string applicationFolder = folders.applicationFolder();
  kv::app::DesktopSession* session = nullptr;
  bool onScreen = false;
  QObject::connect(&view, &kv::view::DesktopView::firstPainted, &application,
                   [&](kv::forms::Form* painted) {
                     if (painted != &form) return;
                     if (quitAfterPaint) {
                       std::cout << "painted" << std::endl;
                       QCoreApplication::exit(0);
                       return;
                     }
                     // The engines, the icon, the desktop entry and the session bus once the window
                     // is on the screen.
                     QTimer::singleShot(0, &application, [&, applicationFolder] {
                       onScreen = true;
                       skinPictures.forget();
                       // Every size of the icon decoded and sent to the X server would hold up the
                       // first picture (and the decoding loads every image plugin); a shown window
                       // takes it too.
                       QApplication::setWindowIcon(programIcon(applicationFolder));
                       engines.allowLoading();
                       form.windowOnScreen();
                       screenSaver.start();
                       if (session) session->joinDesktop();
                     });
                   });

  // The program ends with its main window.
  form.Unload_.connect([] {
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::quit(); });
  });

  int exitCode = 0;
  // Armed before the window is shown, so that it also ends a start held by a modal first-run
  // dialog. The picture waits for the main window (it may be behind that dialog) for up to 30 s.
  std::function<void(int)> finish = [&](int triesLeft) {
    if (!options.screenshot.empty()) {
      view.flush();
      kv::view::FormWindow* window = view.windowOf(form);
      if (!window && triesLeft > 0) {
        QTimer::singleShot(100, &application, [&finish, triesLeft] { finish(triesLeft - 1); });
        return;
      }
      std::string error;
      if (!window) {
        std::cerr << "korvelin: the main window is not shown; no screenshot\n";
        exitCode = 1;
      } else if (!kv::view::saveWindowPicture(*window, options.screenshot, &error)) {
        std::cerr << "korvelin: the screenshot could not be saved to " << options.screenshot << ": "
                  << error << "\n";
        exitCode = 1;
      }
    }
    kv::step([&] { form.Unload(); });
    QCoreApplication::quit();
  };
  if (options.afterSeconds) {
    const int ms = static_cast<int>(*options.afterSeconds * 1000);
    QTimer::singleShot(ms, &application, [&finish] { finish(300); });
  }

  form.setLaunchCommandLine(commandLineOf(options.files));
  form.Show();
  // Another instance is running, or the start ended early (a failed screenshot says so).
  if (form.unloaded()) return exitCode;
  // For looking at it (scripts/gallery): the promotion window after this many seconds rather
  // than after 30 minutes.
  if (const char* after = std::getenv("KORVELIN_PROMOTION_AFTER"); after && *after)
    form.promotionDue = clock.now() + static_cast<std::int64_t>(std::atof(after) * 1000);

  kv::app::DesktopSession desktopSession(form, registry);
  session = &desktopSession;
  // A modal window during the start may have let the main window show already.
  if (onScreen) desktopSession.joinDesktop();
  if (options.summary) std::cout << startupSummary(form) << std::endl;
  const int loopResult = application.exec();
  return exitCode != 0 ? exitCode : loopResult;
}
