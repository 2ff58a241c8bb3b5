// The samples of a rectangle of a picture file for the colour function,
// shared by the window and orvelle-cli (which links Qt's image library only).
#pragma once

#include "platform/Plateforme.h"

#include <QImage>
#include <QString>

#include <optional>

namespace orv {

// The picture as the image box shows it: no orientation tag applied.
QImage LitImageTelleQuelle(const QString& chemin);
// The samples of `zone` clipped to the picture, 16 bits per channel; nothing
// when no pixel of it is inside.
std::optional<EchantillonsImage> EchantillonsDe(const QImage& image, ZonePixels zone);

} // namespace orv
