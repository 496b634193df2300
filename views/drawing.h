// Small drawing helpers shared by the board, the pane and the dialogs.
#pragma once

#include <QColor>
#include <QImage>

#include "model/picture.h"
#include "views/layout.h"

class QPainter;

namespace palabrum {

// A one-pixel outline covering exactly the border pixels of `r`.
void FrameRect(QPainter& painter, const Rect& r, const QColor& color);

// The picture's pixels seen as an image, without a copy; valid while the picture lives.
inline QImage PictureImage(const Picture& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), kPictureSide, kPictureSide,
                  kPictureSide * 4, QImage::Format_RGB32);
}

}  // namespace palabrum
