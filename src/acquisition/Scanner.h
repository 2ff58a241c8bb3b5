// Acquisition sources seen from the program: the sources to choose from and
// one frame read from the chosen one. The SANE implementation is in
// acquisition/ScannerSane.h; the window runs `Acquiert` on a worker thread.
#pragma once

#include "base/FichierTexte.h"
#include "platform/Plateforme.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace orv {

struct SourceAcquisition {
    std::string nom;         // what `Acquiert` takes ("test:0", "epson2:libusb:001:004")
    std::string description; // what the user reads ("Epson GT-F700 flatbed scanner")
};

enum class ModeAcquisition { Appareil, Couleur, Gris }; // Appareil: the device's own setting

enum class EchecAcquisition { Aucun, AucuneSource, Annulee, Appareil };

struct ResultatAcquisition {
    EchecAcquisition echec = EchecAcquisition::Aucun;
    std::string erreur; // the device's own text when it failed
    PixelsImage image;  // the frame, when nothing failed
    bool Reussi() const { return echec == EchecAcquisition::Aucun; }
};

class Scanner {
public:
    virtual ~Scanner() = default;
    virtual std::vector<SourceAcquisition> Sources() = 0;
    // Reads one frame from `source` (empty: the first source found). `annule`
    // is watched between reads; `progres` receives 0..100 on the reading
    // thread.
    virtual ResultatAcquisition Acquiert(const std::string& source, ModeAcquisition mode,
                                         const std::atomic<bool>& annule,
                                         const std::function<void(int)>& progres) = 0;
};

} // namespace orv
