#include "gaugedialogs/gui/addgaugedialog.h"

#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "gaugefiles/gui/progresswindow.h"
#include "panel/gui/fs98/document.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <memory>

namespace cockpix {
namespace {

const QString kAlways = QStringLiteral("Always recompute bitmap");
const QString kNever = QStringLiteral("Never recompute bitmap");

} // namespace

AddGaugeDialog::AddGaugeDialog(fs98::Document& document, AppModel& app, UserDialogs& dialogs, int w,
                               QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_dialogs(dialogs), m_w(w) {
    setUpChooser(*this, "Form5", QStringLiteral("Select Gauge to add..."));
    build();
    for (const std::string& name : filesWithExtension(m_app.dirs.gaugesDir, ".gau"))
        m_list->addItem(fromModelPath(name));
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { previewGaugeModule(item->text()); });
    // A double click (or Enter) picks and adds; a refused pick adds nothing.
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        previewGaugeModule(item->text());
        addGauge();
    });
    connect(m_recompute, &QCheckBox::toggled, this, &AddGaugeDialog::onRecomputeToggled);
    connect(m_ok, &QPushButton::clicked, this, &AddGaugeDialog::addGauge);
    connect(&m_document, &fs98::Document::panelReplaced, this, &QWidget::close);
}

void AddGaugeDialog::build() {
    auto* grid = new QGridLayout(this);
    m_list = chooserList(this, "File1", tr("Gauge modules"),
                         QStringLiteral("List of available gauges on your disk"));
    auto* instruction =
        chooserLabel(this, "Label1", QStringLiteral("Click to view gauge. Double-Click to add. "));
    auto* caption = chooserLabel(this, "Label2", QStringLiteral("SNAPSHOT"));
    m_snapshot = chooserSnapshot(this, "Picture1", caption->text());
    m_snapshot->setMinimumSize(160, 160);
    m_snapshot->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const bool always = m_app.options.alwaysRecomputeBitmaps;
    m_recompute = new QCheckBox(always ? kAlways : kNever, this);
    m_recompute->setObjectName(QStringLiteral("Check1"));
    m_recompute->setChecked(always);
    m_recompute->setAccessibleName(tr("Recompute bitmaps"));
    const OkCancelRow buttons = okCancelRow(*this);
    m_ok = buttons.ok;
    grid->addWidget(instruction, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 4, 1);
    grid->addWidget(caption, 1, 1);
    grid->addWidget(m_snapshot, 2, 1);
    grid->addWidget(m_recompute, 3, 1);
    grid->addLayout(buttons.row, 4, 1);
    resize(520, 360);
}

void AddGaugeDialog::previewGaugeModule(const QString& moduleFile) {
    if (m_added)
        return;
    // "Please wait, processing gauge..." comes up once the pick has lasted a while; its
    // clock starts when the module is about to be read.
    std::unique_ptr<ProgressWindow> progress;
    const auto step = [&] {
        if (!progress)
            progress = std::make_unique<ProgressWindow>(this);
        progress->setProgress(QString::fromLatin1(kPickProgressCaption), 0);
        if (m_pickStepHook)
            m_pickStepHook();
    };
    m_pick = pickGaugeModule(m_document.panel(), m_app.dirs, m_app.installedDir, m_app.options,
                             toModelPath(moduleFile), step);
    progress.reset();
    for (const UserText& text : m_pick.messages)
        m_dialogs.message(toQString(text));
    showSnapshot();
}

// A picked bitmap that does not load is the pick's failure: the default stands in.
void AddGaugeDialog::showSnapshot() {
    QImage picture = loadBitmapImage(m_pick.bitmapPath);
    if (picture.isNull() && !m_pick.cancelled && !m_pick.failed) {
        const std::size_t shown = m_pick.messages.size();
        failGaugePick(m_pick, m_app.dirs, m_app.installedDir);
        for (std::size_t i = shown; i < m_pick.messages.size(); ++i)
            m_dialogs.message(toQString(m_pick.messages[i]));
        picture = loadBitmapImage(m_pick.bitmapPath);
    }
    m_snapshot->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
}

void AddGaugeDialog::addGauge() {
    if (m_added || !m_pick.addable())
        return;
    const QImage picture = loadBitmapImage(m_pick.bitmapPath);
    const fs98::Gauge gauge =
        newGaugeForPick(m_pick, {picture.width(), picture.height()}, m_app.display.window(m_w));
    m_added = true;
    const int g = m_document.panel().window(m_w).gaugeCount;
    m_document.addGauge(m_w, gauge);
    if (m_document.panel().window(m_w).gaugeCount > g)
        emit gaugeAdded(m_w, g);
    close();
}

void AddGaugeDialog::onRecomputeToggled(bool checked) {
    m_recompute->setText(checked ? kAlways : kNever);
    m_app.options.alwaysRecomputeBitmaps = checked;
    emit recomputeOptionChanged();
}

} // namespace cockpix
