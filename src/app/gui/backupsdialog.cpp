#include "app/gui/backupsdialog.h"

#include "app/gui/mainwindow.h"
#include "app/gui/panelcommands.h"
#include "base/core/filelookup.h"
#include "base/gui/comparisonview.h"
#include "base/gui/counttext.h"
#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "panel/core/panelsave.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace cockpix {
namespace {

enum Column { NameColumn, DateColumn, SizeColumn, WindowsColumn, GaugesColumn };

QString backupName(int number) {
    return QStringLiteral("panel.c%1").arg(number);
}

QPushButton* namedButton(QPushButton* button, const char* name, const QString& tip) {
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
    button->setAccessibleDescription(tip);
    return button;
}

} // namespace

BackupsDialog::BackupsDialog(MainWindow& window, AppModel& app, UserDialogs& dialogs)
    : QDialog(&window), m_window(window), m_app(app), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("BackupsDialog"));
    setWindowTitle(tr("Backups"));
    setAccessibleName(windowTitle());

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("backupsSummary"));
    m_summary->setWordWrap(true);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("backupList"));
    m_list->setAccessibleName(tr("Backups of panel.cfg"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Backup"), tr("Date"), tr("Size"), tr("Windows"), tr("Gauges")});
    m_list->header()->setAccessibleName(tr("Columns of the backups"));

    m_view = new ComparisonView;
    m_view->setObjectName(QStringLiteral("comparisonView"));
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(m_list);
    split->addWidget(m_view);
    split->setStretchFactor(1, 3);

    auto* buttons = new QDialogButtonBox;
    m_restore = namedButton(buttons->addButton(tr("&Restore"), QDialogButtonBox::ActionRole),
                            "restoreButton",
                            tr("Put the selected backup back as panel.cfg (the current one is "
                               "kept as a new backup)"));
    namedButton(buttons->addButton(QDialogButtonBox::Close), "closeButton",
                tr("Close the list of backups"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_restore, &QPushButton::clicked, this, &BackupsDialog::restoreCurrent);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &BackupsDialog::showComparison);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    resize(960, 640);
    refresh();
}

const PanelBackup* BackupsDialog::currentBackup() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (item == nullptr)
        return nullptr;
    const int index = item->data(NameColumn, Qt::UserRole).toInt();
    return index >= 0 && index < static_cast<int>(m_backups.size())
               ? &m_backups[static_cast<std::size_t>(index)]
               : nullptr;
}

void BackupsDialog::refresh() {
    m_backups = listPanelBackups(m_app.dirs.panelDir);
    std::reverse(m_backups.begin(), m_backups.end()); // the newest first
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (std::size_t i = 0; i < m_backups.size(); ++i) {
        const PanelBackup& backup = m_backups[i];
        const BackupContent content = readBackupContent(backup);
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(NameColumn, backupName(backup.number));
        item->setData(NameColumn, Qt::UserRole, static_cast<int>(i));
        item->setText(DateColumn, QDateTime::fromSecsSinceEpoch(backup.modified)
                                      .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        item->setText(SizeColumn, tr("%1 bytes").arg(backup.size));
        if (content.error) {
            item->setText(WindowsColumn, tr("unreadable"));
            item->setToolTip(WindowsColumn, toQString(content.error->describeText()));
        } else {
            item->setText(WindowsColumn, QString::number(content.windowCount));
            item->setText(GaugesColumn, QString::number(content.gaugeCount));
        }
    }
    for (int column = 0; column <= GaugesColumn; ++column)
        m_list->resizeColumnToContents(column);
    m_summary->setText(
        m_backups.empty()
            ? tr("There are no backups in %1.").arg(fromModelPath(m_app.dirs.panelDir))
            : tr("%1 in %2: select one to compare it with the current panel.cfg.")
                  .arg(countText(static_cast<int>(m_backups.size()), tr("backup"), tr("backups")),
                       fromModelPath(m_app.dirs.panelDir)));
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    showComparison();
}

void BackupsDialog::showComparison() {
    const PanelBackup* backup = currentBackup();
    m_restore->setEnabled(backup != nullptr);
    if (backup == nullptr) {
        m_view->setTexts(tr("panel.cfg"), {}, tr("panel.cfg"), {});
        return;
    }
    const std::optional<std::string> current = existingPanelFile(m_app.dirs.panelDir);
    m_view->setTexts(current ? tr("panel.cfg now") : tr("(no panel.cfg)"),
                     current ? readWholeFile(*current).value_or(std::string()) : std::string(),
                     backupName(backup->number),
                     readWholeFile(backup->path).value_or(std::string()));
}

void BackupsDialog::restoreCurrent() {
    const PanelBackup* backup = currentBackup();
    if (backup == nullptr)
        return;
    const int number = backup->number;
    // The restored panel is opened: unsaved changes are settled first.
    if (!m_window.settleUnsavedChanges())
        return;
    // The restored file is opened as "&Open" opens it: what is shown of the panel goes.
    if (!m_dialogs.question(tr("Restore '%1' as panel.cfg?\nThe current panel.cfg is kept as a "
                               "new backup first.\nThe panel windows are closed and the "
                               "restored panel is opened in the template.")
                                .arg(backupName(number))))
        return;
    const RestoreResult result = restorePanelBackup(m_app.dirs.panelDir, number);
    m_dialogs.message(toQString(result.message));
    if (result.restored)
        m_window.panelCommands().openPath(fromModelPath(result.panelFile));
    refresh();
}

} // namespace cockpix
