// The dialog at 144 dpi, which Qt draws at a device pixel ratio of 1.5 over
// 96 logical dpi: text in scalable faces as wide as the font metrics say,
// frames drawn on their own rectangles, whole captions in the tooltips of
// clipped ones.
#include "TestSupport.h"
#include "dialog/GUI.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QToolTip>

namespace {

// Read when QTEST_MAIN creates the application, which also fixes 96 dpi
// until initTestCase lifts it.
const bool kAt144Dpi = qputenv("QT_FONT_DPI", "144");

// The first and last columns of the image holding a dark pixel, or -1, -1.
std::pair<int, int> inkedColumns(const QImage &image)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                first = first < 0 ? x : first;
                last = x;
            }
    return {first, last};
}

} // namespace

class HighDpiTest : public QObject
{
    Q_OBJECT

    GUI *form = nullptr;

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_Use96Dpi, !kAt144Dpi); }
    void init()
    {
        form = &GUI::load();
        form->Load_Language_Dependant_Parts();
        const char *names[] = {"Msg", "Trunk Line", "Conference", "Voice Mail Port Group"};
        for (int row = 0; row < 4; ++row)
            form->lblNode[row]->setText(names[row]);
        form->show();
    }
    void cleanup() { GUI::unload(); }

    // Every caption in a scalable face, its ink as wide as its font's advance
    // says (a colon is a dot), or as the label when that is narrower; a face
    // with bitmap sizes only leaves gaps between the letters.
    void textFitsItsMetrics()
    {
        QCOMPARE(form->devicePixelRatio(), 1.5); // twips follow the logical 96 dpi
        int checked = 0;
        for (QLabel *label : form->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            const QString name = label->objectName() + " " + label->text();
            QVERIFY2(QFontDatabase::isSmoothlyScalable(QFontInfo(label->font()).family()), qPrintable(name));
            const int room = std::min(label->fontMetrics().horizontalAdvance(label->text()), label->width());
            const QImage image = label->grab().toImage();
            const auto [first, last] = inkedColumns(image);
            const double ink = (last - first + 1) / image.devicePixelRatio();
            QVERIFY2(first >= 0 && ink <= room + 1 && (ink >= room - 2 || label->text().size() == 1), qPrintable(name));
            ++checked;
        }
        QCOMPARE(checked, 31);
    }

    // The lines of each frame, drawn without its controls: left, top, right
    // and bottom on the frame's own edges, the top one through the title's
    // line when there is a title; the controls in a frame lie inside them.
    void framesOnTheirRectangles_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::newRow("node grid, titled") << "frmMaxNoOfNode";
        QTest::newRow("time and command") << "Frame2";
        QTest::newRow("access denied") << "frmAccessDenied";
    }
    void framesOnTheirRectangles()
    {
        QFETCH(QString, frame);
        auto *box = form->findChild<QGroupBox *>(frame);
        QVERIFY(box);
        box->show();
        QImage lines(box->size(), QImage::Format_RGB32);
        box->render(&lines, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        const int w = lines.width(), h = lines.height();
        const auto dark = [&](int x, int y) { return qGray(lines.pixel(x, y)) < 200; };
        int left = 0, top = 0, right = w - 1, bottom = h - 1;
        while (left < w / 2 && !dark(left, h / 2))
            ++left;
        while (top < h / 2 && !dark(w - 4, top))
            ++top;
        while (right > w / 2 && !dark(right, h / 2))
            --right;
        while (bottom > h / 2 && !dark(w - 4, bottom))
            --bottom;
        QCOMPARE(QList<int>({left, right, bottom}), QList<int>({0, w - 2, h - 2}));
        QVERIFY(box->title().isEmpty() ? top == 0 : top > 0 && top < box->fontMetrics().height());
        for (const QWidget *control : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!control->isHidden())
                QVERIFY2(QRect(2, top + 2, w - 4, h - top - 4).contains(control->geometry()),
                         qPrintable(control->objectName()));
    }

    // The whole text of a clipped caption or entry as a tooltip; none for one that fits.
    void clippedTextInTooltips_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("tip");
        QTest::newRow("time limit") << "lblTimeLimit" << "Time limit (MM:SS)";
        QTest::newRow("command fits") << "lblCommand" << "";
        QTest::newRow("long node type") << "lblNode(3)" << "Voice Mail Port Group";
        QTest::newRow("short node type") << "lblNode(0)" << "";
        QTest::newRow("long selector entry") << "cboPartitionNumber" << "32767 - The partition of the night shift";
    }
    void clippedTextInTooltips()
    {
        QFETCH(QString, control);
        QFETCH(QString, tip);
        const QSignalBlocker noClick(form->cboPartitionNumber);
        form->cboPartitionNumber->addItem("32767 - The partition of the night shift"); // and chosen
        auto *widget = form->findChild<QWidget *>(control);
        QVERIFY(widget);
        QToolTip::showText(QPoint(), QString());
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), widget->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(widget, &help);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    }
};

QTEST_MAIN(HighDpiTest)
#include "tst_highdpi.moc"
