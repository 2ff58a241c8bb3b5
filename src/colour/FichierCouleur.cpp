#include "colour/FichierCouleur.h"

#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "interface/Messages.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace orv {

namespace {

constexpr std::uint32_t kFondNotes = 0xFFFF80; // light cyan
constexpr std::uint32_t kCouleurRefus = 0xC0C0FF;
constexpr int kDelaiFlash = 2;

// SHA-256 (FIPS 180-4): the identifier must not give the machine's own away.
std::array<std::uint8_t, 32> Sha256(const std::string& message) {
    static constexpr std::uint32_t k[64] = {
        0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
        0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
        0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
        0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
        0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
        0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
        0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
        0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
        0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
        0xc67178f2};
    std::uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                          0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::string m = message;
    const std::uint64_t bits = static_cast<std::uint64_t>(message.size()) * 8;
    m += static_cast<char>(0x80);
    while (m.size() % 64 != 56) m += '\0';
    for (int i = 7; i >= 0; --i) m += static_cast<char>((bits >> (8 * i)) & 0xff);
    auto rotr = [](std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
    for (size_t bloc = 0; bloc < m.size(); bloc += 64) {
        std::uint32_t w[64];
        for (int i = 0; i < 16; ++i) {
            w[i] = 0;
            for (int j = 0; j < 4; ++j)
                w[i] = (w[i] << 8) | static_cast<std::uint8_t>(m[bloc + 4 * i + j]);
        }
        for (int i = 16; i < 64; ++i) {
            const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6],
                      hh = h[7];
        for (int i = 0; i < 64; ++i) {
            const std::uint32_t t1 =
                hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
            const std::uint32_t t2 =
                (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
            hh = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + t2;
        }
        const std::uint32_t v[8] = {a, b, c, d, e, f, g, hh};
        for (int i = 0; i < 8; ++i) h[i] += v[i];
    }
    std::array<std::uint8_t, 32> r{};
    for (int i = 0; i < 32; ++i)
        r[static_cast<size_t>(i)] = (h[i / 4] >> (24 - 8 * (i % 4))) & 0xff;
    return r;
}

std::string Cellules(const std::vector<std::string>& cellules) {
    std::string ligne;
    for (const auto& c : cellules) ligne += c + ";";
    return ligne;
}

// The notes dialog shows notes only: the line number and its scroll bar go.
void MontreNotes(Interface& ui, bool notes) {
    ui.controles.Visible(Controle::NumeroCommentaire, !notes);
    ui.controles.Visible(Controle::DefilementCommentaire, !notes);
}

} // namespace

std::string NotesNuancier(const std::string& nomImage, const std::string& nomScanner,
                          bool calibre) {
    const std::string fin(FinDeLigne);
    return "CODE=  ex : Varnel" + fin + "Image nuancier= " + nomImage + fin +
           "SCANNER= " + nomScanner + fin + "CALIBRAGE_COULEUR=" + (calibre ? "1" : "0") + fin +
           "RESOLUTION=" + fin + "LUMINANCE=" + fin + "CONTRASTE=" + fin + "NOTES=" + fin +
           "FINNOTES";
}

std::string NotesScanner() {
    const std::string fin(FinDeLigne);
    return "SCANNER=" + fin + "RESOLUTION=" + fin + "LUMINANCE=" + fin + "CONTRASTE=" + fin +
           "NOTES=" + fin + "FINNOTES";
}

std::string IdentifiantMachine(const std::string& idMachine) {
    const std::string id = Trim(idMachine);
    if (id.empty()) return "inconnu";
    // Salted with the program's name, as systemd asks of programs that need
    // an identifier of the machine.
    const auto h = Sha256("Orvelle couleurs\n" + id);
    std::string r;
    char hex[3];
    for (size_t i = 0; i < 8; ++i) {
        std::snprintf(hex, sizeof hex, "%02X", h[i]);
        r += hex;
    }
    return r;
}

std::vector<std::string> LignesFichierCouleur(const ContenuCouleur& c, bool calibre) {
    std::vector<std::string> l;
    l.push_back("Résultat des mesures du " + c.date + " à " + c.heure);
    l.push_back("Image de référence chargée : ");
    l.push_back("");
    // The notes exactly as typed, line by line.
    if (!c.notes.empty())
        for (auto& n : DecoupeLignes(c.notes)) l.push_back(std::move(n));
    l.push_back("");
    l.push_back("REM= les lignes suivantes ne doivent pas être modifiées !");
    l.push_back(Cellules(c.entetes));
    l.push_back("ID=" + c.identifiant);
    l.push_back(std::string("CALIBRAGECOL=") + (calibre ? "1" : "0"));
    l.push_back("NBMESURES =" + std::to_string(c.lignes.size()));
    l.push_back("LISTE=");
    for (const auto& ligne : c.lignes) l.push_back(Cellules(ligne));
    return l;
}

bool PrepareNotes(Interface& ui, EtatCouleur& e, bool nuancier, int mesures, bool mesureEnCours,
                  const std::string& nomImage) {
    auto& c = ui.controles;
    c.Texte(Controle::TexteCommentaire, "");
    if (mesures < 1) {
        ui.plateforme.Message(ui.Msg(msg::RienAExporter));
        return false;
    }
    if (mesureEnCours) {
        ui.plateforme.Flash(kCouleurRefus, ui.Msg(msg::MesureInachevee), kDelaiFlash);
        return false;
    }
    e.ModeNuancier = nuancier;
    e.ModeScanner = !nuancier;
    c.Couleur(Controle::CadreCommentaire, kFondNotes);
    c.Texte(Controle::CadreCommentaire,
            ui.Mnu(nuancier ? mnu::EnregistrementNuancier : mnu::EnregistrementScanner));
    c.Texte(Controle::TexteCommentaire,
            nuancier ? NotesNuancier(nomImage, e.NomFichierScanner, e.Calibre) : NotesScanner());
    MontreNotes(ui, true);
    c.Visible(Controle::CommentaireRaz, true);
    ui.OuvreCadre(Controle::CadreCommentaire, ProprietaireCadre::NotesCouleur);
    return true;
}

void FermeNotes(Interface& ui, EtatCouleur& e) {
    e.ModeNuancier = e.ModeScanner = false;
    ui.FermeCadre(Controle::CadreCommentaire);
    MontreNotes(ui, false);
}

std::optional<std::string> EcritFichierCouleur(Interface& ui, EtatCouleur& e,
                                               const std::string& dossier,
                                               const ContenuCouleur& c) {
    if (!e.NotesOuvertes()) return std::nullopt;
    const bool nuancier = e.ModeNuancier;
    auto& p = ui.plateforme;
    // A No leaves the dialog open and the mode set: a second "Valider" asks again.
    if (nuancier && !e.Calibre && !p.QuestionOuiNon(ui.Msg(msg::NuancierNonCalibre)))
        return std::nullopt;
    if (!nuancier && e.Calibre && !p.QuestionOuiNon(ui.Msg(msg::ScannerCalibre)))
        return std::nullopt;

    const std::string extension = nuancier ? ".Nua" : ".Scn";
    const std::string filtre = "*" + extension + "|*" + extension;
    auto chemin = p.ChoisitFichierAEnregistrer(
        ui.Mnu(nuancier ? mnu::EnregistrementNuancier : mnu::EnregistrementScanner), filtre,
        dossier + "/" + e.NomFichierCouleur);
    // Cancelled: nothing written, the notes stay in the open dialog.
    if (!chemin || chemin->empty()) return std::nullopt;
    const std::string nom0 = chemin->substr(chemin->find_last_of('/') + 1);
    if (nom0.find('.') == std::string::npos) *chemin += extension;
    if (FichierExiste(*chemin) && !p.QuestionOKAnnuler(ui.Msg(msg::Ecraser))) return std::nullopt;

    const Ecriture w = EcritLignesFichier(*chemin, LignesFichierCouleur(c, e.Calibre));
    if (!w) {
        p.Message(ui.Msg(msg::ErreurFichier) + " :  " + *chemin + std::string(FinDeLigne) +
                      w.erreur,
                  {}, Icone::Exclamation);
        return std::nullopt;
    }
    const std::string nom = chemin->substr(chemin->find_last_of('/') + 1);
    if (!nuancier) {
        e.NomFichierScanner = nom;
        ui.controles.Texte(Controle::LegendeScanner, ui.Mnu(mnu::Scanner) + nom);
    }
    e.NomFichierCouleur = nom;
    FermeNotes(ui, e);
    return nom;
}

} // namespace orv
