#include "app/gui/directoriesdialog.h"

#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "settings/core/directoryrules.h"
#include "settings/core/settings.h"
#include "state/core/appmodel.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace cockpix {

namespace {

QString startDirectory(const Directories& dirs, const QString& target) {
    const std::string* current = targetDirectory(dirs, target.toStdString());
    // An unset or vanished directory leaves the list where the program runs, without a word.
    if (current != nullptr && !current->empty()) {
        const QDir dir(fromModelPath(*current));
        if (dir.exists())
            return dir.absolutePath();
    }
    return QDir::currentPath();
}

} // namespace

DirectoriesDialog::DirectoriesDialog(AppModel& app, const QString& target, UserDialogs& dialogs,
                                     QWidget* parent)
    : QDialog(parent), m_app(app), m_dialogs(dialogs), m_target(target),
      m_openingBmpDir(app.dirs.bmpDir), m_openingPaletteDir(app.dirs.paletteDir) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(tr("Set directories..."));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = new QGroupBox(tr("Set %1 directory path...").arg(m_target), this);
    frame->setObjectName(QStringLiteral("Frame1"));

    m_fileSystem = new QFileSystemModel(this);
    // FS98 often lives inside a Wine prefix (~/.wine), so hidden directories are shown too.
    m_fileSystem->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
    m_fileSystem->setRootPath(QStringLiteral("/"));

    m_tree = new QTreeView(frame);
    m_tree->setObjectName(QStringLiteral("Dir1"));
    m_tree->setAccessibleName(tr("Directory list"));
    m_tree->setAccessibleDescription(frame->title());
    m_tree->setModel(m_fileSystem);
    for (int column = 1; column < m_fileSystem->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setHeaderHidden(true);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setMinimumSize(360, 280);
    connect(m_tree, &QTreeView::doubleClicked, this, &DirectoriesDialog::openIndex);
    // The file system model reads directories in the background, adds their rows a little
    // later and sorts them later still; the list follows its directory into view meanwhile.
    const auto revealAgain = [this] {
        if (!m_listPathShown)
            revealListPath();
    };
    connect(m_fileSystem, &QFileSystemModel::directoryLoaded, this, revealAgain);
    connect(m_fileSystem, &QFileSystemModel::rowsInserted, this, revealAgain);
    connect(m_fileSystem, &QFileSystemModel::layoutChanged, this, revealAgain); // sorted
    // Until the user takes the list in hand: then it stays where the user put it.
    const auto userTookOver = [this] { m_listPathShown = true; };
    connect(m_tree, &QTreeView::pressed, this, userTookOver);
    connect(m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this, userTookOver);
    // One click (or the arrow keys) selects a directory; a double-click also opens it.
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DirectoriesDialog::selectIndex);
    // A click on the directory selected already takes it back from a path typed meanwhile.
    connect(m_tree, &QTreeView::clicked, this, &DirectoriesDialog::selectIndex);

    auto* selectedLabel = new QLabel(tr("Selected %1 directory path :").arg(m_target), frame);
    selectedLabel->setObjectName(QStringLiteral("Label1"));
    m_selectedPath = new QLabel(frame);
    m_selectedPath->setObjectName(QStringLiteral("Label2"));
    m_selectedPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_selectedPath->setWordWrap(true);
    auto* hint = new QLabel(tr("Double-click directory in box and press OK to confirm :"), frame);
    hint->setObjectName(QStringLiteral("Label3"));

    m_pathBox = new QLineEdit(frame);
    m_pathBox->setObjectName(QStringLiteral("Text1"));
    m_pathBox->setAccessibleName(tr("Directory path"));
    m_pathBox->setToolTip(tr("Type a directory and press Enter to open it in the list"));
    m_pathBox->setAccessibleDescription(m_pathBox->toolTip());
    auto* completions = new QFileSystemModel(this);
    completions->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    completions->setRootPath(QStringLiteral("/"));
    auto* completer = new QCompleter(completions, this);
    m_pathBox->setCompleter(completer);
    // Watched after the completer's own filter, so seen first (see eventFilter).
    completer->popup()->installEventFilter(this);
    // Enter in the box opens the typed directory; it must not confirm the dialog as well.
    m_pathBox->installEventFilter(this);
    connect(m_pathBox, &QLineEdit::textEdited, this, &DirectoriesDialog::showTypedPath);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(selectedLabel);
    frameLayout->addWidget(m_selectedPath);
    frameLayout->addWidget(hint);
    frameLayout->addWidget(m_pathBox);
    frameLayout->addWidget(m_tree, 1);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(ok, &QPushButton::clicked, this, &DirectoriesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &DirectoriesDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);

    setListPath(startDirectory(m_app.dirs, m_target));
}

void DirectoriesDialog::setListPath(const QString& path) {
    m_listPath = QDir::cleanPath(QDir(path).absolutePath());
    m_listPathShown = false;
    revealListPath();
    selectListPath();
}

void DirectoriesDialog::selectListPath() {
    m_selected = applyBrowsedPath(m_app.dirs, m_target.toStdString(), toModelPath(m_listPath));
    m_selectedPath->setText(fromModelPath(m_selected));
    m_pathBox->setText(m_listPath);
}

void DirectoriesDialog::selectIndex(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QString path = QDir::cleanPath(m_fileSystem->filePath(index));
    if (path != m_listPath) {
        // Where the user clicked: the list stays as it is, scrolled where the user has it.
        m_listPath = path;
        m_listPathShown = true;
    } else if (m_pathBox->text() == m_listPath) {
        return;
    }
    selectListPath();
}

QString DirectoriesDialog::typedDirectory() const {
    QString typed = m_pathBox->text().trimmed();
    if (typed == QStringLiteral("~") || typed.startsWith(QStringLiteral("~/")))
        typed.replace(0, 1, QDir::homePath());
    if (typed.isEmpty())
        return {};
    // A relative path is taken from the directory the list shows.
    const QString path = QDir::cleanPath(QDir(m_listPath).absoluteFilePath(typed));
    return QFileInfo(path).isDir() ? path : QString();
}

void DirectoriesDialog::showTypedPath() {
    // The label says what "OK" will store: the typed directory, or nothing while the box
    // names none.
    const QString path = typedDirectory();
    m_selectedPath->setText(
        path.isEmpty() ? QString() : fromModelPath(selectedDirectoryPath(toModelPath(path))));
}

bool DirectoriesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pathBox->completer()->popup() && event->type() == QEvent::MouseButtonPress &&
        pressButtonBesidePopup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()))
        return true;
    if (watched == m_pathBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openTypedPath();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool DirectoriesDialog::pressButtonBesidePopup(const QPoint& at) {
    // The list of completions takes every click while it is open, and closing it on a click
    // outside would swallow that click: "OK" pressed right after typing would do nothing.
    QWidget* popup = m_pathBox->completer()->popup();
    if (popup->rect().contains(popup->mapFromGlobal(at)))
        return false;
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isVisible() && button->isEnabled() &&
            button->rect().contains(button->mapFromGlobal(at))) {
            popup->hide();
            // After the press has been dealt with: "OK" may close and delete the dialog.
            QTimer::singleShot(0, button, &QPushButton::click);
            return true;
        }
    }
    return false;
}

bool DirectoriesDialog::openTypedPath() {
    const QString path = typedDirectory();
    if (path.isEmpty()) {
        m_dialogs.message(tr("There is no directory '%1'.").arg(m_pathBox->text().trimmed()));
        return false;
    }
    if (path != m_listPath)
        setListPath(path);
    else
        selectListPath(); // the box may still read "~" or a relative path
    return true;
}

// Opens the list at its directory: every parent expanded, the directory selected and in view.
void DirectoriesDialog::revealListPath() {
    const QModelIndex index = m_fileSystem->index(m_listPath);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    m_tree->expand(index);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void DirectoriesDialog::openIndex(const QModelIndex& index) {
    if (index.isValid())
        setListPath(m_fileSystem->filePath(index));
}

void DirectoriesDialog::accept() {
    // A path typed but not yet opened is the one the user means.
    if (m_pathBox->text() != m_listPath && !openTypedPath())
        return;
    const std::string target = m_target.toStdString();
    // Work files for a later simulator's folders go to the user's cache folder instead, the
    // same one the command line uses (userCacheDir).
    const ConfirmResult result =
        confirmDirectory(m_app.dirs, target, m_selected, settingsFilePath());
    if (result.status != ConfirmStatus::WrongDirectory)
        m_app.bitmapMissing = 0;
    switch (result.status) {
    case ConfirmStatus::WrongDirectory:
        m_dialogs.message(QString::fromStdString(wrongDirectoryMessage(target)));
        return; // the dialog stays open for another try
    case ConfirmStatus::Stored:
        emit directoryConfirmed();
        break;
    case ConfirmStatus::SettingsNotSaved:
        m_dialogs.message(tr("The settings file could not be written:\n%1")
                              .arg(fromModelPath(result.failedPath)));
        emit directoryConfirmed();
        break;
    case ConfirmStatus::WorkDirFailed:
        m_dialogs.message(tr("The work directory could not be created:\n%1")
                              .arg(fromModelPath(result.failedPath)));
        break;
    }
    QDialog::accept();
}

void DirectoriesDialog::reject() {
    m_app.dirs.bmpDir = m_openingBmpDir;
    m_app.dirs.paletteDir = m_openingPaletteDir;
    QDialog::reject();
}

} // namespace cockpix
