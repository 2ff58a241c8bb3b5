// "Cherche" (bout(14)): brings the measure of the grid line selected back into
// view, on its own image, at the zoom at which it was taken.
#pragma once

namespace orv {

class Orvelle;

// Shows the image of the selected grid line (the default picture when its
// slot holds none), makes that slot's factor current, and centres the view
// on the line's measure at the zoom stored with it. A line without a measure
// changes nothing.
void Cherche_spore(Orvelle& o);

} // namespace orv
