#pragma once

#include <QString>

class QWidget;

/// The report of the data-entry window's last calculation written to `path`; false after a
/// message when there is nothing to report or the file cannot be written.
bool ExportReportPdf(QWidget* parent, const QString& path);

/// The checks of ExportReportPdf, then the file name is asked for and the report written.
void ExportReportWithDialog(QWidget* parent);

/// The same report in the print preview, from which the user prints it.
void PrintReportWithPreview(QWidget* parent);

/// The results book (.xlsx) of the data-entry window's last calculation written to `path`;
/// false after a message when there are no results or the book cannot be written, which then
/// leaves a previous file of that name as it was.
bool ExportResultsBook(QWidget* parent, const QString& path);

/// The checks of ExportResultsBook, then the file name is asked for (".xlsx" added to a name
/// without it) and the book written.
void ExportResultsWithDialog(QWidget* parent);

/// "Формуляр центровки" of the data-entry window's last calculation with the alignment inputs
/// in force, written to `path`; false after a message when there is nothing to show or the file
/// cannot be written.
bool ExportFieldSheetPdf(QWidget* parent, const QString& path);
/// The checks of ExportFieldSheetPdf, then the file name is asked for and the sheet written.
void ExportFieldSheetWithDialog(QWidget* parent);
/// The field sheet in the print preview, from which the user prints it.
void PrintFieldSheetWithPreview(QWidget* parent);
