// The user's settings, one typed place: every value the settings file holds,
// with the defaults in force when no file is read.
#pragma once

#include <array>
#include <string>

namespace orv {

// The budget of memory for one picture, in megabytes (MEMOIREIMAGE): a larger
// picture is refused before any memory is taken for it (images/EnteteImage.h).
// The default holds a 100-megapixel photograph.
inline constexpr int BudgetImageMoDefaut = 1024;
inline constexpr int BudgetImageMoMini = 16;

struct Parametres {
    std::string utilisateur;            // UTILISATEUR
    std::string langue = "fr";          // LANGUE
    bool indPres = false;               // INDPRES: resolution independence ("Ind. Res.")
    std::string repImage;               // REPIMAGE
    std::string repData;                // REPDATA
    double calibrage = 1.0;             // CALIBRAGE: coefficient in use
    bool avert = false;                 // AVERT: the welcome's "ignorer au démarrage"
    int fonctionDemarrage = 0;          // FONCTION_DEMARRAGE (0 means spores 2D)
    std::string fDecimal = "###0.00";   // FDECIMAL
    bool decimAuto = false;             // DECIMAUTO
    bool autoRetrace = true;            // AUTORETRACE: the "AutoRetrace" box
    int modePointage = 2;               // PALMER: 2 caliper ("Palmer"), 1 two points ("Bipoint")
    int statDef = 3;                    // STATDEF
    int clicDixiemes = 30;              // CLIC, held in tenths of a pixel
    int tGrille = 256;                  // TGRILLE
    int savAuto = 10;                   // SAVAUTO
    int extImg = 0;                     // EXT_IMG
    std::string refNuancier;            // REFNUANCIER
    int zoneCouleur = 3;                // ZONECOULEUR
    std::string ficEtalon;              // FICETALON
    bool fEtalonCouleur = false;        // FETALONCOULEUR
    std::string ficScanner;             // FICSCANNER
    std::array<int, 4> correctionRvb{}; // CORRECTIONRVB, entries 1..3 (read, never written)
    std::string coulRef;                // COULREF (read, never written)
    // MEMOIREIMAGE: megabytes one picture may take once decoded, its
    // half-size levels included; a larger picture is refused before any
    // memory is taken for it (images/EnteteImage.h).
    int memoireImageMo = BudgetImageMoDefaut;
    // ACCROCHE: a drag's ends go to the spore's outline (CaseAccroche).
    bool accrocheBord = true;
};

} // namespace orv
