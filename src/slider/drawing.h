#pragma once
// Drawing helpers of the slider on raster images: the destination and source "contexts" are
// QImages, all coordinates are pixels. Every temporary image lives only for the call.

#include <QImage>
#include <QList>
#include <cstdint>

#include "platform/forms/picture.h"

namespace kv::slider {

// Copies width x height pixels from (srcX, srcY) of source to (destX, destY) of destination,
// leaving the destination alone where the source has the transparent colour (blue-green-red).
// Mask technique: mask, inverse mask, result AND mask, source AND inverse, result XOR source.
// Pixels outside the source read as black; the destination clips. A destination that is not
// 32 bits per pixel is converted to RGB32 first.
void DrawTransparent(QImage& destination, const QImage& source, int srcX, int srcY, int width,
                     int height, int destX, int destY, std::uint32_t transparentBgr);

// DrawTransparent from a picture; does nothing for no picture.
void PaintPictureTransparent(const forms::PictureRef& picture, QImage& destination, int srcX,
                             int srcY, int width, int height, int destX, int destY,
                             std::uint32_t transparentBgr);

// A new picture holding the rectangle of source (outside the source: black). A 256-colour
// indexed source keeps its palette; anything else becomes RGB32. None for an empty rectangle.
forms::PictureRef CopyAreaToPicture(const QImage& source, int left, int top, int width, int height);

// Wraps a bitmap (and, for an indexed bitmap, its palette) into a picture that owns them.
// None for a null bitmap.
forms::PictureRef CreatePictureFromBitmap(QImage bitmap, const QList<QRgb>& palette = {});

}  // namespace kv::slider
