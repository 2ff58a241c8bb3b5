#include "acquisition/Scanner.h"
#include "images/DIBSection.h"

namespace orv {

Ecriture EcritImageAcquise(const PixelsImage& image, const std::string& chemin) {
    aDIBSection dib;
    if (!dib.CreateFromPicture(image)) return {false, chemin};
    return EcritBMP(dib, chemin);
}

} // namespace orv
