// Positions written as pictures of the board, for tests.
//
// Eight rows of eight characters, row 0 first; spaces are ignored. '.' is an
// empty square, 'a'..'f' the computer's pieces 1..6 and 'A'..'F' the human's.
// A piece in its own base column walks it (OnBase = 1), except on its return
// square. Every one of the twelve pieces must appear once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/state.h"

namespace vandrel::testing {

GameState Position(const std::string& picture, int dice = 0);

// A new game's position.
inline constexpr const char* kStartPicture =
    ". . . . . . . ."
    ". a b c d e f ."
    ". . . . . . . ."
    ". . . . . . . ."
    ". . . . . . . ."
    ". . . . . . . ."
    ". A B C D E F ."
    ". . . . . . . .";
// Puts a piece on a square with flags that agree with it.
void Place(GameState& s, int t, int p, int col, int row);

// count positions met in games of random moves (seeded), each with a thrown
// die: every stage of a game, bases, returns and end rows included.
std::vector<GameState> PlayedPositions(int count, uint32_t seed = 1);

}  // namespace vandrel::testing
