// The game's pictures, each drawn at the art scales 1, 2 and 3 (its size
// times the scale) and compiled in: their names, which one serves a screen,
// reading each once, and the bitmaps with a colour key.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <functional>

namespace vandrel {

// A picture at the art scales 1, 2 and 3.
using ArtLoader = std::function<QImage(int artScale)>;

// The resource name of a picture drawn at an art scale: ":/art/board.jpg",
// ":/art/board@2x.jpg".
QString ArtResourceName(const char* stem, const char* suffix, int artScale);

// Which of the pictures drawn at 1x, 2x and 3x serves a device scale best:
// the smallest that is not smaller than needed.
int ArtScaleFor(double deviceScale);

// A picture at the art scales, each read once when first asked for.
ArtLoader CachedArt(ArtLoader load);

// A keyed bitmap (the colour of its bottom-left pixel is not drawn) as a
// picture with transparency, so that it scales with soft edges.
QImage KeyedToAlpha(const QImage& bitmap);

// A bitmap with its colour key: the colour of the bottom-left pixel is not
// drawn.
QPixmap KeyedPixmap(const QImage& bitmap);

}  // namespace vandrel
