// The memory pictures are decoded into: a block takes its pages when the
// loader prepares them, gives back what a smaller picture leaves unused, and
// the loader's reserve hands a picture the block that fits it best and keeps
// nothing no picture uses.
#include "gui/ChargeurImage.h"
#include "pixels/PyramideImage.h"

#include <QTest>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace orv;

namespace {

constexpr std::size_t Mo = std::size_t{1} << 20;

// How many of the block's first `octets` are in memory, in pages.
std::size_t PagesPresentes(TamponImage& t, std::size_t octets) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> v((octets + page - 1) / page);
    if (mincore(t.Donnees(), octets, v.data()) != 0) return 0;
    std::size_t n = 0;
    for (unsigned char c : v) n += c & 1;
    return n;
}

} // namespace

class MemoireImageTest : public QObject {
    Q_OBJECT
private slots:
    void PagesPrisesEtRendues();
    void ReserveAuPlusJuste();
};

void MemoireImageTest::PagesPrisesEtRendues() {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    TamponImage t(8 * Mo);
    QVERIFY(t.Capacite() >= 8 * Mo);
    QCOMPARE(PagesPresentes(t, 8 * Mo), std::size_t{0});
    t.Prepare(0, 4 * Mo);
    QVERIFY(PagesPresentes(t, 4 * Mo) == 4 * Mo / page);
    std::memset(t.Donnees(), 0x5A, 4 * Mo);
    // A picture of 1 MB in it: the rest goes, what it keeps stays as it was.
    t.Relache(Mo);
    QCOMPARE(PagesPresentes(t, 8 * Mo), Mo / page);
    QCOMPARE(t.Donnees()[Mo - 1], static_cast<unsigned char>(0x5A));
}

void MemoireImageTest::ReserveAuPlusJuste() {
    ChargeurImage::Reserve r;
    auto grand = std::make_shared<TamponImage>(16 * Mo);
    grand->Prepare(0, 16 * Mo);
    TamponImage* const adresseGrand = grand.get();
    auto petit = std::make_shared<TamponImage>(4 * Mo);
    TamponImage* const adressePetit = petit.get();
    r.Rend(std::move(petit));
    r.Rend(std::move(grand));
    // The smallest block that holds the picture, its pages beyond given back.
    auto pris = r.Prend(10 * Mo);
    QCOMPARE(pris.get(), adresseGrand);
    QVERIFY(PagesPresentes(*pris, 16 * Mo) <= 10 * Mo / 4096);
    QCOMPARE(r.Prend(2 * Mo).get(), adressePetit);
    // Nothing fits a larger picture: the blocks of a comparable size go.
    r.Rend(std::move(pris));
    QVERIFY(!r.Prend(64 * Mo));
    QVERIFY(!r.Prend(Mo));
    // A block still in use elsewhere is not taken; Vide lets every block go.
    auto montre = std::make_shared<TamponImage>(2 * Mo);
    r.Rend(montre);
    QVERIFY(!r.Prend(Mo));
    r.Rend(std::move(montre));
    r.Vide();
    QVERIFY(!r.Prend(Mo));
}

QTEST_MAIN(MemoireImageTest)
#include "MemoireImageTest.moc"
