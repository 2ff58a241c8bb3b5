// The samples of a rectangle of a picture file for the colour function,
// shared by the window and orvelle-cli (which links Qt's image library only).
#pragma once

#include "platform/Plateforme.h"

#include <QFile>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace orv {

// A picture file opened for reading by its name's bytes (a name that is not
// UTF-8 included, which a QString cannot carry), only when it is a regular
// file: the open never blocks on a FIFO. Nothing otherwise.
std::unique_ptr<QFile> OuvreFichierLecture(const std::string& chemin);
// A file name as the window shows it (never used to open the file).
QString NomQt(const std::string& chemin);

// The picture as the image box shows it: no orientation tag applied.
QImage LitImageTelleQuelle(const std::string& chemin);
// The samples of `zone` clipped to the picture, 16 bits per channel; nothing
// when no pixel of it is inside.
std::optional<EchantillonsImage> EchantillonsDe(const QImage& image, ZonePixels zone);

} // namespace orv
