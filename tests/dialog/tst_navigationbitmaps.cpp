// The navigation pictures: the bitmap resources 101 to 104 as packed
// device-independent bitmaps, the glyph each one draws, the pictures on the
// four buttons, and the form's icon.
#include "dialog/GUI.h"
#include "resources/FormIcon.h"
#include "resources/NavigationBitmaps.h"

#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int Width = 17;
constexpr int Height = 19;
constexpr int RowBytes = 52;

quint32 read32(const QByteArray &bytes, int offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }
quint16 read16(const QByteArray &bytes, int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }

// Pixel (x, y), y counted from the top, of a bottom-up 24-bit bitmap.
QRgb pixelOf(const QByteArray &dib, int x, int y)
{
    const int offset = 40 + (Height - 1 - y) * RowBytes + 3 * x;
    const auto byte = [&](int i) { return int(uchar(dib.at(offset + i))); };
    return qRgb(byte(2), byte(1), byte(0));
}

// Black pixels in each column, with a check that every column's black run
// is one piece centred on the middle row.
QList<int> columnProfile(const QByteArray &dib, bool &centred)
{
    QList<int> profile;
    centred = true;
    for (int x = 0; x < Width; ++x) {
        QList<int> rows;
        for (int y = 0; y < Height; ++y)
            if (pixelOf(dib, x, y) == qRgb(0, 0, 0))
                rows << y;
        profile << int(rows.size());
        if (!rows.isEmpty())
            centred = centred && rows.first() + rows.last() == Height - 1
                      && rows.last() - rows.first() + 1 == rows.size();
    }
    return profile;
}

} // namespace

class NavigationBitmapsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    void bitmapResources_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("profile");
        // Black pixels per column: a triangle grows towards its base; a bar
        // is nine pixels high in every column it covers.
        QTest::newRow("101 first") << 101 << "cmdFirst"
                                   << QList<int>{0, 0, 0, 0, 9, 9, 0, 1, 3, 5, 7, 9, 0, 0, 0, 0, 0};
        QTest::newRow("102 previous") << 102 << "cmdPrevious"
                                      << QList<int>{0, 0, 0, 0, 0, 0, 1, 3, 5, 7, 9, 0, 0, 0, 0, 0, 0};
        QTest::newRow("103 next") << 103 << "cmdNext"
                                  << QList<int>{0, 0, 0, 0, 0, 0, 9, 7, 5, 3, 1, 0, 0, 0, 0, 0, 0};
        QTest::newRow("104 last") << 104 << "cmdLast"
                                  << QList<int>{0, 0, 0, 0, 0, 9, 7, 5, 3, 1, 0, 9, 9, 0, 0, 0, 0};
    }

    void bitmapResources()
    {
        QFETCH(int, id);
        QFETCH(QList<int>, profile);
        const std::optional<QByteArray> dib = resources::loadBitmap(id);
        QVERIFY(dib);
        QCOMPARE(dib->size(), 1028);
        QCOMPARE(read32(*dib, 0), 40u);        // header size
        QCOMPARE(int(read32(*dib, 4)), Width);
        QCOMPARE(int(read32(*dib, 8)), Height); // positive: bottom-up
        QCOMPARE(read16(*dib, 12), quint16(1)); // planes
        QCOMPARE(read16(*dib, 14), quint16(24));
        QCOMPARE(read32(*dib, 16), 0u);        // uncompressed
        const QRgb grey = qRgb(192, 192, 192);
        bool centred = false;
        QCOMPARE(columnProfile(*dib, centred), profile);
        QVERIFY(centred);
        for (int y = 0; y < Height; ++y) {
            QCOMPARE(dib->at(40 + y * RowBytes + RowBytes - 1), '\0'); // row padding
            for (int x = 0; x < Width; ++x)
                QVERIFY(pixelOf(*dib, x, y) == grey || pixelOf(*dib, x, y) == qRgb(0, 0, 0));
        }
    }

    void buttonsShowThePictures_data() { bitmapResources_data(); }

    void buttonsShowThePictures()
    {
        QFETCH(int, id);
        QFETCH(QString, button);
        GUI &form = GUI::load();
        auto *control = form.findChild<QPushButton *>(button);
        QVERIFY(control);
        QVERIFY(control->text().isEmpty());
        QCOMPARE(control->iconSize(), QSize(Width, Height));
        const QImage shown = control->icon().pixmap(QSize(Width, Height)).toImage();
        QCOMPARE(shown.size(), QSize(Width, Height));
        const QByteArray dib = *resources::loadBitmap(id);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                QCOMPARE(shown.pixel(x, y) | 0xff000000u, pixelOf(dib, x, y));
    }

    void onlyFourBitmaps_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("100") << 100;
        QTest::newRow("105") << 105;
    }

    void onlyFourBitmaps()
    {
        QFETCH(int, id);
        QVERIFY(!resources::loadBitmap(id).has_value());
    }

    void formIconIs32By32In256Colours()
    {
        const QImage icon = resources::formIcon();
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.format(), QImage::Format_Indexed8);
        QCOMPARE(icon.colorCount(), 256);
        QSet<int> used;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                used.insert(icon.pixelIndex(x, y));
        QVERIFY(used.size() >= 4);
    }
};

QTEST_MAIN(NavigationBitmapsTest)
#include "tst_navigationbitmaps.moc"
