#pragma once

#include <QString>
#include <string_view>

namespace shaftline::report {

/// A UTF-8 text of the core (captions, labels, messages) as Qt shows it.
inline QString Utf8Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace shaftline::report
