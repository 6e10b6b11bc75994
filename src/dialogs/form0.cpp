// The promotion window's behaviour: slide-in, display time, slide-out, pages, hover, entries
// and dragging.

#include "dialogs/form0.h"

#include <limits>

#include "platform/errors.h"

namespace kv::dialogs {
namespace {
constexpr float kStep = 15;  // one pixel a tick
}  // namespace

void Form0::SetFormTopmost() {
  setTopmost(true);
}

void Form0::Form_Load() {
  step([&] { Picture1.setVisible(false); });
  step([&] { SetFormTopmost(); });
  step([&] { setTop(services_.screen.heightTwips()); });
  step([&] { setLeft(services_.screen.widthTwips() - Width()); });
  step([&] { Timer1.setEnabled(true); });
}

void Form0::Form_Unload() {
  // A closed window does not go on sliding.
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(false);
}

void Form0::Form_MouseDown(int, int, float, float) {
  if (host()) host()->startSystemMove(*this);
}

namespace {
// The shared counter, one tick on; it stays put at the top of its range.
void countTick(std::int16_t& count) {
  if (count == std::numeric_limits<std::int16_t>::max())
    throw RuntimeError(ErrorNumber::Overflow, "slide counter");
  ++count;
}
}  // namespace

void Form0::Timer1_Timer() {
  const float screenHeight = services_.screen.heightTwips();
  const float screenWidth = services_.screen.widthTwips();
  step([&] { countTick(slideCount); });
  step([&] { setTop(screenHeight - slideCount * kStep); });
  step([&] { setLeft(screenWidth - Width()); });
  // Fully above the bottom edge. Whole pixels meet the end exactly; "at or past" also ends a
  // slide on a screen whose size is not a whole number of steps.
  if (Top() <= screenHeight - Height()) {
    step([&] { Timer1.setEnabled(false); });
    step([&] { Timer3.setEnabled(true); });
    slideCount = 0;
  }
}

void Form0::Timer3_Timer() {
  step([&] { Timer2.setEnabled(true); });
  step([&] { Timer3.setEnabled(false); });
}

void Form0::Timer2_Timer() {
  const float screenHeight = services_.screen.heightTwips();
  const float screenWidth = services_.screen.widthTwips();
  step([&] { countTick(slideCount); });
  step([&] { setTop((screenHeight - Height()) + slideCount * kStep); });
  step([&] { setLeft(screenWidth - Width()); });
  if (Top() >= screenHeight) {
    slideCount = 0;
    step([&] { Timer2.setEnabled(false); });
    Unload();
  }
}

void Form0::Image2_Click() {
  step([&] { Timer2.setEnabled(true); });
  step([&] { Image2.setPicture(Image7.Picture()); });
}

void Form0::Image3_Click() {
  step([&] { Timer2.setEnabled(true); });
}

void Form0::Picture2_Click() {
  step([&] { Frame1.setVisible(false); });
  step([&] { Frame2.setVisible(true); });
  step([&] { Picture1.setEnabled(true); });
  step([&] { Picture1.setVisible(true); });
  step([&] { Picture2.setEnabled(false); });
  step([&] { Picture2.setVisible(false); });
}

void Form0::Picture1_Click() {
  step([&] { Frame1.setVisible(true); });
  step([&] { Frame2.setVisible(false); });
  step([&] { Picture1.setEnabled(false); });
  step([&] { Picture1.setVisible(false); });
  step([&] { Picture2.setVisible(true); });
  step([&] { Picture2.setEnabled(true); });
}

void Form0::hoverEntry(forms::Label& entry) {
  step([&] { entry.setForeColor(kEntryHoverColour); });
}

void Form0::restorePage(std::initializer_list<forms::Label*> entries) {
  for (forms::Label* entry : entries) step([&] { entry->setForeColor(kEntryColour); });
  step([&] { Image2.setPicture(Image7.Picture()); });
  step([&] { Picture1.setPicture(Image3.Picture()); });
  step([&] { Picture2.setPicture(Image5.Picture()); });
}

void Form0::Frame1_MouseMove(int, int, float, float) {
  restorePage({&Label1, &Label2, &Label3});
}
void Form0::Frame2_MouseMove(int, int, float, float) {
  restorePage({&Label4, &Label5});
}
void Form0::Image1_MouseMove(int, int, float, float) {
  step([&] { Image2.setPicture(Image7.Picture()); });
}
void Form0::Image2_MouseMove(int, int, float, float) {
  step([&] { Image2.setPicture(Image8.Picture()); });
}
void Form0::Picture1_MouseMove(int, int, float, float) {
  step([&] { Picture1.setPicture(Image4.Picture()); });
}
void Form0::Picture2_MouseMove(int, int, float, float) {
  step([&] { Picture2.setPicture(Image6.Picture()); });
}
void Form0::Label1_MouseMove(int, int, float, float) {
  hoverEntry(Label1);
}
void Form0::Label2_MouseMove(int, int, float, float) {
  hoverEntry(Label2);
}
void Form0::Label3_MouseMove(int, int, float, float) {
  hoverEntry(Label3);
}
void Form0::Label4_MouseMove(int, int, float, float) {
  hoverEntry(Label4);
}
void Form0::Label5_MouseMove(int, int, float, float) {
  hoverEntry(Label5);
}

void Form0::openEntry(int index) {
  // A desktop without a handler for the page opens nothing; the window stays as it is.
  step([&] { services_.shell.openUrl(entryAddress.at(static_cast<std::size_t>(index))); });
}
void Form0::Label1_Click() {
  openEntry(0);
}
void Form0::Label2_Click() {
  openEntry(1);
}
void Form0::Label3_Click() {
  openEntry(2);
}
void Form0::Label4_Click() {
  openEntry(3);
}
void Form0::Label5_Click() {
  openEntry(4);
}

}  // namespace kv::dialogs
