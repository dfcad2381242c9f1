// The board view `bgpic` and the piece images laid over it.
//
// The board keeps a 560 x 560 bitmap of its own. The board picture is drawn
// into it once; the selection frame is drawn into it by inverting pixels, so
// drawing the frame a second time at the same place restores the picture and
// moving it costs two outline drawings.
//
// At any other scale than 1 the board paints a second bitmap in device
// pixels, made from the picture drawn for that scale; every frame is inverted
// in both, so the game's bitmap and the screen agree. Mouse positions are
// mapped back to the 560 x 560 board coordinates.
//
// The piece images are children of the board. A disabled image passes its
// mouse events on to the board underneath (at the same spot), which is how a
// click on one of the human's own pieces becomes a target click while a piece
// is selected. An enabled image keeps mouse movements to itself, so the frame
// does not follow the pointer over it.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "rules/presentation.h"
#include "ui/media/art.h"
#include "ui/media/bmp_image.h"
#include "ui/widgets/layout_scale.h"

class QPainter;

namespace vandrel {

constexpr int kCellPixels = 70;
constexpr int kBoardSide = 8 * kCellPixels;
constexpr int kPieceSide = 58;
// A piece image stands 6 pixels inside its cell on each side.
constexpr int kPieceInset = 6;

// Maps a Qt mouse button to the game's; middle and the rest count as left
// clicks except the right button.
MouseButton GameButton(Qt::MouseButton b);

class BoardView : public QWidget, public Rescalable {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent);

  // Draws the picture into the board's own bitmap at (0, 0).
  void drawPicture(const QImage& picture);
  // Where the board picture drawn for larger scales comes from.
  void setArt(ArtLoader art) { art_ = std::move(art); }
  void rescale(const LayoutScale& scale) override;
  const LayoutScale& scale() const { return scale_; }
  // Inverts the 4-pixel-wide outline of the 70 x 70 cell whose top-left
  // corner is at board (x, y).
  void invertFrame(int x, int y);
  const QImage& bitmap() const { return bitmap_; }
  // The help's markers, painted on the screen only: the bitmap keeps the
  // picture and the frames alone.
  void setMarks(const BoardMarks& marks);
  const BoardMarks& marks() const { return marks_; }

  std::function<void(int x, int y, MouseButton b)> onMouseDown;
  std::function<void(int x, int y)> onMouseMove;
  // Draws over the board's bitmap, in board coordinates (the keyboard cursor).
  std::function<void(QPainter& p)> onPaintOver;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  // The hint waits for a longer rest than Qt's and stands below the cell
  // under the pointer, never over it: the player is aiming there.
  bool event(QEvent* event) override;

 private:
  void showHint();
  void rebuildScreenBitmap();
  void invert(QImage& image, const QRect& cell, int pen);
  void invertOnScreen(int x, int y);

  QImage bitmap_;               // the board picture (null until it comes), frames inverted on it
  QImage screen_;               // bitmap_ in device pixels, when the scale is not 1
  std::vector<QPoint> frames_;  // the frames inverted an odd number of times
  BoardMarks marks_;
  ArtLoader art_;
  LayoutScale scale_;
  QElapsedTimer still_;  // since the pointer last moved
  QTimer hintTimer_;
};

// One team's disc at the current scale, shared by its six images.
class PieceArt {
 public:
  explicit PieceArt(ArtLoader art) : art_(std::move(art)) {}
  const QPixmap& at(const LayoutScale& scale);

 private:
  ArtLoader art_;
  std::optional<LayoutScale> for_;
  QPixmap pixmap_;
};

class PieceImage : public QWidget, public Rescalable {
  Q_OBJECT
 public:
  // tag: the piece number 1..6.
  PieceImage(BoardView* board, std::shared_ptr<PieceArt> art, int tag);
  int tag() const { return tag_; }
  // Puts the image on board square (col, row).
  void place(int col, int row);
  int col() const { return col_; }
  int row() const { return row_; }

  std::function<void(int tag, MouseButton b)> onMouseDown;

  void rescale(const LayoutScale& scale) override;
  bool placesItself() const override { return true; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  std::shared_ptr<PieceArt> art_;
  QPixmap picture_;
  LayoutScale scale_;
  int tag_;
  int col_ = 0, row_ = 0;
};

}  // namespace vandrel
