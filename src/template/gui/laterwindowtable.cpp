#include "template/gui/laterwindowtable.h"

#include "base/gui/modeltext.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/userdialogs.h"
#include "panel/gui/paneldocument.h"
#include "template/core/latertable.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cockpix {
namespace {

QStringList columnHeadings() {
    return {QObject::tr("Window title"), QObject::tr("Bitmap, colour or texture"),
            QObject::tr("Size w"),       QObject::tr("Size h"),
            QObject::tr("Size ratio"),   QObject::tr("Position (0-8)"),
            QObject::tr("Visible"),      QObject::tr("Ident."),
            QObject::tr("Window pos"),   QObject::tr("Window size")};
}

QPushButton* namedButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
    return button;
}

} // namespace

LaterWindowTable::LaterWindowTable(PanelDocument& document, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_document(document), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("laterWindows"));
    auto* layout = new QVBoxLayout(this);
    m_note = new QLabel(tr("A panel of FS2000 and later: every line not edited is saved as it "
                           "was read."),
                        this);
    m_note->setObjectName(QStringLiteral("laterNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    m_table = new QTableWidget(0, kLaterColumnCount, this);
    m_table->setObjectName(QStringLiteral("laterWindowTable"));
    m_table->setAccessibleName(tr("Windows and virtual cockpits"));
    m_table->setHorizontalHeaderLabels(columnHeadings());
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setObjectName(QStringLiteral("laterColumnHeadings"));
    m_table->horizontalHeader()->setAccessibleName(tr("Columns"));
    m_table->verticalHeader()->setObjectName(QStringLiteral("laterSectionNames"));
    m_table->verticalHeader()->setAccessibleName(tr("Sections"));
    // The corner button would select the whole table, which no command here uses.
    m_table->setCornerButtonEnabled(false);
    for (QAbstractButton* corner : m_table->findChildren<QAbstractButton*>())
        corner->setAccessibleName(tr("Select all"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    m_add = namedButton(tr("&Add window"), "laterAddWindow", this);
    m_remove = namedButton(tr("&Remove window"), "laterRemoveWindow", this);
    m_show = namedButton(tr("&Show window"), "laterShowWindow", this);
    buttons->addWidget(m_show);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(m_table, &QTableWidget::itemChanged, this, &LaterWindowTable::cellEdited);
    connect(m_add, &QPushButton::clicked, this, &LaterWindowTable::addWindow);
    connect(m_remove, &QPushButton::clicked, this, &LaterWindowTable::removeWindow);
    connect(m_show, &QPushButton::clicked, this, [this] {
        if (m_table->currentRow() >= 0)
            emit showWindowRequested(m_table->currentRow());
    });
    connect(m_table->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &LaterWindowTable::showWindowRequested);
    connect(&m_document, &PanelDocument::laterChanged, this, &LaterWindowTable::refresh);
    connect(&m_document, &PanelDocument::panelReplaced, this, &LaterWindowTable::refresh);
    refresh();
}

// The items are kept and given their new text (a text or flag set as it was is no change):
// refresh runs inside the table's own signal for the item just typed into, while its
// editor is being closed.
void LaterWindowTable::refresh() {
    const LaterPanel& panel = m_document.laterPanel();
    const TextEncoding encoding = m_document.laterEncoding();
    const QSignalBlocker blocker(m_table);
    const int current = m_table->currentRow();
    m_table->setRowCount(static_cast<int>(panel.windows.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const LaterWindow& window = panel.windows[static_cast<std::size_t>(row)];
        const QString header = QStringLiteral("[%1]").arg(fromPanelText(window.header, encoding));
        if (QTableWidgetItem* item = m_table->verticalHeaderItem(row))
            item->setText(header);
        else
            m_table->setVerticalHeaderItem(row, new QTableWidgetItem(header));
        for (int column = 0; column < kLaterColumnCount; ++column) {
            QTableWidgetItem* item = m_table->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                m_table->setItem(row, column, item);
            }
            item->setText(
                fromPanelText(laterCellText(panel, window, LaterColumn(column)), encoding));
            const bool editable =
                column != int(LaterColumn::Title) || window.kind == LaterWindowKind::Window;
            const Qt::ItemFlags flags =
                editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable;
            if (flags != item->flags())
                item->setFlags(flags);
        }
    }
    // The current cell moves only when its row went: a move would close the editor whose
    // text is being stored.
    if (current >= m_table->rowCount())
        m_table->setCurrentCell(m_table->rowCount() - 1, 0);
    m_remove->setEnabled(m_table->rowCount() > 0);
    m_show->setEnabled(m_table->rowCount() > 0);
}

void LaterWindowTable::cellEdited(QTableWidgetItem* item) {
    const LaterPanel& panel = m_document.laterPanel();
    const auto row = static_cast<std::size_t>(item->row());
    if (row >= panel.windows.size())
        return;
    const LaterWindow& window = panel.windows[row];
    if (!panelCanHold(item->text(), m_document.laterEncoding(), m_dialogs)) {
        refresh();
        return;
    }
    const LaterCellEdit edit = laterCellEdit(window, LaterColumn(item->column()),
                                             toPanelText(item->text(), m_document.laterEncoding()));
    const std::size_t section = window.section;
    const long number = window.number;
    switch (edit.kind) {
    case LaterCellEdit::Kind::SetKey:
        m_document.setLaterKey(section, edit.key, edit.value);
        break;
    case LaterCellEdit::Kind::RemoveKey:
        m_document.removeLaterKey(section, edit.key);
        break;
    case LaterCellEdit::Kind::SetTitle:
        m_document.setLaterTitle(number, edit.value);
        break;
    case LaterCellEdit::Kind::Refuse:
        m_dialogs.message(QString::fromStdString(edit.message));
        break;
    case LaterCellEdit::Kind::None:
        break;
    }
    // Refused, or written in the file's own way: the cell shows what the lines hold.
    refresh();
}

void LaterWindowTable::addWindow() {
    NewLaterWindow window;
    window.title = "New window";
    window.keys = {{"Background_color", "0,0,0"}, {"size_mm", "100,100"}, {"visible", "0"}};
    m_document.addLaterWindow(window);
    m_table->setCurrentCell(m_table->rowCount() - 1, 0);
}

void LaterWindowTable::removeWindow() {
    const int row = m_table->currentRow();
    const LaterPanel& panel = m_document.laterPanel();
    if (row < 0 || static_cast<std::size_t>(row) >= panel.windows.size())
        return;
    const LaterWindow& window = panel.windows[static_cast<std::size_t>(row)];
    if (!m_dialogs.question(tr("Remove [%1] and all its lines?")
                                .arg(fromPanelText(window.header, m_document.laterEncoding()))))
        return;
    m_document.removeLaterWindow(window.section);
}

} // namespace cockpix
