// Where the platform keeps font files that Qt's font database may not list:
// one function per operating system.
#pragma once

#include <QStringList>

namespace fontFiles {

// The paths of the font files of that name (say "tahoma.ttf") found in the
// platform's extra font folders, best first; empty when there are none.
QStringList located(const QString &fileName);

} // namespace fontFiles
