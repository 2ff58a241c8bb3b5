// orvelle-guide: turns the Markdown chapters of the user guide into one A4 PDF
// with Qt's own text engine (QTextDocument + QPdfWriter): a title page, each
// chapter on a new page, images fitted to the page width, page numbers.
//
//   orvelle-guide --titre TITRE --sous-titre TEXTE --version X.Y.Z
//                 --sortie guide.pdf chapitre1.md chapitre2.md ...
//
// Image paths in the chapters are relative to the chapter's own folder.
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextTable>
#include <QUrl>
#include <cstdio>

namespace {

// Width of the text column, in the document's pixels (A4 less 2 cm a side at 96 dpi).
constexpr double kLargeurTexte = 620.0;

QString LitChapitre(const QString& chemin, bool& ok) {
    QFile f(chemin);
    ok = f.open(QIODevice::ReadOnly);
    return ok ? QString::fromUtf8(f.readAll()) : QString();
}

// Every image is read from its file (relative to the chapters' folder) into
// the document; those wider than the column are scaled down to it, keeping
// their shape. False when an image cannot be read.
bool ChargeImages(QTextDocument& doc, const QUrl& base) {
    bool ok = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isImageFormat()) continue;
            QTextImageFormat format = f.charFormat().toImageFormat();
            const QString chemin = base.resolved(QUrl(format.name())).toLocalFile();
            const QImage image(chemin);
            if (image.isNull()) {
                std::fprintf(stderr, "orvelle-guide: cannot read the image %s\n",
                             qPrintable(chemin));
                ok = false;
                continue;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            if (image.width() <= kLargeurTexte) continue;
            format.setWidth(kLargeurTexte);
            format.setHeight(kLargeurTexte * image.height() / image.width());
            QTextCursor c(&doc);
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(format);
        }
    }
    return ok;
}

// Tables across the column, with thin rules and room in their cells.
void AereTableaux(QTextDocument& doc) {
    for (QTextFrame* cadre : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(cadre);
        if (!table) continue;
        QTextTableFormat f = table->format();
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setBorderCollapse(true);
        f.setBorder(0.5);
        f.setBorderBrush(Qt::gray);
        f.setCellSpacing(0);
        f.setCellPadding(3);
        f.setTopMargin(4);
        f.setBottomMargin(8);
        table->setFormat(f);
    }
}

// Every chapter ("# " title) starts a new page.
void SautsDePage(QTextDocument& doc) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() != 1) continue;
        QTextCursor c(b);
        QTextBlockFormat f = b.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.setBlockFormat(f);
    }
}

// The title page: the first chapter's title block moves down whole (it keeps
// its page break), and the title, subtitle and version take its place.
void PageDeTitre(QTextDocument& doc, const QString& titre, const QString& sousTitre,
                 const QString& version) {
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::Start);
    c.insertBlock(c.blockFormat(), c.charFormat());
    c.movePosition(QTextCursor::Start);
    auto ligne = [&c](const QString& texte, double haut, double taille, bool gras, bool nouvelle) {
        QTextBlockFormat bloc;
        bloc.setAlignment(Qt::AlignHCenter);
        bloc.setTopMargin(haut);
        QTextCharFormat car;
        car.setFontPointSize(taille);
        car.setFontWeight(gras ? QFont::Bold : QFont::Normal);
        if (nouvelle)
            c.insertBlock(bloc, car);
        else {
            c.setBlockFormat(bloc);
            c.setBlockCharFormat(car);
        }
        c.insertText(texte, car);
    };
    ligne(titre, 220, 30, true, false);
    ligne(sousTitre, 24, 15, false, true);
    ligne(version, 60, 12, false, true);
}

} // namespace

int main(int argc, char** argv) {
    // Fonts and images need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser ligne;
    const QCommandLineOption titre("titre", "Title of the guide.", "TEXTE");
    const QCommandLineOption sousTitre("sous-titre", "Subtitle of the guide.", "TEXTE");
    const QCommandLineOption version("version", "Version line of the title page.", "TEXTE");
    const QCommandLineOption sortie("sortie", "The PDF file written.", "FICHIER");
    ligne.addOptions({titre, sousTitre, version, sortie});
    ligne.addPositionalArgument("chapitres", "Markdown chapters, in order.", "chapitre.md...");
    ligne.process(app);
    const QStringList chapitres = ligne.positionalArguments();
    if (!ligne.isSet(sortie) || chapitres.isEmpty()) {
        std::fprintf(stderr, "orvelle-guide: --sortie and at least one chapter are needed\n");
        return 2;
    }

    QString markdown;
    for (const QString& chemin : chapitres) {
        bool ok = false;
        const QString texte = LitChapitre(chemin, ok);
        if (!ok) {
            std::fprintf(stderr, "orvelle-guide: cannot read %s\n", qPrintable(chemin));
            return 1;
        }
        markdown += texte + "\n\n";
    }
    // Every chapter of one guide lives in the same folder.
    const QUrl base = QUrl::fromLocalFile(QFileInfo(chapitres.first()).absolutePath() + "/");

    QTextDocument doc;
    QFont police("DejaVu Sans");
    police.setPointSizeF(10);
    // No ligatures: the PDF's text then reads and searches as written ("fi", not "ﬁ").
    police.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(police);
    doc.setBaseUrl(base);
    doc.setMarkdown(markdown);
    if (!ChargeImages(doc, base)) return 1;
    AereTableaux(doc);
    SautsDePage(doc);
    PageDeTitre(doc, ligne.value(titre), ligne.value(sousTitre), ligne.value(version));

    const QString fichier = ligne.value(sortie);
    const QString provisoire = fichier + ".part";
    {
        QPdfWriter pdf(provisoire);
        pdf.setTitle(ligne.value(titre) + " " + ligne.value(version));
        pdf.setCreator("Orvelle");
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        pdf.setResolution(300);
        doc.print(&pdf);
    }
    // Written beside, then renamed: a failed run never leaves half a guide.
    QFile::remove(fichier);
    if (!QFile::rename(provisoire, fichier)) {
        std::fprintf(stderr, "orvelle-guide: cannot write %s\n", qPrintable(fichier));
        return 1;
    }
    return 0;
}
