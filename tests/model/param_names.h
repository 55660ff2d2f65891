#pragma once

#include <cstdio>
#include <string>

namespace shaftline::testing {

/// A test name made of a number: "1.5e-05" becomes "1_5e_minus05", "-0" "minus0".
inline std::string NumberName(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    std::string name;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '-') {
            name += (c == text ? "minus" : "_minus");
        } else if (*c == '.') {
            name += '_';
        } else if (*c != '+') {
            name += *c;
        }
    }
    return name;
}

}  // namespace shaftline::testing
