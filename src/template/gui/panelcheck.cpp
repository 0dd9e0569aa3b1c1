#include "template/gui/panelcheck.h"

#include "app/core/directoryrules.h"
#include "panel/core/panelreader.h"
#include "panel/core/panelwriter.h"
#include "panel/gui/paneldocument.h"
#include "template/core/laterchecker.h"
#include "template/core/panelchecker.h"

#include <QTimer>

#include <memory>

namespace cockpix {
namespace {

// Long enough that a word typed into a box is checked once, short enough to feel at once.
constexpr int kRecheckDelayMs = 250;

// The [8 bit colors] a save would write: the colour lines kept, or a new palette.
bool savesEightBitColors(const PanelDocument& document) {
    const PaletteSaveOptions& options = document.paletteOptions();
    return savesPaletteProposal(options, document.paletteProposal().advisedColorCount) ||
           (options.keepColors && usesEightBitColors(document.panel()));
}

} // namespace

PanelCheck::PanelCheck(const PanelDocument& document, const AppModel& app, QObject* parent)
    : QObject(parent), m_document(document), m_app(app), m_later(new QTimer(this)) {
    m_later->setSingleShot(true);
    m_later->setInterval(kRecheckDelayMs);
    connect(m_later, &QTimer::timeout, this, &PanelCheck::recheck);
    const auto later = [this] { m_later->start(); };
    connect(&document, &PanelDocument::windowChanged, this, later);
    connect(&document, &PanelDocument::gaugeChanged, this, later);
    connect(&document, &PanelDocument::gaugesChanged, this, later);
    connect(&document, &PanelDocument::gaugesPlaced, this, later);
    connect(&document, &PanelDocument::defaultViewChanged, this, later);
    connect(&document, &PanelDocument::colorLinesChanged, this, later);
    connect(&document, &PanelDocument::paletteChanged, this, later);
    connect(&document, &PanelDocument::panelReplaced, this, later);
    connect(&document, &PanelDocument::laterChanged, this, later);
}

int PanelCheck::errorCount() const {
    return static_cast<int>(
        std::count_if(m_findings.begin(), m_findings.end(),
                      [](const Finding& f) { return f.severity == Severity::Error; }));
}

void PanelCheck::recheck() {
    m_later->stop();
    if (m_document.isLater()) {
        // As the command line checks it: the gauges folder of the installation the aircraft
        // lies in, where there is one, else the one of the settings.
        Directories dirs = m_app.dirs;
        dirs.panelDir = panelDirFromChosenPath(m_document.filePath());
        if (std::string own = installationGaugesDir(dirs.panelDir); !own.empty())
            dirs.gaugesDir = std::move(own);
        m_findings = checkLaterPanel(m_document.laterLines(), m_document.laterPanel(), dirs,
                                     m_facts, m_document.laterEncoding());
        emit findingsChanged();
        return;
    }
    // The lines come from the file on disk as it is now: the one opened, or the one saved
    // since, which then matches the panel line for line.
    auto filePanel = std::make_unique<Panel>();
    PanelLineTrace trace;
    bool haveLines = false;
    if (!m_document.filePath().empty()) {
        std::string dir = panelDirFromChosenPath(m_document.filePath());
        haveLines = !readPanelFile(*filePanel, dir, m_document.filePath(), {}, trace);
    }
    CheckInput input;
    input.panel = &m_document.panel();
    input.trace = haveLines ? &trace : nullptr;
    input.filePanel = haveLines ? filePanel.get() : nullptr;
    input.dirs = m_app.dirs;
    input.eightBitColors = savesEightBitColors(m_document);
    m_findings = checkPanel(input, m_facts);
    emit findingsChanged();
}

} // namespace cockpix
