#pragma once

// Screen readers and desktop automation find a control by its accessible name: every
// control a user can reach must have one.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace cockpix {

// The objectNames of the controls under root (and root itself) that a user can reach but
// that have no accessible name; a named widget type that is not one of the usual controls
// counts too when its class is listed in alsoCheck.
inline QStringList unnamedControls(QWidget* root, const QStringList& alsoCheck = {}) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    QStringList unnamed;
    for (QWidget* widget : widgets) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QLineEdit*>(widget) ||
                             qobject_cast<QAbstractSlider*>(widget) ||
                             qobject_cast<QAbstractSpinBox*>(widget) ||
                             qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QAbstractItemView*>(widget) ||
                             alsoCheck.contains(QLatin1String(widget->metaObject()->className()));
        // A scroll area's own bars are part of the area, which screen readers name.
        const QWidget* parent = widget->parentWidget();
        const bool areaBar = parent && parent->objectName().startsWith("qt_scrollarea_");
        if (!control || areaBar || !widget->isVisibleTo(root))
            continue;
        const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
        if (spoken == nullptr || spoken->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << widget->objectName() + " (" + widget->metaObject()->className() + ")";
    }
    return unnamed;
}

} // namespace cockpix
