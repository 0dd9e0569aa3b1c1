#include "panelwindows/gui/panelviewaccessible.h"

#include "panelwindows/gui/panelview.h"

#include <QWidget>
#include <QWindow>

namespace cockpix {
namespace {

QAccessibleInterface* panelViewFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("cockpix::PanelView")) {
        if (auto* view = qobject_cast<PanelView*>(object))
            return new PanelViewAccessible(view);
    }
    return nullptr;
}

} // namespace

PanelViewAccessible::PanelViewAccessible(PanelView* view)
    : QAccessibleWidget(view, QAccessible::Canvas) {}

PanelViewAccessible::~PanelViewAccessible() {
    for (const QAccessible::Id id : m_children)
        QAccessible::deleteAccessibleInterface(id);
}

PanelView* PanelViewAccessible::view() const {
    return static_cast<PanelView*>(widget());
}

int PanelViewAccessible::childCount() const {
    return view()->gaugeCount();
}

QAccessibleInterface* PanelViewAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    while (int(m_children.size()) <= index) {
        auto* gauge = new PanelGaugeAccessible(view(), int(m_children.size()));
        m_children.push_back(QAccessible::registerAccessibleInterface(gauge));
    }
    return QAccessible::accessibleInterface(m_children[static_cast<std::size_t>(index)]);
}

int PanelViewAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* gauge = dynamic_cast<const PanelGaugeAccessible*>(child);
    if (!gauge || gauge->gauge() >= childCount() || gauge->parent() != this)
        return -1;
    return gauge->gauge();
}

QAccessibleInterface* PanelViewAccessible::childAt(int x, int y) const {
    const int gauge = view()->gaugeAt(view()->mapFromGlobal(QPoint(x, y)));
    return gauge >= 0 ? child(gauge) : nullptr;
}

PanelGaugeAccessible::PanelGaugeAccessible(PanelView* view, int gauge)
    : m_view(view), m_gauge(gauge) {}

bool PanelGaugeAccessible::isValid() const {
    return m_view && m_gauge < m_view->gaugeCount();
}

QWindow* PanelGaugeAccessible::window() const {
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* PanelGaugeAccessible::parent() const {
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QString PanelGaugeAccessible::text(QAccessible::Text t) const {
    const PanelViewItem* item = m_view ? m_view->gauge(m_gauge) : nullptr;
    if (!item)
        return {};
    if (t == QAccessible::Name)
        return item->name.isEmpty() ? item->toolTip : item->name;
    return t == QAccessible::Description ? item->toolTip : QString();
}

QRect PanelGaugeAccessible::rect() const {
    const PanelViewItem* item = m_view ? m_view->gauge(m_gauge) : nullptr;
    if (!item)
        return {};
    return QRect(m_view->mapToGlobal(item->rect.topLeft()), item->rect.size());
}

QAccessible::State PanelGaugeAccessible::state() const {
    QAccessible::State state;
    const PanelViewItem* item = m_view ? m_view->gauge(m_gauge) : nullptr;
    state.invisible = !item || !item->visible;
    state.disabled = !item || !item->enabled;
    state.selectable = true;
    state.selected = m_view && m_view->selectedGauge() == m_gauge;
    return state;
}

void installPanelViewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(panelViewFactory);
        return true;
    }();
    (void)installed;
}

} // namespace cockpix
