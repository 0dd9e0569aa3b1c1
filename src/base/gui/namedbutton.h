#pragma once

#include <QPushButton>
#include <QString>

namespace cockpix {

// A push button with its objectName (the handle tests and screen readers use) and an
// accessible name equal to its caption.
inline QPushButton* namedButton(const char* objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAccessibleName(caption);
    return button;
}

} // namespace cockpix
