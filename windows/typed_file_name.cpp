#include "typed_file_name.h"

QString WithKnownSuffix(const QString& path, const QStringList& known, const QString& added) {
    for (const QString& extension : known)
        if (path.endsWith(extension, Qt::CaseInsensitive)) return path;
    return path + added;
}
