#include "gauges/gui/latergaugepropertiesdialog.h"

#include "base/gui/modeltext.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/userdialogs.h"
#include "gauges/core/latergaugetext.h"
#include "panel/gui/paneldocument.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cockpix {

LaterGaugePropertiesDialog::LaterGaugePropertiesDialog(PanelDocument& document,
                                                       UserDialogs& dialogs, std::size_t line,
                                                       QWidget* parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs), m_line(line) {
    setObjectName(QStringLiteral("laterGaugeProperties"));
    const PanelLines& lines = m_document.laterLines();
    const TextEncoding encoding = m_document.laterEncoding();
    const bool known = line < lines.lineCount();
    setWindowTitle(
        known ? QStringLiteral("%1=%2").arg(fromPanelText(lines.key(line), encoding),
                                            fromPanelText(laterGaugeName(lines, line), encoding))
              : tr("Gauge properties"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_x = addBox(form, "laterX", tr("&X"));
    m_y = addBox(form, "laterY", tr("&Y"));
    m_width = addBox(form, "laterWidth", tr("&Width (empty: the picture's)"));
    m_height = addBox(form, "laterHeight", tr("&Height (empty: the picture's aspect)"));
    m_more = addBox(form, "laterMore", tr("&Other fields"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("laterOk"));
    ok->setAccessibleName(tr("OK"));
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("laterCancel"));
    cancel->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LaterGaugePropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LaterGaugePropertiesDialog::reject);
    layout->addWidget(buttons);
    // A drag or a key shows here at once. An edit that adds or removes lines (or its undo)
    // may have moved the gauge to another line: the dialog closes rather than show another.
    connect(&m_document, &PanelDocument::laterChanged, this, [this] {
        if (m_applying)
            return;
        if (m_document.laterLines().lineCount() == m_lineCount)
            showLine();
        else
            reject();
    });
    connect(&m_document, &PanelDocument::panelReplaced, this, &LaterGaugePropertiesDialog::reject);

    m_lineCount = lines.lineCount();
    showLine();
}

void LaterGaugePropertiesDialog::showLine() {
    const PanelLines& lines = m_document.laterLines();
    if (m_line >= lines.lineCount())
        return;
    const TextEncoding encoding = m_document.laterEncoding();
    const LaterGaugeBoxes boxes = laterGaugeBoxes(laterGaugeFields(lines, m_line));
    m_x->setText(fromPanelText(boxes.x, encoding));
    m_y->setText(fromPanelText(boxes.y, encoding));
    m_width->setText(fromPanelText(boxes.width, encoding));
    m_height->setText(fromPanelText(boxes.height, encoding));
    m_more->setText(fromPanelText(boxes.more, encoding));
}

QLineEdit* LaterGaugePropertiesDialog::addBox(QFormLayout* form, const char* name,
                                              const QString& label) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    guardPanelText(box, m_dialogs, m_document.laterEncoding());
    form->addRow(label, box);
    return box;
}

QLineEdit* LaterGaugePropertiesDialog::box(const char* objectName) const {
    return findChild<QLineEdit*>(QLatin1String(objectName));
}

LaterGaugeUnits LaterGaugePropertiesDialog::unitsOfLine() const {
    for (const LaterWindow& window : m_document.laterPanel().windows) {
        for (const LaterGauge& gauge : window.gauges) {
            if (gauge.line == m_line)
                return laterGaugeUnits(window);
        }
    }
    return {};
}

void LaterGaugePropertiesDialog::accept() {
    const PanelLines& lines = m_document.laterLines();
    if (m_line >= lines.lineCount()) {
        QDialog::reject();
        return;
    }
    const TextEncoding encoding = m_document.laterEncoding();
    const LaterGaugeBoxes boxes{
        toPanelText(m_x->text(), encoding), toPanelText(m_y->text(), encoding),
        toPanelText(m_width->text(), encoding), toPanelText(m_height->text(), encoding),
        toPanelText(m_more->text(), encoding)};
    if (const auto problem = laterGaugeBoxesProblem(boxes, unitsOfLine())) {
        m_dialogs.message(QString::fromStdString(*problem));
        return;
    }
    // Nothing changed: no step, and the line keeps its own spacing.
    const LaterGaugeBoxes before = laterGaugeBoxes(laterGaugeFields(lines, m_line));
    if (laterGaugeValue("", boxes) != laterGaugeValue("", before)) {
        m_applying = true;
        m_document.setLaterGaugeLine(m_line, laterGaugeValue(laterGaugeName(lines, m_line), boxes));
        m_applying = false;
    }
    QDialog::accept();
}

} // namespace cockpix
