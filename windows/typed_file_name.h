#pragma once

#include <QString>
#include <QStringList>

/// A file name as the user typed it in a save dialog, which leaves the extension to the user:
/// unchanged when it ends in one of `known` (any case), otherwise with `added` appended.
/// Extensions are given with their dot.
QString WithKnownSuffix(const QString& path, const QStringList& known, const QString& added);
