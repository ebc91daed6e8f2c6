// Finds the dialog's font families: first in Qt's font database, then in the
// platform's extra font files, and only ever a smoothly scalable face, so
// that text stays whole at any dots per inch and device pixel ratio (a face
// with bitmap sizes only is stretched letter by letter).
#include "partition_settings/dialog/DialogFonts.h"

#include "partition_settings/dialog/FontFiles.h"

#include <QFontDatabase>
#include <QStringList>

namespace dialogFonts {
namespace {

// By its own name: the database would also answer for a family that the
// system only substitutes.
bool isScalable(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive) && QFontDatabase::isSmoothlyScalable(family);
}

QString firstScalable(const QStringList &families)
{
    for (const QString &family : families)
        if (isScalable(family))
            return family;
    return {};
}

void addFontFiles(const QStringList &fileNames)
{
    for (const QString &fileName : fileNames) {
        const QStringList paths = fontFiles::located(fileName);
        if (!paths.isEmpty())
            QFontDatabase::addApplicationFont(paths.first());
    }
}

// The first of the families that is installed as a scalable face, after
// loading the font files when the database has none of them; else fallback.
QString findFamily(const QStringList &families, const QStringList &fileNames, const QString &fallback)
{
    QString family = firstScalable(families);
    if (family.isEmpty()) {
        addFontFiles(fileNames);
        family = firstScalable(families);
    }
    return family.isEmpty() ? fallback : family;
}

QFont font(const QString &family, double points, bool bold)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

const QString &formFamily()
{
    static const QString family = findFamily({QStringLiteral("Tahoma")},
                                             {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")},
                                             QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return family;
}

} // namespace

QFont tahoma(double points, bool bold) { return font(formFamily(), points, bold); }

// MS Sans Serif itself has bitmap sizes only; its scalable successor, else the form's face.
QFont msSansSerif(double points)
{
    static const QString family =
        findFamily({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif")},
                   {QStringLiteral("micross.ttf"), QStringLiteral("ms_sans_serif.ttf")}, formFamily());
    return font(family, points, false);
}

} // namespace dialogFonts
