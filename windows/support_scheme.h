#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

/// Names of the support-scheme document, in the order they are tried in one folder: the
/// plant's own drawing first, then the drawing installed with the program.
inline const QStringList kSupportSchemeNames{QStringLiteral("ris.vsd"), QStringLiteral("ris.svg")};

/// The support-scheme document to open: the first of kSupportSchemeNames that is a file in
/// `currentDir`, else the first that is a file in `programDir` (the folder of the executable).
/// An absolute path; empty when neither folder holds one.
QString FindSupportScheme(const QDir& currentDir, const QDir& programDir);
