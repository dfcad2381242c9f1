// The game's artwork, drawn with QPainter. Every picture the program carries
// is made here, so changing a colour means changing it in one place and
// running tools/make-art.sh.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace artgen {

// The four shades of one team: highlights, body, shadow side and rim.
struct TeamColours {
  QColor light;
  QColor base;
  QColor dark;
  QColor rim;
  QColor tint;  // pale wash for the team's squares
};

extern const TeamColours kBlue;   // the computer
extern const TeamColours kGreen;  // the human

// Shared colours of the board and the dialogs.
extern const QColor kCream;
extern const QColor kCreamShade;
extern const QColor kRed;
extern const QColor kYellow;
extern const QColor kGold;
extern const QColor kInk;  // dark green used for lines and text outlines

// A glossy playing piece with a dished centre.
void DrawPiece(QPainter& p, QPointF centre, qreal radius, const TeamColours& team);
// A piece whose face carries a raised spiral (the dialogs' emblem).
void DrawSpiralDisc(QPainter& p, QPointF centre, qreal radius, const TeamColours& team);
// The red-and-yellow ornament of the board's corners, in a square of side `size`.
void DrawCornerOrnament(QPainter& p, const QRectF& square);
// Concentric rings of alternating cream shades around `centre`, clipped by the caller.
void DrawRings(QPainter& p, QPointF centre, qreal outer, qreal step, int alpha = 255);

// The board, the discs, the "Bye!" glyph and the two dialog pictures are also
// drawn at 2x and 3x, for scaled layouts: `scale` times the size given.
QImage DrawBoard(int scale = 1);                               // 560 x 560
QImage DrawStrip();                                            // 10 x 796
QImage DrawDiscBitmap(const TeamColours& team, qreal radius, int scale = 1);  // 58 x 58, black key
QImage DrawByeGlyph(int scale = 1);  // 16 x 16, 16-colour palette at 1x
QImage DrawIcon(int size);                                     // size x size, with alpha
QImage DrawPromptPicture(int scale = 1);                       // 303 x 227
QImage DrawTitlePicture(int scale = 1);                        // 502 x 269

bool WriteJpeg(const QImage& image, const QString& path, int quality, QString* error);
bool WriteBmp24(const QImage& image, const QString& path, QString* error);

}  // namespace artgen
