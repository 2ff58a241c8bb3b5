// Numbers of the message table entries the program uses, by what they say.
// The French text of each is in interface/TextesFrancais.cpp; a language file
// may replace it, so code never copies the text itself.
#pragma once

namespace orv::msg {

inline constexpr int APropos = 1;          // " à propos ..."
inline constexpr int AideTouches = 2;      // " Espace : grille", first of the key help lines
inline constexpr int AideToucheLoupe = 7;  // " <> : loupe x2"
inline constexpr int AideTouchesFin = 11;  // " E : mode 3D, épaisseur", the last one
inline constexpr int MemoClesFin = 13;     // the key memo shows 2 to 13 (12 and 13 are empty)
inline constexpr int Largeur = 20;         // " largeur"
inline constexpr int Epaisseur = 21;       // " épaisseur"
inline constexpr int OptionsTablouve = 55; // "Options Tablouve***"
// Entry 55 then holds the prompt of the active function (SelectionneFonction).
inline constexpr int InviteFonction = 55;
inline constexpr int MesureSegment = 56;        // "mesure Segment"
inline constexpr int MesureSpore2D = 57;        // "mesure Spore 2D"
inline constexpr int MesureSpore3D = 58;        // "mesure Spore 3D"
inline constexpr int MesureCystide3 = 59;       // "mesure Cystide 3"
inline constexpr int MesureCystide4 = 60;       // "mesure Cystide 4"
inline constexpr int MesureCystide5 = 61;       // "mesure Cystide 5"
inline constexpr int FermerOptions = 66;        // "Presser ' Voir options ' pour fermer***"
inline constexpr int FermerGroupe = 68;         // " Presser 'groupe MC' pour fermer***"
inline constexpr int ZoneCouleur = 70;          // "Déplacer le carré sur la  zone à mesurer..."
inline constexpr int ImageEnCours = 71;         // "Image en cours : ***"
inline constexpr int MarquerSurface = 72;       // " 1° marquer la surface ***"
inline constexpr int CompterValider = 73;       // " 2° clic Gauche = compter ; ..."
inline constexpr int TexteAInserer = 74;        // "texte à insérer***"
inline constexpr int DimensionDifferente = 75;  // "L'image chargée a une dimension différente..."
inline constexpr int PressePapierVide = 76;     // "Le presse papier ne contient pas d'image valide"
inline constexpr int Alerte = 101;              // "alerte "
inline constexpr int EntrezCommentaire = 102;   // "entrez le commentaire"
inline constexpr int Continuer = 106;           // continue?
inline constexpr int Cal = 108;                 // "Cal.="
inline constexpr int Calibrage = 109;           // "calibrage"
inline constexpr int CalibrageActuel = 110;     // "Calibrage actuel"
inline constexpr int ChargementCalibrage = 112; // "Chargement fichier de calibrage"
inline constexpr int CoefficientCorrection = 113;
inline constexpr int Creation = 114;             // "création"
inline constexpr int Dissymetrie = 115;          // "Diss"
inline constexpr int Ecraser = 116;              // "écraser le fichier existant ?"
inline constexpr int EnregistrementGrille = 119; // "Enregistrement grille"
inline constexpr int EntrerCommentaireCalibrage = 121;
inline constexpr int Fichier = 126;        // "fichier"
inline constexpr int FiltreImages = 128;   // "Fichiers ..."
inline constexpr int Fonction = 129;       // "Fonction : "
inline constexpr int RienAExporter = 130;  // "Il n'y a rien à exporter"
inline constexpr int ImagesChargees = 131; // "Images chargées"
inline constexpr int Index = 132;          // "index"
inline constexpr int Kurtosis = 133;       // "Kurt"
inline constexpr int CommentaireSansEgal =
    135;                                     // "le commentaire ne doit pas contenir de signe ' = "
inline constexpr int CoefficientNul = 136;   // "Attention. Coefficient de calibrage = 0 "
inline constexpr int CalibrageAbsent = 137;  // "le fichier de calibrage n'existe pas"
inline constexpr int Logiciel = 139;         // "Logiciel de mesure de spores"
inline constexpr int Maximum = 140;          // "Max"
inline constexpr int FonctionCystide3 = 141; // descriptors built at start
inline constexpr int FonctionCystide4 = 142;
inline constexpr int FonctionCystide5 = 143;
inline constexpr int ErreurFichier = 144; // "erreur fichier"
inline constexpr int FonctionSegment = 146;
inline constexpr int FonctionSpore2D = 147;
inline constexpr int FonctionSpore3D = 148;
inline constexpr int Mesures = 150;           // "mesures"
inline constexpr int Moyenne = 151;           // "Moy"
inline constexpr int Titre = 152;             // "Orvelle"
inline constexpr int ChargementImage = 157;   // "Problème de chargement du fichier image  "
inline constexpr int TousFichiers = 159;      // "Tous les fichiers (*.*)|*.*"
inline constexpr int QuitterRelancer = 160;   // "quitter et relancer Orvelle"
inline constexpr int Quitter = 161;           // "Voulez-vous vraiment quitter Orvelle ?"
inline constexpr int PointerExtremite = 163;  // "pointer l'extrémité"
inline constexpr int PointerEtalon = 164;     // "pointer les extrémités du segment étalon"
inline constexpr int PointerDivisions = 165;  // "pointer N divisions du micromètre oculaire"
inline constexpr int MarquerPoint = 166;      // "Marquer un point"
inline constexpr int ChoisirCommande = 169;   // "choisir une commande ou marquer un point"
inline constexpr int DivisionsObjectif = 170; // "entrer le nombre de division pour l'objectif x "
inline constexpr int EntrerLongueur = 171;    // "entrer la longueur"
inline constexpr int LongueurEtalon = 172;    // "entrer la longueur de l'étalon"
inline constexpr int NombreDivisions = 173;   // "entrer le nombre de divisions"
inline constexpr int GrilleCompleteOptions = 174; // "grille pleine - cf options"
inline constexpr int ResolutionIncompatible = 176;
inline constexpr int Introuvable = 177;        // " introuvable"
inline constexpr int MesureInachevee = 178;    // " mesure inachevée"
inline constexpr int UneDivision = 181;        // " 1 division représente "
inline constexpr int ErreurLangue = 182;       // " erreur dans le fichier de langues : "
inline constexpr int ChoisirCalibrage = 183;   // " Choisir le calibrage dans la liste puis valider"
inline constexpr int ValiderCoefficient = 184; // " Valider le coefficient de calibrage"
inline constexpr int TableOccupee = 185;       // "  La table actuelle contient des données"
inline constexpr int Documentation = 186;      // "documentation"
inline constexpr int LaGrille = 188;           // " la grille "
inline constexpr int LaListeImages = 189;      // " la liste d'images "
inline constexpr int Effacer = 190;            // "effacer"
inline constexpr int LongueurReference = 192;  // "longueur de référence"
inline constexpr int DebutReference = 194;     // "placer le curseur au début du segment..."
inline constexpr int GroupeVide = 200;         // "Le chargeur MC est vide"
inline constexpr int AppliquerGroupe = 201;    // "Appliquer le calibrage de l'image à toutes..."
inline constexpr int Marquer = 202;            // "marquer "
inline constexpr int BossesInternes = 203;     // "les bosses internes"
inline constexpr int BossesExternes = 204;     // "les bosses externes"
inline constexpr int ElementDesire = 205;      // "l'élément désiré"
inline constexpr int ValiderCompte = 207;      // " clic droit pour valider le compte"
inline constexpr int ErreurDonneeCalibrage = 208; // " erreur donnée de calibrage"
inline constexpr int NonTrouve = 209;             // "non trouvé"
inline constexpr int ResolutionCorrigee = 210;    // "résolution écran corrigée"
inline constexpr int GrilleSauvee = 214;          // " grille pleine- trame sauvée"
inline constexpr int GrillePleine = 215;          // "grille pleine"
inline constexpr int SurfaceNulle = 216;          // " surface nulle ! Retracer le cadre"
inline constexpr int ScannerCalibre = 217;        // "Attention ! ... l'étalonnage du scanner ..."
inline constexpr int NuancierNonCalibre = 218;    // "Attention ! ... la mesure du Nuancier ..."
inline constexpr int DonneeIncorrecte = 223;      // "donnée vide ou incorrecte"
inline constexpr int PolygoneAutoInvite = 232; // "Polygone : 1er clic au centre, ... pour fermer"
inline constexpr int PolygoneOuvertInvite = 233;

} // namespace orv::msg

namespace orv::mnu {

inline constexpr int AjouterBloc = 2;
inline constexpr int Ajouter = 3;
inline constexpr int ChoisirLe = 5; // "Choisir le "
inline constexpr int ValeurInvalide = 6;
inline constexpr int Ligne = 13;
inline constexpr int ChargementAide = 18; // "pb chargement fic.aide"
inline constexpr int EnteteCalibrage = 14;
inline constexpr int ImagesInutilisees = 11;
inline constexpr int LecteurInconnu = 12;
inline constexpr int ParametreSauvegarde = 17; // "paramètre sauvegardé"
inline constexpr int Repertoire = 20;          // "Répertoire "
inline constexpr int Image = 21;
inline constexpr int SauvegardeAuto = 22;
inline constexpr int Valider = 24;
inline constexpr int SupprimerInutiles = 25;
inline constexpr int Mesures = 40;  // "mesures" of the cystidia entries
inline constexpr int ModeMC = 45;   // "Mode MC"
inline constexpr int Tablouve = 55; // "Options Tablouve***"
inline constexpr int Tintaval = 95; // the colour entry of the start-up menu
// Texts the window shows beyond the numbered ones of old, 110 onwards.
inline constexpr int Bienvenue = 110;            // "Bienvenue sur Orvelle"
inline constexpr int MarquerElement = 111;       // "marquer l'élément"
inline constexpr int MarquerZoneCouleur = 112;   // " marquer la zone couleur à mesurer"
inline constexpr int DescripteurComptage1 = 113; // "Comptage-1$4$NB1$img $comment$"
inline constexpr int DescripteurComptage2 = 114; // "Comptage-2$6$..."
inline constexpr int DescripteurDensiteEllipse = 115;
inline constexpr int DescripteurDensiteRectangle = 116;
inline constexpr int DescripteurTriangle = 117;
inline constexpr int DescripteurPolygone = 118;
inline constexpr int DescripteurTintaval = 119;
inline constexpr int Mediane = 120;                // "médiane"
inline constexpr int CorrectionCalibrage = 121;    // "Correction calibrage"
inline constexpr int FermerCorrection = 122;       // "fermer correction"
inline constexpr int SansFichierCalibrage = 123;   // "Etalonner et sauver le calibrage..."
inline constexpr int ImageDeLaLigne = 124;         // "image : "
inline constexpr int Attention = 125;              // "Attention !"
inline constexpr int TrameNonSauvee = 126;         // "trame non sauvée : "
inline constexpr int Lues = 127;                   // "lues"
inline constexpr int Ignorees = 128;               // "ignorées"
inline constexpr int NonImplante = 129;            // "** non implanté **!"
inline constexpr int ImageParDefaut = 130;         // "image actuelle comme image par défaut ? "
inline constexpr int CSVImporte = 131;             // "CSV importé : "
inline constexpr int NotationLongueur = 132;       // "Longueur :"
inline constexpr int NotationLargeur = 133;        // "largeur : "
inline constexpr int NotationEpaisseur = 134;      // "Epaisseur : "
inline constexpr int NotationBase = 135;           // "Base : "
inline constexpr int NotationCol = 136;            // "Col : "
inline constexpr int NotationSurface = 137;        // "Surface :"
inline constexpr int NotationPerimetre = 138;      // "périmètre : "
inline constexpr int NotationAngle = 139;          // "Angle : "
inline constexpr int NonCalibre = 140;             // "non calibré"
inline constexpr int SegmentPointe = 141;          // "segment pointé : "
inline constexpr int Divisions = 142;              // "divisions"
inline constexpr int ModeGlisse = 143;             // "Déplacement de l'image : glisser..."
inline constexpr int MesuresNonSauvees = 144;      // "Les mesures de la grille ne sont pas..."
inline constexpr int SauverAvantDeQuitter = 145;   // "Les sauver avant de quitter ?"
inline constexpr int ImageIncomplete = 146;        // "Image incomplète : ..."
inline constexpr int PasUneImage = 147;            // "ce fichier n'est pas une image lisible"
inline constexpr int QuestionModeResolution = 148; // "La grille contient des mesures : ..."
inline constexpr int TaillesChangees = 149;        // "Ces images n'ont plus la taille..."
inline constexpr int RecalculerTailles = 150;      // "Recalculer les mesures sur la taille..."
inline constexpr int Enregistree = 151;            // "enregistrée"
inline constexpr int TailleInconnue = 152;         // " et sa taille n'est pas enregistrée..."
inline constexpr int HorsChargeur = 153;           // " hors du chargeur (0 à 50)"
inline constexpr int EnDouble = 154;               // " en double"
inline constexpr int ChargeurPlein = 155;          // "Le chargeur contient déjà 50 images..."
inline constexpr int ImagesNonChargees = 156;      // " images de la trame non chargées..."
inline constexpr int MesuresDeconseillees = 157;   // " Poursuite des mesures déconseillée"
inline constexpr int AucuneSource = 158;           // "aucune source"
inline constexpr int EcranRefuse = 159;            // "La copie de l'écran entier n'est pas..."
inline constexpr int MemoCles = 170;               // "mémo clés"
inline constexpr int PasAPas = 171;                // "Pas à pas"
inline constexpr int GuidePremier = 172;           // the step-by-step guide's lines, 172..179
inline constexpr int GuideDernier = 179;
inline constexpr int Effacer = 180;              // "Effacer"
inline constexpr int ImagesNonAjoutees = 181;    // " images non ajoutées"
inline constexpr int Version = 182;              // "Version "
inline constexpr int Licence = 183;              // "Licence : "
inline constexpr int DossierDocumentation = 184; // "Documentation : "
// The colour function, 185 onwards.
inline constexpr int EnregistrementNuancier = 185; // "Enregistrement Nuancier"
inline constexpr int EnregistrementScanner = 186;  // "Enregistrement Calibrage Scanner"
inline constexpr int PasDansCetteVersion = 187;    // tooltip of the entries without behaviour
inline constexpr int CouleursIlisibles = 188;      // "Les couleurs de l'image ne peuvent..."
// The annotation, 190 onwards.
inline constexpr int DepassementCapacite = 190; // "dépassement de capacité"
inline constexpr int Commentaire = 191;         // "commentaire", the unit's prompt
inline constexpr int Microns = 192;             // "microns", the unit first offered

// Shape classes of spores and the distribution plots, 200-214.
inline constexpr int FormeGlobuleuse = 200;      // the six classes of Q, 200..205
inline constexpr int FormeCylindrique = 205;     // "cylindrique"
inline constexpr int FormeQMoyen = 206;          // "Forme, Q moyen "
inline constexpr int FormeDeciles = 207;         // "Forme, Q de D1 à D9 "
inline constexpr int FormeJusqua = 208;          // " à "
inline constexpr int SporesInsuffisantes = 209;  // "Moins de 20 spores mesurées..."
inline constexpr int ExporterPNG = 210;          // "Exporter en PNG..."
inline constexpr int ExporterSVG = 211;          // "Exporter en SVG..."
inline constexpr int NuageLongueurLargeur = 212; // "Longueur x largeur"
inline constexpr int Effectif = 213;             // "effectif"
// Undo and redo, the recent work, 215 onwards.
inline constexpr int AnnulerGrille = 215;     // "Annuler"
inline constexpr int RefaireGrille = 216;     // "Refaire"
inline constexpr int TramesRecentes = 217;    // "Trames récentes"
inline constexpr int ImagesRecentes = 218;    // "Images récentes"
inline constexpr int RecentIntrouvable = 219; // " est introuvable : retiré de la liste"
// The numbers and what users see of them, 240 onwards.
inline constexpr int ModeAbsent = 240; // "Mode de résolution absent du fichier, pris comme : "
// Tips of the buttons without a caption of their own, 241-246.
inline constexpr int InfobulleStatistiquesOrdre = 241; // "Statistiques d'ordre"
inline constexpr int InfobulleResultats = 242;         // "Résultats"
inline constexpr int InfobulleBasculeResultats = 243;  // "Afficher / masquer les résultats"
inline constexpr int InfobulleCopieNotation = 244;     // "Copier la notation"
inline constexpr int InfobulleCorrection = 245;        // "Appliquer le coefficient de correction"
inline constexpr int InfobulleGroupage = 246;          // "Afficher / masquer le groupage"
inline constexpr int Scanner = 247;                    // "Scanner : "
inline constexpr int EnregistrementCopie = 248;        // "Enregistrement de l'image référencée"
// "Image trop grande : %1 x %2 pixels demandent %3 Mo ... %4 Mo ..."
inline constexpr int ImageTropGrande = 249;
// Prompts, 250 onwards.
inline constexpr int PointerMaintenant = 250;   // "pointer maintenant : " and the next column
inline constexpr int DebutTexte = 251;          // "cliquer où le texte commence"
inline constexpr int TintavalAuDemarrage = 252; // "Tintaval démarre avec Orvelle : "
inline constexpr int SansLecteurPdf =
    253; // "Aucun lecteur de PDF n'a été trouvé ; le guide est ici : "
// Files refused and where the work goes, 300 onwards.
inline constexpr int FichierNonLu = 300;        // "Fichier non lu : "
inline constexpr int PasFichierOrdinaire = 301; // " n'est pas un fichier ordinaire"
inline constexpr int FichierTropGros = 302;     // " est trop gros ; taille permise (Mo) : "
inline constexpr int EcritesDans = 303;         // "Elles seront écrites dans : "
inline constexpr int TrameEnregistree = 304;    // "Trame enregistrée : "
inline constexpr int SauverTrameSous = 305;     // "Sauver la trame sous..."
inline constexpr int AcquisitionNonEcrite = 306; // "L'image acquise n'a pas pu être enregistrée : "
inline constexpr int CopieEnregistree = 307;     // "Image référencée enregistrée : "
// The tabs of the window's side column on a small screen, 308 onwards.
inline constexpr int OngletCommandes = 308; // "Commandes"
inline constexpr int OngletGrille = 309;    // "Grille"
// The undo step of a measure pointed on the picture: "Annuler mesure".
inline constexpr int PasMesure = 310; // "mesure"
// Measuring from the picture (snap, one click, find all and review), 320 onwards.
inline constexpr int SporesUnClic = 320;        // "Spores 2D en un clic"
inline constexpr int TrouveSpores = 321;        // "Trouver les spores..."
inline constexpr int AccepteSpores = 322;       // "Accepter les spores trouvées"
inline constexpr int AbandonneRecherche = 323;  // "Abandonner la recherche"
inline constexpr int AccrocheBord = 324;        // "Accroche au bord"
inline constexpr int InfobulleAccroche = 325;   // "Les extrémités d'un segment tiré vont..."
inline constexpr int CliquerDansSpore = 326;    // "cliquer dans une spore pour la mesurer"
inline constexpr int PasDeSpore = 327;          // "Pas de spore mesurée ici : "
inline constexpr int RefusIntrouvable = 328;    // "aucun contour fermé autour du point"
inline constexpr int RefusCoupee = 329;         // "coupée par le bord de l'image"
inline constexpr int RefusAccolees = 330;       // "accolée à une autre"
inline constexpr int RefusAmas = 331;           // "dans un amas"
inline constexpr int RefusFloue = 332;          // "floue"
inline constexpr int RefusDebris = 333;         // "débris, pas une spore"
inline constexpr int RefusHorsTaille = 334;     // "hors des longueurs cherchées"
inline constexpr int TracerZone = 335;          // "tracer le rectangle où chercher (un c..."
inline constexpr int RechercheProgres = 336;    // "recherche des spores : %1 % ; Échap :..."
inline constexpr int RechercheArretee = 337;    // "recherche arrêtée"
inline constexpr int BilanRecherche = 338;      // "%1 spores trouvées ; laissées de côté..."
inline constexpr int ConsigneRevue = 339;       // "clic : rejeter ou reprendre une spore..."
inline constexpr int SporesEcrites = 340;       // "%1 spores écrites dans la grille"
inline constexpr int SporesSansPlace = 341;     // "%1 spores n'ont pas trouvé place dans..."
inline constexpr int RechercheEnCours = 342;    // "une recherche est déjà en cours"
inline constexpr int LigneCommencee = 343;      // "terminer d'abord la ligne commencée"
inline constexpr int ImagePasPrete = 344;       // "l'image n'est pas encore prête"
inline constexpr int RechercheAbandonnee = 345; // "recherche abandonnée : l'image ou la ..."
inline constexpr int RevueAbandonnee = 346;     // "revue abandonnée : rien n'a été écrit"
inline constexpr int SporeMesuree = 347;        // "spore mesurée sur son contour, score ..."
// The calibration by the graduations' period, 360-389.
inline constexpr int OptionPeriode = 360;       // "Calibrage / période des graduations"
inline constexpr int TirerEchelle = 361;        // "tirer un trait le long de l'échelle..."
inline constexpr int PeriodeTrouvee = 362;      // "%1 divisions, période %2 px, ..."
inline constexpr int ParDivision = 363;         // "par division"
inline constexpr int PeriodeSansImage = 364;    // "L'image affichée n'a pas pu être lue..."
inline constexpr int PeriodeHorsImage = 365;    // "Le trait sort de l'image..."
inline constexpr int PeriodeAbsente = 366;      // "Aucune suite régulière de graduations..."
inline constexpr int PeriodeLigneCourte = 367;  // "Le trait couvre moins de deux divisions..."
inline constexpr int PeriodeFacteurGarde = 368; // "Le facteur de calibrage n'a pas changé."

} // namespace orv::mnu

namespace orv::mnustat {

inline constexpr int Fermer = 31; // "fermer"

} // namespace orv::mnustat
