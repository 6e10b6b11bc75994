// Where the main window meets its file panel and tab strip: what the panel works on and the
// described handlers that forward to it.

#include "app/form1.h"

namespace kv::app {

browser::PanelControls Form1::panelControls() {
  return {*this,
          Frame1,
          Drive1,
          Dir1,
          File1,
          Label1,
          Label2,
          Label3,
          Label6,
          Label7,
          Label8,
          Label9,
          CommonDialog1,
          WindowsMediaPlayer1,
          WindowsMediaPlayer2,
          ShockwaveFlash1,
          WebBrowser1,
          Picture4,
          tVate1,
          Timer1,
          Timer2,
          Timer4};
}

bool Form1::videoAreaCovered() const {
  return ShockwaveFlash1.Visible() || WebBrowser1.Visible();
}

void Form1::keepOnTop(bool on) {
  setTopmost(on);
}

std::string Form1::chooseFile(const std::string& filter) {
  return services_.windows.showOpen(*this, filter, "");
}

std::string Form1::blogAddress() const {
  return panel_.blogAddress();
}
void Form1::Drive1_Change() {
  panel_.Drive1_Change();
}
void Form1::Dir1_Change() {
  panel_.Dir1_Change();
}
void Form1::Option1_Click() {
  panel_.Option1_Click();
}
void Form1::Option2_Click() {
  panel_.Option2_Click();
}
void Form1::Option3_Click() {
  panel_.Option3_Click();
}
void Form1::Label6_Click() {
  panel_.Label6_Click();
}
void Form1::Dir1_MouseMove(int b, int s, float x, float y) {
  panel_.Dir1_MouseMove(b, s, x, y);
}
void Form1::File1_MouseMove(int b, int s, float x, float y) {
  panel_.File1_MouseMove(b, s, x, y);
}
void Form1::Label3_Click() {
  panel_.Label3_Click();
}
void Form1::Label7_Click() {
  panel_.Label7_Click();
}
void Form1::Label8_Click() {
  panel_.Label8_Click();
}
void Form1::Label9_Click() {
  panel_.Label9_Click();
}
void Form1::Label3_MouseMove(int, int, float X, float Y) {
  panel_.TabHover(Label3, X, Y);
}
void Form1::Label6_MouseMove(int, int, float X, float Y) {
  panel_.TabHover(Label6, X, Y);
}
void Form1::Label7_MouseMove(int, int, float X, float Y) {
  panel_.TabHover(Label7, X, Y);
}
void Form1::Label8_MouseMove(int, int, float X, float Y) {
  panel_.TabHover(Label8, X, Y);
}
void Form1::Label9_MouseMove(int, int, float X, float Y) {
  panel_.TabHover(Label9, X, Y);
}
void Form1::ResetTabColours() {
  panel_.ResetTabColours();
}
void Form1::OpenDroppedFile(const std::string& path) {
  panel_.OpenDroppedFile(path);
}
void Form1::Image2_Click() {
  panel_.Image2_Click();
}
void Form1::Image3_Click() {
  panel_.Image3_Click();
}
void Form1::BUT10_Click() {
  panel_.BUT10_Click();
}

}  // namespace kv::app
