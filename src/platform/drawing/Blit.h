#pragma once
#include <QRect>
#include <cstdint>

class QImage;

namespace platform {

class Picture;

// How a block copy combines each source pixel with the destination pixel.
enum RasterOp : uint32_t {
  SRCCOPY = 0x00CC0020,     // destination = source
  MERGEPAINT = 0x00BB0226,  // destination = (NOT source) OR destination
  SRCAND = 0x008800C6,      // destination = source AND destination
};

// Copies `destArea` of `dest` from the area of the same size at `srcTopLeft`
// in `src`, under `op`.
void BitBlt(Picture& dest, const QRect& destArea, const Picture& src, QPoint srcTopLeft,
            RasterOp op);

// Copies `srcArea` of `src` into `destArea` of `dest` under `op`, stretched
// or shrunk with a smooth filter when the sizes differ; with equal sizes it
// is a plain copy. Areas are in game pixels; an empty area copies nothing,
// and the parts of `srcArea` outside the source leave the destination as it
// is.
void StretchBlt(Picture& dest, const QRect& destArea, const Picture& src, const QRect& srcArea,
                RasterOp op);

// The same from a loaded image, such as a critter picture.
void StretchBlt(Picture& dest, const QRect& destArea, const QImage& src, const QRect& srcArea,
                RasterOp op);

}  // namespace platform
