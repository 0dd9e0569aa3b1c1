#include "template/gui/fs98/windowrow.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace cockpix::fs98 {
namespace {

QString indexedName(const char* name, int row) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row);
}

} // namespace

WindowRow::WindowRow(int row, QWidget* parent) : m_row(row) {
    const QString window = QStringLiteral("Window %1").arg(row, 2, 10, QChar('0'));
    m_view = makeButton("Command1", window, QStringLiteral("Click to view panel window"), parent);
    m_title = makeBox("Text1", QStringLiteral("Write any panel name you want"), 20, parent);
    m_bitmap = makeBox("Text2", QStringLiteral("BMP must be in /panel/ directory"), 18, parent);
    m_list =
        makeButton("Command4", QStringLiteral("List"),
                   QStringLiteral("Click to view list of available BMPs for this panel"), parent);
    m_size = makeBox("Text3", QStringLiteral("Prefer BMP width"), 7, parent);
    m_sizeAuto = makeButton("Command3", QStringLiteral("Auto"),
                            QStringLiteral("Sets window size to BMP width"), parent);
    m_ratio = makeBox("Text4", QStringLiteral("Modifies panel size in FS98"), 7, parent);
    m_ratioAuto = makeButton(
        "Command6", QStringLiteral("Auto"),
        QStringLiteral("Adjusts to original size if smaller than screen size, 1 otherwise"),
        parent);
    m_position = makeBox(
        "Text5", QStringLiteral("from 0 = top-left corner to 8 =  bottom-right corner"), 4, parent);
    m_visible = new QCheckBox(QStringLiteral("Off"), parent);
    m_visible->setObjectName(indexedName("Check3", row));
    m_ident = makeBox("Text7", QStringLiteral("Order values (optional)"), 6, parent);
    nameForScreenReaders(window);
}

// Each control is named after the column heading it stands under, with the row's window
// ("Window 00 size"), so that a screen reader tells the nine rows apart.
void WindowRow::nameForScreenReaders(const QString& window) const {
    const std::pair<QWidget*, const char*> names[] = {{m_view, ""},
                                                      {m_title, " title"},
                                                      {m_bitmap, " BMP name"},
                                                      {m_list, " List"},
                                                      {m_size, " size"},
                                                      {m_sizeAuto, " size Auto"},
                                                      {m_ratio, " size ratio"},
                                                      {m_ratioAuto, " size ratio Auto"},
                                                      {m_position, " position"},
                                                      {m_visible, " visible"},
                                                      {m_ident, " ident"}};
    for (const auto& [control, what] : names) {
        control->setAccessibleName(window + QLatin1String(what));
        control->setAccessibleDescription(control->toolTip());
    }
}

QLineEdit* WindowRow::makeBox(const char* name, const QString& tooltip, int widthInChars,
                              QWidget* parent) const {
    auto* box = new QLineEdit(parent);
    box->setObjectName(indexedName(name, m_row));
    box->setToolTip(tooltip);
    const QFontMetrics metrics(box->font());
    // Only the title and bitmap name take the spare width; numbers stay compact.
    const int width = metrics.averageCharWidth() * widthInChars + 12;
    if (widthInChars < 12)
        box->setFixedWidth(width);
    else
        box->setMinimumWidth(width);
    return box;
}

QPushButton* WindowRow::makeButton(const char* name, const QString& caption, const QString& tooltip,
                                   QWidget* parent) const {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(indexedName(name, m_row));
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    const QFontMetrics metrics(button->font());
    button->setFixedWidth(std::max(metrics.horizontalAdvance(caption) + 20, 40));
    return button;
}

void WindowRow::addTo(QGridLayout& grid, int gridRow) const {
    grid.addWidget(m_view, gridRow, ViewColumn);
    grid.addWidget(m_title, gridRow, TitleColumn);
    grid.addWidget(m_bitmap, gridRow, BitmapColumn);
    grid.addWidget(m_list, gridRow, ListColumn);
    grid.addWidget(m_size, gridRow, SizeColumn);
    grid.addWidget(m_sizeAuto, gridRow, SizeAutoColumn);
    grid.addWidget(m_ratio, gridRow, RatioColumn);
    grid.addWidget(m_ratioAuto, gridRow, RatioAutoColumn);
    grid.addWidget(m_position, gridRow, PositionColumn);
    grid.addWidget(m_visible, gridRow, VisibleColumn, Qt::AlignLeft);
    grid.addWidget(m_ident, gridRow, IdentColumn);
}

void WindowRow::clearSilently() {
    for (QLineEdit* box : {m_title, m_bitmap, m_size, m_ratio, m_position, m_ident}) {
        const QSignalBlocker blocker(box);
        box->clear();
    }
    const QSignalBlocker blocker(m_visible);
    m_visible->setChecked(false);
    m_visible->setText(QStringLiteral("Off"));
}

} // namespace cockpix::fs98
