// A picture file's pixels outside the image box: the colour samples of a
// rectangle and the whole picture for the copies, shared by the window and
// orvelle-cli (which links Qt's image library only). Decoded as the box
// decodes them (libjpeg-turbo for JPEG, Qt's reader for the rest), held to the
// same memory budget, and turned upright by the picture's orientation tag.
#pragma once

#include "pixels/PyramideImage.h"
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

// A picture as stored in its file (no orientation applied), at the file's
// own depth; `tampon` holds the pixels when the JPEG decoder made them.
struct ImageStockee {
    std::shared_ptr<TamponImage> tampon;
    QImage image;
    int orientation = 1;
};

// Nothing when the file cannot be decoded or asks more than `budgetMo`
// megabytes (images/EnteteImage.h).
std::optional<ImageStockee> LitImageStockee(const std::string& chemin, int budgetMo);

// The upright picture of `stockee`, in RGB32.
QImage Redresse(const QImage& stockee, int orientation);

// The samples of `zone` (upright pixels) clipped to the upright picture, 16
// bits per channel, rows top-down; nothing when no pixel of it is inside.
std::optional<EchantillonsImage> EchantillonsDe(const QImage& stockee, ZonePixels zone,
                                                int orientation);
// The same, the file read for it.
std::optional<EchantillonsImage> LitZoneFichier(const std::string& chemin, ZonePixels zone,
                                                int budgetMo);

} // namespace orv
