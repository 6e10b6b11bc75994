// Where the main window meets its presentation: what the presentation works on, the described
// handlers that forward to it, and the one key table's commands run on their owners.

#include <algorithm>

#include "app/form1.h"
#include "platform/errors.h"

namespace kv::app {

window::Surface Form1::surface() {
  return {*this,
          menu,
          Picture2,
          Picture3,
          Picture4,
          Picture5,
          Picture7,
          Image16,
          Image17,
          Image18,
          Image19,
          Image21,
          Image22,
          Image2,
          Image3,
          Image5,
          Image6,
          Image7,
          Image8,
          Image33,
          Image34,
          Image35,
          Image36,
          Image37,
          Image38,
          Image39,
          Image40,
          Image41,
          Label1,
          Label2,
          tVate1,
          volume,
          WindowsMediaPlayer1,
          ShockwaveFlash1,
          WebBrowser1,
          ShockwaveFlash1.object(),
          Frame1,
          Dir1,
          File1,
          BUT0,
          BUT1,
          BUT2,
          BUT17,
          BUT8A,
          BUT8B,
          BUT8C,
          BUT8D,
          Timer3,
          Timer11};
}

void Form1::setBalance(int balance) {
  step([&] { WindowsMediaPlayer1.object().setBalance(balance); });
}

void Form1::noteSelectedEntry() {
  currentIndex = File1.ListIndex();
}

void Form1::showMuteState() {
  presentation_.showMuted(transport_.muted());
  comfort_->muteChanged();
}

void Form1::showButtonLayout(bool picture) {
  presentation_.showButtonLayout(picture);
}
void Form1::CursorWakeCheck(float x, float y, bool maximisedOnly, bool arming) {
  presentation_.CursorWakeCheck(x, y, maximisedOnly, arming);
}
void Form1::Form_Resize() {
  presentation_.Form_Resize();
}
void Form1::Picture2_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Picture3_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Picture4_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Picture5_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image33_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image34_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image35_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image36_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image38_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image39_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image40_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Image41_MouseDown(int, int, float, float) {
  presentation_.moveBySkinPanel();
}
void Form1::Form_MouseDown(int b, int s, float x, float y) {
  presentation_.Form_MouseDown(b, s, x, y);
}
void Form1::Form_MouseMove(int b, int s, float x, float y) {
  presentation_.Form_MouseMove(b, s, x, y);
}
void Form1::Form_MouseUp(int b, int s, float x, float y) {
  presentation_.Form_MouseUp(b, s, x, y);
}
void Form1::Picture7_MouseDown(int b, int s, float x, float y) {
  presentation_.Picture7_MouseDown(b, s, x, y);
}
void Form1::Picture7_MouseMove(int b, int s, float x, float y) {
  presentation_.Picture7_MouseMove(b, s, x, y);
}
void Form1::Picture7_MouseUp(int b, int s, float x, float y) {
  presentation_.Picture7_MouseUp(b, s, x, y);
}
void Form1::Timer11_Timer() {
  presentation_.Timer11_Timer();
}
void Form1::Image17_Click() {
  presentation_.Image17_Click();
}
void Form1::Image18_Click() {
  presentation_.Image18_Click();
}
void Form1::Image21_Click() {
  presentation_.Image21_Click();
}
void Form1::Image20_Click() {
  File1_Click();
}
void Form1::Image42_Click() {
  presentation_.selectChannel(Image42, -100);
}
void Form1::Image43_Click() {
  presentation_.selectChannel(Image43, 0);
}
void Form1::Image44_Click() {
  presentation_.selectChannel(Image44, 100);
}
void Form1::Image16_MouseMove(int, int, float, float) {
  presentation_.titleButtonHover(Image16);
}
void Form1::Image17_MouseMove(int, int, float, float) {
  presentation_.titleButtonHover(Image17);
}
void Form1::Image18_MouseMove(int, int, float, float) {
  presentation_.titleButtonHover(Image18);
}
void Form1::Image19_MouseMove(int, int, float, float) {
  presentation_.titleButtonHover(Image19);
}
void Form1::Image21_MouseMove(int, int, float, float) {
  presentation_.titleButtonHover(Image21);
}
void Form1::Image3_MouseMove(int, int, float, float) {
  presentation_.barButtonHover(Image3);
}
void Form1::Image4_MouseMove(int, int, float, float) {
  presentation_.barButtonHover(Image4);
}
void Form1::Image6_MouseMove(int, int, float, float) {
  presentation_.barButtonHover(Image6);
}
void Form1::Image8_MouseMove(int, int, float, float) {
  presentation_.barButtonHover(Image8);
}
void Form1::Image9_MouseMove(int, int, float, float) {
  presentation_.barButtonHover(Image9);
}
void Form1::Image20_MouseMove(int, int, float, float) {
  presentation_.barButtonHover(Image20);
}
void Form1::Image33_MouseMove(int b, int s, float x, float y) {
  presentation_.Image33_MouseMove(b, s, x, y);
}
void Form1::Image38_MouseMove(int b, int s, float x, float y) {
  presentation_.Image33_MouseMove(b, s, x, y);
}
void Form1::Image39_MouseMove(int b, int s, float x, float y) {
  presentation_.Image33_MouseMove(b, s, x, y);
}
void Form1::Image34_MouseMove(int b, int s, float x, float y) {
  presentation_.Image34_MouseMove(b, s, x, y);
}
void Form1::Image35_MouseMove(int b, int s, float x, float y) {
  presentation_.Image35_MouseMove(b, s, x, y);
}
void Form1::Image40_MouseMove(int b, int s, float x, float y) {
  presentation_.Image35_MouseMove(b, s, x, y);
}
void Form1::Image36_MouseMove(int b, int s, float x, float y) {
  presentation_.Image36_MouseMove(b, s, x, y);
}
void Form1::Image41_MouseMove(int b, int s, float x, float y) {
  presentation_.Image41_MouseMove(b, s, x, y);
}
void Form1::BUT2_Click() {
  presentation_.BUT2_Click();
}
void Form1::BUT0_Click() {
  presentation_.BUT0_Click();
}
void Form1::BUT1_Click() {
  presentation_.BUT1_Click();
}
void Form1::BUT17_Click() {
  presentation_.BUT17_Click();
}
void Form1::BUT8A_Click() {
  presentation_.zoom(BUT8A, 0.5f);
}
void Form1::BUT8B_Click() {
  presentation_.zoom(BUT8B, 1.0f);
}
void Form1::BUT8C_Click() {
  presentation_.zoom(BUT8C, 1.5f);
}
void Form1::BUT8D_Click() {
  presentation_.zoom(BUT8D, 2.0f);
}
void Form1::Image16_Click() {
  presentation_.Image16_Click();
}
void Form1::Image19_Click() {
  presentation_.Image19_Click();
}
void Form1::Timer3_Timer() {
  presentation_.Timer3_Timer();
}
void Form1::WindowsMediaPlayer1_Click(int b, int s, int x, int y) {
  presentation_.WindowsMediaPlayer1_Click(b, s, x, y);
}
void Form1::WindowsMediaPlayer1_DoubleClick(int b, int s, int x, int y) {
  presentation_.WindowsMediaPlayer1_DoubleClick(b, s, x, y);
}
void Form1::WindowsMediaPlayer1_MouseDown(int b, int s, int x, int y) {
  presentation_.WindowsMediaPlayer1_MouseDown(b, s, x, y);
}
void Form1::WindowsMediaPlayer1_MouseMove(int b, int s, int x, int y) {
  presentation_.WindowsMediaPlayer1_MouseMove(b, s, x, y);
}
void Form1::ShockwaveFlash1_FSCommand(const std::string& command, const std::string& args) {
  presentation_.ShockwaveFlash1_FSCommand(command, args);
}

// ---- Keys and the wheel -----------------------------------------------------------------

void Form1::Form_KeyDown(int keyCode, int shift) {
  const window::KeyRow* row = window::findKey(keyCode, shift);
  if (!row) return;
  if (row->scope == window::KeyScope::Watching) {
    if (comfort_->keysActive() && !chapters_->runKey(row->command)) comfort_->runKey(row->command);
    return;
  }
  runKey(row->command);
}

void Form1::runKey(window::KeyCommand command) {
  using enum window::KeyCommand;
  switch (command) {
    case PlayPause:
      return BUT4_Click();
    case SeekBack:
    case SeekForward:
      transport_.seekBySeconds(command == SeekBack ? -window::kSeekKeySeconds
                                                   : window::kSeekKeySeconds);
      return comfort_->seekedByKey();
    case VolumeUp:
      return transport_.stepVolume(window::kVolumeKeyStep);
    case VolumeDown:
      return transport_.stepVolume(-window::kVolumeKeyStep);
    case FullScreenToggle:
      return WindowsMediaPlayer1_DoubleClick(1, 0, 0, 0);
    case LeaveScreenMode:
      return presentation_.leaveScreenMode();
    case Mute:
      transport_.toggleMute();
      return showMuteState();
    case PreviousEntry:
    case NextEntry:
      // The list buttons of the layout on show: the picture layout's or the media layout's.
      return session_.listButton(command == NextEntry, presentation_.pictureLayoutShown());
    case ToggleOnTop:
      return comfort_->toggleOnTop();
    case ContextMenu:
      return presentation_.contextMenuByKey();
    default:
      return;
  }
}

void Form1::Form_MouseWheel(forms::Control& over, int delta) {
  if (&over != &WindowsMediaPlayer1 || delta == 0) return;
  // Any part of a notch counts as one step, so fine-grained touchpads still move the bar.
  const int notches = delta > 0 ? std::max(1, delta / 120) : std::min(-1, delta / 120);
  transport_.stepVolume(notches * window::kVolumeWheelStep);
}

}  // namespace kv::app
