#include "gaugedialogs/gui/chooserparts.h"

#include "base/gui/namedbutton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>

namespace cockpix {

void setUpChooser(QDialog& dialog, const char* objectName, const QString& title) {
    if (objectName)
        dialog.setObjectName(QLatin1String(objectName));
    dialog.setWindowTitle(title);
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.setModal(false);
}

QListWidget* chooserList(QWidget* parent, const char* objectName, const QString& accessibleName,
                         const QString& toolTip) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(objectName));
    if (!toolTip.isEmpty()) {
        list->setToolTip(toolTip);
        list->setAccessibleDescription(toolTip);
    }
    list->setAccessibleName(accessibleName);
    return list;
}

QLabel* chooserLabel(QWidget* parent, const char* objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    return label;
}

QLabel* chooserSnapshot(QWidget* parent, const char* objectName, const QString& caption) {
    auto* snapshot = new QLabel(parent);
    snapshot->setObjectName(QLatin1String(objectName));
    snapshot->setAccessibleName(caption);
    return snapshot;
}

OkCancelRow okCancelRow(QDialog& dialog, const char* okName, const char* cancelName) {
    OkCancelRow buttons;
    buttons.ok = namedButton(okName, QStringLiteral("OK"), &dialog);
    buttons.cancel = namedButton(cancelName, QStringLiteral("Cancel"), &dialog);
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QWidget::close);
    buttons.row = new QHBoxLayout;
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.cancel);
    return buttons;
}

} // namespace cockpix
