#pragma once
// The file panel beside the video (the drive, folder and file lists chained, the three
// filters), the tab strip above the video area (play, list, browse, blog and help tabs with
// their hover colours), the Browse tab's Open dialog and dropped files, and the play and
// background-music buttons that show the panel. Handlers keep the names of the design; the
// main window forwards to them.

#include <string>

#include "media/components.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/component_control.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/timer.h"
#include "platform/services.h"
#include "playback/playback_session.h"
#include "slider/tvate.h"

namespace kv::browser {

// The blog address configured at build time ("" when there is none: the blog tab then shows
// the news page of the application folder).
extern const char* const kBlogAddress;
// The news page of the application folder.
extern const char* const kNewsPage;

// The controls the panel and the tabs work on, by their names in the design.
struct PanelControls {
  forms::Form& form;
  forms::Frame& Frame1;
  forms::DriveListBox& Drive1;
  forms::DirListBox& Dir1;
  forms::FileListBox& File1;
  forms::Label &Label1, &Label2;                             // the time display
  forms::Label &Label3, &Label6, &Label7, &Label8, &Label9;  // the tabs
  forms::CommonDialog& CommonDialog1;
  forms::ComponentControl<media::MediaPlayer>&WindowsMediaPlayer1, &WindowsMediaPlayer2;
  forms::ComponentControl<media::FlashPlayer>& ShockwaveFlash1;
  forms::ComponentControl<media::WebPage>& WebBrowser1;
  forms::PictureBox& Picture4;
  slider::tVate& tVate1;
  forms::Timer &Timer1, &Timer2, &Timer4;
};

// What the panel asks of the window's presentation.
class PanelHost {
 public:
  virtual ~PanelHost() = default;
  virtual void showButtonLayout(bool picture) = 0;
  virtual void cursorWake(float x, float y, bool maximisedOnly, bool arming) = 0;
};

class FilePanel {
 public:
  // `startFileName` is the name the list search looks for after a file was opened from outside
  // the list.
  FilePanel(PanelControls controls, Services& services, playback::PlaybackSession& session,
            PanelHost& host, std::string& startFileName);

  // ---- Lists and filters (file_panel.cpp, filters.cpp) -----------------------------------
  void Drive1_Change();
  void Dir1_Change();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Label6_Click();  // list tab
  void Dir1_MouseMove(int button, int shift, float x, float y);
  void File1_MouseMove(int button, int shift, float x, float y);
  void Image3_Click();  // play / resume, or the file panel
  void Label3_Click();  // play tab
  void Image2_Click();  // background music
  // ---- Browse tab (browse.cpp) -----------------------------------------------------------
  void Label7_Click();
  // A file dropped on the window opens the way the browse tab opens a chosen one; anything
  // that is not an existing file is ignored.
  void OpenDroppedFile(const std::string& path);
  // ---- Tab strip (tabs.cpp) --------------------------------------------------------------
  void TabHover(forms::Label& tab, float X, float Y);  // Label3-9 moves
  // All five tabs white (the title-bar pieces run it when the mouse crosses them).
  void ResetTabColours();
  // The tab highlighted, the four others plain.
  void highlightTab(forms::Label& tab);
  void Label8_Click();  // blog tab
  void Label9_Click();  // help tab
  void BUT10_Click();   // help item of the context menu
  // The page of the blog tab: the configured blog address, else our news page.
  std::string blogAddress() const;

 private:
  void applyFilter(const char* pattern, bool pictureButtons, bool showPlayer);
  void toggleFilePanel();
  void OpenChosenFile(const std::string& P);
  std::string appFolder() const;

  PanelControls c_;
  Services& services_;
  playback::PlaybackSession& session_;
  PanelHost& host_;
  std::string& startFileName_;
};

}  // namespace kv::browser
