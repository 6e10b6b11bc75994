// Draws the main window at its design size with the staged skin, as the desktop view shows it:
//   kv_window_mock [--app FOLDER] [--video PICTURE] [--hover] [--pictures] OUT.png
// --hover shows every button in its hover picture and one tab highlighted; --video puts a
// picture into the video area; --pictures shows the picture layout's buttons. OUT.png is written at
// 1:1 and OUT-x3.png three times larger.

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>

#include "app/form1_rig.h"
#include "window_mock.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::string appFolder = KORVELIN_STAGE;
  QString video, out;
  bool hover = false, pictureLayout = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--app") && i + 1 < argc)
      appFolder = argv[++i];
    else if (!std::strcmp(argv[i], "--video") && i + 1 < argc)
      video = QString::fromLocal8Bit(argv[++i]);
    else if (!std::strcmp(argv[i], "--hover"))
      hover = true;
    else if (!std::strcmp(argv[i], "--pictures"))
      pictureLayout = true;
    else
      out = QString::fromLocal8Bit(argv[i]);
  }
  if (out.isEmpty()) {
    std::fprintf(stderr,
                 "usage: kv_window_mock [--app FOLDER] [--video PICTURE] [--hover] [--pictures] "
                 "OUT.png\n");
    return 2;
  }

  kv::test::Form1Rig rig;
  rig.folders.application = appFolder;
  rig.files.addFolder(appFolder);
  auto& form = rig.start();
  form.Picture7.setVisible(true);  // shown by Timer11 just after start
  QImage picture;
  if (!video.isEmpty() && picture.load(video)) form.WindowsMediaPlayer1.setVisible(true);
  if (pictureLayout) {
    for (auto* shown : {&form.Image2, &form.Image5, &form.Image7}) shown->setVisible(true);
    for (auto* hidden : {&form.Image3, &form.Image6, &form.Image8}) hidden->setVisible(false);
  }
  if (hover) {
    for (auto [button, store] : {std::pair{&form.Image21, &form.Image31},
                                 {&form.Image17, &form.Image23},
                                 {&form.Image18, &form.Image25},
                                 {&form.Image16, &form.Image27},
                                 {&form.Image3, &form.Image53},
                                 {&form.Image4, &form.Image55},
                                 {&form.Image6, &form.Image57},
                                 {&form.Image8, &form.Image59},
                                 {&form.Image20, &form.Image61},
                                 {&form.Image9, &form.Image63},
                                 {&form.Image42, &form.Image45},
                                 {&form.Image43, &form.Image49}})
      button->setPicture(store->Picture());
    form.Label6.setForeColor(0xFF9933);
  }

  const QImage image = kv::test::renderWindowMock(form, picture);
  QString big = out;
  big.replace(QStringLiteral(".png"), QStringLiteral("-x3.png"));
  const bool ok = image.save(out) && image.scaled(image.size() * 3).save(big);
  std::printf("%s %s (%d x %d)\n", ok ? "wrote" : "cannot write", qPrintable(out), image.width(),
              image.height());
  return ok ? 0 : 1;
}
