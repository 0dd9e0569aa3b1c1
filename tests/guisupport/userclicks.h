#pragma once

// Clicks as a user makes them, for the tests of windows.

#include <QListWidget>
#include <QPushButton>
#include <QTest>

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

} // namespace cockpix
