// Headless toolkit services of the host.
#include "HeadlessSession.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QImageWriter>
#include <QPixmap>
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
        m_failure = writePng(dialog.grab().toImage(), m_file);
    dialog.close();
}
