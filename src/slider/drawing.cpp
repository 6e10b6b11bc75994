#include "slider/drawing.h"

#include <QRect>
#include <memory>

namespace kv::slider {
namespace {

constexpr QRgb kRgbMask = 0x00FFFFFF;
constexpr QRgb kOpaque = 0xFF000000;

bool is32Bit(const QImage& image) {
  const auto f = image.format();
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

QRgb bgrToRgb(std::uint32_t bgr) {
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

bool monoBit(const QImage& mono, int x, int y) {
  return (mono.constScanLine(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
}

void setMonoBit(QImage& mono, int x, int y) {
  mono.scanLine(y)[x >> 3] |= (0x80 >> (x & 7));
}

// A fresh 1-bit bitmap, all zero.
QImage monoBitmap(int width, int height) {
  QImage mono(width, height, QImage::Format_Mono);
  if (mono.isNull()) return mono;
  mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  mono.fill(0);
  return mono;
}

// A fresh colour bitmap, all black.
QImage colourBitmap(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  if (!image.isNull()) image.fill(kOpaque);
  return image;
}

// Copies the part of from's rectangle at (fromX, fromY) that lies inside from into to at (0, 0)
// onwards; the rest of to stays as it was.
void copyIn(QImage& to, const QImage& from, int fromX, int fromY) {
  const QRect wanted(fromX, fromY, to.width(), to.height());
  const QRect inside = wanted.intersected(from.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(from.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(to.scanLine(y - fromY));
    for (int x = inside.left(); x <= inside.right(); ++x) dst[x - fromX] = src[x];
  }
}

// A 1-bit bitmap used as a colour operand stands for black (0) or white (1).
void andWithMono(QImage& image, const QImage& mono) {
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (!monoBit(mono, x, y)) line[x] &= ~kRgbMask;
  }
}

}  // namespace

void DrawTransparent(QImage& destination, const QImage& source, int srcX, int srcY, int width,
                     int height, int destX, int destY, std::uint32_t transparentBgr) {
  if (width <= 0 || height <= 0 || destination.isNull()) return;
  if (!is32Bit(destination)) destination = destination.convertToFormat(QImage::Format_RGB32);
  const QImage source32 = is32Bit(source) ? source : source.convertToFormat(QImage::Format_RGB32);

  // 1. Two 1-bit bitmaps and two colour bitmaps of the rectangle's size.
  QImage mask = monoBitmap(width, height);
  QImage result = colourBitmap(width, height);
  QImage sourceCopy = colourBitmap(width, height);
  if (mask.isNull() || result.isNull() || sourceCopy.isNull()) return;

  // 2. Source copy first (what a blit from the source reads), then the mask from it: pixels of
  // the transparent colour become 1.
  copyIn(sourceCopy, source32, srcX, srcY);
  const QRgb key = bgrToRgb(transparentBgr);
  const QRect inside = QRect(srcX, srcY, width, height).intersected(source32.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(sourceCopy.constScanLine(y - srcY));
    for (int x = inside.left(); x <= inside.right(); ++x)
      if ((line[x - srcX] & kRgbMask) == key) setMonoBit(mask, x - srcX, y - srcY);
  }

  // 3. Inverse mask = NOT mask.
  QImage inverse = mask.copy();
  inverse.invertPixels();

  // 4. Result = destination rectangle, AND mask: the background stays where the source is
  // transparent.
  copyIn(result, destination, destX, destY);
  andWithMono(result, mask);

  // 5. Source copy AND inverse mask: only the opaque source pixels remain.
  andWithMono(sourceCopy, inverse);

  // 6. Result XOR source copy, then onto the destination.
  const QRect target = QRect(destX, destY, width, height).intersected(destination.rect());
  for (int y = target.top(); y <= target.bottom(); ++y) {
    const auto* r = reinterpret_cast<const QRgb*>(result.constScanLine(y - destY));
    const auto* s = reinterpret_cast<const QRgb*>(sourceCopy.constScanLine(y - destY));
    auto* d = reinterpret_cast<QRgb*>(destination.scanLine(y));
    for (int x = target.left(); x <= target.right(); ++x)
      d[x] = ((r[x - destX] ^ s[x - destX]) & kRgbMask) | kOpaque;
  }
  // 7. The four bitmaps go out of scope here.
}

void PaintPictureTransparent(const forms::PictureRef& picture, QImage& destination, int srcX,
                             int srcY, int width, int height, int destX, int destY,
                             std::uint32_t transparentBgr) {
  if (!picture) return;
  DrawTransparent(destination, picture->image(), srcX, srcY, width, height, destX, destY,
                  transparentBgr);
}

forms::PictureRef CopyAreaToPicture(const QImage& source, int left, int top, int width,
                                    int height) {
  if (width <= 0 || height <= 0) return nullptr;
  // QImage::copy fills whatever lies outside the source with 0.
  QImage bitmap = source.copy(left, top, width, height);
  if (bitmap.isNull()) return nullptr;
  const bool palette256 = source.format() == QImage::Format_Indexed8 && source.colorCount() == 256;
  if (palette256) return CreatePictureFromBitmap(std::move(bitmap), source.colorTable());
  if (bitmap.format() != QImage::Format_RGB32) {
    bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
  }
  return CreatePictureFromBitmap(std::move(bitmap));
}

forms::PictureRef CreatePictureFromBitmap(QImage bitmap, const QList<QRgb>& palette) {
  if (bitmap.isNull()) return nullptr;
  if (!palette.isEmpty() && bitmap.format() == QImage::Format_Indexed8)
    bitmap.setColorTable(palette);
  return std::make_shared<const forms::Picture>(std::move(bitmap));
}

}  // namespace kv::slider
