#include "app/ImageCatalogue.h"
#include "app/ImageResources.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QtTest>

// The compiled-in images: every name the windows, actions and documentation use is there,
// at its size, and the resources hold exactly the drawn catalogue.
class TestImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ImageResources::init(); }

    void loadsAtItsSize_data();
    void loadsAtItsSize();
    void resourcesHoldExactlyTheCatalogue();
    void iconsScaleForMenusAndToolBars();
};

void TestImages::loadsAtItsSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("splash") << "ORV_Loading.png" << QSize(480, 300);
    QTest::newRow("application icon") << "icon_orv.png" << QSize(256, 256);
    QTest::newRow("board picture") << "print_screen_problem.png" << QSize(1000, 600);
    const char *icons[] = {"about", "adde", "addv", "alignx", "aligny", "analyst", "backup", "clear",
                           "console", "doc", "exit", "graph", "halt", "hspace", "link1", "link2",
                           "link3", "link4", "load", "load_graph", "place", "place_circle", "print",
                           "print_graph", "problem", "record", "refresh", "reme", "remv", "run",
                           "save_graph", "select", "toggleselect", "unselect", "vspace"};
    for (const char *icon : icons)
        QTest::newRow(icon) << QString(icon) + ".png" << QSize(48, 48);
}

void TestImages::loadsAtItsSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString path = ImageCatalogue::path(name);
    QCOMPARE(path, ":/src/images/" + name);
    const QPixmap pixmap(path);
    QVERIFY2(!pixmap.isNull(), qPrintable(path));
    QCOMPARE(pixmap.size(), size);

    // Something is drawn: several colours, and a fair share of the area covered.
    const QImage img = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    int covered = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            colours.insert(c);
            covered += qAlpha(c) > 128;
        }
    QVERIFY2(colours.size() >= 4, qPrintable(name));
    QVERIFY2(covered * 8 >= img.width() * img.height(), qPrintable(name));

    const auto &entries = ImageCatalogue::entries();
    const bool catalogued = std::any_of(entries.begin(), entries.end(), [&](const ImageCatalogue::Entry &e) {
        return e.name == name && e.size == size;
    });
    QVERIFY2(catalogued, qPrintable(name));
}

void TestImages::resourcesHoldExactlyTheCatalogue()
{
    QStringList catalogued;
    for (const ImageCatalogue::Entry &e : ImageCatalogue::entries())
        catalogued << e.name;
    QCOMPARE(catalogued.removeDuplicates(), 0);
    QCOMPARE(catalogued.size(), 38);
    catalogued.sort();

    QStringList compiled = QDir(":/src/images").entryList(QDir::Files | QDir::NoDotAndDotDot);
    compiled.sort();
    QCOMPARE(compiled, catalogued);
}

void TestImages::iconsScaleForMenusAndToolBars()
{
    for (const ImageCatalogue::Entry &e : ImageCatalogue::entries()) {
        const QIcon icon(ImageCatalogue::path(e.name));
        QVERIFY2(!icon.isNull(), qPrintable(e.name));
        for (int side : {16, 24}) {
            const QPixmap small = icon.pixmap(side, side);
            QVERIFY2(!small.isNull(), qPrintable(e.name));
            QVERIFY2(small.width() <= side && small.height() <= side, qPrintable(e.name));
        }
    }
}

QTEST_MAIN(TestImages)
#include "tst_images.moc"
