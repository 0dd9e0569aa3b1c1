#include "template/gui/findingfixer.h"

#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "panel/gui/paneldocuments.h"
#include "template/core/checkfacts.h"
#include "template/core/fs2k/checker.h"

#include <QUndoStack>

#include <algorithm>
#include <set>

namespace cockpix {
namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

QStringList shownNames(const std::vector<std::string>& names) {
    QStringList items;
    for (const std::string& name : names)
        items << fromModelText(name);
    return items;
}

} // namespace

FindingFixer::FindingFixer(PanelDocuments& documents, const AppModel& app, UserDialogs& dialogs,
                           QObject* parent)
    : QObject(parent), m_documents(documents), m_document(documents.fs98()), m_app(app),
      m_dialogs(dialogs) {}

bool FindingFixer::apply(const Fix& fix) {
    return m_documents.visit([&](fs98::Document&) { return applyFs98(fix); },
                             [&](fs2k::Document& document) { return applyFs2k(document, fix); });
}

bool FindingFixer::applyFs2k(fs2k::Document& document, const Fix& fix) {
    // The fs2k checker's fixes are edits of the gauge lines they name.
    const int before = document.undoStack()->index();
    document.editLines(QString::fromStdString(fix.label),
                       [fix](fs2k::PanelLines& lines) { fs2k::applyFix(lines, fix); });
    return document.undoStack()->index() != before;
}

bool FindingFixer::applyFs98(const Fix& fix) {
    const int before = m_document.undoStack()->index();
    // A fix is a step of its own, never merged into the edit typed before it.
    m_document.breakMerge();
    switch (fix.kind) {
    case FixKind::RemoveGauge:
        m_document.removeGauge(fix.window, fix.gauge);
        break;
    case FixKind::MoveGauge:
        m_document.moveGauge(fix.window, fix.gauge, fix.x, fix.y);
        break;
    case FixKind::SetGaugeSize:
        m_document.setGaugeField(fix.window, fix.gauge, fs98::GaugeField::Size, fix.value);
        break;
    case FixKind::SetBitmapName:
        setWindowValue(fix.window, fs98::WindowField::Bitmap, fix.name);
        break;
    case FixKind::ChooseBitmap:
        chooseBitmap(fix.window);
        break;
    case FixKind::ChooseModule:
        chooseModule(fix.window, fix.gauge);
        break;
    case FixKind::CloseWindowGaps:
        m_document.moveWindowSections(fix.order, QString::fromStdString(fix.label));
        break;
    case FixKind::SetSizeRatio:
        setWindowValue(fix.window, fs98::WindowField::SizeRatio, fix.value);
        break;
    case FixKind::SetWindowSize:
        setWindowValue(fix.window, fs98::WindowField::SizeMm, fix.value);
        break;
    case FixKind::RenumberGauges: // offered for fs2k panels only, applied above
    case FixKind::QueryAmpersand:
        break;
    }
    m_document.breakMerge();
    return m_document.undoStack()->index() != before;
}

bool FindingFixer::setWindowValue(int w, fs98::WindowField field, fs98::WindowFieldValue value) {
    if (!fs98::isWindowSlot(w))
        return false;
    m_document.setWindowField({w, field, std::move(value), m_document.panel().windowCount});
    return true;
}

bool FindingFixer::chooseBitmap(int w) {
    const std::vector<std::string> names = CheckFacts::readableBitmaps(m_app.dirs.panelDir);
    if (names.empty()) {
        m_dialogs.message(tr("The panel directory holds no bitmap to choose:\n%1")
                              .arg(fromModelPath(m_app.dirs.panelDir)));
        return false;
    }
    ListChoiceRequest request;
    request.caption = tr("Background bitmap");
    request.label = tr("Background bitmap of window %1:").arg(w, 2, 10, QLatin1Char('0'));
    request.items = shownNames(names);
    const std::optional<int> chosen = m_dialogs.chooseFromList(request);
    if (!chosen)
        return false;
    return setWindowValue(w, fs98::WindowField::Bitmap, names[static_cast<std::size_t>(*chosen)]);
}

bool FindingFixer::chooseModule(int w, int g) {
    // A module the panel uses already, or one without a picture or a size, would only trade
    // one fault for another.
    std::set<std::string> used;
    const fs98::Panel& panel = m_document.panel();
    for (int v = 0; v < std::clamp(panel.windowCount, 0, fs98::kWindowSlots); ++v)
        for (int i = 0; i < std::clamp(panel.window(v).gaugeCount, 0, fs98::kGaugeSlots); ++i)
            used.insert(lowered(panel.gauge(v, i).gaugeName));
    CheckFacts facts;
    std::vector<std::string> names;
    for (const std::string& name : CheckFacts::moduleNames(m_app.dirs.gaugesDir)) {
        const ModuleFacts& module = facts.module(m_app.dirs.gaugesDir, name);
        if (!used.count(lowered(name)) && module.picture && module.defaultSize.value_or(0) > 0)
            names.push_back(lowered(name));
    }
    if (names.empty()) {
        m_dialogs.message(tr("The gauges directory holds no other usable module:\n%1")
                              .arg(fromModelPath(m_app.dirs.gaugesDir)));
        return false;
    }
    ListChoiceRequest request;
    request.caption = tr("Gauge module");
    request.label = tr("Module of gauge #%1 of window %2:").arg(g).arg(w, 2, 10, QLatin1Char('0'));
    request.items = shownNames(names);
    const std::optional<int> chosen = m_dialogs.chooseFromList(request);
    if (!chosen)
        return false;
    const std::string& name = names[static_cast<std::size_t>(*chosen)];
    extractPicture(g, name);
    m_document.setGaugeModule(w, g, name);
    return true;
}

void FindingFixer::extractPicture(int g, const std::string& name) {
    if (m_app.dirs.bmpDir.empty())
        return; // no work directory yet: the panel window makes the picture when it loads
    const NamedPath module{m_app.dirs.gaugesDir + name + ".gau",
                           UserText::path(m_app.dirs.gaugesDir) + UserText::panelText(name) +
                               ".gau"};
    std::string fileName = name;
    std::replace(fileName.begin(), fileName.end(), '/', '_');
    const NamedPath bitmap{m_app.dirs.bmpDir + fileName + ".bmp",
                           UserText::path(m_app.dirs.bmpDir) + UserText::panelText(fileName) +
                               ".bmp"};
    const GaugeBitmapResult result =
        extractGaugeBitmapFile(module, bitmap, m_app.shippedFile(kDefaultGaugeBitmapName),
                               m_app.options.alwaysRecomputeBitmaps, g);
    for (const UserText& warning : result.warnings)
        m_dialogs.message(toQString(warning));
}

} // namespace cockpix
