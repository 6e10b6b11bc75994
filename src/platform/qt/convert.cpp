#include "platform/qt/convert.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/input_codes.h"

namespace kv::view {

namespace {
// Beyond this a widget refuses the size (QWIDGETSIZE_MAX) and coordinates overflow.
constexpr double kMaxPixels = 1 << 22;

QColor systemColour(std::uint32_t index) {
  const QPalette p = QApplication::palette();
  switch (index) {
    case 1:   // desktop
    case 12:  // application workspace
      return p.color(QPalette::Dark);
    case 2:   // active caption
    case 13:  // highlight
      return p.color(QPalette::Highlight);
    case 9:   // caption text
    case 14:  // highlight text
      return p.color(QPalette::HighlightedText);
    case 5:  // window background
      return p.color(QPalette::Base);
    case 6:   // window frame
    case 21:  // 3-D dark shadow
      return p.color(QPalette::Shadow);
    case 7:  // menu text
    case 8:  // window text
      return p.color(QPalette::Text);
    case 16:  // button shadow
      return p.color(QPalette::Dark);
    case 17:  // grey text
    case 19:  // inactive caption text
      return p.color(QPalette::Disabled, QPalette::Text);
    case 18:  // button text
      return p.color(QPalette::ButtonText);
    case 20:  // button highlight
    case 22:  // 3-D light
      return p.color(QPalette::Light);
    case 23:  // tool tip text
      return p.color(QPalette::ToolTipText);
    case 24:  // tool tip background
      return p.color(QPalette::ToolTipBase);
    default:  // button face and everything else
      return p.color(QPalette::Button);
  }
}

}  // namespace

QString chineseFamily() {
  // The desktop's fontconfig finds Chinese glyphs too, but it may pick a face with a different
  // size and weight for each script; one CJK family keeps the captions even. The first is the
  // one whose metrics the windows were designed with: ideographs one em high and wide, Latin
  // letters half an em wide, glyphs of a line within about one em (Noto's reach 1.25 em).
  static const QString family = [] {
    for (const char* name : {"WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC", "Noto Sans CJK SC",
                             "Noto Sans SC", "WenQuanYi Micro Hei"})
      if (QFontDatabase::hasFamily(QString::fromUtf8(name))) return QString::fromUtf8(name);
    return QString();
  }();
  return family;
}

int pixels(float twips) {
  const double px = static_cast<double>(twips) / forms::kTwipsPerPixel;
  if (!std::isfinite(px)) return 0;
  return static_cast<int>(std::lround(std::clamp(px, -kMaxPixels, kMaxPixels)));
}

QRect pixelRect(const forms::Control& control) {
  int w = std::max(0, pixels(control.Width()));
  int h = std::max(0, pixels(control.Height()));
  if (control.kind() == forms::Kind::Line) {
    w = std::max(w, 1);
    h = std::max(h, 1);
  }
  return {pixels(control.Left()), pixels(control.Top()), w, h};
}

float twips(double pixels) {
  return static_cast<float>(pixels * forms::kTwipsPerPixel);
}

QColor colour(std::uint32_t bgr) {
  if (bgr & 0x80000000u) return systemColour(bgr & 0xFFu);
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

namespace {
constexpr std::uint32_t kDefaultBack = 0xFFFFFF, kDefaultFore = 0x000000;

bool inDialog(const forms::Control& control) {
  const forms::Control* top = &control;
  while (top->parent()) top = top->parent();
  const auto* form = dynamic_cast<const forms::Form*>(top);
  return form && (form->windowStyle() & forms::kStyleCaption) == forms::kStyleCaption;
}
}  // namespace

QColor shownBackColour(const forms::Control& control) {
  if (control.BackColor() == kDefaultBack && inDialog(control))
    return QApplication::palette().color(QPalette::Window);
  return colour(control.BackColor());
}

QColor shownForeColour(const forms::Control& control) {
  if (control.ForeColor() == kDefaultFore && inDialog(control))
    return QApplication::palette().color(QPalette::WindowText);
  return colour(control.ForeColor());
}

QFont captionFont(const forms::Control& control) {
  QFont font;
  const QString family =
      control.FontName().empty() ? chineseFamily() : QString::fromStdString(control.FontName());
  if (!family.isEmpty()) font.setFamilies({family, chineseFamily()});
  // A caption taller than any screen cannot be shown anyway and costs a lot to rasterise.
  font.setPointSizeF(std::clamp(static_cast<double>(control.FontSize()), 1.0, 400.0));
  font.setBold(control.FontBold());
  return font;
}

std::optional<QCursor> pointerShape(const forms::Control& control) {
  using namespace forms;
  switch (control.MousePointer()) {
    case kArrow:
      return QCursor(Qt::ArrowCursor);
    case kCross:
      return QCursor(Qt::CrossCursor);
    case kIBeam:
      return QCursor(Qt::IBeamCursor);
    case 4:  // icon
    case kSizeAll:
    case 15:  // size all
      return QCursor(Qt::SizeAllCursor);
    case kSizeNESW:
      return QCursor(Qt::SizeBDiagCursor);
    case kSizeNS:
      return QCursor(Qt::SizeVerCursor);
    case kSizeNWSE:
      return QCursor(Qt::SizeFDiagCursor);
    case kSizeWE:
      return QCursor(Qt::SizeHorCursor);
    case kUpArrow:
      return QCursor(Qt::UpArrowCursor);
    case kHourglass:
      return QCursor(Qt::WaitCursor);
    case kNoDrop:
      return QCursor(Qt::ForbiddenCursor);
    case 13:  // arrow and hourglass
      return QCursor(Qt::BusyCursor);
    case 14:  // arrow and question mark
      return QCursor(Qt::WhatsThisCursor);
    case kHand: {
      const PictureRef& icon = control.MouseIcon();
      // Without a picture of its own the control shows the hand its name promises (the tabs).
      if (!icon || icon->image().isNull()) return QCursor(Qt::PointingHandCursor);
      const QImage& image = icon->image();
      // A picture may say where its hot spot is (PNG text "HotSpotX" / "HotSpotY").
      bool okX = false, okY = false;
      const int x = image.text(QStringLiteral("HotSpotX")).toInt(&okX);
      const int y = image.text(QStringLiteral("HotSpotY")).toInt(&okY);
      return QCursor(QPixmap::fromImage(image), okX ? x : 0, okY ? y : 0);
    }
    default:
      break;
  }
  // 0: the control's own default; windowless controls show their container's pointer.
  const Kind k = control.kind();
  if (k == Kind::Label || k == Kind::Image || k == Kind::Line) return std::nullopt;
  return QCursor(Qt::ArrowCursor);
}

int keyCode(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return qtKey;  // the same numbers
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return input::kKeyReturn;
    case Qt::Key_Escape:
      return input::kKeyEscape;
    case Qt::Key_Space:
      return input::kKeySpace;
    case Qt::Key_PageUp:
      return input::kKeyPageUp;
    case Qt::Key_PageDown:
      return input::kKeyPageDown;
    case Qt::Key_Left:
      return input::kKeyLeft;
    case Qt::Key_Up:
      return input::kKeyUp;
    case Qt::Key_Right:
      return input::kKeyRight;
    case Qt::Key_Down:
      return input::kKeyDown;
    case Qt::Key_Backspace:
      return input::kKeyBackspace;
    case Qt::Key_Comma:
      return input::kKeyComma;
    case Qt::Key_Period:
      return input::kKeyPeriod;
    case Qt::Key_BracketLeft:
      return input::kKeyBracketLeft;
    case Qt::Key_BracketRight:
      return input::kKeyBracketRight;
    case Qt::Key_NumberSign:
      return input::kKeyNumberSign;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return input::kKeyPlus;
    case Qt::Key_Minus:
      return input::kKeyMinus;
    case Qt::Key_Menu:
      return input::kKeyApps;
    case Qt::Key_F10:
      return input::kKeyF10;
    default:
      return input::kKeyNone;
  }
}

}  // namespace kv::view
