// Headless toolkit services of the host.
#include "HeadlessSession.h"

#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

namespace {

// Writes the image as a PNG file; returns why it could not, or nothing.
QString writePng(const QImage &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file.errorString();
    QImageWriter writer(&file, "png");
    if (!writer.write(image))
        return file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    if (!file.flush())
        return file.errorString();
    return {};
}

// The dialog as its first show painted it. The offscreen platform's screen
// hands out the window's own backing store, so the picture is not painted a
// second time; a real screen's copy could hold other windows in front of the
// dialog, so there (and should the platform have no copy) it is rendered again.
QImage shownImage(QDialog &dialog)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen") && dialog.screen()) {
        const QPixmap shown = dialog.screen()->grabWindow(dialog.winId());
        if (!shown.isNull())
            return shown.toImage();
    }
    return dialog.grab().toImage();
}

} // namespace

ui::Answer ConsoleMessageBoxes::show(const QString &text, const QString &title, ui::Buttons buttons, ui::Icon)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "[%s]\n%s\n", qPrintable(title.isNull() ? QCoreApplication::applicationName() : title),
                 qPrintable(shown));
    // Nobody can answer: questions are declined, anything else acknowledged.
    return buttons == ui::Buttons::OK ? ui::Answer::OK : ui::Answer::No;
}

void ScreenshotRunner::runModal(QDialog &dialog)
{
    dialog.show();
    QCoreApplication::processEvents();
    m_shown = true;
    if (!m_file.isEmpty())
        m_failure = writePng(shownImage(dialog), m_file);
    dialog.close();
}
