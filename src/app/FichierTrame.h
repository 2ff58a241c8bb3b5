// The grid file (".trm"): a whole piece of measuring work — the images and
// their factors, the function, and for every grid line its comment and the
// points clicked — read from a stream and written to one. Beside the sections
// it has always had, two that older readers skip: "TAILLES=" (each picture's
// size, to recompute its lines when the picture cannot be read) and
// "VALEURS=" (each line's cells and broken-line flag, for what the points
// cannot give back); and keys they ignore: "REPERE=", the frame of each
// picture's points (app/RepereTrame.h), and "CONTOURS=", the lines measured
// on a spore's outline, drawn as the ellipse their two axes span. What it means for the grid is in
// app/TrameGrille.h.
#pragma once

#include "base/FichierTexte.h"
#include "base/Parametres.h"
#include "measure/EtatMesure.h"
#include "platform/Plateforme.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orv {

// One grid line as the file keeps it.
struct LigneTrame {
    int zoom = 0;  // zoom exponent when measured
    int image = 0; // image number (1.. in the file's image list; 0: none)
    // Segments 1.. of the line's mark record, in picture units.
    std::vector<SegmentTrace> segments;
    std::string commentaire;
    // The cells of columns 1 .. as the grid showed them, for the values the
    // points cannot give back (counts, broken lines, polygons, colours, lines
    // without points); empty when the file holds none.
    std::vector<std::string> cellules;
    bool ligneBrisee = false; // value 1 is a broken line
    bool contour = false;     // segments 1 and 2 are the axes of a spore's outline
    // Lines of the file holding the line's points and cells, for messages
    // (0 when not read from a file); not part of what the line is.
    int ligneFichier = 0, ligneValeurs = 0;
    friend bool operator==(const LigneTrame& a, const LigneTrame& b) {
        return a.zoom == b.zoom && a.image == b.image && a.segments == b.segments &&
               a.commentaire == b.commentaire && a.cellules == b.cellules &&
               a.ligneBrisee == b.ligneBrisee && a.contour == b.contour;
    }
};

// The frame of a picture's points and size: the picture as stored in its
// file (what files written before the orientation tag was applied hold), or
// upright, its orientation tag applied (what the program shows and writes).
enum class RepereImage { Fichier, Redresse };

struct ImageTrame {
    std::string chemin;
    double coefficient = 0; // micrometres per pixel unit
    TailleImage taille;     // pixels; 0 x 0 when unknown
    RepereImage repere = RepereImage::Redresse;
    friend bool operator==(const ImageTrame&, const ImageTrame&) = default;
};

struct Trame {
    std::optional<bool> indPres; // nothing when the file does not say
    int nbLgMax = 256;
    int fonction = 2;
    double resh = 0;
    // Width of the box that the factors' pixel units are counted against.
    std::optional<double> pctsw;
    std::vector<ImageTrame> images;
    std::vector<LigneTrame> lignes;
    friend bool operator==(const Trame&, const Trame&) = default;
};

// The resolution mode of a file's points: its own, or when it does not say,
// that of new settings (Ind. Dim.).
inline bool ModeTrame(const Trame& t) {
    return t.indPres.value_or(Parametres{}.indPres);
}

// Why a file was refused.
enum class DefautTrame {
    Illisible,       // the file cannot be opened
    PasOrdinaire,    // a FIFO, a device or a folder in a grid file's place
    TropGros,        // far larger than any grid file
    PasUneTrame,     // no "TRAME=" line: not a grid file, or cut before its points
    Tronque,         // a section ends before its count of lines
    NombreInvalide,  // a field that must be a number is not one (or does not fit)
    ChampsManquants, // a point line without whole groups of four coordinates
    FonctionInconnue,
    SectionManquante, // counts announce images or lines whose section is missing
    CompteRepete,     // a second NBIMAGES= or NBLIGNES= line
    ImageHorsListe,   // a line's image number is not a slot of the loader (0 .. 50)
    ValeurInvalide,   // a cell that the grid holds as a number is not one
    TailleInconnue,   // a line's picture is missing and the file has not its size
};

struct ErreurTrame {
    DefautTrame defaut = DefautTrame::Illisible;
    int ligne = 0;     // line of the file (from 1), 0 when none applies
    std::string texte; // the field or key at fault
};

struct LectureTrame {
    std::optional<Trame> trame;
    ErreurTrame erreur; // when there is no trame
    explicit operator bool() const { return trame.has_value(); }
};

class FichierTrame {
public:
    // The lines of the file (UTF-8, without line ends). Decimals are written
    // with `separateur`; factors keep every digit, so they read back exact.
    static std::vector<std::string> Lignes(const Trame& t, char separateur);
    // Windows-1252 with CR LF; UTF-8 instead when a path or a comment holds a
    // character that Windows-1252 lacks (readers take a valid UTF-8 file as such).
    static std::string Octets(const Trame& t, char separateur);
    static void Ecrit(std::ostream& out, const Trame& t, char separateur);
    // Atomic: a failed write leaves any former file whole.
    static Ecriture EcritFichier(const std::string& chemin, const Trame& t, char separateur);

    // Reads a whole file; either decimal separator is accepted.
    static LectureTrame Lit(const std::vector<std::string>& lignes);
    static LectureTrame Lit(std::istream& in);
    static LectureTrame LitFichier(const std::string& chemin);
};

} // namespace orv
