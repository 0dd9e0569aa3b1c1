#pragma once

// Clicks as a user makes them, and the rows they aim at, for the tests of windows.

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace cockpix {

// The push button called name inside parent.
inline void clickButton(QWidget* parent, const char* name) {
    auto* button = parent->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on entry row of a list.
inline void clickListEntry(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// The first top-level row of list whose column shows text; nullptr when there is none.
inline QTreeWidgetItem* rowShowing(QTreeWidget* list, int column, const QString& text) {
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->text(column) == text)
            return list->topLevelItem(row);
    }
    return nullptr;
}

} // namespace cockpix
