// The frame of a grid file's points. Files written before photographs were
// shown upright hold the points of the picture as stored ("REPERE=" absent or
// "FICHIER"); the program points on the upright picture ("REDRESSE"). An older
// file's points are turned upright once its picture is found (its orientation
// tag and size are read then); until then they keep their frame, and the file
// saved again says so, so that no point is ever read in the wrong frame.
#pragma once

#include "app/TrameGrille.h"

#include <string>

namespace orv {

class Orvelle;

// The file's work with every picture found turned upright: points, recorded
// size, and (resolution independence on, where a pixel unit is a fraction of
// the picture's width) the factor, so that every value stays what it was.
Trame RedresseTrame(const Trame& t, const ImagesTrame& im, bool indPres);

// The picture `chemin` is shown: lines still in its stored frame are turned
// upright now, as a load would have turned them.
void RedresseLignesImage(Orvelle& o, const std::string& chemin);

} // namespace orv
