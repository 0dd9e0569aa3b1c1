#include "base/gui/comparisondialog.h"

#include "base/gui/comparisonview.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace cockpix {
namespace {

void name(QPushButton* button, const char* objectName, const QString& tip) {
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(tip);
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
    button->setAccessibleDescription(tip);
}

} // namespace

ComparisonDialog::ComparisonDialog(Purpose purpose, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ComparisonDialog"));
    const bool review = purpose == Purpose::ReviewBeforeSave;
    setWindowTitle(review ? tr("Changes to be saved") : tr("Compare with saved"));
    setAccessibleName(windowTitle());

    m_view = new ComparisonView;
    m_view->setObjectName(QStringLiteral("comparisonView"));
    auto* buttons = new QDialogButtonBox;
    if (review) {
        m_accept = buttons->addButton(tr("&Save"), QDialogButtonBox::AcceptRole);
        name(m_accept, "saveButton", tr("Write these changes to disk"));
        m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
        name(m_cancel, "cancelButton", tr("Save nothing"));
    } else {
        m_accept = buttons->addButton(QDialogButtonBox::Close);
        name(m_accept, "closeButton", tr("Close the comparison"));
    }
    m_accept->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(960, 560);
}

void ComparisonDialog::setTexts(const QString& oldLabel, const std::string& oldText,
                                const QString& newLabel, const std::string& newText) {
    m_view->setTexts(oldLabel, oldText, newLabel, newText);
}

} // namespace cockpix
