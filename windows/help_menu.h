#pragma once

#include <QString>

class QMenuBar;
class QWidget;

/// Adds the menu "Справка" to `menuBar`: "Руководство" (F1) shows the manual in the help window,
/// "О программе" the version, the licence and the libraries with their licences. `owner` owns
/// the help window and parents the box.
void AddHelpMenu(QMenuBar* menuBar, QWidget* owner);

/// The box "О программе".
void ShowAboutBox(QWidget* parent);

/// The text of that box (rich text): name, version, licence, libraries with their licences.
QString AboutText();
