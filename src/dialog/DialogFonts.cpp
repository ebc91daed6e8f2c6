// Registers Wine's Tahoma and MS Sans Serif with the application once, and
// builds the dialog's fonts from them.
#include "dialog/DialogFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace dialogFonts {
namespace {

const QString WineFonts = QStringLiteral("/usr/share/wine/fonts/");

// The family of the first of the files that loads, or the system sans.
QString familyFrom(const QStringList &files)
{
    QString family;
    for (const QString &file : files) {
        if (!QFile::exists(WineFonts + file))
            continue;
        const int id = QFontDatabase::addApplicationFont(WineFonts + file);
        if (family.isEmpty() && id >= 0)
            family = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    return family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : family;
}

QFont font(const QString &family, double points, bool bold)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

} // namespace

QFont tahoma(double points, bool bold)
{
    static const QString family = familyFrom({QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")});
    return font(family, points, bold);
}

QFont msSansSerif(double points)
{
    static const QString family = familyFrom({QStringLiteral("ms_sans_serif.ttf")});
    return font(family, points, false);
}

} // namespace dialogFonts
