#pragma once

#include <QString>
#include <QWidget>

/// Per-rotor controls are found at run time by name: a fixed prefix and the rotor number in
/// decimal without leading zeros ("GridInitParams" and 3 give "GridInitParams3").
QString RotorControlName(const char* prefix, int rotor);

/// The direct child widget of `parent` whose object name equals `name` regardless of the case
/// of ASCII letters, or nullptr. Grandchildren are never looked at.
QWidget* FindChildControl(const QWidget* parent, const QString& name);

template <typename T>
T* FindChildControl(const QWidget* parent, const QString& name) {
    return qobject_cast<T*>(FindChildControl(parent, name));
}
