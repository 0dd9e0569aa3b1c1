#pragma once

#include <QString>

namespace cockpix {

// "1 finding", "3 findings": COCKPIX ships no translations, so Qt's "%n item(s)" would show
// its "(s)" as typed.
inline QString countText(int count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

} // namespace cockpix
