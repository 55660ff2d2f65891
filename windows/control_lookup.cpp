#include "control_lookup.h"

namespace {

char AsciiLower(char16_t c) {
    return static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
}

// Only ASCII letters fold: a Cyrillic letter in a name must match exactly.
bool SameNameIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y) continue;
        if (x > 0x7F || y > 0x7F || AsciiLower(x) != AsciiLower(y)) return false;
    }
    return true;
}

}  // namespace

QString RotorControlName(const char* prefix, int rotor) {
    return QString::fromLatin1(prefix) + QString::number(rotor);
}

QWidget* FindChildControl(const QWidget* parent, const QString& name) {
    if (parent == nullptr) return nullptr;
    for (QObject* child : parent->children()) {
        if (!child->isWidgetType()) continue;
        if (SameNameIgnoringAsciiCase(child->objectName(), name))
            return static_cast<QWidget*>(child);
    }
    return nullptr;
}
