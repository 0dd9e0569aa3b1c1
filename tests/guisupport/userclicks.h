#pragma once

// Clicks as a user makes them, and the rows they aim at, for the tests of windows.

#include <QCoreApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <functional>

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

// A drag by the mouse in four moves, with keys held on every move and at the release (as the
// panel windows read them for snapping); during runs while the button is still down.
inline void dragWithKeys(QWidget* view, QPoint from, QPoint delta, Qt::KeyboardModifiers keys = {},
                         const std::function<void()>& during = {}) {
    QTest::mousePress(view, Qt::LeftButton, keys, from);
    for (int step = 1; step <= 4; ++step) {
        const QPointF to(from + delta * step / 4);
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         keys);
        QCoreApplication::sendEvent(view, &move);
    }
    if (during)
        during();
    QTest::mouseRelease(view, Qt::LeftButton, keys, from + delta);
}

} // namespace cockpix
