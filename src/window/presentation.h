#pragma once
// The main window's presentation: layout on resize, display modes and zoom, moving and
// resizing the frameless window, the title and control-bar buttons with their hover pictures,
// the cursor that hides in a screen-filling mode, and the video component's mouse events. Its
// handlers keep the names of the design; the main window forwards to them.

#include <cstdint>
#include <string>
#include <vector>

#include "media/kinds.h"
#include "platform/services.h"
#include "window/button_pictures.h"
#include "window/surface.h"

namespace kv::window {

// What the presentation asks of the rest of the program.
class PresentationHost {
 public:
  virtual ~PresentationHost() = default;
  virtual void closeMenuWindow() = 0;   // the popup menu window, if it is open
  virtual void toggleMenuWindow() = 0;  // the menu button
  virtual void openSelected() = 0;      // the file list's click
  virtual void endProgram() = 0;        // after the window was unloaded
  virtual void setBalance(int balance) = 0;
  virtual void resetTabColours() = 0;
  virtual media::MediaKind selectedKind() = 0;
  // The list's selected entry becomes the one the automatic advance works from.
  virtual void noteSelectedEntry() = 0;
  // The player movie's reports.
  virtual void videoEnded() = 0;
  virtual void resetPlayerMovie() = 0;
};

class Presentation {
 public:
  Presentation(Surface surface, Services& services, PresentationHost& host,
               std::vector<ButtonPictures> pictures);

  // Minimum size of the main window, kept when the mouse is released over the background.
  static constexpr float kMinWidth = 5200;
  static constexpr float kMinHeight = 1550;
  static constexpr float kMinHeightSet = 1560;
  // Width of the band along the right and bottom edges where the background resizes.
  static constexpr float kResizeBand = 120;

  // ---- Layout (layout.cpp) ---------------------------------------------------------------
  void Form_Resize();
  void raiseSliders();  // grip repainted, then the two bars above the control-bar pictures
  // The transport buttons: the picture layout (background music and the slide-show list
  // buttons) or the media layout (play and the media list buttons).
  void showButtonLayout(bool picture);
  bool pictureLayoutShown() const;

  // ---- Moving and resizing (window_drag.cpp) ---------------------------------------------
  void moveBySkinPanel();  // the skin panels and pieces
  void Form_MouseDown(int Button, int Shift, float X, float Y);
  void Form_MouseMove(int Button, int Shift, float X, float Y);
  void Form_MouseUp(int Button, int Shift, float X, float Y);
  void Picture7_MouseDown(int Button, int Shift, float X, float Y);
  void Picture7_MouseMove(int Button, int Shift, float X, float Y);
  void Picture7_MouseUp(int Button, int Shift, float X, float Y);
  void Timer11_Timer();

  // ---- Buttons and hover pictures (chrome_buttons.cpp, hover.cpp) ------------------------
  void Image17_Click();                                             // minimise
  void Image18_Click();                                             // close
  void Image21_Click();                                             // menu
  void selectChannel(forms::Image& selected, int balance);          // Image42-44
  void titleButtonHover(forms::Image& button);                      // Image16-21 moves
  void barButtonHover(forms::Image& button);                        // Image3-20 moves
  void Image33_MouseMove(int Button, int Shift, float X, float Y);  // also Image38, Image39
  void Image34_MouseMove(int Button, int Shift, float X, float Y);
  void Image35_MouseMove(int Button, int Shift, float X, float Y);  // also Image40
  void Image36_MouseMove(int Button, int Shift, float X, float Y);
  void Image41_MouseMove(int Button, int Shift, float X, float Y);
  // The shared check of the mouse-move handlers that brings a hidden cursor back; the arming
  // variant also restarts the cursor-hide timer.
  void CursorWakeCheck(float x, float y, bool maximisedOnly, bool arming);
  // The volume icon: a cross while the sound is muted.
  void showMuted(bool muted);
  // Where the left button went down on the bare background, whole twips: the origin of a move.
  std::int32_t DragOriginX = 0, DragOriginY = 0;

  // ---- Display modes and zoom (display_modes.cpp, zoom.cpp) ------------------------------
  void BUT2_Click();                              // native size
  void BUT0_Click();                              // theatre
  void BUT1_Click();                              // full screen
  void BUT17_Click();                             // stretch
  void zoom(forms::MenuItem& own, float factor);  // BUT8A-D
  void Image16_Click();                           // maximise
  void Image19_Click();                           // restore
  void Timer3_Timer();                            // hides the cursor
  // Native size from theatre, full screen or stretch mode (the Escape key).
  void leaveScreenMode();

  // ---- The video component and the Flash movie (video_events.cpp) ------------------------
  void WindowsMediaPlayer1_Click(int button, int shift, int x, int y);
  void WindowsMediaPlayer1_DoubleClick(int button, int shift, int x, int y);
  void WindowsMediaPlayer1_MouseDown(int button, int shift, int x, int y);
  void WindowsMediaPlayer1_MouseMove(int button, int shift, int x, int y);
  // The desktop's keyboard way to the context menu (the context-menu key, Shift+F10), with or
  // without a file: the menu the video's right button opens, at the middle of the video area.
  void contextMenuByKey();
  void ShockwaveFlash1_FSCommand(const std::string& command, const std::string& args);

 private:
  void screenMode(forms::MenuItem& own, void (Presentation::*place)());
  void placeTheatre();
  void placeFullScreen();
  void placeStretch();
  void bringBarsToFront();
  void titleButtonsHover(const forms::Image* hovered);  // nullptr: all normal
  void barButtonsNormal();
  std::string appFolder() const;

  Surface s_;
  Services& services_;
  PresentationHost& host_;
  std::vector<ButtonPictures> pictures_;
};

}  // namespace kv::window
