#include "template/gui/fs2k/windowtable.h"

#include "base/gui/modeltext.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/userdialogs.h"
#include "panel/gui/fs2k/document.h"
#include "template/core/fs2k/windowtable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace cockpix::fs2k {
namespace {

QStringList columnHeadings() {
    return {QObject::tr("Window title"), QObject::tr("Bitmap, colour or texture"),
            QObject::tr("Size w"),       QObject::tr("Size h"),
            QObject::tr("Size ratio"),   QObject::tr("Position (0-8)"),
            QObject::tr("Visible"),      QObject::tr("Ident."),
            QObject::tr("Window pos"),   QObject::tr("Window size"),
            QObject::tr("Pixel size"),   QObject::tr("Background colour"),
            QObject::tr("Instruments")};
}

QPushButton* namedButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
    return button;
}

} // namespace

WindowTable::WindowTable(fs2k::Document& document, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_document(document), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("laterWindows"));
    auto* layout = new QVBoxLayout(this);
    m_note = new QLabel(tr("A panel of FS2000 and later: every line not edited is saved as it "
                           "was read."),
                        this);
    m_note->setObjectName(QStringLiteral("laterNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    m_table = new QTableWidget(0, kColumnCount, this);
    m_table->setObjectName(QStringLiteral("laterWindowTable"));
    m_table->setAccessibleName(tr("Windows, virtual cockpits and paintings"));
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
    m_openBase = namedButton(tr("Open &base panel"), "laterOpenBasePanel", this);
    buttons->addWidget(m_show);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addWidget(m_openBase);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(m_table, &QTableWidget::itemChanged, this, &WindowTable::cellEdited);
    connect(m_add, &QPushButton::clicked, this, &WindowTable::addWindow);
    connect(m_remove, &QPushButton::clicked, this, &WindowTable::removeWindow);
    connect(m_show, &QPushButton::clicked, this, [this] {
        if (isOwnRow(m_table->currentRow()))
            emit showWindowRequested(m_table->currentRow());
    });
    connect(m_table->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
        if (isOwnRow(row))
            emit showWindowRequested(row);
    });
    connect(m_openBase, &QPushButton::clicked, this,
            [this] { emit openBasePanelRequested(QString::fromStdString(m_variant.basePanel)); });
    connect(m_table, &QTableWidget::currentCellChanged, this, &WindowTable::updateButtons);
    connect(&m_document, &fs2k::Document::linesChanged, this, &WindowTable::refresh);
    connect(&m_document, &fs2k::Document::panelReplaced, this, [this] {
        readBases();
        refresh();
    });
    readBases();
    refresh();
}

// The items are kept and given their new text (a text or flag set as it was is no change):
// refresh runs inside the table's own signal for the item just typed into, while its
// editor is being closed.
void WindowTable::refresh() {
    const Panel& panel = m_document.panel();
    const TextEncoding encoding = m_document.encoding();
    const QSignalBlocker blocker(m_table);
    const int current = m_table->currentRow();
    m_table->setRowCount(static_cast<int>(panel.windows.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const Window& window = panel.windows[static_cast<std::size_t>(row)];
        const QString header = QStringLiteral("[%1]").arg(fromPanelText(window.header, encoding));
        if (QTableWidgetItem* item = m_table->verticalHeaderItem(row)) {
            item->setText(header);
            item->setToolTip(QString());
        } else
            m_table->setVerticalHeaderItem(row, new QTableWidgetItem(header));
        for (int column = 0; column < kColumnCount; ++column) {
            QTableWidgetItem* item = m_table->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                m_table->setItem(row, column, item);
            }
            item->setText(fromPanelText(cellText(panel, window, Column(column)), encoding));
            if (item->data(Qt::ForegroundRole).isValid()) { // was a base row's
                item->setData(Qt::ForegroundRole, QVariant());
                item->setToolTip(QString());
            }
            const bool editable = isEditable(window, Column(column));
            const Qt::ItemFlags flags =
                editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable;
            if (flags != item->flags())
                item->setFlags(flags);
        }
    }
    showBaseRows(static_cast<int>(panel.windows.size()), encoding);
    // The current cell moves only when its row went: a move would close the editor whose
    // text is being stored.
    if (current >= m_table->rowCount())
        m_table->setCurrentCell(m_table->rowCount() - 1, 0);
    updateButtons();
}

void WindowTable::readBases() {
    m_variant = {};
    m_basePanels.clear();
    const std::string& file = m_document.filePath();
    if (!file.empty()) {
        const std::string dir = std::filesystem::path(file).parent_path().generic_string() + "/";
        m_variant = findVariantBase(dir, m_document.lines());
    }
    for (const BasePanel& base : m_variant.bases)
        m_basePanels.push_back(readPanel(base.lines));
}

// The base's sections that the variant keeps, after its own rows: shown, not typed into.
void WindowTable::showBaseRows(int firstRow, TextEncoding encoding) {
    const std::vector<BaseRow> rows = baseRows(m_document.lines(), m_variant.bases, m_basePanels);
    m_table->setRowCount(firstRow + static_cast<int>(rows.size()));
    const QBrush grey = QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = firstRow + static_cast<int>(r);
        const Window& window = *rows[r].window;
        const Panel& panel = m_basePanels[rows[r].base];
        const QString from = tr("From the base panel %1")
                                 .arg(QString::fromStdString(m_variant.bases[rows[r].base].path));
        auto* header =
            new QTableWidgetItem(tr("[%1] (base)").arg(fromPanelText(window.header, encoding)));
        header->setToolTip(from);
        m_table->setVerticalHeaderItem(row, header);
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(
                fromPanelText(cellText(panel, window, Column(column)), encoding));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setForeground(grey);
            item->setToolTip(from);
            m_table->setItem(row, column, item);
        }
    }
}

bool WindowTable::isOwnRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_document.panel().windows.size();
}

void WindowTable::updateButtons() {
    const bool own = isOwnRow(m_table->currentRow()) ||
                     (m_table->currentRow() < 0 && !m_document.panel().windows.empty());
    m_remove->setEnabled(own);
    m_show->setEnabled(own);
    m_openBase->setEnabled(!m_variant.basePanel.empty());
}

void WindowTable::cellEdited(QTableWidgetItem* item) {
    const Panel& panel = m_document.panel();
    const auto row = static_cast<std::size_t>(item->row());
    if (row >= panel.windows.size())
        return;
    const Window& window = panel.windows[row];
    if (!panelCanHold(item->text(), m_document.encoding(), m_dialogs)) {
        refresh();
        return;
    }
    const CellEdit edit =
        cellEdit(window, Column(item->column()), toPanelText(item->text(), m_document.encoding()));
    const std::size_t section = window.section;
    const long number = window.number;
    switch (edit.kind) {
    case CellEdit::Kind::SetKey:
        m_document.setKey(section, edit.key, edit.value);
        break;
    case CellEdit::Kind::RemoveKey:
        m_document.removeKey(section, edit.key);
        break;
    case CellEdit::Kind::SetTitle:
        m_document.setTitle(number, edit.value);
        break;
    case CellEdit::Kind::Refuse:
        m_dialogs.message(QString::fromStdString(edit.message));
        break;
    case CellEdit::Kind::None:
        break;
    }
    // Refused, or written in the file's own way: the cell shows what the lines hold.
    refresh();
}

void WindowTable::addWindow() {
    NewWindow window;
    window.title = "New window";
    window.keys = {{"Background_color", "0,0,0"}, {"size_mm", "100,100"}, {"visible", "0"}};
    m_document.addWindow(window);
    m_table->setCurrentCell(m_table->rowCount() - 1, 0);
}

void WindowTable::removeWindow() {
    const int row = m_table->currentRow();
    const Panel& panel = m_document.panel();
    if (!isOwnRow(row))
        return;
    const Window& window = panel.windows[static_cast<std::size_t>(row)];
    if (!m_dialogs.question(tr("Remove [%1] and all its lines?")
                                .arg(fromPanelText(window.header, m_document.encoding()))))
        return;
    m_document.removeWindow(window.section);
}

} // namespace cockpix::fs2k
