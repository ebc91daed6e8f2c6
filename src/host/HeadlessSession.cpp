// Headless toolkit services of the host.
#include "HeadlessSession.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPixmap>
#include <cstdio>

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
    if (!m_file.isEmpty())
        m_saved = dialog.grab().save(m_file, "PNG");
    dialog.close();
}
