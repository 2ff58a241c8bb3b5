#include "app/FichierTrame.h"

#include "base/Cp1252.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/EtatChargeur.h"
#include "measure/Fonctions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>

namespace orv {

namespace {

// Header lines, spelt as the file has always spelt them (blanks included).
constexpr const char* kCalibrage = "CALIBRAGE= ";
constexpr const char* kImages = "IMAGES= ";
constexpr const char* kComment = "COMMENT= ";
constexpr const char* kTrame = "TRAME= ";
// Sections that older readers skip (their lines hold no "="): the pictures'
// sizes after their paths, and the cells of every line with its broken-line
// flag before the points.
constexpr const char* kTailles = "TAILLES= ";
constexpr const char* kValeurs = "VALEURS= ";
// Written only when a picture's name holds bytes that a line cannot keep (a
// line break, bytes that are not UTF-8): every path, escaped (base/Texte.h).
// IMAGES= then shows those names readably and older readers still open the file.
constexpr const char* kChemins = "CHEMINS= ";
// The frame of the points: one word for every picture, or one per picture.
// Without the key, a file's points use the pictures as stored.
constexpr const char* kRepere = "REPERE= ";
constexpr const char* kRedresse = "REDRESSE";
constexpr const char* kFichier = "FICHIER";
// The numbers of the lines measured on a spore's outline, written only when
// there are some: older readers draw those lines as two segments.
constexpr const char* kContours = "CONTOURS= ";

// A cell or a comment must stay on its line and, for a cell, in its field.
std::string Cellule(const std::string& texte) {
    std::string r = SurUneLigne(texte);
    for (char& c : r)
        if (c == ';') c = ' ';
    return r;
}

std::string LignePoints(const LigneTrame& l) {
    std::string r = std::to_string(l.zoom) + ";" + std::to_string(l.image);
    for (const auto& s : l.segments)
        r += ";" + std::to_string(s.x1) + ";" + std::to_string(s.y1) + ";" + std::to_string(s.x2) +
             ";" + std::to_string(s.y2);
    return r + ";";
}

// Reading. Each section reads the lines that follow its header, whatever
// they hold, as many as its count says.
class Lecteur {
public:
    explicit Lecteur(const std::vector<std::string>& lignes) : lignes_(lignes) {}

    LectureTrame Lit();

private:
    const std::vector<std::string>& lignes_;
    size_t i_ = 0; // next line to read
    Trame t_;
    std::optional<long> nbImages_, nbLignes_;
    std::optional<std::vector<RepereImage>> reperes_;
    int ligneRepere_ = 0;
    std::vector<long> contours_;
    int ligneContours_ = 0;
    bool calibrage_ = false, images_ = false, comment_ = false, trame_ = false;
    std::optional<ErreurTrame> erreur_;

    int NumeroLigne() const { return static_cast<int>(i_); } // of the line just read
    // A count that the rest of the file cannot hold is no count of this file
    // (and takes no memory for lines that are not there).
    long Sections() const { return static_cast<long>(lignes_.size() - i_); }

    void Echec(DefautTrame d, std::string texte = {}) {
        if (!erreur_) erreur_ = ErreurTrame{d, NumeroLigne(), std::move(texte)};
    }
    // The next line of a section; nothing (and the failure) at the end of the file.
    std::optional<std::string> Suivante() {
        if (i_ >= lignes_.size()) {
            ++i_;
            Echec(DefautTrame::Tronque);
            return std::nullopt;
        }
        return lignes_[i_++];
    }
    std::optional<long> Entier(const std::string& texte, long min, long max) {
        const auto n = LitEntierStrict(texte);
        if (!n || *n < min || *n > max) {
            Echec(DefautTrame::NombreInvalide, Trim(texte));
            return std::nullopt;
        }
        return n;
    }
    // Count of a section: known before it, or the file is malformed.
    std::optional<long> Compte(const std::optional<long>& n, const std::string& cle) {
        if (!n) Echec(DefautTrame::SectionManquante, cle);
        return n;
    }

    void Cle(const std::string& cle, const std::string& valeur);
    void Reperes(const std::string& valeur);
    void Contours(const std::string& valeur);
    void Calibrage();
    void Images();
    void Commentaires();
    void Points();
    void Tailles();
    void Valeurs();
    void Chemins();
    std::optional<std::vector<std::string>> Champs(const std::string& ligne, size_t minimum);
};

std::optional<bool> Booleen(const std::string& v) {
    const std::string m = Majuscules(Trim(v));
    if (m == "VRAI" || m == "TRUE") return true;
    if (m == "FAUX" || m == "FALSE") return false;
    if (const auto n = LitNombreStrict(m)) return *n != 0;
    return std::nullopt;
}

LectureTrame Lecteur::Lit() {
    while (i_ < lignes_.size() && !erreur_) {
        const std::string ligne = Trim(lignes_[i_++]);
        const auto egal = ligne.find('=');
        if (ligne.empty() || egal == std::string::npos) continue;
        Cle(Majuscules(Trim(ligne.substr(0, egal))), Trim(ligne.substr(egal + 1)));
    }
    // The frames, once the images are known: one word says it of them all.
    if (!erreur_) {
        const auto r = reperes_.value_or(std::vector<RepereImage>{RepereImage::Fichier});
        if (r.size() != 1 && r.size() != t_.images.size())
            erreur_ = ErreurTrame{DefautTrame::NombreInvalide, ligneRepere_, kRepere};
        for (size_t k = 0; k < t_.images.size() && !erreur_; ++k)
            t_.images[k].repere = r.size() == 1 ? r[0] : r[k];
    }
    // The outlined lines, once the lines are known.
    for (const long n : contours_) {
        if (erreur_) break;
        if (n < 1 || n > static_cast<long>(t_.lignes.size()))
            erreur_ = ErreurTrame{DefautTrame::NombreInvalide, ligneContours_, std::to_string(n)};
        else
            t_.lignes[static_cast<size_t>(n - 1)].contour = true;
    }
    // What the whole file lacks belongs to no line.
    const bool images = nbImages_.value_or(0) > 0;
    if (!erreur_ && !trame_) {
        erreur_ = ErreurTrame{DefautTrame::PasUneTrame, 0, "TRAME="};
    } else if (!erreur_ && images && !calibrage_) {
        erreur_ = ErreurTrame{DefautTrame::SectionManquante, 0, "CALIBRAGE="};
    } else if (!erreur_ && images && !images_) {
        erreur_ = ErreurTrame{DefautTrame::SectionManquante, 0, "IMAGES="};
    } else if (!erreur_ && nbLignes_.value_or(0) > 0 && !comment_) {
        erreur_ = ErreurTrame{DefautTrame::SectionManquante, 0, "COMMENT="};
    }
    if (erreur_) return {std::nullopt, *erreur_};
    return {std::move(t_), {}};
}

void Lecteur::Cle(const std::string& cle, const std::string& valeur) {
    // Far more than any grid holds, yet small enough that counts never overflow.
    constexpr long kMaxi = 1000000;
    if (cle == "INDPRES") {
        t_.indPres = Booleen(valeur);
        if (!t_.indPres) Echec(DefautTrame::NombreInvalide, valeur);
    } else if ((cle == "NBIMAGES" && nbImages_) || (cle == "NBLIGNES" && nbLignes_)) {
        // The sections already read follow the first count.
        Echec(DefautTrame::CompteRepete, cle + "=");
    } else if (cle == "NBIMAGES") {
        if (const auto n = Entier(valeur, 0, Sections())) {
            nbImages_ = n;
            t_.images.assign(static_cast<size_t>(*n), ImageTrame{});
        }
    } else if (cle == "NBLIGNES") {
        if (const auto n = Entier(valeur, 0, Sections())) {
            nbLignes_ = n;
            t_.lignes.assign(static_cast<size_t>(*n), LigneTrame{});
        }
    } else if (cle == "NBLGMAX") {
        if (const auto n = Entier(valeur, 1, kMaxi)) t_.nbLgMax = static_cast<int>(*n);
    } else if (cle == "FONCTION") {
        if (const auto n = Entier(valeur, 0, FonctionsMax)) {
            if (!FonctionExiste(static_cast<int>(*n))) Echec(DefautTrame::FonctionInconnue, valeur);
            t_.fonction = static_cast<int>(*n);
        }
    } else if (cle == "CALIBRAGE") {
        Calibrage();
    } else if (cle == "RESH") {
        t_.resh = LitDecimal(valeur); // for information only
    } else if (cle == "PCTSW") {
        const auto v = LitNombreStrict(valeur);
        if (!v || !std::isfinite(*v))
            Echec(DefautTrame::NombreInvalide, valeur);
        else if (*v > 0) // 0: no width known, nothing to compare
            t_.pctsw = *v;
    } else if (cle == "IMAGES") {
        Images();
    } else if (cle == "COMMENT") {
        Commentaires();
    } else if (cle == "TRAME") {
        Points();
    } else if (cle == "TAILLES") {
        Tailles();
    } else if (cle == "VALEURS") {
        Valeurs();
    } else if (cle == "CHEMINS") {
        Chemins();
    } else if (cle == "REPERE") {
        Reperes(valeur);
    } else if (cle == "CONTOURS") {
        Contours(valeur);
    }
}

void Lecteur::Reperes(const std::string& valeur) {
    ligneRepere_ = NumeroLigne();
    std::vector<RepereImage> r;
    for (const auto& mot : Decoupe(valeur, ';')) {
        const std::string m = Majuscules(Trim(mot));
        if (m == kRedresse) {
            r.push_back(RepereImage::Redresse);
        } else if (m == kFichier) {
            r.push_back(RepereImage::Fichier);
        } else {
            Echec(DefautTrame::NombreInvalide, Trim(mot));
            return;
        }
    }
    reperes_ = std::move(r);
}

void Lecteur::Contours(const std::string& valeur) {
    ligneContours_ = NumeroLigne();
    for (const auto& mot : Decoupe(valeur, ';')) {
        if (Trim(mot).empty()) continue; // the final ";"
        const auto n = Entier(mot, 1, std::numeric_limits<long>::max());
        if (!n) return;
        contours_.push_back(*n);
    }
}

void Lecteur::Calibrage() {
    const auto n = Compte(nbImages_, "NBIMAGES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        const auto v = LitNombreStrict(*l);
        if (!v || !std::isfinite(*v)) {
            Echec(DefautTrame::NombreInvalide, Trim(*l));
            return;
        }
        t_.images[static_cast<size_t>(k)].coefficient = *v;
    }
    calibrage_ = true;
}

void Lecteur::Images() {
    const auto n = Compte(nbImages_, "NBIMAGES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        const std::string chemin = Trim(*l);
        // An empty entry would shift every image number after it.
        if (chemin.empty()) {
            Echec(DefautTrame::SectionManquante, kImages);
            return;
        }
        t_.images[static_cast<size_t>(k)].chemin = chemin;
    }
    images_ = true;
}

void Lecteur::Commentaires() {
    const auto n = Compte(nbLignes_, "NBLIGNES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        // Only the first ";" ends the line number; the comment is kept as written.
        const auto pv = l->find(';');
        if (pv == std::string::npos) {
            Echec(DefautTrame::ChampsManquants, *l);
            return;
        }
        t_.lignes[static_cast<size_t>(k)].commentaire = l->substr(pv + 1);
    }
    comment_ = true;
}

std::optional<std::vector<std::string>> Lecteur::Champs(const std::string& ligne, size_t minimum) {
    auto champs = Decoupe(Trim(ligne), ';');
    // The final ";" closes the last field.
    if (champs.size() > 1 && Trim(champs.back()).empty()) champs.pop_back();
    if (champs.size() < minimum) {
        Echec(DefautTrame::ChampsManquants, Trim(ligne));
        return std::nullopt;
    }
    return champs;
}

void Lecteur::Points() {
    constexpr long kMin32 = std::numeric_limits<std::int32_t>::min();
    constexpr long kMax32 = std::numeric_limits<std::int32_t>::max();
    constexpr long kMax16 = std::numeric_limits<std::int16_t>::max();
    constexpr long kMin16 = std::numeric_limits<std::int16_t>::min();
    const auto n = Compte(nbLignes_, "NBLIGNES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        const auto champs = Champs(*l, 2);
        if (!champs) return;
        if ((champs->size() - 2) % 4 != 0) {
            Echec(DefautTrame::ChampsManquants, Trim(*l));
            return;
        }
        auto& ligne = t_.lignes[static_cast<size_t>(k)];
        const auto zoom = Entier((*champs)[0], kMin16, kMax16);
        if (!zoom) return;
        // A line belongs to a slot of the loader, or to no image (0): any
        // other number would end in an export that no import reads.
        const auto image = Entier((*champs)[1], std::numeric_limits<long>::min(),
                                  std::numeric_limits<long>::max());
        if (!image) return;
        if (*image < 0 || *image > ImagesMax) {
            Echec(DefautTrame::ImageHorsListe, Trim((*champs)[1]));
            return;
        }
        ligne.ligneFichier = NumeroLigne();
        ligne.zoom = static_cast<int>(*zoom);
        ligne.image = static_cast<int>(*image);
        for (size_t c = 2; c + 3 < champs->size(); c += 4) {
            std::int32_t v[4];
            for (size_t j = 0; j < 4; ++j) {
                const auto x = Entier((*champs)[c + j], kMin32, kMax32);
                if (!x) return;
                v[j] = static_cast<std::int32_t>(*x);
            }
            ligne.segments.push_back({v[0], v[1], v[2], v[3]});
        }
    }
    trame_ = true;
}

void Lecteur::Tailles() {
    const auto n = Compte(nbImages_, "NBIMAGES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        const auto champs = Champs(*l, 2);
        if (!champs) return;
        const auto w = Entier((*champs)[0], 0, 1000000000);
        const auto h = Entier((*champs)[1], 0, 1000000000);
        if (!w || !h) return;
        t_.images[static_cast<size_t>(k)].taille = {static_cast<int>(*w), static_cast<int>(*h)};
    }
}

void Lecteur::Chemins() {
    const auto n = Compte(nbImages_, "NBIMAGES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        const std::string chemin = RetrouveChemin(Trim(*l));
        if (chemin.empty()) {
            Echec(DefautTrame::SectionManquante, kChemins);
            return;
        }
        t_.images[static_cast<size_t>(k)].chemin = chemin;
    }
}

void Lecteur::Valeurs() {
    const auto n = Compte(nbLignes_, "NBLIGNES=");
    for (long k = 0; n && k < *n && !erreur_; ++k) {
        const auto l = Suivante();
        if (!l) return;
        auto champs = Champs(*l, 2);
        if (!champs) return;
        const auto brisee = Entier((*champs)[1], 0, 1);
        if (!brisee) return;
        auto& ligne = t_.lignes[static_cast<size_t>(k)];
        ligne.ligneValeurs = NumeroLigne();
        ligne.ligneBrisee = *brisee == 1;
        ligne.cellules.clear();
        for (size_t c = 2; c < champs->size(); ++c) ligne.cellules.push_back(Trim((*champs)[c]));
    }
}

} // namespace

std::vector<std::string> FichierTrame::Lignes(const Trame& t, char sep) {
    std::vector<std::string> l;
    const auto n = t.images.size();
    // A file that did not say its resolution mode loads in any mode: so does its copy.
    if (t.indPres) l.push_back("INDPRES=" + VraiFaux(*t.indPres));
    l.push_back("NBIMAGES= " + std::to_string(n));
    l.push_back("NBLIGNES= " + std::to_string(t.lignes.size()));
    l.push_back("NBLGMAX =" + std::to_string(t.nbLgMax));
    l.push_back("FONCTION= " + std::to_string(t.fonction));
    const bool redresses = std::all_of(t.images.begin(), t.images.end(), [](const ImageTrame& i) {
        return i.repere == RepereImage::Redresse;
    });
    std::string reperes = redresses ? kRedresse : "";
    for (size_t k = 0; !redresses && k < n; ++k)
        reperes += std::string(k ? ";" : "") +
                   (t.images[k].repere == RepereImage::Redresse ? kRedresse : kFichier);
    l.push_back(kRepere + reperes);
    std::string contours;
    for (size_t i = 0; i < t.lignes.size(); ++i)
        if (t.lignes[i].contour) contours += std::to_string(i + 1) + ";";
    if (!contours.empty()) l.push_back(kContours + contours);
    l.push_back(kCalibrage);
    for (const auto& im : t.images) l.push_back(NombreFichierExact(im.coefficient, sep));
    // Both widths with every digit: the factors are scaled by the second one.
    l.push_back("RESH = " + NombreFichierExact(t.resh, sep));
    l.push_back("PCTSW = " + NombreFichierExact(t.pctsw.value_or(0), sep));
    l.push_back(kImages);
    for (const auto& im : t.images) l.push_back(NomAffichable(im.chemin));
    l.push_back(kTailles);
    for (const auto& im : t.images)
        l.push_back(std::to_string(im.taille.largeur) + ";" + std::to_string(im.taille.hauteur));
    if (std::any_of(t.images.begin(), t.images.end(),
                    [](const ImageTrame& im) { return CheminAEchapper(im.chemin); })) {
        l.push_back(kChemins);
        for (const auto& im : t.images) l.push_back(EchappeChemin(im.chemin));
    }
    l.push_back(kComment);
    for (size_t i = 0; i < t.lignes.size(); ++i)
        l.push_back(std::to_string(i + 1) + ";" + SurUneLigne(t.lignes[i].commentaire));
    l.push_back("FIN");
    l.push_back(kValeurs);
    for (size_t i = 0; i < t.lignes.size(); ++i) {
        const auto& ligne = t.lignes[i];
        std::string v = std::to_string(i + 1) + ";" + (ligne.ligneBrisee ? "1" : "0") + ";";
        for (const auto& c : ligne.cellules) v += Cellule(c) + ";";
        l.push_back(std::move(v));
    }
    // The points last, as the file has always ended.
    l.push_back(kTrame);
    for (const auto& ligne : t.lignes) l.push_back(LignePoints(ligne));
    return l;
}

std::string FichierTrame::Octets(const Trame& t, char separateur) {
    // A path that Windows-1252 cannot spell would no longer name its picture:
    // such a file is written in UTF-8.
    return TexteFichier(Lignes(t, separateur));
}

void FichierTrame::Ecrit(std::ostream& out, const Trame& t, char separateur) {
    out << Octets(t, separateur);
}

Ecriture FichierTrame::EcritFichier(const std::string& chemin, const Trame& t, char separateur) {
    return EcritAtomique(chemin, Octets(t, separateur));
}

LectureTrame FichierTrame::Lit(const std::vector<std::string>& lignes) {
    return Lecteur(lignes).Lit();
}

LectureTrame FichierTrame::Lit(std::istream& in) {
    return Lit(LitLignes(in));
}

LectureTrame FichierTrame::LitFichier(const std::string& chemin) {
    const auto lu = orv::LitFichier(chemin, LimiteFichierDonnees);
    if (!lu) {
        const DefautTrame d = lu.defaut == DefautLecture::PasOrdinaire ? DefautTrame::PasOrdinaire
                              : lu.defaut == DefautLecture::TropGros   ? DefautTrame::TropGros
                                                                       : DefautTrame::Illisible;
        return {std::nullopt, ErreurTrame{d, 0, {}}};
    }
    return Lit(DecoupeLignes(DepuisCp1252(*lu.octets)));
}

} // namespace orv
