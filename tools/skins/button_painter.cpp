#include "button_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "chrome_painter.h"
#include "skin_style.h"

namespace kv::skins {
namespace {

QPainterPath polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

// A filled triangle with its corners rounded by a stroke of the same colour.
void softTriangle(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour,
                  double rounding = 1.2) {
  p.setPen(QPen(colour, rounding, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(colour);
  p.drawPath(polygon(points));
}

// ---- Title bar -----------------------------------------------------------------------------

void titleGlyph(QPainter& p, TitleGlyph glyph, int w, const QColor& c) {
  // The glyphs are about 10 pixels square around row 9; lines are one pixel wide, on whole
  // pixels, and as wide as keeps them centred (11 in an odd width).
  const double cx = w / 2.0;
  const int lineWidth = w % 2 ? 11 : 10;
  const int left = (w - lineWidth) / 2;
  switch (glyph) {
    case TitleGlyph::Menu:
      for (int y : {5, 9, 13}) p.fillRect(left, y, lineWidth, 1, c);
      break;
    case TitleGlyph::Minimise:
      p.fillRect(left, 12, lineWidth, 1, c);
      break;
    case TitleGlyph::Maximise:
      p.setPen(QPen(c, 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(left + 0.5, 4.5, 9, 9));
      break;
    case TitleGlyph::Restore: {
      p.setPen(QPen(c, 1));
      p.setBrush(Qt::NoBrush);
      const QRectF front(left + 0.5, 6.5, 7, 7);
      QRegion behind(QRect(0, 0, w, 18));
      behind -= QRegion(front.toAlignedRect());
      p.setClipRegion(behind);
      p.drawRect(QRectF(left + 2.5, 4.5, 7, 7));
      p.setClipping(false);
      p.drawRect(front);
      break;
    }
    case TitleGlyph::Close: {
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(c, 1.35, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(cx - 4.5, 4.5), QPointF(cx + 4.5, 13.5));
      p.drawLine(QPointF(cx - 4.5, 13.5), QPointF(cx + 4.5, 4.5));
      break;
    }
  }
}

// ---- Control bar ---------------------------------------------------------------------------

void playTriangle(QPainter& p, double cx, double cy, const QColor& c) {
  // Shifted right of the centre so that it looks centred in its disc.
  softTriangle(p, {{cx - 3.6, cy - 5.6}, {cx - 3.6, cy + 5.6}, {cx + 6.0, cy}}, c, 1.6);
}

void musicNote(QPainter& p, double cx, double cy, const QColor& c) {
  // Two beamed eighth notes.
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  for (const QPointF head : {QPointF(cx - 3.6, cy + 4.4), QPointF(cx + 3.4, cy + 3.2)}) {
    p.save();
    p.translate(head);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 2.7, 2.0);
    p.restore();
  }
  p.setPen(QPen(c, 1.3, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(cx - 1.35, cy + 4.0), QPointF(cx - 1.35, cy - 4.6));
  p.drawLine(QPointF(cx + 5.65, cy + 2.8), QPointF(cx + 5.65, cy - 5.8));
  p.setPen(Qt::NoPen);
  p.drawPath(polygon(
      {{cx - 2.0, cy - 4.6}, {cx + 6.3, cy - 6.4}, {cx + 6.3, cy - 3.8}, {cx - 2.0, cy - 2.0}}));
}

void barGlyph(QPainter& p, BarGlyph glyph, int w, int h, const QColor& c) {
  const double cx = w / 2.0, cy = h / 2.0;
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  switch (glyph) {
    case BarGlyph::Play:
      playTriangle(p, cx, cy, c);
      break;
    case BarGlyph::Music:
      musicNote(p, cx, cy, c);
      break;
    case BarGlyph::Pause:
      p.drawRoundedRect(QRectF(cx - 4.5, cy - 5, 3, 10), 0.8, 0.8);
      p.drawRoundedRect(QRectF(cx + 1.5, cy - 5, 3, 10), 0.8, 0.8);
      break;
    case BarGlyph::Stop:
      p.drawRoundedRect(QRectF(cx - 4.5, cy - 4.5, 9, 9), 1.5, 1.5);
      break;
    case BarGlyph::Previous:
      p.drawRoundedRect(QRectF(cx - 5.5, cy - 5, 2, 10), 0.6, 0.6);
      softTriangle(p, {{cx + 4.8, cy - 4.6}, {cx + 4.8, cy + 4.6}, {cx - 2.6, cy}}, c);
      break;
    case BarGlyph::Next:
      p.drawRoundedRect(QRectF(cx + 3.5, cy - 5, 2, 10), 0.6, 0.6);
      softTriangle(p, {{cx - 4.8, cy - 4.6}, {cx - 4.8, cy + 4.6}, {cx + 2.6, cy}}, c);
      break;
    case BarGlyph::PlaySelected:
      // A list with a play mark on its last line.
      p.drawRoundedRect(QRectF(cx - 6, cy - 5, 9, 1.6), 0.6, 0.6);
      p.drawRoundedRect(QRectF(cx - 6, cy - 1, 9, 1.6), 0.6, 0.6);
      p.drawRoundedRect(QRectF(cx - 6, cy + 3, 5, 1.6), 0.6, 0.6);
      softTriangle(p, {{cx + 1.2, cy + 0.6}, {cx + 1.2, cy + 6.6}, {cx + 6.2, cy + 3.6}}, c, 1.0);
      break;
    case BarGlyph::FullScreen: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      const double r = 4.75, a = 2.5;
      for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
          const QPointF corner(cx + sx * r, cy + sy * r);
          p.drawPolyline(
              QPolygonF({corner - QPointF(sx * a, 0), corner, corner - QPointF(0, sy * a)}));
        }
      break;
    }
  }
}

bool isDisc(BarGlyph glyph) {
  return glyph == BarGlyph::Play || glyph == BarGlyph::Music;
}

}  // namespace

QImage paintTitleButton(TitleGlyph glyph, int width, int height, bool hover) {
  QImage image = rowsImage(width, height, titleRow, 0);
  QPainter p(&image);
  if (hover) {
    // A key hanging from the top edge: square top, rounded bottom corners.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(glyph == TitleGlyph::Close ? style::kCloseFill : style::kHoverFill);
    p.drawRoundedRect(QRectF(1, -4, width - 2, height + 4), 3.5, 3.5);
    p.setRenderHint(QPainter::Antialiasing, false);
  }
  titleGlyph(p, glyph, width, hover ? style::kGlyphHover : style::kGlyph);
  return image;
}

QImage paintBarButton(BarGlyph glyph, int width, int height, int top, bool hover) {
  QImage image = rowsImage(width, height, barRow, top);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width / 2.0, height / 2.0);
  if (isDisc(glyph)) {
    const double radius = std::min(width, height) / 2.0 - 2.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));  // a soft shadow under the disc
    p.drawEllipse(centre + QPointF(0, 1), radius + 0.5, radius + 0.5);
    if (hover) {
      p.setBrush(QColor(51, 153, 255, 70));  // glow
      p.drawEllipse(centre, radius + 1.5, radius + 1.5);
    }
    p.setBrush(hover ? style::kAccent : style::kThumb);
    p.drawEllipse(centre, radius, radius);
    barGlyph(p, glyph, width, height, hover ? style::kGlyphHover : style::base());
    return image;
  }
  if (hover) {
    p.setPen(Qt::NoPen);
    p.setBrush(style::kHoverFill);
    // Clear of the picture's sides, so that neighbouring buttons never touch.
    const double radius = std::min(width, height) / 2.0 - 1.5;
    p.drawEllipse(centre, radius, radius);
  }
  barGlyph(p, glyph, width, height, hover ? style::kGlyphHover : style::kGlyph);
  return image;
}

QImage paintVolumeIcon(int width, int height, int top, bool muted) {
  QImage image = rowsImage(width, height, barRow, top);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double cy = height / 2.0;
  p.setPen(Qt::NoPen);
  p.setBrush(style::kGlyph);
  p.drawPath(polygon({{2.5, cy - 2.6},
                      {5.6, cy - 2.6},
                      {10.0, cy - 6.4},
                      {10.0, cy + 6.4},
                      {5.6, cy + 2.6},
                      {2.5, cy + 2.6}}));
  p.setBrush(Qt::NoBrush);
  if (muted) {
    // The waves give way to a cross in the accent colour: no sound comes out.
    p.setPen(QPen(style::kAccent, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.5, cy - 3.5), QPointF(18.5, cy + 3.5));
    p.drawLine(QPointF(12.5, cy + 3.5), QPointF(18.5, cy - 3.5));
    return image;
  }
  p.setPen(QPen(style::kGlyph, 1.4, Qt::SolidLine, Qt::RoundCap));
  for (double r : {3.6, 6.8}) p.drawArc(QRectF(10.5 - r, cy - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
  return image;
}

QImage paintChannel(Channel which, int width, int height, int top, bool selected) {
  // The three selectors overlap on the bar, each in front of the one to its left. Together
  // they show one pill of three segments, left | both | right; each picture holds its own
  // segment at the place where it is not covered. Pixel offsets from the left selector:
  struct Segment {
    int origin;  // where this picture starts
    int from, to;
  };
  constexpr Segment kSegments[] = {{0, 0, 11}, {12, 12, 32}, {33, 33, 44}};
  const Segment s = kSegments[static_cast<int>(which)];

  QImage image = rowsImage(width, height, barRow, top);
  QPainter p(&image);
  p.translate(-s.origin, 0);
  p.setClipRect(QRect(s.from, 0, s.to - s.from, height));
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(selected ? style::kAccent : style::kSegment);
  p.drawRoundedRect(QRectF(0, 0, 44, height), 3, 3);
  p.setRenderHint(QPainter::Antialiasing, false);

  // Letters of a 5 by 7 pixel font, L and R: as tall as the design's caption font allows in
  // a selector 10 pixels high.
  static const char* const kL[7] = {"x....", "x....", "x....", "x....", "x....", "x....", "xxxx."};
  static const char* const kR[7] = {"xxxx.", "x...x", "x...x", "xxxx.", "x.x..", "x..x.", "x...x"};
  const QColor ink = selected ? style::kGlyphHover : style::kGlyph;
  auto letter = [&](const char* const(&rows)[7], int x0) {
    const int y0 = (height - 7) / 2;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 5; ++x)
        if (rows[y][x] == 'x') p.fillRect(x0 + x, y0 + y, 1, 1, ink);
  };
  switch (which) {
    case Channel::Left:
      letter(kL, 4);
      break;
    case Channel::Both:
      letter(kL, 17);
      letter(kR, 22);
      break;
    case Channel::Right:
      letter(kR, 36);
      break;
  }
  return image;
}

}  // namespace kv::skins
