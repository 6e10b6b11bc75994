#include "icon_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace kv::skins {
namespace {

const QColor kTop(86, 180, 255);
const QColor kBottom(28, 104, 232);
constexpr double kRadius = 0.23;  // corner radius of the square, of its side
constexpr double kRingAlpha = 0.42;
// The ring is open at the top right, like a progress ring: it starts at this angle
// (degrees, counter-clockwise from three o'clock) and runs this far counter-clockwise.
constexpr double kRingStart = 100;
constexpr double kRingSweep = 290;
constexpr int kSmallestWithRing = 32;

// The icon's parts in units of the square's side, its top left at the origin.
struct Geometry {
  QPointF triangle[3] = {{0.40, 0.30}, {0.40, 0.70}, {0.74, 0.50}};
  double rounding = 0.06;  // stroke that rounds the triangle's corners
  double ringRadius = 0.36;
  double ringWidth = 0.045;
};

// The square sits on whole pixels, a sixteenth of the size in from each side.
int marginFor(int size) {
  return static_cast<int>(std::lround(size / 16.0));
}

void paintInto(QPainter& p, int size) {
  const Geometry g;
  const int m = marginFor(size);
  const double s = size - 2 * m;
  auto at = [&](QPointF unit) { return QPointF(m + unit.x() * s, m + unit.y() * s); };

  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient shade(0, m, 0, m + s);
  shade.setColorAt(0, kTop);
  shade.setColorAt(1, kBottom);
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawRoundedRect(QRectF(m, m, s, s), kRadius * s, kRadius * s);

  if (size >= kSmallestWithRing) {
    QColor ring(Qt::white);
    ring.setAlphaF(kRingAlpha);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ring, g.ringWidth * s, Qt::SolidLine, Qt::RoundCap));
    const double r = g.ringRadius * s;
    const QPointF c = at({0.5, 0.5});
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(kRingStart * 16),
              static_cast<int>(kRingSweep * 16));
  }

  QPainterPath triangle;
  triangle.addPolygon(QPolygonF({at(g.triangle[0]), at(g.triangle[1]), at(g.triangle[2])}));
  triangle.closeSubpath();
  p.setBrush(Qt::white);
  p.setPen(QPen(Qt::white, g.rounding * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(triangle);
}

QString number(double v) {
  return QString::number(v, 'f', 2);
}

QString hex(const QColor& c) {
  return c.name(QColor::HexRgb);
}

}  // namespace

QImage paintIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  paintInto(p, size);
  return image;
}

QImage paintIconOn(const QImage& background) {
  QImage image = background.convertToFormat(QImage::Format_RGB32);
  QPainter p(&image);
  paintInto(p, std::min(image.width(), image.height()));
  return image;
}

QString iconSvg() {
  constexpr int kSize = 256;
  const Geometry g;
  const int m = marginFor(kSize);
  const double s = kSize - 2 * m;
  auto x = [&](const QPointF& u) { return number(m + u.x() * s); };
  auto y = [&](const QPointF& u) { return number(m + u.y() * s); };
  QString svg;
  svg += QStringLiteral(
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
             "viewBox=\"0 0 %1 %1\">\n")
             .arg(kSize);
  svg += QStringLiteral(
             "  <defs>\n    <linearGradient id=\"shade\" x1=\"0\" y1=\"%1\" x2=\"0\" y2=\"%2\" "
             "gradientUnits=\"userSpaceOnUse\">\n      <stop offset=\"0\" stop-color=\"%3\"/>\n"
             "      <stop offset=\"1\" stop-color=\"%4\"/>\n    </linearGradient>\n  </defs>\n")
             .arg(m)
             .arg(number(m + s), hex(kTop), hex(kBottom));
  svg += QStringLiteral(
             "  <rect x=\"%1\" y=\"%1\" width=\"%2\" height=\"%2\" rx=\"%3\" "
             "fill=\"url(#shade)\"/>\n")
             .arg(m)
             .arg(number(s), number(kRadius * s));
  const double r = g.ringRadius * s, c = m + 0.5 * s;
  auto onRing = [&](double degrees) {
    const double a = degrees * M_PI / 180;
    return number(c + r * std::cos(a)) + QLatin1Char(' ') + number(c - r * std::sin(a));
  };
  svg += QStringLiteral(
             "  <path d=\"M %1 A %2 %2 0 1 0 %3\" fill=\"none\" stroke=\"#ffffff\" "
             "stroke-opacity=\"%4\" stroke-width=\"%5\" stroke-linecap=\"round\"/>\n")
             .arg(onRing(kRingStart), number(r), onRing(kRingStart + kRingSweep),
                  number(kRingAlpha), number(g.ringWidth * s));
  svg += QStringLiteral(
             "  <path d=\"M %1 %2 L %3 %4 L %5 %6 Z\" fill=\"#ffffff\" stroke=\"#ffffff\" "
             "stroke-width=\"%7\" stroke-linejoin=\"round\"/>\n")
             .arg(x(g.triangle[0]), y(g.triangle[0]), x(g.triangle[1]), y(g.triangle[1]),
                  x(g.triangle[2]), y(g.triangle[2]), number(g.rounding * s));
  svg += QStringLiteral("</svg>\n");
  return svg;
}

}  // namespace kv::skins
