// A photograph's orientation tag (EXIF 0x0112, 1 to 8): how the pixels as
// stored must be turned to stand upright, as every viewer shows them. The
// program shows, measures and samples the upright picture; these are the
// conversions between the stored frame and the upright one, for pixels
// (decoders, colour samples) and for picture units (grid files written before
// the tag was applied).
#pragma once

#include "images/Vue.h"
#include "platform/Plateforme.h"

namespace orv {

// 1: as stored; 2: mirrored left-right; 3: turned half a turn; 4: mirrored
// top-bottom; 5: mirrored along the main diagonal; 6: turned a quarter turn
// clockwise; 7: mirrored along the other diagonal; 8: turned a quarter turn
// counter-clockwise. Anything else reads as 1.
inline constexpr int OrientationNormale = 1;
int OrientationValide(int orientation);
// Orientations 5 to 8 exchange the width and the height.
bool EchangeCotes(int orientation);
TailleImage TailleRedressee(TailleImage stockee, int orientation);

// Where a pixel goes: upright pixel (u, v) = (ux x + uy y + u0, vx x + vy y + v0)
// for the stored pixel (x, y) of a picture of the stored size.
struct Redressement {
    int ux = 1, uy = 0, u0 = 0;
    int vx = 0, vy = 1, v0 = 0;
};
Redressement RedressementPixels(int orientation, TailleImage stockee);
// The stored pixel shown at upright pixel (u, v).
void PixelStocke(int orientation, TailleImage stockee, int u, int v, int& x, int& y);
// The stored rectangle that an upright one shows.
ZonePixels ZoneStockee(ZonePixels droite, int orientation, TailleImage stockee);

// A point in picture units of the stored frame, in the upright frame. The
// picture's extent is taken in whole units, so that the conversion moves
// every point by the same isometry: lengths, surfaces and angles measured
// between points stay exactly what they were.
PointImage PointRedresse(PointImage p, int orientation, TailleImage stockee);

} // namespace orv
