#include "skin_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kv::skins {
namespace {

const QColor kMagenta(255, 0, 255);
// Edge pixels covered less than this become transparent; the rest are blended with the bar.
constexpr double kCoverageThreshold = 0.5;

// The track as a pill from x1 to x2 (continuous pixels), lighter on its upper edge.
void paintPill(QPainter& p, double x1, double x2, double top, double thickness, QColor fill,
               QColor light) {
  QLinearGradient shade(0, top, 0, top + thickness);
  shade.setColorAt(0.0, light);
  shade.setColorAt(0.34, fill);  // the middle row is the pure colour
  shade.setColorAt(0.66, fill);
  shade.setColorAt(1.0, fill.darker(112));
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawRoundedRect(QRectF(x1, top, x2 - x1, thickness), thickness / 2, thickness / 2);
}

QImage barImage(int width, int height, const QColor& background) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(background);
  return image;
}

// One thumb drawn with coverage, then flattened: magenta outside, blended with the bar colour
// on the anti-aliased rim.
QImage paintThumb(int width, int height, const ThumbLook& look, const QColor& background) {
  QImage shape(width, height, QImage::Format_ARGB32);
  shape.fill(Qt::transparent);
  {
    QPainter p(&shape);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width / 2.0, height / 2.0);
    p.setPen(Qt::NoPen);
    if (look.ring.alpha() > 0) {
      p.setBrush(look.ring);
      p.drawEllipse(centre, look.diameter / 2, look.diameter / 2);
      const double inner = look.diameter / 2 - look.ringWidth;
      p.setBrush(look.fill);
      p.drawEllipse(centre, inner, inner);
    } else {
      p.setBrush(look.fill);
      p.drawEllipse(centre, look.diameter / 2, look.diameter / 2);
    }
    if (look.dot.alpha() > 0) {
      p.setBrush(look.dot);
      p.drawEllipse(centre, look.dotDiameter / 2, look.dotDiameter / 2);
    }
  }
  QImage flat(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const QColor c = shape.pixelColor(x, y);
      const double a = c.alphaF();
      if (a < kCoverageThreshold) {
        flat.setPixelColor(x, y, kMagenta);
        continue;
      }
      auto mix = [a](int fg, int bg) {
        return static_cast<int>(std::lround(fg * a + bg * (1 - a)));
      };
      flat.setPixelColor(x, y,
                         QColor(mix(c.red(), background.red()), mix(c.green(), background.green()),
                                mix(c.blue(), background.blue())));
    }
  }
  return flat;
}

}  // namespace

QImage paintSkin(const slider::SkinLayout& layout, const Palette& palette, int trackThickness,
                 const ThumbLook (&thumbs)[4]) {
  const int h = layout.height;
  const double top = (h - trackThickness) / 2.0;
  constexpr int kRun = 40;  // track length drawn to cut the tiles from its middle
  // Where the track ends inside a cap: as far in as the thumb's bite of two pixels.
  const double leftEnd = layout.capLeft - 2;
  const double rightEnd = 2;

  QImage played = barImage(layout.capLeft + kRun, h, palette.background);
  QImage remaining = barImage(kRun + layout.capRight, h, palette.background);
  {
    QPainter p(&played);
    p.setRenderHint(QPainter::Antialiasing);
    paintPill(p, leftEnd, layout.capLeft + kRun + 10, top, trackThickness, palette.played,
              palette.playedLight);
  }
  {
    QPainter p(&remaining);
    p.setRenderHint(QPainter::Antialiasing);
    paintPill(p, -10, kRun + rightEnd, top, trackThickness, palette.remaining,
              palette.remainingLight);
  }

  QImage skin = barImage(slider::skinWidth(layout), h, palette.background);
  QPainter p(&skin);
  int x = 0;
  p.drawImage(x, 0, played, 0, 0, layout.capLeft, h);
  x += layout.capLeft;
  p.drawImage(x, 0, remaining, kRun, 0, layout.capRight, h);
  x += layout.capRight;
  p.drawImage(x, 0, played, layout.capLeft + kRun / 2, 0, layout.playedTile, h);
  x += layout.playedTile;
  p.drawImage(x, 0, remaining, kRun / 2, 0, layout.remainingTile, h);
  x += layout.remainingTile;
  for (const ThumbLook& look : thumbs) {
    p.drawImage(x, 0, paintThumb(layout.thumb, h, look, palette.background));
    x += layout.thumb;
  }
  return skin;
}

QImage paintCursor() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // A pointing hand: the index finger up, three folded fingers, the thumb and the palm.
  QPainterPath hand;
  auto add = [&hand](QRectF r, double radius) {
    QPainterPath part;
    part.addRoundedRect(r, radius, radius);
    hand = hand.united(part);
  };
  add(QRectF(10.5, 1.5, 5, 17), 2.5);    // index finger
  add(QRectF(15.5, 9.5, 5, 11), 2.5);    // middle finger
  add(QRectF(20.5, 11, 5, 10), 2.5);     // ring finger
  add(QRectF(25.5, 13, 4.5, 9), 2.25);   // little finger
  add(QRectF(10.5, 15, 19.5, 14.5), 4);  // palm
  QPainterPath thumb;
  thumb.addRoundedRect(QRectF(-2.5, -7.5, 5, 13), 2.5, 2.5);
  QTransform toThumb;
  toThumb.translate(8.5, 19.5);
  toThumb.rotate(-40);
  hand = hand.united(toThumb.map(thumb));

  // A soft shadow, the white glove and its outline.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawPath(hand.translated(1.2, 1.2));
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(20, 20, 24), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(hand);
  // Where the folded fingers meet.
  p.setPen(QPen(QColor(20, 20, 24), 0.9, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(15.5, 15), QPointF(15.5, 19));
  p.drawLine(QPointF(20.5, 15), QPointF(20.5, 20));
  p.drawLine(QPointF(25.5, 16), QPointF(25.5, 21));
  return image;
}

}  // namespace kv::skins
