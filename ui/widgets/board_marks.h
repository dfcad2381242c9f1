// The help at the board as the board paints it, in board pixels over the
// picture and under the piece images:
//  - a soft translucent dot in the middle of each square the selected piece
//    may reach;
//  - a soft ring around the computer's piece the removal would send back;
//  - a thin solid outline along the edge of each square of the computer's
//    last move: neither the inverted 4-pixel selection frame nor the dashed
//    keyboard cursor a little further in.
#pragma once

#include "rules/presentation.h"

class QPainter;

namespace vandrel {

// Paints the marks of a 560 x 560 board; the painter maps board pixels.
void PaintBoardMarks(QPainter& p, const BoardMarks& marks);

}  // namespace vandrel
