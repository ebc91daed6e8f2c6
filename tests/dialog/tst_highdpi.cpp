// The dialog at 144 dpi, which Qt draws at a device pixel ratio of 1.5 over
// 96 logical dpi: text in scalable faces as wide as the font metrics say,
// whole captions in the tooltips of clipped ones, and frames drawn on their
// own rectangles.
#include "TestSupport.h"
#include "partition_settings/dialog/GUI.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>

namespace {

// Read when QTEST_MAIN creates the application, which also fixes 96 dpi
// until initTestCase lifts it.
const bool kAt144Dpi = qputenv("QT_FONT_DPI", "144");

// The width in pixels from the first to the last column holding a dark pixel.
double inkWidth(const QImage &image)
{
    int first = image.width(), last = -1;
    for (int i = 0; i < image.width() * image.height(); ++i)
        if (qGray(image.pixel(i % image.width(), i / image.width())) < 128)
            first = std::min(first, i % image.width()), last = std::max(last, i % image.width());
    return (last - first + 1) / image.devicePixelRatio();
}

// The tooltip a hover over the control shows, or "-" (a tip of that text
// stands before, and a hover that shows none leaves it).
QString tooltipOf(QWidget *control)
{
    QToolTip::showText(QPoint(), QStringLiteral("-"));
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), control->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(control, &help);
    return QToolTip::text();
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
    // says (a colon is a dot), or as the label when that is narrower, and
    // then its whole text in a tooltip; so is a clipped selector entry. A face
    // with bitmap sizes only leaves gaps between the letters.
    void textFitsItsMetrics()
    {
        QCOMPARE(form->devicePixelRatio(), 1.5); // twips follow the logical 96 dpi
        QStringList tips;
        for (QLabel *label : form->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            const QByteArray name = label->objectName().toLatin1();
            QVERIFY2(QFontDatabase::isSmoothlyScalable(QFontInfo(label->font()).family()), name.constData());
            const int room = std::min(label->fontMetrics().horizontalAdvance(label->text()), label->width());
            const double ink = inkWidth(label->grab().toImage());
            QVERIFY2(ink <= room + 1 && (ink >= room - 2 || label->text().size() == 1), name.constData());
            tips << tooltipOf(label);
        }
        const QSignalBlocker noClick(form->cboPartitionNumber);
        form->cboPartitionNumber->addItem("32767 - The partition of the night shift"); // and chosen
        tips << tooltipOf(form->cboPartitionNumber);
        QCOMPARE(tips.size(), 32);
        QCOMPARE(tips.filter(QRegularExpression("^(?!-$)")),
                 QStringList({"Time limit (MM:SS)", "Voice Mail Port Group", "32767 - The partition of the night shift"}));
    }

    // The lines of each frame, drawn without its controls: left, top, right
    // and bottom on the frame's own edges, the top one through the title's
    // line when there is a title; the controls in a frame lie inside them.
    void framesOnTheirRectangles()
    {
        form->frmAccessDenied->show();
        const QList<QGroupBox *> frames = form->findChildren<QGroupBox *>();
        QCOMPARE(frames.size(), 3);
        for (QGroupBox *box : frames) {
            QImage lines(box->size(), QImage::Format_RGB32);
            box->render(&lines, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            const int w = lines.width(), h = lines.height();
            const auto firstDark = [&](QPoint at, QPoint step) {
                while (lines.rect().contains(at + step) && qGray(lines.pixel(at)) >= 200)
                    at += step;
                return at;
            };
            const int top = firstDark({w - 4, 0}, {0, 1}).y();
            QCOMPARE(QList<int>({firstDark({0, h / 2}, {1, 0}).x(), firstDark({w - 1, h / 2}, {-1, 0}).x(),
                                 firstDark({w - 4, h - 1}, {0, -1}).y()}),
                     QList<int>({0, w - 2, h - 2}));
            QVERIFY(box->title().isEmpty() ? top == 0 : top > 0 && top < box->fontMetrics().height());
            for (const QWidget *control : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(control->isHidden() || QRect(2, top + 2, w - 4, h - top - 4).contains(control->geometry()),
                         qPrintable(control->objectName()));
        }
    }
};

QTEST_MAIN(HighDpiTest)
#include "tst_highdpi.moc"
