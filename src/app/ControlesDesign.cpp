#include "app/ControlesDesign.h"

namespace orv {

namespace {

std::vector<ElementMenu> ConstruitArbre() {
    std::vector<ElementMenu> m;
    auto barre = [&](const std::string& nom, const std::string& texte) {
        m.push_back({nom, SansIndex, {}, SansIndex, texte, false, false});
    };
    auto item = [&](const std::string& parent, int ip, const std::string& nom, int i,
                    const std::string& texte) {
        m.push_back({nom, i, parent, ip, texte, false, false});
    };
    auto sep = [&](const std::string& parent, int ip, const std::string& nom, int i) {
        m.push_back({nom, i, parent, ip, "-", true, false});
    };
    auto liste = [&](const std::string& parent, int ip, const std::string& nom,
                     std::initializer_list<std::pair<int, const char*>> items) {
        for (const auto& [i, t] : items) item(parent, ip, nom, i, t);
    };

    barre("Mnfichiers", "fichiers");
    item("Mnfichiers", SansIndex, "MnuFIC", 1, "Ouvrir Image");
    item("Mnfichiers", SansIndex, "MnuFIC", 2, "Twain");
    liste("MnuFIC", 2, "MnuTwain",
          {{1, "Sélection Source"},
           {2, "Acquisition Twain"},
           {3, "Sauver l'image Twain"},
           {4, "Sauver le cadre"}});
    item("Mnfichiers", SansIndex, "MnuFIC", 3, "Chargeur");
    liste("MnuFIC", 3, "MnuCharg", {{1, "Ajouter"}, {2, "Supprimer"}, {3, "Effacer liste images"}});
    liste("Mnfichiers", SansIndex, "MnuFIC",
          {{4, "Charger image presse papier"},
           {5, "Charger Ref Couleur"},
           {6, "Sauver Ref Couleur"}});
    sep("Mnfichiers", SansIndex, "MnuFIC", 7);
    liste("Mnfichiers", SansIndex, "MnuFIC",
          {{8, "Sauver les paramètres"},
           {9, "Sauver la Trame"},
           {10, "Charger la trame"},
           {11, "Répertoire Image"},
           {12, "Quitter"}});

    barre("MnEdit", "Edition");
    liste("MnEdit", SansIndex, "MnuEDit",
          {{1, "Export grille sous ..."},
           {2, "Export grille"},
           {3, "Charger grille"},
           {4, "Etalonnage/Résolution"},
           {5, "Retrace"},
           {6, "Histogrammes"},
           {7, "Copie d'écran"},
           {8, "fich.CSV=> grille"}});

    barre("Mnfonctions", "Fonction");
    liste("Mnfonctions", SansIndex, "MnuFonc",
          {{1, "Mesure segment"}, {2, "Spores 2D"}, {3, "Spores 3D"}, {4, "Cystides"}});
    liste("MnuFonc", 4, "Cyst", {{1, "3 mesures"}, {2, "4 mesures"}, {3, "5 mesures"}});
    item("Mnfonctions", SansIndex, "MnuFonc", 5, "perso");
    item("MnuFonc", 5, "MnPers", 1, "Perso 1");
    item("MnuFonc", 5, "MnPers1", 2, "perso 2");
    item("Mnfonctions", SansIndex, "MnuFonc", 6, "Comptage");
    liste("MnuFonc", 6, "Mncp", {{1, "simple"}, {2, "bosses"}});
    item("Mnfonctions", SansIndex, "MnuFonc", 7, "Densité");
    liste("MnuFonc", 7, "MnDens", {{1, "Ellipse"}, {2, "Rectangle"}});
    item("Mnfonctions", SansIndex, "MnuFonc", 20, "Tintaval");
    item("Mnfonctions", SansIndex, "MnuFonc", 21, "Surface");
    liste("MnuFonc", 21, "Mnusurf",
          {{1, "Triangle"}, {2, "Polygone auto"}, {3, "Polygone ouvert"}});

    barre("MnOptions", "Options");
    item("MnOptions", SansIndex, "MnuOpt", 1, "Fonction de démarrage");
    liste("MnuOpt", 1, "Fdemarrage",
          {{0, "Segments"},
           {1, "Spores 2D"},
           {2, "Spores 3D"},
           {3, "Cystides 3"},
           {4, "Cystides 4"},
           {5, "Cystides 5"},
           {20, "Tintaval"}});
    item("MnOptions", SansIndex, "MnuOpt", 2, "Format export");
    liste("MnuOpt", 2, "mnFormat", {{0, "CSV"}, {1, "TXT"}});
    item("MnOptions", SansIndex, "MnuOpt", 3, "taille grille");
    liste("MnuOpt", 3, "TgrilleMax", {{0, "63"}, {1, "127"}, {2, "255"}});
    item("MnOptions", SansIndex, "MnuOpt", 4, "Tolérance Clic");
    liste("MnuOpt", 4, "Pclic", {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}});
    item("MnOptions", SansIndex, "MnuOpt", 5, "Decimales");
    liste("MnuOpt", 5, "Mndecim", {{0, "auto"}, {1, "0"}, {2, "1"}, {3, "2"}});
    item("MnOptions", SansIndex, "MnuOpt", 6, "Langue");
    liste("MnuOpt", 6, "MnLang", {{1, "fr"}, {2, "it"}, {3, "es"}, {4, "de"}, {5, "en"}});
    item("MnOptions", SansIndex, "MnuOpt", 7, "Stats par défaut");
    liste("MnuOpt", 7, "statdef",
          {{1, "Nuage pts"}, {2, "histogramme"}, {3, "Diagramme"}, {4, "Tests"}});
    item("MnOptions", SansIndex, "MnuOpt", 8, "Sauvegarde Auto");
    liste("MnuOpt", 8, "MNSav", {{0, "Non"}, {1, "10"}, {2, "20"}});
    item("MnOptions", SansIndex, "MnuOpt", 10, "Notation éclair");
    liste("MnuOpt", 10, "NoTexp",
          {{1, "D1,9"},
           {2, "D1,5,9"},
           {3, "m ± sigma"},
           {4, "m ±1.96 sigma"},
           {5, "d1, Dominante, d9"}});
    item("MnOptions", SansIndex, "MnuOpt", 15, "Image par défaut");
    item("MnOptions", SansIndex, "MnuOpt", 16, "Copie d'écran ");
    liste("MnuOpt", 16, "Mn_Copie_Ecran", {{1, "Ecran"}, {2, "Zone de travail"}});
    item("MnOptions", SansIndex, "MnuOpt", 17, "format image export");
    liste("MnuOpt", 17, "F_Img",
          {{0, "BMP"}, {1, "JPG"}, {2, "GIF"}, {3, "PNG"}, {4, "TIFF"}, {5, "PCX"}, {6, "TGA"}});
    item("MnOptions", SansIndex, "MnuOpt", 18, "Machine rapide");

    barre("OptnMchrt", "Options Tablouve");
    item("OptnMchrt", SansIndex, "MnuChrt", 1, "**");
    liste("OptnMchrt", SansIndex, "MnuChrt", {{2, "Charger nuancier "}, {3, "Sauver nuancier"}});
    item("OptnMchrt", SansIndex, "MnuChrt", 4, "**");
    item("OptnMchrt", SansIndex, "MnuChrt", 5, "Zone échantillon couleur");
    liste("MnuChrt", 5, "Lrg",
          {{1, "8x8"}, {2, "16x16"}, {3, "32x32"}, {4, "64x64"}, {5, "128x128"}, {6, "256x256"}});
    liste("OptnMchrt", SansIndex, "MnuChrt",
          {{6, "charger un  étalon couleur "},
           {7, "charger un fichier scanner "},
           {8, "Valider le calibrage scanner"}});

    barre("MnOutils", "Outils");
    item("MnOutils", SansIndex, "Mntool", 1, "copie écran");
    item("MnOutils", SansIndex, "Mntool", 2, "Illustrer");
    liste("Mntool", 2, "Illus",
          {{1, "Référence Simple"},
           {2, "Référence orientée"},
           {3, "**"},
           {4, "Texte"},
           {5, "Choix police"},
           {6, "fichier"}});
    item("Mntool", 2, "IllusSrc", 7, "Insertion Illust.Image");
    liste("Mntool", 2, "CalSrc",
          {{1, "active la référence sur image"}, {2, "sto. auto"}, {3, "taille trace"}});
    liste("CalSrc", 3, "TTrace", {{1, "1"}, {2, "2"}, {5, "5"}});
    liste("MnOutils", SansIndex, "Mntool",
          {{3, "Groupage MC"},
           {4, "maj grille"},
           {5, "Numerelle"},
           {6, "caliibr => groupe MC"},
           {7, "**"},
           {8, "**"},
           {9, "**"},
           {10, "commenter la grille"},
           {11, "**"},
           {12, "Chromatogrammes"}});

    barre("Mnaide", "Aide");
    liste("Mnaide", SansIndex, "Mnuaide",
          {{1, "AIDE"}, {2, "Liste clés"}, {3, "Documentation"}, {4, "Doc Pus"}, {5, "Pas à Pas"}});
    barre("MnApropos", "A propos ...");

    // Context menus of the image box.
    m.push_back({"PopEtalon", SansIndex, {}, SansIndex, {}, false, true});
    liste(
        "PopEtalon", SansIndex, "PopOrg",
        {{1, "Longueur"}, {2, "Reprendre"}, {3, "Cumul"}, {4, "Valider"}, {5, "Annuler/Retracer"}});
    m.push_back({"pop3D", SansIndex, {}, SansIndex, {}, false, true});
    liste("pop3D", SansIndex, "PopExt", {{1, "Largeur"}, {2, "épaisseur"}});
    for (auto& e : m)
        if (e.parent == "PopEtalon" || e.parent == "pop3D") e.contextuel = true;
    return m;
}

struct Design {
    const char* nom;
    int index;
    const char* texte;
    bool visible;
};

// Every control of the window that is not a menu item, with its design caption.
const Design kControles[] = {
    {"frmMesure", SansIndex, "Orvelle", true},
    {"StatusBar1", SansIndex, "", true},
    {"Picture1", SansIndex, "", true},
    {"GrilleRef", SansIndex, "", true},
    {"GrilleRefP", SansIndex, "", true},
    {"MGrille", SansIndex, "", true},
    {"FraFlash", SansIndex, "", false},
    {"lblLabelflashx", SansIndex, "", true},
    {"cmdFlash", SansIndex, "", true},
    {"FraListeImg", SansIndex, "Images", false},
    {"FraRep", SansIndex, "", false},
    {"FraMC", 0, "Groupage Multicouche", false},
    {"FraZelk", SansIndex, "", false},
    {"FraCharte", SansIndex, "", false},
    {"FraResultats", SansIndex, "", false},
    // Panels.
    {"Frame", 1, "", true},
    {"Frame", 2, "Dimensions image (pixels)", true},
    {"Frame", 6, "", false},
    {"Frame", 7, "Calibrage ", false},
    {"Frame", 8, "Dialogue", false},
    {"Frame", 9, "Bienvenue sur Orvelle", true},
    {"Frame", 10, "", false},
    {"Frame", 11, "Mode calibrage", true},
    {"Frame", 13, "DialogueBis", false},
    {"Frame", 14, "correction calibrage", false},
    // Buttons.
    {"bout", 1, "retrace", true},
    {"bout", 2, "<=", true},
    {"bout", 4, "loupe", true},
    {"bout", 6, "Editer le fichier de calibrage", true},
    {"bout", 7, "Voir Options", true},
    {"bout", 9, "", true},
    {"bout", 10, "Etalonner", true},
    {"bout", 12, "Couleur1", true},
    {"bout", 13, "Couleur2", true},
    {"bout", 14, "Cherche", true},
    {"bout", 15, "Eff.  ligne", true},
    {"bout", 16, "Raz gril.", true},
    {"bout", 17, "Raz tout", true},
    {"bout", 19, "Quitter calibrage", true},
    {"bout", 20, "Valider", true},
    {"bout", 21, "0 entrée  coefficient de calibrage", true},
    {"bout", 22, "1 Balance des blancs", true},
    {"bout", 23, "Calibrage sur une portion d'image", true},
    {"bout", 24, "Charger  calibrage", true},
    {"bout", 25, "Sauvegarde", true},
    {"bout", 26, "5 correction/résolution", true},
    {"bout", 27, "Etalon. Objectif", true},
    {"bout", 31, "OK", true},
    {"bout", 32, "Annule", true},
    {"bout", 33, "", true},
    {"bout", 34, "", true},
    {"bout", 39, "", true},
    {"bout", 41, "Stock N", true},
    {"bout", 42, "", true},
    {"bout", 43, "", true},
    {"bout", 44, "Corrrection calibrage", true},
    {"Bout_dial", 8, "", true},
    {"Bout_dial", 28, "Valider", true},
    {"Bout_dial", 29, "annuler", true},
    {"Bout_dial", 30, "Raz commentaire", true},
    // Text fields.
    {"TBox", 0, "", true},
    {"TBox", 1, "", true},
    {"TBox", 2, "", true},
    {"TBox", 3, "", true},
    {"TBox", 4, "", true},
    {"TBox", 5, "", true},
    {"TBox", 6, "", true},
    {"TBox", 7, "", true},
    {"TBox", 8, "", true},
    {"TBox", 10, "", true},
    {"Text4", SansIndex, "", true},
    {"lblCommentaire", SansIndex, "entrez le commentaire", true},
    {"VScroll2", SansIndex, "", true},
    // Check boxes and option buttons.
    {"Check", 2, "AutoRetrace", true},
    {"Check", 3, "Calc..stat.", true},
    {"Check", 4, "ignorer au démarrage", true},
    {"Check2", SansIndex, "Poly", true},
    {"Affmesure", SansIndex, "insère dim", true},
    {"Optn", 1, "Ind. Dim.", true},
    {"Optn", 2, "Ind. Res.", true},
    {"Optn", 3, "Calibrage / longueur", true},
    {"Optn", 4, "Calibrage / graduations", true},
    {"Optn", 5, "Palmer", true},
    {"Optn", 6, "Bipoint", true},
    {"chkMC", 0, "mode MC", true},
    {"chkMC", 1, "Img MC", true},
    {"CheckCalibre", SansIndex, "Calibré", true},
    // Labels.
    {"label", 2, "", true},
    {"label", 3, "", true},
    {"label", 5, "cal.", true},
    {"label", 7, "", true},
    {"label", 8, "", true},
    // Beside the field of the input dialogue: the unit typed, the segment in picture pixels.
    {"lblUniteCalib", SansIndex, "", true},
    {"lblPixelsCalib", SansIndex, "", true},
    {"label", 9, "", true},
    {"label", 11, "X Obj.", true},
    {"Label6", 1, "", true},
    {"Label8", 1, "", true},
    {"lblWidth", SansIndex, "", true},
    {"lblHeight", SansIndex, "", true},
    {"lblFichier", SansIndex, "", false},
    {"labNomFic", SansIndex, "", true},
    {"listImgTxt", SansIndex, "", true},
    {"repText1", SansIndex, "", true},
    // Image view.
    {"Czoom", 0, "Z+", true},
    {"Czoom", 1, "Z-", true},
    {"Czoom", 2, "Z1", true},
    {"Czoom", 3, "<<", true},
    {"Command4", 0, "Rappel écran", true},
    {"VignP", SansIndex, "", true},
    {"PLoupePic", SansIndex, "", true},
    {"Picture2", SansIndex, "", true},
    {"Vald", 2, "Enregistre", true},
    {"Vald", 3, "Ferme", true},
    {"ListIMGchar", SansIndex, "", true},
    {"ListImgAff", SansIndex, "", true},
    {"ListCalib", SansIndex, "", true},
    {"ListImgMC", SansIndex, "", true},
    {"ListImgIdx", SansIndex, "", false},
    {"ListRep", SansIndex, "", true},
    {"RepDrive", SansIndex, "", true},
    {"RepDir", SansIndex, "", true},
    {"cmdRep", 0, "Charger", true},
    {"cmdRep", 1, "Répertoire", true},
    {"cmdRep", 2, "Fermer", true},
    {"Command1", 0, "", true},
    {"Command1", 1, "Annuler", true},
    {"BoutMC", 0, ">", true},
    {"BoutMC", 1, "<", true},
    {"BoutMC", 2, ">>", true},
    {"BoutMC", 3, "<<", true},
    {"BoutMC", 4, "OK", true},
    {"cmdChargeMC", SansIndex, "", true},
    {"cmdStat", SansIndex, "", true},
    {"cmdTest", SansIndex, "", true},
    {"copie", SansIndex, "", true},
    {"Bout_Symb", SansIndex, "", false},
    {"VScroll3", 0, "", true},
    // Colour panel buttons and check boxes, captioned from the colour texts 0..6.
    {"CouleurPanneau", 0, "", true},
    {"CouleurPanneau", 1, "", true},
    {"CouleurPanneau", 2, "", true},
    {"CouleurPanneau", 3, "", true},
    {"CouleurPanneau", 4, "", true},
    {"CouleurPanneau", 5, "", true},
    {"CouleurPanneau", 6, "", true},
};

} // namespace

const std::vector<ElementMenu>& ArbreMenus() {
    static const std::vector<ElementMenu> arbre = ConstruitArbre();
    return arbre;
}

void DeclareControles(Controles& c) {
    for (const auto& e : ArbreMenus()) c.Declare(e.nom, e.index, e.separateur ? "" : e.texte);
    for (const auto& d : kControles) c.Declare(d.nom, d.index, d.texte, d.visible);
}

} // namespace orv
