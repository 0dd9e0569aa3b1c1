#include "panelwindows/gui/arrangementactions.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

namespace cockpix {
namespace {

// The object name of each action, for tests and for the tool bar's buttons.
QString actionName(Arrangement arrangement) {
    QString name = QStringLiteral("act");
    for (const QString& word : QString::fromStdString(arrangementStepName(arrangement))
                                   .split(QLatin1Char(' '), Qt::SkipEmptyParts))
        name += word.left(1).toUpper() + word.mid(1);
    return name;
}

// Short labels for the tool bar; the menu and the tooltips give the whole name.
QString toolBarText(Arrangement arrangement) {
    switch (arrangement) {
    case Arrangement::AlignLeft:
        return QStringLiteral("|<");
    case Arrangement::AlignRight:
        return QStringLiteral(">|");
    case Arrangement::AlignTop:
        return QStringLiteral("T");
    case Arrangement::AlignBottom:
        return QStringLiteral("B");
    case Arrangement::AlignHorizontalCentres:
        return QStringLiteral("|");
    case Arrangement::AlignVerticalCentres:
        return QStringLiteral("-");
    case Arrangement::DistributeHorizontally:
        return QStringLiteral("<->");
    case Arrangement::DistributeVertically:
        return QStringLiteral("^v");
    case Arrangement::SameWidth:
        return QStringLiteral("=W");
    case Arrangement::SameHeight:
        return QStringLiteral("=H");
    }
    return {};
}

} // namespace

ArrangementActions::ArrangementActions(QWidget* window, QMenu* gaugeMenu, bool fs2kPanel,
                                       std::function<void(Arrangement)> arrange) {
    QMenu* menu = gaugeMenu->addMenu(QObject::tr("A&lign"));
    menu->setObjectName(QStringLiteral("mnualign"));
    m_toolBar = new QToolBar(window);
    m_toolBar->setObjectName(QStringLiteral("AlignBar"));
    m_toolBar->setAccessibleName(QObject::tr("Align and distribute"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const Arrangement arrangement : kAllArrangements) {
        if (!offersArrangement(arrangement, fs2kPanel))
            continue;
        if (arrangement == Arrangement::DistributeHorizontally ||
            arrangement == Arrangement::SameWidth) {
            menu->addSeparator();
            m_toolBar->addSeparator();
        }
        const QString text = QString::fromStdString(arrangementStepName(arrangement));
        auto* action = new QAction(text, window);
        action->setObjectName(actionName(arrangement));
        action->setToolTip(text);
        action->setEnabled(false);
        QObject::connect(action, &QAction::triggered, window,
                         [arrange, arrangement] { arrange(arrangement); });
        menu->addAction(action);
        // The button shows a short sign; screen readers and the tooltip say what it does.
        auto* button = new QAction(toolBarText(arrangement), window);
        button->setObjectName(actionName(arrangement) + QStringLiteral("Button"));
        button->setToolTip(text);
        button->setStatusTip(text);
        QObject::connect(action, &QAction::changed, button,
                         [action, button] { button->setEnabled(action->isEnabled()); });
        QObject::connect(button, &QAction::triggered, action, &QAction::trigger);
        button->setEnabled(false);
        m_toolBar->addAction(button);
        if (QWidget* widget = m_toolBar->widgetForAction(button))
            widget->setAccessibleName(text);
        m_actions.emplace_back(arrangement, action);
    }
}

QAction* ArrangementActions::action(Arrangement arrangement) const {
    for (const auto& [offered, action] : m_actions) {
        if (offered == arrangement)
            return action;
    }
    return nullptr;
}

void ArrangementActions::updateStates(std::size_t selected) {
    for (const auto& [arrangement, action] : m_actions)
        action->setEnabled(selected >= arrangementMinimum(arrangement));
}

} // namespace cockpix
