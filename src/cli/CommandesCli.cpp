#include "cli/CommandesCli.h"

#include "app/CommandesCouleur.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/CommandesTrame.h"
#include "app/Langue.h"
#include "app/MenuOptions.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "app/TrameGrille.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "colour/ZoneCouleur.h"
#include "images/EnteteImage.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orv::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormats[] = {"###0", "###0.0", "###0.00"};

int Erreur(const std::string& ligne, int code = SortieEntree) {
    std::fprintf(stderr, "orvelle-cli: %s\n", SurUneLigne(ligne).c_str());
    return code;
}

std::string Raison(const ErreurCSV& e) {
    const std::string ligne = "line " + std::to_string(e.ligne);
    switch (e.defaut) {
    case DefautCSV::Illisible:
        return "cannot be read";
    case DefautCSV::SansFonction:
        return "no \"Fonction :\" line: not an Orvelle export";
    case DefautCSV::FonctionInconnue:
        return ligne + ": no measuring function named in \"" + e.texte + "\"";
    case DefautCSV::SansListe:
        return "no \"LISTE=\" line: the measure table is missing";
    case DefautCSV::Tronque:
        return ligne + ": the measure table ends early (file cut short?)";
    case DefautCSV::ValeurInvalide:
        return ligne + ": \"" + e.texte + "\" is not a number";
    case DefautCSV::ImageHorsListe:
        return ligne + ": image number \"" + e.texte + "\" is not a loader slot (0-50)";
    }
    return {};
}

std::string RaisonTrame(const ErreurTrame& e) {
    const std::string ligne = "line " + std::to_string(e.ligne);
    switch (e.defaut) {
    case DefautTrame::Illisible:
        return "cannot be read";
    case DefautTrame::PasOrdinaire:
        return "not a regular file";
    case DefautTrame::TropGros:
        return "larger than any grid file (" + std::to_string(LimiteFichierDonnees >> 20) +
               " MB at most)";
    case DefautTrame::PasUneTrame:
        return "no \"TRAME=\" line: not an Orvelle grid file, or cut before its points";
    case DefautTrame::Tronque:
        return ligne + ": the file ends inside a section (file cut short?)";
    case DefautTrame::NombreInvalide:
        return ligne + ": \"" + e.texte + "\" is not a valid number";
    case DefautTrame::ChampsManquants:
        return ligne + ": incomplete fields in \"" + e.texte + "\"";
    case DefautTrame::FonctionInconnue:
        return ligne + ": no measuring function numbered " + e.texte;
    case DefautTrame::SectionManquante:
        return (e.ligne > 0 ? ligne + ": " : std::string()) + "section \"" + e.texte +
               "\" missing or empty";
    case DefautTrame::CompteRepete:
        return ligne + ": \"" + e.texte + "\" given twice";
    case DefautTrame::ImageHorsListe:
        return ligne + ": image number " + e.texte + " is not a loader slot (0-50)";
    case DefautTrame::TailleInconnue:
        return ligne + ": picture \"" + e.texte +
               "\" not found and its size is not stored: its values cannot be computed (put the "
               "picture in the image folder, REPIMAGE)";
    case DefautTrame::ValeurInvalide:
        return ligne + ": \"" + e.texte + "\" is not a number";
    }
    return {};
}

// A grid file: read whole, then put in the grid as the program loads it. A
// batch run has nobody to change the resolution mode: it takes the file's.
std::optional<std::string> ChargeTrameCli(Orvelle& o, const std::string& entree) {
    const LectureTrame lu = FichierTrame::LitFichier(entree);
    if (!lu) return entree + ": " + Lisible(RaisonTrame(lu.erreur));
    o.parametres.indPres = ModeTrame(*lu.trame);
    // Never values computed without their picture's size: refused in one line.
    if (const auto e = VerifieTrame(o, *lu.trame, SitueImagesTrame(o, *lu.trame)))
        return entree + ": " + Lisible(RaisonTrame(*e));
    if (ChargeTrameLue(o, *lu.trame, entree) != ResultatChargement::Charge)
        return entree + ": not loaded";
    return std::nullopt;
}

std::string Minuscules(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool MemeFichier(const fs::path& a, const fs::path& b) {
    std::error_code e1, e2;
    if (fs::exists(a, e1) && fs::exists(b, e2)) return fs::equivalent(a, b, e1);
    return fs::weakly_canonical(a, e1) == fs::weakly_canonical(b, e2);
}

} // namespace

Session::Session() = default;
Session::Session(Session&&) noexcept = default;
Session& Session::operator=(Session&&) noexcept = default;
Session::~Session() = default;

Session OuvreSession(const OptionsSession& options) {
    Session s;
    s.plateforme = std::make_unique<PlateformeCli>(options.separateur);
    s.o = std::make_unique<Orvelle>(*s.plateforme, options.dossier);
    Orvelle& o = *s.o;
    o.dossierDonnees = options.donnees;
    o.textes.RemplitMessages();
    o.resultats.calculAutomatique = true; // the statistics are computed
    // The settings are read as at start-up, but a missing file is not created:
    // a batch run leaves the program folder as it found it.
    o.parametres.repImage = options.dossier;
    o.parametres.repData = options.dossier;
    if (FichierExiste(CheminParametres(o))) LitParametres(o);
    if (options.langue) o.parametres.langue = *options.langue;
    if (o.parametres.langue != "fr") AppliqueLangue(o);
    ConstruitTableFonctions(o.mesure, o.textes);
    AppliqueFonctionDemarrage(o);
    o.resultats.NotationEclair = options.notation;
    if (options.decimales) o.parametres.fDecimal = kFormats[std::clamp(*options.decimales, 0, 2)];
    return s;
}

std::optional<std::string> ChargeEntree(Orvelle& o, const std::string& entree) {
    std::error_code e;
    if (!fs::exists(entree, e)) return entree + ": no such file";
    if (!fs::is_regular_file(entree, e)) return entree + ": not a file";
    // Grid files come with their reader; every other input is an export.
    if (Minuscules(fs::path(entree).extension().string()) == ".trm")
        return ChargeTrameCli(o, entree);
    const LectureCSV lu =
        AnalyseFichierCSV(o.ui, o.mesure, o.parametres, entree, NomsDesLangues(o));
    if (!lu) return entree + ": " + Lisible(Raison(lu.erreur));
    RemplaceGrille(o, *lu.table, entree);
    if (lu.table->ignorees > 0)
        std::fprintf(stderr, "orvelle-cli: warning: %s: the grid holds %zu lines, %d left out\n",
                     entree.c_str(), lu.table->lignes.size(), lu.table->ignorees);
    return std::nullopt;
}

int CommandeExport(const OptionsSession& options, const OptionsExport& ex) {
    const std::string ext = ex.txt ? "txt" : "csv";
    const fs::path entree(ex.entree);
    const bool surSortieStandard = ex.sortie && *ex.sortie == "-";
    const fs::path sortie =
        ex.sortie ? fs::path(*ex.sortie) : fs::path(entree).replace_extension(ext);
    if (!surSortieStandard) {
        if (MemeFichier(sortie, entree))
            return Erreur(sortie.string() + " is the input itself: give another output with -o");
        std::error_code e;
        const auto etat = fs::symlink_status(sortie, e);
        // --force replaces a file, never a device, a FIFO or a link to one
        // (-o /dev/stdout would replace the system's link).
        if (fs::exists(etat) && !fs::is_regular_file(etat))
            return Erreur(sortie.string() +
                              " is not a regular file: it is never replaced (-o - writes to the "
                              "standard output)",
                          SortieEcriture);
        if (fs::exists(etat) && !ex.remplace)
            return Erreur(sortie.string() + " exists: use --force to replace it");
    }

    Session s = OuvreSession(options);
    Orvelle& o = *s.o;
    o.resultats.extensionExport = ext;
    o.resultats.exportCSV.commentaire = ex.commentaire;
    if (auto erreur = ChargeEntree(o, ex.entree)) return Erreur(*erreur);
    const Horodatage h = HorodatageExport(o.resultats.exportCSV);
    if (surSortieStandard) {
        const std::string octets = TexteFichier(LignesExport(o, h));
        std::fwrite(octets.data(), 1, octets.size(), stdout);
        return std::fflush(stdout) == 0 ? SortieSucces : SortieEcriture;
    }
    const Ecriture ecrit = EcritFichierExport(sortie.string(), o, h);
    if (!ecrit) return Erreur(sortie.string() + ": " + ecrit.erreur, SortieEcriture);
    return SortieSucces;
}

int CommandeResultats(const OptionsSession& options, const std::string& entree) {
    Session s = OuvreSession(options);
    Orvelle& o = *s.o;
    if (auto erreur = ChargeEntree(o, entree)) return Erreur(*erreur);
    // A terminal takes plain line feeds.
    std::string texte;
    for (const auto& l : DecoupeLignes(ConstruitTexteResultats(o))) texte += l + "\n";
    std::fwrite(texte.data(), 1, texte.size(), stdout);
    return std::fflush(stdout) == 0 ? SortieSucces : SortieEcriture;
}

int CommandeCouleur(const OptionsSession& options, const OptionsCouleur& c) {
    std::error_code e;
    if (!fs::is_regular_file(c.image, e)) return Erreur(c.image + ": no such file");
    Session s = OuvreSession(options);
    Orvelle& o = *s.o;
    if (c.cote) {
        int i = 1;
        while (i < ZonesCouleur && (1 << i) != *c.cote) ++i;
        if ((1 << i) != *c.cote) return Erreur("--side: give 2, 4, 8, 16, 32 or 64");
        ClicZoneCouleur(o, i);
    }
    const auto taille = o.plateforme.LitTailleImage(c.image);
    if (!taille) return Erreur(c.image + ": not a picture orvelle-cli can read");
    // The window's budget: what it refuses to open is refused here too.
    if (auto refus =
            RefusBudgetImage(taille->largeur, taille->hauteur, o.parametres.memoireImageMo))
        return Erreur(c.image + ": " + *refus);
    s.plateforme->FixeBudgetImage(o.parametres.memoireImageMo);
    if (c.x < 0 || c.y < 0 || c.x >= taille->largeur || c.y >= taille->hauteur)
        return Erreur("the point is outside the picture (" + std::to_string(taille->largeur) +
                      " x " + std::to_string(taille->hauteur) + " pixels)");
    // The centre of the pixel named, as a click on it.
    const auto ech = EchantillonImage(o, c.image, *taille, c.x + 0.5, c.y + 0.5);
    if (!ech) return SortieEntree; // said by the platform
    std::string ligne;
    for (const auto& cellule : CellulesEchantillon(*ech, options.separateur))
        ligne += (ligne.empty() ? "" : " ") + cellule;
    ligne += "\n";
    std::fwrite(ligne.data(), 1, ligne.size(), stdout);
    return std::fflush(stdout) == 0 ? SortieSucces : SortieEcriture;
}

} // namespace orv::cli
