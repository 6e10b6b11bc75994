// The main window's design: positions and sizes (twips), captions, tool tips, initial
// visibility and timer intervals, as a form designer would hold them.

#include <algorithm>

#include "app/form1.h"
#include "slider/bar_setup.h"

namespace kv::app {
namespace {
constexpr float kDesignWidth = 9450;
constexpr float kDesignHeight = 6765;
constexpr std::uint32_t kWhite = 0xFFFFFF;
}  // namespace

void Form1::design() {
  setCaption("Korvelin");
  setBackColor(0x000000);
  // Centred on the screen at first; the design gives only the client area.
  const float left = std::max(0.0f, (services_.screen.widthTwips() - kDesignWidth) / 2);
  const float top = std::max(0.0f, (services_.screen.heightTwips() - kDesignHeight) / 2);
  Move(left, top, kDesignWidth, kDesignHeight);

  designTitleBar();
  designControlBar();
  designFilePanel();
  designLook();

  // The skin panels show the skin's colour wherever a picture is missing.
  for (forms::PictureBox* panel : {&Picture2, &Picture3, &Picture5, &Picture7})
    panel->setBackColor(slider::kSkinBackgroundBgr);
  Picture3.design(0, 460, 120, kDesignHeight - 975);
  Image35.design(0, 0, 120, kDesignHeight - 975);
  Picture5.design(kDesignWidth - 128, 460, 120, kDesignHeight - 975);
  Image36.design(0, 0, 120, kDesignHeight - 975);

  WindowsMediaPlayer1.design(120, 645, kDesignWidth - 240, kDesignHeight - 1650);
  WindowsMediaPlayer2.design(0, 0, 0, 0);
  WindowsMediaPlayer2.setVisible(false);  // background music has no picture
  ShockwaveFlash1.design(120, 645, kDesignWidth - 240, kDesignHeight - 1635);
  WebBrowser1.design(120, 600, kDesignWidth - 248, kDesignHeight - 1390);

  Picture7.design(kDesignWidth - 345, kDesignHeight - 345, 345, 345);
  Picture7.setToolTipText("调整大小");
  Frame3.design(0, 0, 1200, 600);
  Frame3.setVisible(false);
  Image11.design(120, 120, 390, 270);
  Image11.setToolTipText("还原");
  Frame4.design(0, 0, 1200, 600);
  Frame4.setVisible(false);

  for (forms::Image* store :
       {&Image1,  &Image14, &Image51, &Image22, &Image23, &Image24, &Image25, &Image26,
        &Image27, &Image28, &Image29, &Image30, &Image31, &Image45, &Image46, &Image47,
        &Image48, &Image49, &Image50, &Image52, &Image53, &Image54, &Image55, &Image56,
        &Image57, &Image58, &Image59, &Image60, &Image61, &Image62, &Image63})
    store->setVisible(false);

  Timer1.setInterval(7000);
  Timer2.setInterval(5000);
  Timer3.setInterval(12000);
  Timer4.setInterval(1000);
  Timer6.setInterval(500);
  Timer7.setInterval(1000);
  Timer8.setInterval(50);
  Timer10.setInterval(500);
  Timer11.setInterval(100);
  // Timer5 and Timer12 get their intervals from code; Timer9 never ticks (a paused marker).

  setInitialMenuMarks();
}

void Form1::designTitleBar() {
  Picture2.design(0, 0, kDesignWidth - 8, 645);
  Image33.design(0, 0, 4785, 645);
  Image38.design(4785, 0, 30, 645);
  Image39.design(kDesignWidth - 8 - 4785, 0, 4785, 645);
  Line6.design(0, 640, kDesignWidth - 8, 0);
  Image15.design(240, 120, 240, 240);
  Label5.design(600, 150, 780, 195);
  Label5.setCaption("Tesmaro");
  Label5.setForeColor(kWhite);

  struct Tab {
    forms::Label& label;
    float left, width;
    const char* caption;
  };
  for (const Tab& t : {Tab{Label3, 2340, 435, "播放"}, Tab{Label6, 3320, 420, "列表"},
                       Tab{Label7, 4400, 420, "浏览"}, Tab{Label8, 5520, 420, "博客"},
                       Tab{Label9, 6520, 420, "帮助"}}) {
    t.label.design(t.left, 240, t.width, 195);
    t.label.setCaption(t.caption);
    t.label.setForeColor(kWhite);
    t.label.setMousePointer(forms::kHand);  // the tabs are links: a pointing hand
  }

  Image21.design(kDesignWidth - 1885, 0, 375, 270);
  Image21.setToolTipText("系统菜单");
  Image17.design(kDesignWidth - 1510, 0, 375, 270);
  Image17.setToolTipText("最小化");
  Image16.design(kDesignWidth - 1135, 0, 390, 270);
  Image16.setToolTipText("最大化");
  Image19.design(kDesignWidth - 1135, 0, 390, 270);
  Image19.setToolTipText("还原");
  Image19.setVisible(false);  // shares the place of the maximise button
  Image18.design(kDesignWidth - 745, 0, 645, 270);
  Image18.setToolTipText("关闭");
}

void Form1::designControlBar() {
  Picture4.design(0, kDesignHeight - 983, kDesignWidth - 8, 975);
  // The bar skins are drawn for this colour; the bars and the bar behind them share it.
  Picture4.setBackColor(slider::kSkinBackgroundBgr);
  tVate1.setBackColor(slider::kSkinBackgroundBgr);
  volume.setBackColor(slider::kSkinBackgroundBgr);
  Image34.design(0, 0, 4785, 975);
  Image41.design(4785, 0, kDesignWidth - 8, 975);
  Image40.design(kDesignWidth - 8 - 4785, 0, 4785, 975);

  tVate1.design(110, 45, kDesignWidth - 220, 135);
  volume.design(kDesignWidth - 1200 - 500, 480, 1200, 195);
  Image37.design(volume.Left() - 475, 435, 300, 285);
  Image37.setToolTipText("音量");
  Label2.design(Image37.Left() - 1345, 465, 900, 195);
  Label2.setCaption("/00:00");
  Label2.setForeColor(kWhite);
  Label1.design(Label2.Left() - 480, 465, 480, 195);
  // The time display shows what the engines report (a Flash movie's own variables among them).
  Label1.setLiteralText(true);
  Label2.setLiteralText(true);
  Label1.setCaption("00:00");
  Label1.setForeColor(kWhite);

  struct Button {
    forms::Image& image;
    float left, top, width, height;
    const char* tip;
  };
  for (const Button& b :
       {Button{Image2, 240, 360, 465, 480, "背景音乐"}, Button{Image3, 240, 360, 465, 480, "播放"},
        Button{Image4, 800, 405, 345, 360, "暂停"}, Button{Image5, 1200, 400, 390, 360, "向上"},
        Button{Image6, 1200, 400, 390, 360, "向上"}, Button{Image7, 1650, 400, 375, 360, "向下"},
        Button{Image8, 1650, 400, 375, 360, "向下"},
        Button{Image20, 2040, 400, 360, 360, "播放选中文件"},
        Button{Image9, 2480, 400, 345, 360, "停止"}, Button{Image42, 2880, 480, 405, 150, "左声道"},
        Button{Image43, 3060, 480, 555, 150, "立体声"},
        Button{Image44, 3380, 480, 405, 150, "右声道"},
        Button{Image10, 3900, 1080, 360, 360, "全屏显示"}}) {
    b.image.design(b.left, b.top, b.width, b.height);
    b.image.setToolTipText(b.tip);
  }
  Image10.setVisible(false);  // below the bar's visible height: never reachable
}

void Form1::designFilePanel() {
  Frame1.design(120, 645, 1935, kDesignHeight - 1620);
  Frame1.setVisible(false);
  Option1.design(120, 120, 495, 375);
  Option1.setCaption("图片");
  Option3.design(720, 120, 495, 375);
  Option3.setCaption("音乐");
  Option2.design(1320, 120, 495, 375);
  Option2.setCaption("影片");
  Drive1.design(0, 375, 1935, 300);
  Dir1.design(0, 675, 1935, 1740);
  File1.design(0, 2415, 1935, 3315);
}

void Form1::setInitialMenuMarks() {
  for (forms::MenuItem* item :
       {&BUT0,  &BUT1,  &BUT3,  &BUT5,  &BUT6,  &BUT7,   &BUT8A,  &BUT8B,  &BUT8C, &BUT8D, &BUT9A,
        &BUT9B, &BUT9C, &BUT10, &BUT11, &BUT12, &BUT13A, &BUT13B, &BUT13C, &BUT14, &BUT15, &BUT17})
    item->setChecked(false);
  BUT2.setChecked(true);
  BUT4.setChecked(true);
}

// The look beyond the pictures: labels on the skin let it show through, the skin's middle and
// edge pieces stretch with the window, and the file panel is dark like the skin.
namespace {
constexpr std::uint32_t kPanel = slider::kSkinBackgroundBgr;  // RGB 30, 31, 36
constexpr std::uint32_t kListBack = 0x1B1716;                 // RGB 22, 23, 27
constexpr std::uint32_t kListText = 0xE8E3E1;                 // RGB 225, 227, 232
constexpr std::uint32_t kLookWhite = 0xFFFFFF;
}  // namespace

void Form1::designLook() {
  for (forms::Label* label :
       {&Label5, &Label3, &Label6, &Label7, &Label8, &Label9, &Label1, &Label2})
    label->setBackStyle(0);
  for (forms::Image* piece : {&Image38, &Image41, &Image35, &Image36}) piece->setStretch(true);

  Frame1.setBackColor(kPanel);
  Frame1.setForeColor(kLookWhite);
  for (forms::OptionButton* option : {&Option1, &Option2, &Option3}) {
    option->setBackColor(kPanel);
    option->setForeColor(kLookWhite);
  }
  for (forms::Control* list : std::initializer_list<forms::Control*>{&Drive1, &Dir1, &File1}) {
    list->setBackColor(kListBack);
    list->setForeColor(kListText);
  }
  Line6.setForeColor(0x3A3430);  // RGB 48, 52, 58: a faint rule under the title bar
}

}  // namespace kv::app
