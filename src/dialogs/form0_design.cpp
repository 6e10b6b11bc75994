// The promotion window's design: geometry (twips), pictures, the five entries and their
// pages, and the handlers connected to the controls.

#include "dialogs/form0.h"

namespace kv::dialogs {
namespace {

constexpr float kWidth = 4500;                // 300 pixels
constexpr float kHeight = 2250;               // 150 pixels
constexpr std::uint32_t kBodyBgr = 0x241F1E;  // the skin's dark grey

struct Entry {
  const char* text;
  const char* page;  // under the application folder
};

// What the player can do that a user may not have found yet, each with our own page on it.
const Entry kEntries[5] = {
    {"键盘快捷键：空格暂停，方向键快进和调音量 >>>", "help/keys.htm"},
    {"使用说明：每个按钮、标签和菜单的用法 >>>", "help/help.htm"},
    {"新版本说明：这一版 Korvelin 有什么新内容 >>>", "news.htm"},
    {"文件类型关联：双击影音文件直接播放 >>>", "help/associations.htm"},
    {"开机自运行：登录桌面时自动启动播放器 >>>", "help/popup.htm"},
};

}  // namespace

Form0::Form0(Services& services, const std::string& appFolder)
    : forms::Form("Form0", &services.screen, &services.windows),
      Timer1("Timer1", services.clock),
      Timer2("Timer2", services.clock),
      Timer3("Timer3", services.clock),
      services_(services) {
  design(appFolder);
  connectHandlers();
}

void Form0::design(const std::string& appFolder) {
  setCaption("Korvelin");
  setWindowStyle(0);  // no frame: the background picture is the whole window
  setBackColor(kBodyBgr);
  Move(0, 0, kWidth, kHeight);

  const auto picture = [&](const char* file) {
    return forms::Picture::fromFile(appFolder + "/dialogs/" + file);
  };
  Image1.design(0, 0, kWidth, kHeight);
  Image1.setPicture(picture("promotion.png"));
  Image3.setPicture(picture("promotion_previous.png"));
  Image4.setPicture(picture("promotion_previous_hover.png"));
  Image5.setPicture(picture("promotion_next.png"));
  Image6.setPicture(picture("promotion_next_hover.png"));
  Image7.setPicture(picture("promotion_close.png"));
  Image8.setPicture(picture("promotion_close_hover.png"));
  for (forms::Image* store : {&Image3, &Image4, &Image5, &Image6, &Image7, &Image8}) {
    store->design(0, 0, 240, 240);
    store->setVisible(false);
  }

  Image2.design(kWidth - 360, 105, 240, 240);
  Image2.setPicture(Image7.Picture());
  Image2.setToolTipText("关闭");

  for (forms::Frame* page : {&Frame1, &Frame2}) {
    page->design(120, 510, kWidth - 240, 1290);
    page->setBackColor(kBodyBgr);
  }
  Frame2.setVisible(false);
  forms::Label* labels[5] = {&Label1, &Label2, &Label3, &Label4, &Label5};
  for (int i = 0; i < 5; ++i) {
    const int row = i < 3 ? i : i - 3;
    labels[i]->design(120, 90 + row * 405.0f, kWidth - 480, 300);
    labels[i]->setCaption(kEntries[i].text);
    labels[i]->setForeColor(kEntryColour);
    labels[i]->setBackColor(kBodyBgr);
    labels[i]->setMousePointer(forms::kHand);
    entryAddress[static_cast<std::size_t>(i)] = localPageUrl(appFolder + "/" + kEntries[i].page);
  }

  Picture1.design(kWidth - 780, kHeight - 390, 240, 240);
  Picture1.setPicture(Image3.Picture());
  Picture1.setToolTipText("上一页");
  Picture2.design(kWidth - 420, kHeight - 390, 240, 240);
  Picture2.setPicture(Image5.Picture());
  Picture2.setToolTipText("下一页");

  Timer1.setInterval(1);
  Timer2.setInterval(1);
  Timer3.setInterval(30000);
}

void Form0::connectHandlers() {
  Load.connect([this] { Form_Load(); });
  Unload_.connect([this] { Form_Unload(); });
  MouseDown.connect([this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); });
  // The background picture covers the window: pressing on it drags the window too.
  Image1.MouseDown.connect([this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); });

  using Move = void (Form0::*)(int, int, float, float);
  const std::pair<forms::Control*, Move> moves[] = {
      {&Frame1, &Form0::Frame1_MouseMove},     {&Frame2, &Form0::Frame2_MouseMove},
      {&Image1, &Form0::Image1_MouseMove},     {&Image2, &Form0::Image2_MouseMove},
      {&Picture1, &Form0::Picture1_MouseMove}, {&Picture2, &Form0::Picture2_MouseMove},
      {&Label1, &Form0::Label1_MouseMove},     {&Label2, &Form0::Label2_MouseMove},
      {&Label3, &Form0::Label3_MouseMove},     {&Label4, &Form0::Label4_MouseMove},
      {&Label5, &Form0::Label5_MouseMove}};
  for (const auto& [control, handler] : moves)
    control->MouseMove.connect(
        [this, handler](int b, int s, float x, float y) { (this->*handler)(b, s, x, y); });

  using Click = void (Form0::*)();
  const std::pair<forms::Control*, Click> clicks[] = {
      {&Image2, &Form0::Image2_Click},     {&Image3, &Form0::Image3_Click},
      {&Picture1, &Form0::Picture1_Click}, {&Picture2, &Form0::Picture2_Click},
      {&Label1, &Form0::Label1_Click},     {&Label2, &Form0::Label2_Click},
      {&Label3, &Form0::Label3_Click},     {&Label4, &Form0::Label4_Click},
      {&Label5, &Form0::Label5_Click}};
  for (const auto& [control, handler] : clicks)
    control->Click.connect([this, handler] { (this->*handler)(); });

  Timer1.Tick.connect([this] { Timer1_Timer(); });
  Timer2.Tick.connect([this] { Timer2_Timer(); });
  Timer3.Tick.connect([this] { Timer3_Timer(); });
}

}  // namespace kv::dialogs
