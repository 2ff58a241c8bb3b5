// The calibration by the graduations' period at work: the segment a pending
// calibration just received is read from its grid line's mark record, the
// graduation finder (contour/) runs along it over the picture shown, the
// graduations it found are marked on the picture in place of the segment,
// and the numbers go to the calibration's rule (calibration/Calibrage.h).
#pragma once

#include "app/Orvelle.h"
#include "calibration/Calibrage.h"

namespace orv {

// The finder along the value the measure wrote last (line LignePrec, value
// EtapePrec), over the picture shown; on success that value's marks become
// the snapped segment, from the first graduation found to the last, with a
// tick on every graduation between.
GraduationsTrouvees ChercheGraduations(Orvelle& o);

} // namespace orv
