#pragma once
// The main window: its controls, menu items and timers as the design declares them, and the
// described handlers, each forwarding to the subsystem that owns the behaviour (playback,
// window presentation, file panel, comfort, dialogs). The forwards and the adapters the
// subsystems ask for live in src/app/form1_*.cpp.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/file_panel.h"
#include "chapters/chapters.h"
#include "chapters/chapters_texts.h"
#include "chapters/seek_preview.h"
#include "comfort/comfort.h"
#include "comfort/comfort_texts.h"
#include "dialogs/form3.h"
#include "dialogs/promotion.h"
#include "media/components.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/component_control.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/menu.h"
#include "platform/forms/timer.h"
#include "platform/services.h"
#include "playback/playback_session.h"
#include "playback/transport.h"
#include "recent/recent.h"
#include "recent/recent_texts.h"
#include "slider/tvate.h"
#include "window/presentation.h"

namespace kv::dialogs {
class Form0;
class Form4;
class frmAbout;
}  // namespace kv::dialogs

namespace kv::app {

using forms::ComponentControl;
using media::Components;
class LanguageMenu;

class Form1 : public forms::Form,
              public dialogs::MenuWindowOwner,
              private window::PresentationHost,
              private browser::PanelHost,
              private comfort::ComfortHost,
              private recent::RecentHost {
 public:
  Form1(Services& services, Components& components);
  ~Form1() override;

  // ---- Shared state (the playback state is the session's, below) -----------------------
  std::string commandLine;
  std::string startFile;
  std::string startFileName;
  std::int64_t promotionDue = 0;  // ms since the epoch
  static constexpr std::int64_t kPromotionPeriodMs = dialogs::Promotion::kPeriodMs;

  // ---- Start-up (form1_load.cpp) -------------------------------------------------------
  // The process command line as the shell passed it (one path, quoted or not).
  void setLaunchCommandLine(std::string line) { launchCommandLine_ = std::move(line); }
  void Form_Load();
  // The window is on the screen and the engines may load.
  void windowOnScreen();
  void SetWindowFrame(bool show);
  void SetFormTopmost();
  // Native size and play/pause ticked, every other mark cleared.
  void setInitialMenuMarks();

  // ---- File panel and tabs (browser/) --------------------------------------------------
  void Drive1_Change();
  void Dir1_Change();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Label6_Click();  // list tab
  void Dir1_MouseMove(int button, int shift, float x, float y);
  void File1_MouseMove(int button, int shift, float x, float y);
  void Label3_Click();  // play tab
  void Label7_Click();  // browse tab
  void Label8_Click();  // blog tab
  void Label9_Click();  // help tab
  void Label3_MouseMove(int Button, int Shift, float X, float Y);
  void Label6_MouseMove(int Button, int Shift, float X, float Y);
  void Label7_MouseMove(int Button, int Shift, float X, float Y);
  void Label8_MouseMove(int Button, int Shift, float X, float Y);
  void Label9_MouseMove(int Button, int Shift, float X, float Y);
  // All five tabs white (the title-bar pieces run it when the mouse crosses them).
  void ResetTabColours();
  // A file dropped on the window opens the way the browse tab opens a chosen one; anything
  // that is not an existing file is ignored.
  void OpenDroppedFile(const std::string& path);
  void Image2_Click();  // background music
  void Image3_Click();  // play / resume, or the file panel
  void BUT10_Click();   // help item of the context menu
  // The page of the blog tab: the configured blog address, else our news page.
  std::string blogAddress() const override;

  // ---- Playback (playback/) ------------------------------------------------------------
  void File1_Click();  // the open step
  void ShockwaveFlash1_FSCommand(const std::string& command, const std::string& args);
  void BUT4_Click();    // play / pause
  void BUT5_Click();    // stop (closes the file)
  void BUT6_Click();    // fast forward
  void BUT7_Click();    // rewind
  void BUT12_Click();   // loop
  void BUT14_Click();   // next file (moves up the list)
  void BUT15_Click();   // previous file (moves down the list)
  void Image4_Click();  // pause
  void Image9_Click();  // stop
  void Image5_Click();  // list up, picture layout
  void Image6_Click();  // list up, media layout
  void Image7_Click();  // list down, picture layout
  void Image8_Click();  // list down, media layout
  void Timer8_Timer();
  void tVate1_MouseDown(short& button, short& shift, float& x, float& y);
  void tVate1_MouseMove(short& button, short& shift, float& x, float& y);
  void tVate1_MouseUp(short& button, short& shift, float& x, float& y);
  void tVate1_MouseOverCmd();  // the bar's own pointer while the thumb is hovered or dragged
  void tVate1_MouseOutCmd();
  void volume_MouseOverCmd();
  void volume_MouseOutCmd();
  void volume_Click();
  void volume_MouseDown(short& button, short& shift, float& x, float& y);
  void volume_MouseMove(short& button, short& shift, float& x, float& y);
  void BUT9A_Click();    // louder (90)
  void BUT9B_Click();    // softer (10)
  void BUT9C_Click();    // mute
  void BUT13A_Click();   // left channel
  void BUT13B_Click();   // right channel
  void BUT13C_Click();   // stereo
  void Timer1_Timer();   // picture slide show
  void Timer2_Timer();   // start delay of a Flash movie
  void Timer4_Timer();   // follow-up of player media and Flash movies
  void Timer5_Timer();   // three-minute limit of a Flash movie
  void Timer6_Timer();   // list search
  void Timer7_Timer();   // next entry after a Flash video ended
  void Timer10_Timer();  // list search
  void WindowsMediaPlayer2_PlayStateChange(int newState);
  // The next-entry rule: wraps currentIndex to -1 past the last entry; returns the next index.
  int NextEntry() { return session_.nextEntry(); }

  // ---- Layout, window chrome, display modes, keys (window/) ----------------------------
  void Form_Resize();
  // The transport buttons: the picture layout (background music and the slide-show list
  // buttons) or the media layout (play and the media list buttons).
  void showButtonLayout(bool picture) override;
  void CursorWakeCheck(float x, float y, bool maximisedOnly, bool arming);
  // The skin panels and pieces move the window (system move, normal state only) and close the
  // popup menu window.
  void Picture2_MouseDown(int Button, int Shift, float X, float Y);
  void Picture3_MouseDown(int Button, int Shift, float X, float Y);
  void Picture4_MouseDown(int Button, int Shift, float X, float Y);
  void Picture5_MouseDown(int Button, int Shift, float X, float Y);
  void Image33_MouseDown(int Button, int Shift, float X, float Y);
  void Image34_MouseDown(int Button, int Shift, float X, float Y);
  void Image35_MouseDown(int Button, int Shift, float X, float Y);
  void Image36_MouseDown(int Button, int Shift, float X, float Y);
  void Image38_MouseDown(int Button, int Shift, float X, float Y);
  void Image39_MouseDown(int Button, int Shift, float X, float Y);
  void Image40_MouseDown(int Button, int Shift, float X, float Y);
  void Image41_MouseDown(int Button, int Shift, float X, float Y);
  // The bare background: moves the window or resizes it by the right and bottom strips.
  void Form_MouseDown(int Button, int Shift, float X, float Y);
  void Form_MouseMove(int Button, int Shift, float X, float Y);
  void Form_MouseUp(int Button, int Shift, float X, float Y);
  // The corner grip.
  void Picture7_MouseDown(int Button, int Shift, float X, float Y);
  void Picture7_MouseMove(int Button, int Shift, float X, float Y);
  void Picture7_MouseUp(int Button, int Shift, float X, float Y);
  void Timer11_Timer();  // shows the grip once start-up is over
  void Image17_Click();  // minimise
  void Image18_Click();  // close
  void Image21_Click();  // menu
  void Image20_Click();  // play the selected entry
  void Image42_Click();  // left channel
  void Image43_Click();  // both channels
  void Image44_Click();  // right channel
  // Hover pictures of the title buttons and the control-bar buttons.
  void Image16_MouseMove(int Button, int Shift, float X, float Y);
  void Image17_MouseMove(int Button, int Shift, float X, float Y);
  void Image18_MouseMove(int Button, int Shift, float X, float Y);
  void Image19_MouseMove(int Button, int Shift, float X, float Y);
  void Image21_MouseMove(int Button, int Shift, float X, float Y);
  void Image3_MouseMove(int Button, int Shift, float X, float Y);
  void Image4_MouseMove(int Button, int Shift, float X, float Y);
  void Image6_MouseMove(int Button, int Shift, float X, float Y);
  void Image8_MouseMove(int Button, int Shift, float X, float Y);
  void Image9_MouseMove(int Button, int Shift, float X, float Y);
  void Image20_MouseMove(int Button, int Shift, float X, float Y);
  // The skin pieces reset the hover pictures (and the tab colours) and wake the cursor.
  void Image33_MouseMove(int Button, int Shift, float X, float Y);
  void Image34_MouseMove(int Button, int Shift, float X, float Y);
  void Image35_MouseMove(int Button, int Shift, float X, float Y);
  void Image36_MouseMove(int Button, int Shift, float X, float Y);
  void Image38_MouseMove(int Button, int Shift, float X, float Y);
  void Image39_MouseMove(int Button, int Shift, float X, float Y);
  void Image40_MouseMove(int Button, int Shift, float X, float Y);
  void Image41_MouseMove(int Button, int Shift, float X, float Y);
  static constexpr float kMinWidth = window::Presentation::kMinWidth;
  static constexpr float kMinHeight = window::Presentation::kMinHeight;
  static constexpr float kMinHeightSet = window::Presentation::kMinHeightSet;
  static constexpr float kResizeBand = window::Presentation::kResizeBand;
  void BUT2_Click();     // native size
  void BUT0_Click();     // theatre mode
  void BUT1_Click();     // full screen
  void BUT17_Click();    // stretch mode
  void BUT8A_Click();    // zoom 50 %
  void BUT8B_Click();    // zoom 100 %
  void BUT8C_Click();    // zoom 150 %
  void BUT8D_Click();    // zoom 200 %
  void Image16_Click();  // maximise
  void Image19_Click();  // restore
  void Timer3_Timer();   // hides the cursor
  void WindowsMediaPlayer1_Click(int button, int shift, int x, int y);
  void WindowsMediaPlayer1_DoubleClick(int button, int shift, int x, int y);
  void WindowsMediaPlayer1_MouseDown(int button, int shift, int x, int y);
  void WindowsMediaPlayer1_MouseMove(int button, int shift, int x, int y);
  // Keys of the desktop (codes of window::KeyCode): the rows of the one key table.
  void Form_KeyDown(int keyCode, int shift);
  void Form_MouseWheel(forms::Control& over, int delta);

  // ---- Secondary windows, shutdown, execute channel (form1_session.cpp) ----------------
  void showForm4() override;
  dialogs::Form4* form4() const { return form4_.get(); }
  void BUT11_Click();  // About item of the context menu
  // Creates the About box if it is not there and shows it modeless.
  void showAbout() override;
  dialogs::frmAbout* aboutBox() const { return about_.get(); }
  void Timer12_Timer();  // promotion due check
  dialogs::Form0* promotion() const { return promotion_.window(); }
  void Form_Unload();
  void BUT3_Click();
  void Form_Click();
  void Form_LinkExecute(const std::string& commandText, int& cancel);
  // The window manager's close, SIGTERM, SIGINT and the end of the session: the same shutdown
  // as the exit command.
  void closeFromDesktop();
  // How the process ends once the main window is unloaded (the event loop's quit); tests
  // watch it.
  void setEndProcess(std::function<void()> end) { endProcess_ = std::move(end); }
  // The menu button: closes the popup menu window when it is open, else opens it under the
  // button.
  void toggleForm3();
  // Closes the popup menu window if it is open.
  void unloadForm3();
  dialogs::Form3* form3() const { return form3_.get(); }

  // ---- Language (the last items of the context menu, language_menu.cpp) ----------------
  LanguageMenu& languageMenu() const { return *languageMenu_; }

  // The application folder with the host separator, as the handlers address it.
  std::string appFolder() const;
  Services& services() override { return services_; }

 private:
  void design();
  void designTitleBar();
  void designControlBar();
  void designFilePanel();
  void designLook();
  void loadPictureStore();
  // The buttons with stored normal and hover pictures (form1_pictures.cpp).
  std::vector<window::ButtonPictures> buttonPictures();
  // Every control, timer, menu item and component event to its handler (form1_wiring.cpp).
  void connectHandlers();
  void End();
  // What the subsystems see of the window (form1_window.cpp, form1_browser.cpp).
  window::Surface surface();
  browser::PanelControls panelControls();
  playback::TransportControls transportControls();
  void runKey(window::KeyCommand command);
  // The mute state shown on the volume icon and said over the picture.
  void showMuteState();

  // window::PresentationHost
  void closeMenuWindow() override { unloadForm3(); }
  void toggleMenuWindow() override { toggleForm3(); }
  void openSelected() override { File1_Click(); }
  void endProgram() override { End(); }
  void setBalance(int balance) override;
  void resetTabColours() override { ResetTabColours(); }
  media::MediaKind selectedKind() override { return session_.selected().kind(); }
  void noteSelectedEntry() override;
  void videoEnded() override { session_.videoEnded(); }
  void resetPlayerMovie() override { session_.resetPlayerMovie(); }
  // browser::PanelHost
  void cursorWake(float x, float y, bool maximisedOnly, bool arming) override {
    CursorWakeCheck(x, y, maximisedOnly, arming);
  }
  // comfort::ComfortHost
  bool videoAreaCovered() const override;
  void keepOnTop(bool on) override;
  std::string chooseFile(const std::string& filter) override;
  // recent::RecentHost (form1_recent.cpp)
  void openRecentFile(const std::string& path) override;
  void playAddress(const std::string& address) override;
  void askAddress(std::function<void(const std::string&)> done) override;

  // Handlers on the components, which may outlive the window.
  Connections componentConnections_;
  // The session's layout calls on this window's controls (form1_playback.cpp).
  std::unique_ptr<playback::PlaybackLayout> makePlaybackLayout();

  Services& services_;
  Components& components_;
  std::unique_ptr<dialogs::Form4> form4_;
  std::unique_ptr<dialogs::Form3> form3_;
  std::function<void()> endProcess_;
  // Set once start-up has passed the instance test: only then is there anything to put back.
  bool sessionStarted_ = false;
  bool firstRun_ = false;  // the load made the datinf folder
  std::unique_ptr<dialogs::frmAbout> about_;
  std::unique_ptr<LanguageMenu> languageMenu_;
  std::string launchCommandLine_;

 public:
  // ---- Title bar -----------------------------------------------------------------------
  forms::PictureBox Picture2{"Picture2", this};
  forms::Image Image33{"Image33", &Picture2};
  forms::Image Image38{"Image38", &Picture2};
  forms::Image Image39{"Image39", &Picture2};
  forms::Line Line6{"Line6", &Picture2};
  forms::Image Image15{"Image15", &Picture2};
  forms::Label Label5{"Label5", &Picture2};
  forms::Label Label3{"Label3", &Picture2};
  forms::Label Label6{"Label6", &Picture2};
  forms::Label Label7{"Label7", &Picture2};
  forms::Label Label8{"Label8", &Picture2};
  forms::Label Label9{"Label9", &Picture2};
  forms::Image Image21{"Image21", &Picture2};
  forms::Image Image17{"Image17", &Picture2};
  forms::Image Image16{"Image16", &Picture2};
  forms::Image Image19{"Image19", &Picture2};
  forms::Image Image18{"Image18", &Picture2};

  // ---- Side edges ----------------------------------------------------------------------
  forms::PictureBox Picture3{"Picture3", this};
  forms::Image Image35{"Image35", &Picture3};
  forms::PictureBox Picture5{"Picture5", this};
  forms::Image Image36{"Image36", &Picture5};

  // ---- Control bar ---------------------------------------------------------------------
  forms::PictureBox Picture4{"Picture4", this};
  forms::Image Image34{"Image34", &Picture4};
  forms::Image Image41{"Image41", &Picture4};
  forms::Image Image40{"Image40", &Picture4};
  forms::Label Label1{"Label1", &Picture4};
  forms::Label Label2{"Label2", &Picture4};
  forms::Image Image37{"Image37", &Picture4};
  forms::Image Image2{"Image2", &Picture4};
  forms::Image Image3{"Image3", &Picture4};
  forms::Image Image4{"Image4", &Picture4};
  forms::Image Image5{"Image5", &Picture4};
  forms::Image Image6{"Image6", &Picture4};
  forms::Image Image7{"Image7", &Picture4};
  forms::Image Image8{"Image8", &Picture4};
  forms::Image Image9{"Image9", &Picture4};
  forms::Image Image20{"Image20", &Picture4};
  forms::Image Image10{"Image10", &Picture4};
  forms::Image Image42{"Image42", &Picture4};
  forms::Image Image43{"Image43", &Picture4};
  forms::Image Image44{"Image44", &Picture4};
  slider::tVate tVate1;
  slider::tVate volume;

  // ---- Component area ------------------------------------------------------------------
  ComponentControl<media::MediaPlayer> WindowsMediaPlayer1;
  ComponentControl<media::MediaPlayer> WindowsMediaPlayer2;
  ComponentControl<media::FlashPlayer> ShockwaveFlash1;
  ComponentControl<media::WebPage> WebBrowser1;

  // ---- File panel ----------------------------------------------------------------------
  forms::Frame Frame1{"Frame1", this};
  forms::OptionButton Option1{"Option1", &Frame1};
  forms::OptionButton Option2{"Option2", &Frame1};
  forms::OptionButton Option3{"Option3", &Frame1};
  forms::DriveListBox Drive1;
  forms::DirListBox Dir1;
  forms::FileListBox File1;

  // ---- Grip and hidden overlays --------------------------------------------------------
  forms::PictureBox Picture7{"Picture7", this};
  forms::Frame Frame3{"Frame3", this};
  forms::Image Image11{"Image11", &Frame3};
  forms::Frame Frame4{"Frame4", this};

  // ---- Picture store (never shown) -----------------------------------------------------
  forms::Image Image1{"Image1", this}, Image14{"Image14", this}, Image51{"Image51", this};
  forms::Image Image22{"Image22", this}, Image23{"Image23", this}, Image24{"Image24", this},
      Image25{"Image25", this}, Image26{"Image26", this}, Image27{"Image27", this},
      Image28{"Image28", this}, Image29{"Image29", this}, Image30{"Image30", this},
      Image31{"Image31", this};
  forms::Image Image45{"Image45", this}, Image46{"Image46", this}, Image47{"Image47", this},
      Image48{"Image48", this}, Image49{"Image49", this}, Image50{"Image50", this};
  forms::Image Image52{"Image52", this}, Image53{"Image53", this}, Image54{"Image54", this},
      Image55{"Image55", this}, Image56{"Image56", this}, Image57{"Image57", this},
      Image58{"Image58", this}, Image59{"Image59", this}, Image60{"Image60", this},
      Image61{"Image61", this}, Image62{"Image62", this}, Image63{"Image63", this};

  // ---- Open dialog ---------------------------------------------------------------------
  forms::CommonDialog CommonDialog1{"CommonDialog1", *this};

  // ---- Timers --------------------------------------------------------------------------
  forms::Timer Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8, Timer9, Timer10,
      Timer11, Timer12;

  // ---- Context menu --------------------------------------------------------------------
  forms::MenuItem menu{"menu", "PlayerMenu"};
  forms::MenuItem BUT4{"BUT4", "播放/暂停   (&P)", &menu};
  forms::MenuItem BUT5{"BUT5", "停止   (&S)", &menu};
  forms::MenuItem BUT6{"BUT6", "快进   (&Q)", &menu};
  forms::MenuItem BUT7{"BUT7", "快退   (&Y)", &menu};
  forms::MenuItem BUT12{"BUT12", "循环播放   (&C)", &menu};
  forms::MenuItem BUT14{"BUT14", "播放下一个文件   (&N)", &menu};
  forms::MenuItem BUT15{"BUT15", "播放上一个文件   (&B)", &menu};
  forms::MenuItem menuSeparator1{"menuSeparator1", "-", &menu};
  forms::MenuItem BUT2{"BUT2", "原始大小   (&M)", &menu};
  forms::MenuItem BUT0{"BUT0", "剧院模式   (&T)", &menu};
  forms::MenuItem BUT1{"BUT1", "全屏显示   (&F)", &menu};
  forms::MenuItem BUT17{"BUT17", "延伸模式   (&I)", &menu};
  forms::MenuItem BUT8{"BUT8", "缩放比例", &menu};
  forms::MenuItem BUT8A{"BUT8A", "50%    (&5)", &BUT8};
  forms::MenuItem BUT8B{"BUT8B", "100%   (&1)", &BUT8};
  forms::MenuItem BUT8C{"BUT8C", "150%   (&3)", &BUT8};
  forms::MenuItem BUT8D{"BUT8D", "200%   (&2)", &BUT8};
  forms::MenuItem menuSeparator2{"menuSeparator2", "-", &menu};
  forms::MenuItem BUT9{"BUT9", "音量", &menu};
  forms::MenuItem BUT9A{"BUT9A", "增大音量   (&U)", &BUT9};
  forms::MenuItem BUT9B{"BUT9B", "减少音量   (&D)", &BUT9};
  forms::MenuItem BUT9C{"BUT9C", "静音       (&O)", &BUT9};
  forms::MenuItem BUT13{"BUT13", "声道", &menu};
  forms::MenuItem BUT13A{"BUT13A", "左声道   (&L)", &BUT13};
  forms::MenuItem BUT13B{"BUT13B", "右声道   (&R)", &BUT13};
  forms::MenuItem BUT13C{"BUT13C", "立体声   (&E)", &BUT13};
  forms::MenuItem menuSeparator3{"menuSeparator3", "-", &menu};
  forms::MenuItem BUT10{"BUT10", "帮助   (&H)", &menu};
  forms::MenuItem BUT11{"BUT11", "关于Korvelin   (&A)", &menu};
  forms::MenuItem BUT16{"BUT16", "-", &menu};
  forms::MenuItem BUT3{"BUT3", "退出程序   (&X)", &menu};
  // Tracks and subtitles of the open file (src/comfort fills it).
  forms::MenuItem comfortMenu{"comfortMenu", comfort::texts::kMenu, &menu};
  // Picture and sound (src/comfort fills it too).
  forms::MenuItem pictureMenu{"pictureMenu", comfort::texts::kPictureMenu, &menu};
  // The files opened last and an address to play (src/recent fills it).
  forms::MenuItem recentMenu{"recentMenu", recent::texts::kMenu, &menu};
  // Chapters and loops (src/chapters fills it).
  forms::MenuItem chaptersMenu{"chaptersMenu", chapters::texts::kMenu, &menu};

  // ---- Subsystems (after the controls they reach) --------------------------------------
 private:
  std::unique_ptr<playback::PlaybackLayout> playbackLayout_ = makePlaybackLayout();
  playback::PlaybackSession session_{
      components_,
      File1,
      {Timer1, Timer2, Timer4, Timer5, Timer6, Timer7, Timer8, Timer9, Timer10},
      services_,
      *playbackLayout_,
      promotionDue};
  playback::Transport transport_{session_, transportControls()};
  window::Presentation presentation_{surface(), services_, *this, buttonPictures()};
  browser::FilePanel panel_{panelControls(), services_, session_, *this, startFileName};
  dialogs::Promotion promotion_{services_, Timer12, promotionDue};

 public:
  playback::PlaybackSession& session() { return session_; }
  playback::Transport& transport() { return transport_; }
  // The session's state under the names the handlers know.
  std::string& currentFile = session_.currentFile;
  std::int32_t& currentIndex = session_.currentIndex;
  std::int16_t& navIndex = session_.navIndex;
  std::string& flvPositionText = session_.flv.position;
  std::string& flvLengthText = session_.flv.length;
  std::string& flvSeekText = session_.flv.seek;
  // The presentation's own state under the names the handlers know.
  std::int32_t& DragOriginX = presentation_.DragOriginX;
  std::int32_t& DragOriginY = presentation_.DragOriginY;

  // ---- Watching comfort (src/comfort), which fills comfortMenu -------------------------
  comfort::Comfort& comfort() { return *comfort_; }

 private:
  // Made once the menu exists, and gone before it.
  std::unique_ptr<comfort::Comfort> comfort_;

 public:
  // ---- Chapters, loops and the preview over the seek bar (src/chapters) ----------------
  chapters::Chapters& chapters() { return *chapters_; }
  chapters::SeekPreview& seekPreview() { return *seekPreview_; }

  // ---- Recent files and addresses (src/recent), which fill recentMenu ------------------
  recent::Recent& recent() { return *recent_; }

 private:
  std::unique_ptr<chapters::Chapters> chapters_;
  std::unique_ptr<chapters::SeekPreview> seekPreview_;
  std::unique_ptr<recent::Recent> recent_;
};

}  // namespace kv::app
