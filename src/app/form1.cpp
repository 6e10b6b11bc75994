#include "app/form1.h"

#include "app/language_menu.h"
#include "comfort/comfort.h"
#include "dialogs/form0.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/frm_about.h"
#include "media/app_movies.h"

namespace kv::app {

Form1::Form1(Services& services, Components& components)
    : forms::Form("Form1", &services.screen, &services.windows),
      services_(services),
      components_(components),
      tVate1("tVate1", &Picture4, services.clock, services.cursor),
      volume("volume", &Picture4, services.clock, services.cursor),
      WindowsMediaPlayer1("WindowsMediaPlayer1", this, components.player1),
      WindowsMediaPlayer2("WindowsMediaPlayer2", this, components.player2),
      ShockwaveFlash1("ShockwaveFlash1", this, components.flash),
      WebBrowser1("WebBrowser1", this, components.web),
      Drive1("Drive1", &Frame1, services.files),
      Dir1("Dir1", &Frame1, services.files),
      File1("File1", &Frame1, services.files),
      Timer1("Timer1", services.clock),
      Timer2("Timer2", services.clock),
      Timer3("Timer3", services.clock),
      Timer4("Timer4", services.clock),
      Timer5("Timer5", services.clock),
      Timer6("Timer6", services.clock),
      Timer7("Timer7", services.clock),
      Timer8("Timer8", services.clock),
      Timer9("Timer9", services.clock),
      Timer10("Timer10", services.clock),
      Timer11("Timer11", services.clock),
      Timer12("Timer12", services.clock) {
  design();
  loadPictureStore();
  comfort::ComfortHost& comfortHost = *this;
  comfort_ = std::make_unique<comfort::Comfort>(WindowsMediaPlayer1.object(), comfortHost,
                                                comfortMenu, pictureMenu, services_.files);
  auto say = [this](const std::string& text) { comfort_->sayAsIs(text); };
  chapters_ = std::make_unique<chapters::Chapters>(WindowsMediaPlayer1.object(), chaptersMenu, say);
  seekPreview_ = std::make_unique<chapters::SeekPreview>(
      tVate1, *this, WindowsMediaPlayer1.object(), say, [this] { return !videoAreaCovered(); });
  recent::RecentHost& recentHost = *this;
  recent_ = std::make_unique<recent::Recent>(recentMenu, recentHost, services_.files,
                                             WindowsMediaPlayer1.object());
  connectHandlers();
  // After every item of the design and any added to it: the choice of language comes last.
  languageMenu_ = std::make_unique<LanguageMenu>(menu, services_.windows);
}

Form1::~Form1() = default;

std::string Form1::appFolder() const {
  return media::withoutTrailingSeparator(services_.folders.applicationFolder());
}

void Form1::showForm4() {
  // A closed dialog keeps nothing: the next showing is a new window.
  if (!form4_ || !form4_->loaded()) form4_ = std::make_unique<dialogs::Form4>(services_);
  form4_->Show();
}

// Every control, timer, menu item and component event of the window to its handler, in the
// order the handlers run.
void Form1::connectHandlers() {
  Load.connect([this] { Form_Load(); });
  // After Form_Load: a load that ended at the instance test leaves the window unloaded.
  Load.connect([this] { sessionStarted_ = loaded(); });
  // After the described start, which puts the window below others: on top if so chosen.
  Load.connect([this] {
    if (loaded()) comfort_->windowLoaded();
  });
  Unload_.connect([this] { Form_Unload(); });
  Resize.connect([this] { Form_Resize(); });
  Click.connect([this] { Form_Click(); });
  KeyDown.connect([this](int key, int shift) { Form_KeyDown(key, shift); });
  MouseWheel.connect([this](forms::Control& over, int delta) { Form_MouseWheel(over, delta); });
  setAcceptsDrops(true);
  // A subtitle file dropped on a playing video is its subtitle; any other drop is opened.
  FileDropped.connect([this](const std::string& path) {
    if (!comfort_->takeDroppedSubtitle(path)) OpenDroppedFile(path);
  });
  Drive1.Change.connect([this] { Drive1_Change(); });
  Dir1.Change.connect([this] { Dir1_Change(); });

  using Handler = void (Form1::*)();
  struct Clicked {
    Event<>& event;
    Handler handler;
  };
  for (const Clicked& c : {
           // Lists, filters and tabs.
           Clicked{File1.Click, &Form1::File1_Click},
           Clicked{Option1.Click, &Form1::Option1_Click},
           Clicked{Option2.Click, &Form1::Option2_Click},
           Clicked{Option3.Click, &Form1::Option3_Click},
           Clicked{Label3.Click, &Form1::Label3_Click},
           Clicked{Label6.Click, &Form1::Label6_Click},
           Clicked{Label7.Click, &Form1::Label7_Click},
           Clicked{Label8.Click, &Form1::Label8_Click},
           Clicked{Label9.Click, &Form1::Label9_Click},
           // The context menu.
           Clicked{BUT4.Click, &Form1::BUT4_Click},
           Clicked{BUT5.Click, &Form1::BUT5_Click},
           Clicked{BUT6.Click, &Form1::BUT6_Click},
           Clicked{BUT7.Click, &Form1::BUT7_Click},
           Clicked{BUT12.Click, &Form1::BUT12_Click},
           Clicked{BUT14.Click, &Form1::BUT14_Click},
           Clicked{BUT15.Click, &Form1::BUT15_Click},
           Clicked{BUT2.Click, &Form1::BUT2_Click},
           Clicked{BUT0.Click, &Form1::BUT0_Click},
           Clicked{BUT1.Click, &Form1::BUT1_Click},
           Clicked{BUT17.Click, &Form1::BUT17_Click},
           Clicked{BUT8A.Click, &Form1::BUT8A_Click},
           Clicked{BUT8B.Click, &Form1::BUT8B_Click},
           Clicked{BUT8C.Click, &Form1::BUT8C_Click},
           Clicked{BUT8D.Click, &Form1::BUT8D_Click},
           Clicked{BUT9A.Click, &Form1::BUT9A_Click},
           Clicked{BUT9B.Click, &Form1::BUT9B_Click},
           Clicked{BUT9C.Click, &Form1::BUT9C_Click},
           Clicked{BUT13A.Click, &Form1::BUT13A_Click},
           Clicked{BUT13B.Click, &Form1::BUT13B_Click},
           Clicked{BUT13C.Click, &Form1::BUT13C_Click},
           Clicked{BUT10.Click, &Form1::BUT10_Click},
           Clicked{BUT11.Click, &Form1::BUT11_Click},
           Clicked{BUT3.Click, &Form1::BUT3_Click},
           // The control bar and the title bar.
           Clicked{Image2.Click, &Form1::Image2_Click},
           Clicked{Image3.Click, &Form1::Image3_Click},
           Clicked{Image4.Click, &Form1::Image4_Click},
           Clicked{Image9.Click, &Form1::Image9_Click},
           Clicked{Image5.Click, &Form1::Image5_Click},
           Clicked{Image6.Click, &Form1::Image6_Click},
           Clicked{Image7.Click, &Form1::Image7_Click},
           Clicked{Image8.Click, &Form1::Image8_Click},
           Clicked{Image20.Click, &Form1::Image20_Click},
           Clicked{Image42.Click, &Form1::Image42_Click},
           Clicked{Image43.Click, &Form1::Image43_Click},
           Clicked{Image44.Click, &Form1::Image44_Click},
           Clicked{Image16.Click, &Form1::Image16_Click},
           Clicked{Image17.Click, &Form1::Image17_Click},
           Clicked{Image18.Click, &Form1::Image18_Click},
           Clicked{Image19.Click, &Form1::Image19_Click},
           Clicked{Image21.Click, &Form1::Image21_Click},
           // Timers.
           Clicked{Timer1.Tick, &Form1::Timer1_Timer},
           Clicked{Timer2.Tick, &Form1::Timer2_Timer},
           Clicked{Timer3.Tick, &Form1::Timer3_Timer},
           Clicked{Timer4.Tick, &Form1::Timer4_Timer},
           Clicked{Timer5.Tick, &Form1::Timer5_Timer},
           Clicked{Timer6.Tick, &Form1::Timer6_Timer},
           Clicked{Timer7.Tick, &Form1::Timer7_Timer},
           Clicked{Timer8.Tick, &Form1::Timer8_Timer},
           Clicked{Timer10.Tick, &Form1::Timer10_Timer},
           Clicked{Timer11.Tick, &Form1::Timer11_Timer},
           Clicked{Timer12.Tick, &Form1::Timer12_Timer},
           // The bars' pointers and the volume bar's click.
           Clicked{tVate1.MouseOverCmd, &Form1::tVate1_MouseOverCmd},
           Clicked{tVate1.MouseOutCmd, &Form1::tVate1_MouseOutCmd},
           Clicked{volume.Click, &Form1::volume_Click},
           Clicked{volume.MouseOverCmd, &Form1::volume_MouseOverCmd},
           Clicked{volume.MouseOutCmd, &Form1::volume_MouseOutCmd},
       })
    c.event.connect([this, h = c.handler] { (this->*h)(); });

  using MouseHandler = void (Form1::*)(int, int, float, float);
  struct Mouse {
    Event<int, int, float, float>& event;
    MouseHandler handler;
  };
  for (const Mouse& m : {
           Mouse{Picture2.MouseDown, &Form1::Picture2_MouseDown},
           Mouse{Picture3.MouseDown, &Form1::Picture3_MouseDown},
           Mouse{Picture4.MouseDown, &Form1::Picture4_MouseDown},
           Mouse{Picture5.MouseDown, &Form1::Picture5_MouseDown},
           Mouse{Image33.MouseDown, &Form1::Image33_MouseDown},
           Mouse{Image34.MouseDown, &Form1::Image34_MouseDown},
           Mouse{Image35.MouseDown, &Form1::Image35_MouseDown},
           Mouse{Image36.MouseDown, &Form1::Image36_MouseDown},
           Mouse{Image38.MouseDown, &Form1::Image38_MouseDown},
           Mouse{Image39.MouseDown, &Form1::Image39_MouseDown},
           Mouse{Image40.MouseDown, &Form1::Image40_MouseDown},
           Mouse{Image41.MouseDown, &Form1::Image41_MouseDown},
           Mouse{MouseDown, &Form1::Form_MouseDown},
           Mouse{MouseMove, &Form1::Form_MouseMove},
           Mouse{MouseUp, &Form1::Form_MouseUp},
           Mouse{Picture7.MouseDown, &Form1::Picture7_MouseDown},
           Mouse{Picture7.MouseMove, &Form1::Picture7_MouseMove},
           Mouse{Picture7.MouseUp, &Form1::Picture7_MouseUp},
           Mouse{Image16.MouseMove, &Form1::Image16_MouseMove},
           Mouse{Image17.MouseMove, &Form1::Image17_MouseMove},
           Mouse{Image18.MouseMove, &Form1::Image18_MouseMove},
           Mouse{Image19.MouseMove, &Form1::Image19_MouseMove},
           Mouse{Image21.MouseMove, &Form1::Image21_MouseMove},
           Mouse{Image3.MouseMove, &Form1::Image3_MouseMove},
           Mouse{Image4.MouseMove, &Form1::Image4_MouseMove},
           Mouse{Image6.MouseMove, &Form1::Image6_MouseMove},
           Mouse{Image8.MouseMove, &Form1::Image8_MouseMove},
           Mouse{Image9.MouseMove, &Form1::Image9_MouseMove},
           Mouse{Image20.MouseMove, &Form1::Image20_MouseMove},
           Mouse{Image33.MouseMove, &Form1::Image33_MouseMove},
           Mouse{Image34.MouseMove, &Form1::Image34_MouseMove},
           Mouse{Image35.MouseMove, &Form1::Image35_MouseMove},
           Mouse{Image36.MouseMove, &Form1::Image36_MouseMove},
           Mouse{Image38.MouseMove, &Form1::Image38_MouseMove},
           Mouse{Image39.MouseMove, &Form1::Image39_MouseMove},
           Mouse{Image40.MouseMove, &Form1::Image40_MouseMove},
           Mouse{Image41.MouseMove, &Form1::Image41_MouseMove},
           Mouse{Dir1.MouseMove, &Form1::Dir1_MouseMove},
           Mouse{File1.MouseMove, &Form1::File1_MouseMove},
           Mouse{Label3.MouseMove, &Form1::Label3_MouseMove},
           Mouse{Label6.MouseMove, &Form1::Label6_MouseMove},
           Mouse{Label7.MouseMove, &Form1::Label7_MouseMove},
           Mouse{Label8.MouseMove, &Form1::Label8_MouseMove},
           Mouse{Label9.MouseMove, &Form1::Label9_MouseMove},
       })
    m.event.connect(
        [this, h = m.handler](int b, int s, float x, float y) { (this->*h)(b, s, x, y); });

  using BarHandler = void (Form1::*)(short&, short&, float&, float&);
  struct Bar {
    Event<short&, short&, float&, float&>& event;
    BarHandler handler;
  };
  for (const Bar& b : {Bar{tVate1.MouseDown, &Form1::tVate1_MouseDown},
                       Bar{tVate1.MouseMove, &Form1::tVate1_MouseMove},
                       Bar{tVate1.MouseUp, &Form1::tVate1_MouseUp},
                       Bar{volume.MouseDown, &Form1::volume_MouseDown},
                       Bar{volume.MouseMove, &Form1::volume_MouseMove}})
    b.event.connect(
        [this, h = b.handler](short& b, short& s, float& x, float& y) { (this->*h)(b, s, x, y); });

  // The components, which may outlive the window.
  componentConnections_ += ShockwaveFlash1.object().FSCommand.connect(
      [this](std::string command, std::string args) { ShockwaveFlash1_FSCommand(command, args); });
  auto& video = WindowsMediaPlayer1.object();
  using VideoHandler = void (Form1::*)(int, int, int, int);
  for (const auto& [event, handler] :
       {std::pair<Event<int, int, int, int>*, VideoHandler>{&video.Click,
                                                            &Form1::WindowsMediaPlayer1_Click},
        {&video.DoubleClick, &Form1::WindowsMediaPlayer1_DoubleClick},
        {&video.MouseDown, &Form1::WindowsMediaPlayer1_MouseDown},
        {&video.MouseMove, &Form1::WindowsMediaPlayer1_MouseMove}})
    componentConnections_ +=
        event->connect([this, h = handler](int b, int s, int x, int y) { (this->*h)(b, s, x, y); });
  componentConnections_ += WindowsMediaPlayer2.object().PlayStateChange.connect(
      [this](int state) { WindowsMediaPlayer2_PlayStateChange(state); });

  // Mute for a person: the volume icon switches it, and the icon shows it (after the mute
  // item's own handler, which runs first).
  Image37.Click.connect([this] {
    transport_.toggleMute();
    showMuteState();
  });
  BUT9C.Click.connect([this] { showMuteState(); });

  // Comfort's messages follow what a person changes. The bar moves before the player is told:
  // its value is the new volume.
  volume.Changed.connect([this](int& value, int&) { comfort_->volumeChanged(value); });
  BUT9A.Click.connect([this] { comfort_->sayVolume(); });
  BUT9B.Click.connect([this] { comfort_->sayVolume(); });
  menu.ItemChanged.connect([this](forms::MenuItem& item) {
    if (!item.Checked()) return;
    namespace texts = comfort::texts;
    const std::pair<forms::MenuItem*, std::string> named[] = {
        {&BUT2, texts::kNativeSize},
        {&BUT0, texts::kTheatre},
        {&BUT1, texts::kFullScreen},
        {&BUT17, texts::kStretch},
        {&BUT8A, comfort::fill(texts::kZoom, "50%")},
        {&BUT8B, comfort::fill(texts::kZoom, "100%")},
        {&BUT8C, comfort::fill(texts::kZoom, "150%")},
        {&BUT8D, comfort::fill(texts::kZoom, "200%")},
    };
    for (const auto& [mode, text] : named)
      if (mode == &item) comfort_->modeChosen(text);
  });
  Unload_.connect([this] { comfort_->windowClosing(); });
  // The files a person opens go to the recent files, which are checked as the menu opens.
  session_.Chosen.connect([this](const std::string& path) { recent_->opened(path); });
  menu.Opening.connect([this] { recent_->refresh(); });
}

}  // namespace kv::app
