#include "base/gui/userdialogs.h"

#include "base/gui/comparisondialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>

namespace cockpix {

namespace {

const QString kTitle = QStringLiteral("COCKPIX");
const QString kHelpWindowName = QStringLiteral("cockpixHelp");

// The help window: Esc closes it, as it closes a dialog, although it is a window of its own.
class HelpBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            close();
            return;
        }
        QTextBrowser::keyPressEvent(event);
    }
};

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.caption.isEmpty() ? kTitle : request.caption,
                       request.directory);
    dialog.setAcceptMode(mode);
    // Opening insists on an existing file, so a typing slip is caught in the dialog rather
    // than reported as a broken panel.cfg afterwards.
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.filter.isEmpty())
        dialog.setNameFilters(request.filter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

void QtUserDialogs::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtUserDialogs::question(const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool QtUserDialogs::questionDefaultNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

SaveChoice QtUserDialogs::askToSave(const QString& text) {
    QMessageBox box(QMessageBox::Warning, kTitle, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

std::optional<QString> QtUserDialogs::openFileName(const FileDialogRequest& request) {
    return runFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtUserDialogs::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(m_parent, request, QFileDialog::AcceptSave);
}

std::optional<QColor> QtUserDialogs::chooseColor(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, m_parent, kTitle);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

bool QtUserDialogs::showHelp(const QString& helpFilePath) {
    if (!QFileInfo(helpFilePath).isFile())
        return false;
    // One help window, reused: a second "Help" brings it back rather than piling up copies.
    QTextBrowser* browser =
        m_parent ? m_parent->findChild<QTextBrowser*>(kHelpWindowName, Qt::FindDirectChildrenOnly)
                 : nullptr;
    if (browser == nullptr) {
        browser = new HelpBrowser(m_parent);
        browser->setObjectName(kHelpWindowName);
        browser->setWindowFlag(Qt::Window);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setOpenExternalLinks(true);
        browser->resize(720, 560);
    }
    browser->setWindowTitle(kTitle + QStringLiteral(" Help"));
    browser->setSource(QUrl::fromLocalFile(QFileInfo(helpFilePath).absoluteFilePath()));
    browser->show();
    browser->raise();
    browser->activateWindow();
    return true;
}

std::optional<int> UserDialogs::chooseFromList(const ListChoiceRequest&) {
    return std::nullopt;
}

std::optional<int> QtUserDialogs::chooseFromList(const ListChoiceRequest& request) {
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(request.caption.isEmpty() ? kTitle : request.caption);
    dialog.setLabelText(request.label);
    dialog.setComboBoxItems(request.items);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (request.current >= 0 && request.current < request.items.size())
        dialog.setTextValue(request.items.at(request.current));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const int index = static_cast<int>(request.items.indexOf(dialog.textValue()));
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}

std::optional<QString> UserDialogs::askText(const TextRequest&) {
    return std::nullopt;
}

std::optional<QString> QtUserDialogs::askText(const TextRequest& request) {
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("textDialog"));
    dialog.setWindowTitle(request.caption.isEmpty() ? kTitle : request.caption);
    dialog.setLabelText(request.label);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(request.text);
    dialog.setAccessibleName(request.caption.isEmpty() ? kTitle : request.caption);
    if (auto* box = dialog.findChild<QLineEdit*>()) {
        box->setObjectName(QStringLiteral("textBox"));
        box->setAccessibleName(request.label);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool UserDialogs::confirmChanges(const ChangesRequest&) {
    return false;
}

bool QtUserDialogs::confirmChanges(const ChangesRequest& request) {
    ComparisonDialog dialog(ComparisonDialog::Purpose::ReviewBeforeSave, m_parent);
    dialog.setTexts(request.oldLabel, request.oldText, request.newLabel, request.newText);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace cockpix
