#include "platform/qt/caption_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/forms/control.h"
#include "platform/qt/convert.h"

namespace kv::view {

namespace {
// Below this a caption cannot be read anyway; it is drawn at this size even if it spills.
constexpr int kSmallestPixels = 7;
// Points to pixels at 15 twips per pixel: 20 twips to the point.
constexpr double kPixelsPerPoint = 20.0 / 15.0;

// The em box of a line, relative to its baseline: an ideograph is one em wide and sits centred
// in it in every Chinese face.
struct EmBox {
  double centre;
  double em;
};
EmBox emBoxOf(const QFontMetricsF& fm) {
  const QString ideograph = QStringLiteral("国");
  return {fm.tightBoundingRect(ideograph).center().y(), fm.horizontalAdvance(ideograph)};
}

QRectF underlineOf(const QFontMetricsF& fm, const CaptionLine& line) {
  if (line.accessKey < 0 || line.accessKey >= line.text.size()) return {};
  const double x = line.baseline.x() + fm.horizontalAdvance(line.text.left(line.accessKey));
  const double w = fm.horizontalAdvance(line.text.at(line.accessKey));
  const double thickness = std::max(1.0, fm.lineWidth());
  // Inside the em box, as the design's font drew it: a line of one em holds its underline.
  const EmBox box = emBoxOf(fm);
  const double below =
      std::min(std::max(1.0, fm.underlinePos()), box.centre + box.em / 2 - thickness);
  return {x, line.baseline.y() + std::max(1.0, below), w, thickness};
}

QRectF inkOf(const QFontMetricsF& fm, const std::vector<CaptionLine>& lines) {
  QRectF ink;
  for (const CaptionLine& line : lines) {
    const QRectF glyphs = fm.tightBoundingRect(line.text);
    if (!glyphs.isEmpty()) ink |= glyphs.translated(line.baseline);
    if (const QRectF u = underlineOf(fm, line); !u.isEmpty()) ink |= u;
  }
  return ink;
}

// The text broken into lines of at most the width (explicit line breaks kept).
std::vector<std::pair<int, int>> breakLines(const QFont& font, const QString& text, double width,
                                            CaptionFlow flow) {
  std::vector<std::pair<int, int>> out;
  if (flow == CaptionFlow::SingleLine) {
    out.emplace_back(0, static_cast<int>(text.size()));
    return out;
  }
  QString laid = text;
  laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
  laid.remove(QLatin1Char('\r'));
  QTextLayout layout(laid, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    out.emplace_back(line.textStart(), line.textLength());
  }
  layout.endLayout();
  return out;
}

CaptionLayout tryLayout(const QFont& font, const CaptionText& caption, const QRectF& area,
                        Qt::Alignment align, CaptionFlow flow) {
  CaptionLayout out;
  out.font = font;
  const QFontMetricsF fm(font);
  // One line after the other by the height of their glyphs, not by the font's nominal line
  // height: that is what the designs were measured with.
  const double pitch = std::ceil(fm.tightBoundingRect(QStringLiteral("国Agjy(")).height()) + 1;
  const QString& text = caption.text;
  const auto ranges = breakLines(font, text, area.width(), flow);
  double y = 0;
  for (const auto& [start, length] : ranges) {
    CaptionLine line;
    line.text = text.mid(start, length);
    while (line.text.endsWith(QChar::LineSeparator) || line.text.endsWith(QLatin1Char(' ')) ||
           line.text.endsWith(QLatin1Char('\n')))
      line.text.chop(1);
    if (caption.accessKey >= start && caption.accessKey < start + length)
      line.accessKey = caption.accessKey - start;
    line.baseline = QPointF(0, y);
    y += pitch;
    out.lines.push_back(std::move(line));
  }
  // Horizontal place of each line, by its glyphs (a "/" or a "(" may reach left of its pen
  // position).
  const double right = area.left() + area.width();
  for (CaptionLine& line : out.lines) {
    const QRectF ink = fm.tightBoundingRect(line.text);
    const double inkLeft = std::min(0.0, ink.left());
    const double w = std::max(fm.horizontalAdvance(line.text), ink.right()) - inkLeft;
    double x = area.left();
    if (align & Qt::AlignHCenter) x = area.left() + (area.width() - w) / 2;
    if (align & Qt::AlignRight) x = right - w;
    line.baseline.setX(std::ceil(x - inkLeft));
  }
  // Vertical: by the em box, not by the text's own glyphs, so that captions side by side share
  // a baseline whatever letters they hold ("Open" and "List"). The em box is centred on an
  // ideograph, which fills it in every Chinese face: a single line centres it in the area, the
  // first line of a top-aligned caption puts it at the top, as the design's font (whose line is
  // one em) did. Glyphs reaching out of the box are moved back in where the area has room.
  const auto [emCentre, em] = emBoxOf(fm);
  const double top = area.top(), bottom = area.top() + area.height();
  double base = (align & Qt::AlignVCenter) && out.lines.size() == 1
                    ? top + area.height() / 2 - emCentre
                    : top + em / 2 - emCentre;
  if (const QRectF block = inkOf(fm, out.lines); !block.isEmpty()) {
    base = std::min(base, bottom - block.bottom());
    base = std::max(base, top - block.top());
  }
  base = std::floor(base);
  for (CaptionLine& line : out.lines) line.baseline.ry() += base;
  out.ink = inkOf(fm, out.lines);
  const QRectF room = area.adjusted(-0.01, -0.01, 0.01, 0.01);
  out.fits = out.ink.isEmpty() || room.contains(out.ink);
  return out;
}
}  // namespace

CaptionText parseCaption(const QString& caption) {
  CaptionText out;
  out.text.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption.at(i);
    if (c != QLatin1Char('&')) {
      out.text += c;
      continue;
    }
    if (i + 1 >= caption.size()) break;  // a lone "&" at the end shows nothing
    const QChar next = caption.at(++i);
    if (next != QLatin1Char('&') && out.accessKey < 0)
      out.accessKey = static_cast<int>(out.text.size());
    out.text += next;
  }
  return out;
}

QFont scaledCaptionFont(const forms::Control& control) {
  QFont font = captionFont(control);
  const double points = std::clamp(static_cast<double>(control.FontSize()), 1.0, 400.0);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kPixelsPerPoint))));
  return font;
}

CaptionLayout layoutCaption(const QFont& font, const QString& caption, const QRect& area,
                            Qt::Alignment align, CaptionFlow flow) {
  const CaptionText text = parseCaption(caption);
  QFont f = font;
  int size = f.pixelSize() > 0 ? f.pixelSize()
                               : static_cast<int>(std::lround(f.pointSizeF() * kPixelsPerPoint));
  for (;; --size) {
    f.setPixelSize(std::max(1, size));
    CaptionLayout layout = tryLayout(f, text, QRectF(area), align, flow);
    if (layout.fits || size <= kSmallestPixels) return layout;
  }
}

void drawCaption(QPainter& p, const CaptionLayout& layout, const QColor& colour) {
  p.save();
  p.setFont(layout.font);
  p.setPen(colour);
  const QFontMetricsF fm(layout.font);
  for (const CaptionLine& line : layout.lines) {
    p.drawText(line.baseline, line.text);
    if (const QRectF u = underlineOf(fm, line); !u.isEmpty()) p.fillRect(u, colour);
  }
  p.restore();
}

QRectF measuredInk(const CaptionLayout& layout) {
  return inkOf(QFontMetricsF(layout.font), layout.lines);
}

}  // namespace kv::view
