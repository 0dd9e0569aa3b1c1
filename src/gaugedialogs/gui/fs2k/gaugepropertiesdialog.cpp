#include "gaugedialogs/gui/fs2k/gaugepropertiesdialog.h"

#include "base/gui/modeltext.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/core/fs2k/gaugetext.h"
#include "panel/core/fs2k/edits.h"
#include "panel/gui/fs2k/document.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cockpix::fs2k {

GaugePropertiesDialog::GaugePropertiesDialog(fs2k::Document& document, UserDialogs& dialogs,
                                             std::size_t line, QWidget* parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs), m_line(line) {
    setObjectName(QStringLiteral("laterGaugeProperties"));
    const PanelLines& lines = m_document.lines();
    const TextEncoding encoding = m_document.encoding();
    const bool known = line < lines.lineCount();
    setWindowTitle(
        known ? QStringLiteral("%1=%2").arg(fromPanelText(lines.key(line), encoding),
                                            fromPanelText(gaugeLineName(lines, line), encoding))
              : tr("Gauge properties"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    if (known && gaugeLineKind(lines, line) != GaugeLineKind::Gauge) {
        m_path = addBox(form, "laterPath", tr("&Path"));
        m_query = addBox(form, "laterQuery", tr("&Query"));
    }
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
    connect(buttons, &QDialogButtonBox::accepted, this, &GaugePropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GaugePropertiesDialog::reject);
    layout->addWidget(buttons);
    // A drag or a key shows here at once. An edit that adds or removes lines (or its undo)
    // may have moved the gauge to another line: the dialog closes rather than show another.
    connect(&m_document, &fs2k::Document::linesChanged, this, [this] {
        if (m_applying)
            return;
        if (m_document.lines().lineCount() == m_lineCount)
            showLine();
        else
            reject();
    });
    connect(&m_document, &fs2k::Document::panelReplaced, this, &GaugePropertiesDialog::reject);

    m_lineCount = lines.lineCount();
    showLine();
}

void GaugePropertiesDialog::showLine() {
    const PanelLines& lines = m_document.lines();
    if (m_line >= lines.lineCount())
        return;
    const TextEncoding encoding = m_document.encoding();
    const GaugeBoxes boxes = gaugeBoxes(gaugeFields(lines, m_line));
    m_x->setText(fromPanelText(boxes.x, encoding));
    m_y->setText(fromPanelText(boxes.y, encoding));
    m_width->setText(fromPanelText(boxes.width, encoding));
    m_height->setText(fromPanelText(boxes.height, encoding));
    m_more->setText(fromPanelText(boxes.more, encoding));
    if (m_path) {
        const InstrumentName name = splitInstrumentName(gaugeLineName(lines, m_line));
        m_path->setText(fromPanelText(name.path, encoding));
        m_query->setText(fromPanelText(name.query, encoding));
    }
}

QLineEdit* GaugePropertiesDialog::addBox(QFormLayout* form, const char* name,
                                         const QString& label) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    guardPanelText(box, m_dialogs, m_document.encoding());
    form->addRow(label, box);
    return box;
}

QLineEdit* GaugePropertiesDialog::box(const char* objectName) const {
    return findChild<QLineEdit*>(QLatin1String(objectName));
}

GaugeUnits GaugePropertiesDialog::unitsOfLine() const {
    for (const Window& window : m_document.panel().windows) {
        for (const Gauge& gauge : window.gauges) {
            if (gauge.line == m_line)
                return gaugeUnits(window);
        }
    }
    return {};
}

void GaugePropertiesDialog::accept() {
    const PanelLines& lines = m_document.lines();
    if (m_line >= lines.lineCount()) {
        QDialog::reject();
        return;
    }
    const TextEncoding encoding = m_document.encoding();
    const GaugeBoxes boxes{toPanelText(m_x->text(), encoding), toPanelText(m_y->text(), encoding),
                           toPanelText(m_width->text(), encoding),
                           toPanelText(m_height->text(), encoding),
                           toPanelText(m_more->text(), encoding)};
    if (const auto problem = gaugeBoxesProblem(boxes, unitsOfLine())) {
        m_dialogs.message(QString::fromStdString(*problem));
        return;
    }
    const std::string before(gaugeLineName(lines, m_line));
    std::string name = before;
    if (m_path) {
        const InstrumentName typed{toPanelText(m_path->text(), encoding),
                                   toPanelText(m_query->text(), encoding)};
        if (const auto problem = instrumentNameProblem(typed)) {
            m_dialogs.message(QString::fromStdString(*problem));
            return;
        }
        // Left as written unless its path or query changed.
        if (!(splitInstrumentName(before) == splitInstrumentName(joinInstrumentName(typed))))
            name = joinInstrumentName(typed);
    }
    // Nothing changed: no step, and the line keeps its own spacing.
    const GaugeBoxes old = gaugeBoxes(gaugeFields(lines, m_line));
    if (gaugeValue("", boxes) != gaugeValue("", old) || name != before) {
        m_applying = true;
        m_document.setGaugeLine(m_line, gaugeValue(name, boxes));
        m_applying = false;
    }
    QDialog::accept();
}

} // namespace cockpix::fs2k
