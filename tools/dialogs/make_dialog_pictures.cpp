// Draws the pictures of the promotion window and writes them as PNG files:
//   kv_make_dialog_pictures [output folder]   (default: the repository's resources/dialogs)

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kBody(30, 31, 36);  // the skin's dark grey
const QColor kBlue(51, 153, 255);
const QColor kLine(70, 73, 82);
const QColor kGlyph(200, 204, 212);
constexpr int kWidth = 300, kHeight = 150, kTitle = 32, kButton = 16;

bool save(const QImage& image, const QString& folder, const char* name) {
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  if (image.save(path, "PNG")) {
    std::printf("wrote %s (%d x %d)\n", qPrintable(path), image.width(), image.height());
    return true;
  }
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

QImage background(const QString& name) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(kBody);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient title(0, 0, 0, kTitle);
  title.setColorAt(0, QColor(40, 42, 49));
  title.setColorAt(1, QColor(33, 35, 41));
  p.fillRect(0, 0, kWidth, kTitle, title);
  p.fillRect(0, kTitle - 2, kWidth, 2, kBlue);
  // A small play mark and the window's name.
  QPainterPath mark;
  mark.moveTo(12, 9);
  mark.lineTo(24, 16);
  mark.lineTo(12, 23);
  mark.closeSubpath();
  p.fillPath(mark, kBlue);
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(236, 239, 243));
  p.drawText(QRect(32, 0, 200, kTitle - 2), Qt::AlignVCenter | Qt::AlignLeft, name);
  p.setPen(kLine);
  p.drawRect(0, 0, kWidth - 1, kHeight - 1);
  return image;
}

// A round button with a glyph: "<", ">" or "x"; hover fills the circle with the blue.
QImage button(char glyph, bool hover) {
  QImage image(kButton, kButton, QImage::Format_RGB32);
  image.fill(glyph == 'x' ? QColor(36, 38, 44) : kBody);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(hover ? kBlue : kLine);
  p.drawEllipse(QRectF(0.5, 0.5, kButton - 1, kButton - 1));
  QPen pen(hover ? Qt::white : kGlyph, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const double c = kButton / 2.0;
  if (glyph == 'x') {
    p.drawLine(QPointF(c - 3.5, c - 3.5), QPointF(c + 3.5, c + 3.5));
    p.drawLine(QPointF(c + 3.5, c - 3.5), QPointF(c - 3.5, c + 3.5));
  } else {
    const double d = glyph == '<' ? -1 : 1;
    p.drawLine(QPointF(c - 2 * d, c - 4), QPointF(c + 2 * d, c));
    p.drawLine(QPointF(c + 2 * d, c), QPointF(c - 2 * d, c + 4));
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KV_DIALOG_PICTURES_DIR);
  QDir().mkpath(folder);
  bool ok = save(background(QStringLiteral("Korvelin 小贴士")), folder, "promotion.png");
  // The English edition, shown when English is chosen.
  ok = save(background(QStringLiteral("Korvelin Tips")), folder, "promotion_en.png") && ok;
  ok = save(button('<', false), folder, "promotion_previous.png") && ok;
  ok = save(button('<', true), folder, "promotion_previous_hover.png") && ok;
  ok = save(button('>', false), folder, "promotion_next.png") && ok;
  ok = save(button('>', true), folder, "promotion_next_hover.png") && ok;
  ok = save(button('x', false), folder, "promotion_close.png") && ok;
  ok = save(button('x', true), folder, "promotion_close_hover.png") && ok;
  return ok ? 0 : 1;
}
