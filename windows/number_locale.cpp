#include "number_locale.h"

#include <QLocale>

std::string DecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

std::string GroupSeparator() {
    return QLocale().groupSeparator().toStdString();
}
