// orvelle-cli: the program's core without a window, for batch work and scripts.
#include "app/DossierProgramme.h"
#include "base/Nombres.h"
#include "cli/CommandesCli.h"
#include "cli/CommandesContour.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kAide =
    "usage: orvelle-cli [options] COMMAND INPUT [command options]\n"
    "\n"
    "Orvelle's measuring core without a window.\n"
    "\n"
    "commands:\n"
    "  export INPUT [-o OUTPUT] [--txt] [--force] [--comment TEXT]\n"
    "               writes the export of INPUT exactly as the program's export command\n"
    "               does; INPUT is a grid file (.trm: its images located as the program\n"
    "               locates them, every value recomputed from its points) or an export\n"
    "               (CSV or TXT) read as the program's import reads it. Default OUTPUT:\n"
    "               beside INPUT, with the export extension\n"
    "               (csv, or txt with --txt); OUTPUT may not be INPUT itself, an\n"
    "               existing OUTPUT is only replaced with --force, and only when it is\n"
    "               a regular file; -o - writes to the standard output. --comment\n"
    "               gives the export comment of the header.\n"
    "  results INPUT\n"
    "               prints the results text (statistics and notation) of INPUT\n"
    "  colour IMAGE X Y [--side N]\n"
    "               prints the colour sample the colour function takes when pixel\n"
    "               (X, Y) of IMAGE is clicked (0 0: the top-left pixel of the picture\n"
    "               upright, as the window shows it), one line: R V B L a b zone S.\n"
    "               N: the zone's side, 2, 4, 8, 16, 32 or 64 pixels; default: the\n"
    "               settings' zone (8). zone is the side, or the number of pixels\n"
    "               averaged where the square runs over the picture's edge\n"
    "  detect IMAGE [--scale UM_PER_PX] [--region X Y W H] [--min-length L]\n"
    "               [--max-length L] [-o WORK.trm] [--force]\n"
    "               finds the spores of IMAGE (or of the region, pixels from its top-left\n"
    "               corner) that stand alone and measures them on their outline, where the\n"
    "               grey rises fastest from the wall to the medium; one line each, in\n"
    "               reading order: x y length width Q angle score. x y: the centre, pixels\n"
    "               from the picture's top-left corner; length and width: the outline's\n"
    "               axes, micrometres with --scale (micrometres per pixel), else pixels;\n"
    "               angle: of the length, degrees clockwise from the x axis; score: 0-1.\n"
    "               L in the unit of the output; default from 20 pixels to half the\n"
    "               region's shorter side. What was left out, by reason, goes to standard\n"
    "               error. -o writes a grid file (Spores 2D, comment \"auto\") that the\n"
    "               window opens with the spores marked; it is replaced only with --force\n"
    "  graduations IMAGE X1 Y1 X2 Y2\n"
    "               prints the period of a micrometer's graduations along the line from\n"
    "               (X1, Y1) to (X2, Y2) (pixels from the picture's top-left corner), then\n"
    "               the divisions found and their spread: period divisions spread (pixels,\n"
    "               the period measured square to the graduations). Exit status 1 when the\n"
    "               line crosses no graduations or fewer than two divisions\n"
    "\n"
    "options (before or after the command's own arguments):\n"
    "  --notation N             notation form 1-5 (D1,9; D1,5,9; m ± sigma; m ±1.96 sigma;\n"
    "                           d1, Dominante, d9); default 1, as in the window. Below\n"
    "                           11 measures the program always writes m ± sigma.\n"
    "  --decimals D             decimals of the statistics, 0, 1 or 2; default: the\n"
    "                           settings' format\n"
    "  --home DIR               program folder (settings Zelk.dat, language files); the\n"
    "                           settings are read, never written. Default: ORVELLE_HOME,\n"
    "                           else the executable's folder when writable, else\n"
    "                           ~/.local/share/orvelle\n"
    "  --lang CODE              language (fr, it, es, de, en), over the settings' language\n"
    "  --decimal-separator C    ',' or '.' for the numbers written; default: the decimal\n"
    "                           separator of the user's locale (LC_ALL, LC_NUMERIC,\n"
    "                           LANG), '.' when it is not installed or is C/POSIX\n"
    "  --version                print the version and exit\n"
    "  --help                   print this help and exit\n"
    "\n"
    "Exit status: 0 done; 1 the output could not be written (graduations: none found);\n"
    "2 the input is missing, unreadable or malformed, or the command line is wrong\n"
    "(one line on standard error). Nothing is written on failure: files are replaced\n"
    "atomically.\n";

std::string DossierExecutable() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string chemin(buf, static_cast<size_t>(n));
    const auto p = chemin.rfind('/');
    return p == std::string::npos ? std::string() : chemin.substr(0, p);
}

int Erreur(const std::string& message) {
    std::fprintf(stderr, "orvelle-cli: %s\n", message.c_str());
    return 2;
}

// The decimal separator of the user's locale; the process keeps the C locale.
char SeparateurLocale() {
    char sep = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::lconv* lc = std::localeconv();
        if (lc && lc->decimal_point && (lc->decimal_point[0] == ',' || lc->decimal_point[0] == '.'))
            sep = lc->decimal_point[0];
    }
    std::setlocale(LC_NUMERIC, "C");
    return sep;
}

// A language code names the file Zelk2_<code>.lng: letters only.
bool CodeLangue(const std::string& code) {
    if (code.empty() || code.size() > 8) return false;
    for (char c : code)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    return true;
}

std::optional<int> Entier(const std::string& texte, int min, int max) {
    if (texte.size() != 1 || texte[0] < '0' || texte[0] > '9') return std::nullopt;
    const int v = texte[0] - '0';
    if (v < min || v > max) return std::nullopt;
    return v;
}

// A whole number of up to 6 digits, with its sign.
std::optional<long> Nombre(const std::string& texte) {
    const bool negatif = !texte.empty() && texte[0] == '-';
    const std::string chiffres = negatif ? texte.substr(1) : texte;
    if (chiffres.empty() || chiffres.size() > 6) return std::nullopt;
    long v = 0;
    for (char c : chiffres) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negatif ? -v : v;
}

// A decimal number (',' or '.'), finite.
std::optional<double> Decimal(const std::string& texte) {
    const auto v = orv::LitNombreStrict(texte);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

// A whole number, possibly negative (a region may be given off the picture).
std::optional<long> EntierSigne(const std::string& texte) {
    return orv::LitEntierStrict(texte);
}

} // namespace

int main(int argc, char** argv) {
    using namespace orv::cli;
    std::optional<std::string> home;
    std::optional<std::string> langue;
    std::optional<char> separateur;
    OptionsSession session;
    OptionsExport ex;
    std::vector<std::string> optionsExport;    // given, to refuse them with another command
    std::optional<int> cote;                   // --side of the colour command
    OptionsDetection detection;                // detect's own options
    std::vector<std::string> optionsDetection; // given, to refuse them with another command
    std::vector<std::string> arguments;

    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--version") {
            std::printf("orvelle-cli %s\n", ORVELLE_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(kAide, stdout);
            return 0;
        }
        // "--name=value" and "--name value" alike.
        std::optional<std::string> valeurJointe;
        if (a.rfind("--", 0) == 0 && a.find('=') != std::string::npos) {
            valeurJointe = a.substr(a.find('=') + 1);
            a = a.substr(0, a.find('='));
        }
        auto valeur = [&](const std::string& besoin) -> std::optional<std::string> {
            if (valeurJointe) return valeurJointe;
            if (i + 1 >= argc) {
                Erreur(a + " needs " + besoin);
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (a == "--home") {
            if (!(home = valeur("a folder"))) return 2;
        } else if (a == "--lang") {
            if (!(langue = valeur("a language code"))) return 2;
            if (!CodeLangue(*langue))
                return Erreur("--lang: '" + *langue + "' is not a language code");
        } else if (a == "--decimal-separator") {
            const auto v = valeur("',' or '.'");
            if (!v) return 2;
            if (*v != "," && *v != ".") return Erreur("--decimal-separator: give ',' or '.'");
            separateur = (*v)[0];
        } else if (a == "--notation") {
            const auto v = valeur("a form 1-5");
            if (!v) return 2;
            const auto n = Entier(*v, 1, 5);
            if (!n) return Erreur("--notation: give a form from 1 to 5");
            session.notation = *n;
        } else if (a == "--decimals") {
            const auto v = valeur("0, 1 or 2");
            if (!v) return 2;
            const auto n = Entier(*v, 0, 2);
            if (!n) return Erreur("--decimals: give 0, 1 or 2");
            session.decimales = n;
        } else if (a == "--side") {
            const auto v = valeur("a side 2-64");
            if (!v) return 2;
            const auto n = Nombre(*v);
            if (!n) return Erreur("--side: give 2, 4, 8, 16, 32 or 64");
            cote = static_cast<int>(*n);
        } else if (a == "--scale" || a == "--min-length" || a == "--max-length") {
            const auto v = valeur("a number");
            if (!v) return 2;
            const auto n = Decimal(*v);
            if (!n || *n <= 0) return Erreur(a + ": '" + *v + "' is not a number above 0");
            (a == "--scale"        ? detection.echelle
             : a == "--min-length" ? detection.longueurMin
                                   : detection.longueurMax) = *n;
            optionsDetection.push_back(a);
        } else if (a == "--region") {
            if (valeurJointe) return Erreur("--region takes four numbers: X Y W H");
            if (i + 4 >= argc) return Erreur("--region needs X Y W H");
            RegionCli r;
            long* champs[] = {&r.x, &r.y, &r.largeur, &r.hauteur};
            for (long* c : champs) {
                const std::string t = argv[++i];
                const auto n = EntierSigne(t);
                if (!n) return Erreur("--region: '" + t + "' is not a whole number of pixels");
                *c = *n;
            }
            detection.region = r;
            optionsDetection.push_back(a);
        } else if (a == "-o" || a == "--output") {
            if (!(ex.sortie = valeur("an output file"))) return 2;
            optionsExport.push_back(a);
        } else if (a == "--comment") {
            const auto v = valeur("a text");
            if (!v) return 2;
            ex.commentaire = *v;
            optionsExport.push_back(a);
        } else if (a == "--txt" || a == "--force") {
            if (valeurJointe) return Erreur(a + " takes no value");
            (a == "--txt" ? ex.txt : ex.remplace) = true;
            optionsExport.push_back(a);
        } else if (a.size() > 1 && a[0] == '-' && !Decimal(a)) {
            // A negative number is an argument (a point left of the picture).
            return Erreur("unknown option '" + a + "' (see --help)");
        } else {
            arguments.push_back(a);
        }
    }
    const auto dossier = orv::DossierProgramme(home, DossierExecutable());
    if (!dossier)
        return Erreur("no program folder could be found or created; give one with --home DIR");
    if (arguments.empty()) {
        std::fputs(kAide, stdout);
        return 0;
    }
    const std::string commande = arguments.front();
    if (commande != "export" && commande != "results" && commande != "colour" &&
        commande != "detect" && commande != "graduations")
        return Erreur("unknown command '" + commande + "' (see --help)");
    if (commande != "colour" && cote) return Erreur("--side belongs to the colour command");
    if (commande != "detect" && !optionsDetection.empty())
        return Erreur(optionsDetection.front() + " belongs to the detect command");
    if (commande != "colour" && commande != "graduations") {
        if (arguments.size() < 2) return Erreur(commande + " needs an INPUT file (see --help)");
        if (arguments.size() > 2) return Erreur("unexpected argument '" + arguments[2] + "'");
    }

    session.dossier = *dossier;
    session.donnees = orv::DossierDonnees(DossierExecutable());
    session.langue = langue;
    session.separateur = separateur ? *separateur : SeparateurLocale();
    if (commande == "colour") {
        if (!optionsExport.empty())
            return Erreur(optionsExport.front() + " belongs to the export command");
        if (arguments.size() != 4) return Erreur("colour needs IMAGE X Y (see --help)");
        OptionsCouleur c{arguments[1], 0, 0, cote};
        const auto x = Nombre(arguments[2]), y = Nombre(arguments[3]);
        if (!x || !y) return Erreur("colour: X and Y are whole pixel numbers");
        c.x = *x;
        c.y = *y;
        return CommandeCouleur(session, c);
    }
    if (commande == "export") {
        ex.entree = arguments[1];
        return CommandeExport(session, ex);
    }
    if (commande == "detect") {
        // Of export's options, detect takes -o and --force.
        for (const auto& opt : optionsExport)
            if (opt != "-o" && opt != "--output" && opt != "--force")
                return Erreur(opt + " belongs to the export command");
        detection.image = arguments[1];
        detection.sortie = ex.sortie;
        detection.remplace = ex.remplace;
        return CommandeDetecte(session, detection);
    }
    if (commande == "graduations") {
        if (!optionsExport.empty())
            return Erreur(optionsExport.front() + " belongs to the export command");
        if (arguments.size() != 6)
            return Erreur("graduations needs IMAGE X1 Y1 X2 Y2 (see --help)");
        OptionsGraduations g;
        g.image = arguments[1];
        double* champs[] = {&g.x1, &g.y1, &g.x2, &g.y2};
        for (std::size_t k = 0; k < 4; ++k) {
            const auto n = Decimal(arguments[k + 2]);
            if (!n)
                return Erreur("graduations: '" + arguments[k + 2] + "' is not a number of pixels");
            *champs[k] = *n;
        }
        return CommandeGraduations(session, g);
    }
    if (!optionsExport.empty())
        return Erreur(optionsExport.front() + " belongs to the export command");
    return CommandeResultats(session, arguments[1]);
}
