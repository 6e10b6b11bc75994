// tVate painting: every change of state clears the surface and draws the control again.

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

#include "slider/colours.h"
#include "slider/drawing.h"
#include "slider/geometry.h"
#include "slider/tvate.h"

namespace kv::slider {
namespace {

constexpr float kTwips = forms::kTwipsPerPixel;
constexpr int kCaptionPixelSize = 11;

// Pixel rectangle of a twip rectangle; each value rounded on its own like the original blits.
QRect pixelRect(float x, float y, float w, float h) {
  return QRect(toPixels(x), toPixels(y), toPixels(w), toPixels(h));
}

// A piece of the skin stretched into the rectangle; a negative width mirrors it, as a stretched
// blit does.
void stretch(QPainter& painter, const forms::PictureRef& piece, QRect target) {
  if (!piece || piece->image().isNull() || target.width() == 0 || target.height() == 0) return;
  const bool mirrorX = target.width() < 0, mirrorY = target.height() < 0;
  target = target.normalized();
  if (mirrorX || mirrorY)
    painter.drawImage(target, piece->image().mirrored(mirrorX, mirrorY));
  else
    painter.drawImage(target, piece->image());
}

// The same rectangle of a picture copied unscaled to the same place.
void copyUnscaled(QPainter& painter, const forms::PictureRef& picture, QRect area) {
  if (!picture) return;
  area = area.normalized().intersected(picture->image().rect());
  if (area.isEmpty()) return;
  painter.drawImage(area.topLeft(), picture->image(), area);
}

// Border of the window: one dark line when flat, a sunken two-pixel edge when 3-D.
void drawBorder(QImage& image, int thickness) {
  if (thickness <= 0 || image.isNull()) return;
  QPainter p(&image);
  const QRect r = image.rect();
  if (thickness == 1) {
    p.setPen(QColor(0, 0, 0));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    return;
  }
  auto edge = [&p](QRect box, QColor topLeft, QColor bottomRight) {
    p.setPen(topLeft);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
  };
  edge(r, QColor(0xA0A0A0), QColor(0xFFFFFF));
  edge(r.adjusted(1, 1, -1, -1), QColor(0x696969), QColor(0xE3E3E3));
}

}  // namespace

int tVate::borderPixels() const {
  if (borderStyle_ != 1) return 0;
  return appearance_ == 1 ? 2 : 1;
}

QSize tVate::innerPixels() const {
  const int border = 2 * borderPixels();
  return QSize(std::max(0, toPixels(Width()) - border), std::max(0, toPixels(Height()) - border));
}

TrackGeometry tVate::trackGeometry() const {
  TrackGeometry g;
  g.width = static_cast<float>(innerPixels().width()) * kTwips;
  g.thumbSpan = isShowCmd_ ? thumbWidth_ : 0;
  g.capLeft = capLeftWidth_;
  g.capRight = capRightWidth_;
  g.biteLeft = biteLeft_;
  g.biteRight = biteRight_;
  return g;
}

void tVate::setWidth(float v) {
  const int w = toPixels(Width()), h = toPixels(Height());
  Control::setWidth(v);
  sizeChanged(w, h);
}

void tVate::setHeight(float v) {
  const int w = toPixels(Width()), h = toPixels(Height());
  Control::setHeight(v);
  sizeChanged(w, h);
}

void tVate::sizeChanged(int oldWidthPixels, int oldHeightPixels) {
  if (toPixels(Width()) != oldWidthPixels || toPixels(Height()) != oldHeightPixels) Repaint();
}

void tVate::Repaint() {
  const unsigned generation = ++paintGeneration_;

  // 1. Clear: the back colour, then the background picture of the window.
  const QSize outer(std::max(0, toPixels(Width())), std::max(0, toPixels(Height())));
  if (surface_.size() != outer) {
    surface_ = outer.isEmpty() ? QImage() : QImage(outer, QImage::Format_RGB32);
  }
  // The inner area as an image sharing the surface's memory, so that every helper paints
  // from (0, 0) whatever the border.
  const int border = borderPixels();
  const QSize inner = innerPixels();
  QImage canvas;
  if (!surface_.isNull()) {
    surface_.fill(toRgb(BackColor()));
    if (!inner.isEmpty()) {
      canvas = QImage(surface_.bits() + border * surface_.bytesPerLine() + border * 4,
                      inner.width(), inner.height(), surface_.bytesPerLine(), QImage::Format_RGB32);
    }
  }
  if (!canvas.isNull() && BkPicture()) {
    QPainter p(&canvas);
    p.drawImage(0, 0, BkPicture()->image());
  }

  // 2. Thumb position. A negative Max is taken as 1 for good; a Max of 0 has no thumb
  // position, so nothing beyond the background is painted.
  if (max_ < 0) max_ = 1;
  if (max_ != 0) {
    const TrackGeometry g = trackGeometry();
    const float x = thumbCentre(g, paintedValue(value_, max_), max_);
    thumbLeft_ = x - static_cast<float>(thumbWidth_) / 2;

    // 3 and 4. Bar and caption.
    if (!canvas.isNull()) {
      paintBar(canvas, x);
      paintCaption(canvas);
    }

    // 5. Thumb, in the image of its state. A handler of the state's event may have painted
    // the control again meanwhile; that newer picture stands.
    if (isShowCmd_) {
      const int state = GetMouseState();
      if (generation == paintGeneration_ && !canvas.isNull()) {
        const float cell = static_cast<float>(thumbWidth_);
        PaintPictureTransparent(thumbStrip_, canvas, toPixels(cell * static_cast<float>(state)), 0,
                                toPixels(cell), thumbHeight_, toPixels(thumbLeft_), thumbTop_,
                                kTransparentColour);
      }
    }
  }
  if (generation != paintGeneration_) return;
  drawBorder(surface_, border);
  Refresh();
}

void tVate::paintBar(QImage& canvas, float x) {
  const float w = static_cast<float>(canvas.width()) * kTwips;
  const float h = static_cast<float>(canvas.height()) * kTwips;
  const float capL = capLeftWidth_, capR = capRightWidth_;
  if (style_ == kStyleSkin) {
    QPainter p(&canvas);
    stretch(p, leftCapPicture_, pixelRect(0, 0, capL, h));
    stretch(p, rightCapPicture_, pixelRect(w - capR, 0, capR, h));
    stretch(p, playedPicture_, pixelRect(capL, 0, x - capL, h));
    stretch(p, remainingPicture_, pixelRect(x, 0, w - x - capR, h));
  } else if (style_ == kStyleFullPictures) {
    QPainter p(&canvas);
    copyUnscaled(p, playedPicture_, pixelRect(0, 0, x, h));
    copyUnscaled(p, remainingPicture_, pixelRect(x, 0, w - x, h));
  } else {
    FillGradient(canvas, gotTopColor_, gotBottomColor_, 0, x, h);
    FillGradient(canvas, topColor_, bottomColor_, x, w, h);
  }
}

void tVate::paintCaption(QImage& canvas) {
  // Text needs the fonts of a running GUI application.
  if (caption_.empty() || !qGuiApp) return;
  QPainter p(&canvas);
  QFont font = p.font();
  font.setPixelSize(kCaptionPixelSize);
  p.setFont(font);
  p.setPen(QColor::fromRgb(toRgb(ForeColor())));
  const QString text = QString::fromStdString(caption_);
  const QFontMetrics metrics = p.fontMetrics();
  const float textWidth = static_cast<float>(metrics.horizontalAdvance(text)) * kTwips;
  const float textHeight = static_cast<float>(metrics.height()) * kTwips;
  const float w = static_cast<float>(canvas.width()) * kTwips;
  const float h = static_cast<float>(canvas.height()) * kTwips;
  const int left = toPixels((w - textWidth) / 2);
  const int top = toPixels((h - textHeight) / 2);
  p.drawText(QPoint(left, top + metrics.ascent()), text);
}

}  // namespace kv::slider
