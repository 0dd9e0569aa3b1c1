#pragma once

// Screen readers meet a panel view as a canvas with one child per gauge picture of the
// window (role Graphic, named by its name or else its tooltip, at the picture's place): the gauges
// are painted, not widgets, so the view describes them itself.

#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

namespace cockpix {

class PanelView;

class PanelViewAccessible : public QAccessibleWidget {
public:
    explicit PanelViewAccessible(PanelView* view);
    ~PanelViewAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    PanelView* view() const;

    // One interface per gauge slot, made when first asked for and registered with the
    // accessibility cache, which hands out their ids.
    mutable std::vector<QAccessible::Id> m_children;
};

// A gauge picture of a panel view.
class PanelGaugeAccessible : public QAccessibleInterface {
public:
    PanelGaugeAccessible(PanelView* view, int gauge);

    int gauge() const { return m_gauge; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override;

private:
    QPointer<PanelView> m_view;
    int m_gauge;
};

// Registers the factory that gives every PanelView its interface (once per program).
void installPanelViewAccessibility();

} // namespace cockpix
