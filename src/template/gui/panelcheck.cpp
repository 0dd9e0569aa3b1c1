#include "template/gui/panelcheck.h"

#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"
#include "panel/gui/paneldocuments.h"
#include "settings/core/installation.h"
#include "template/core/fs2k/checker.h"
#include "template/core/fs98/checker.h"

#include <QTimer>

#include <memory>

namespace cockpix {
namespace {

// Long enough that a word typed into a box is checked once, short enough to feel at once.
constexpr int kRecheckDelayMs = 250;

// The [8 bit colors] a save would write: the colour lines kept, or a new palette.
bool savesEightBitColors(const fs98::Document& document) {
    const fs98::PaletteSaveOptions& options = document.paletteOptions();
    return fs98::savesPaletteProposal(options, document.paletteProposal().advisedColorCount) ||
           (options.keepColors && fs98::usesEightBitColors(document.panel()));
}

} // namespace

PanelCheck::PanelCheck(const PanelDocuments& documents, const AppModel& app, QObject* parent)
    : QObject(parent), m_documents(documents), m_document(documents.fs98()),
      m_fs2kDocument(documents.fs2k()), m_app(app), m_recheckTimer(new QTimer(this)) {
    m_recheckTimer->setSingleShot(true);
    m_recheckTimer->setInterval(kRecheckDelayMs);
    connect(m_recheckTimer, &QTimer::timeout, this, &PanelCheck::recheck);
    const auto later = [this] { m_recheckTimer->start(); };
    connect(&m_document, &fs98::Document::windowChanged, this, later);
    connect(&m_document, &fs98::Document::gaugeChanged, this, later);
    connect(&m_document, &fs98::Document::gaugesChanged, this, later);
    connect(&m_document, &fs98::Document::gaugesPlaced, this, later);
    connect(&m_document, &fs98::Document::defaultViewChanged, this, later);
    connect(&m_document, &fs98::Document::colorLinesChanged, this, later);
    connect(&m_document, &fs98::Document::paletteChanged, this, later);
    connect(&m_document, &fs98::Document::panelReplaced, this, later);
    connect(&m_fs2kDocument, &fs2k::Document::panelReplaced, this, later);
    connect(&m_fs2kDocument, &fs2k::Document::linesChanged, this, later);
}

int PanelCheck::errorCount() const {
    return static_cast<int>(
        std::count_if(m_findings.begin(), m_findings.end(),
                      [](const Finding& f) { return f.severity == Severity::Error; }));
}

void PanelCheck::recheck() {
    m_recheckTimer->stop();
    m_findings = m_documents.visit(
        [this](const fs98::Document& document) { return fs98Findings(document); },
        [this](const fs2k::Document& document) { return fs2kFindings(document); });
    emit findingsChanged();
}

std::vector<Finding> PanelCheck::fs98Findings(const fs98::Document& document) {
    // The lines come from the file on disk as it is now: the one opened, or the one saved
    // since, which then matches the panel line for line.
    auto filePanel = std::make_unique<fs98::Panel>();
    fs98::PanelLineTrace trace;
    bool haveLines = false;
    if (!document.filePath().empty()) {
        std::string dir = fs98::panelDirFromChosenPath(document.filePath());
        haveLines = !fs98::readPanelFile(*filePanel, dir, document.filePath(), {}, trace);
    }
    fs98::CheckInput input;
    input.panel = &document.panel();
    input.trace = haveLines ? &trace : nullptr;
    input.filePanel = haveLines ? filePanel.get() : nullptr;
    input.dirs = m_app.dirs;
    input.eightBitColors = savesEightBitColors(document);
    return fs98::checkPanel(input, m_facts);
}

std::vector<Finding> PanelCheck::fs2kFindings(const fs2k::Document& document) {
    // As the command line checks it: the gauges folders of the installation the aircraft
    // lies in, where there is one, else the one of the settings. The one found at opening
    // serves while the panel stays inside it (a save elsewhere looks again).
    Directories dirs = m_app.dirs;
    dirs.panelDir = fs98::panelDirFromChosenPath(document.filePath());
    const bool inOpened =
        m_app.installation.found() && dirs.panelDir.starts_with(m_app.installation.root);
    const Installation elsewhere =
        inOpened ? Installation() : findInstallation(dirs.panelDir, m_app.dirs.gaugesDir, false);
    const Installation& installation = inOpened ? m_app.installation : elsewhere;
    const std::vector<std::string> gaugesDirs = gaugeFoldersFor(installation, m_app.dirs);
    return fs2k::checkPanel(document.lines(), document.panel(), dirs, m_facts, document.encoding(),
                            gaugesDirs, &installation);
}

} // namespace cockpix
