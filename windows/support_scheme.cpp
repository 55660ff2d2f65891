#include "support_scheme.h"

#include <QFileInfo>

QString FindSupportScheme(const QDir& currentDir, const QDir& programDir) {
    for (const QDir& dir : {currentDir, programDir}) {
        for (const QString& name : kSupportSchemeNames) {
            const QFileInfo scheme(dir, name);
            if (scheme.isFile()) return scheme.absoluteFilePath();
        }
    }
    return {};
}
