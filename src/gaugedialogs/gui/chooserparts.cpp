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

void filterChooserList(QListWidget& list, const QString& text) {
    const QString part = text.trimmed();
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem* item = list.item(row);
        item->setHidden(!part.isEmpty() && !item->text().contains(part, Qt::CaseInsensitive));
    }
    if (list.currentItem() != nullptr && list.currentItem()->isHidden())
        list.setCurrentItem(nullptr);
}

bool chooseListEntry(QListWidget& list, const QString& text) {
    const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list.setCurrentItem(found.first());
    return true;
}

} // namespace cockpix
