#include "palette/gui/paletteoptimizerdialog.h"

#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "gaugefiles/gui/progresswindow.h"
#include "palette/core/paletteoptimizer.h"
#include "palette/core/palettepreview.h"
#include "panel/gui/fs98/document.h"

#include <filesystem>
#include <memory>

namespace cockpix {

PaletteOptimizerDialog::PaletteOptimizerDialog(fs98::Document& document, AppModel& app,
                                               UserDialogs& dialogs, ToleranceText toleranceText,
                                               QWidget* parent)
    : WindowBitmapChooser(document, app, dialogs,
                          QStringLiteral("Select the background image to be optimized"), parent),
      m_document(document), m_toleranceText(std::move(toleranceText)) {
    setObjectName(QStringLiteral("Form13"));
    app.currentWindow = 0;
    // The work directory may be missing (deleted by hand, or never made by the directories
    // dialog); a failure here shows when the run writes its files.
    std::error_code ignored;
    if (!app.dirs.paletteDir.empty())
        std::filesystem::create_directory(app.dirs.paletteDir, ignored);
}

void PaletteOptimizerDialog::confirm() {
    if (app().bitmapMissing == 1 || app().chosenBitmapPath.empty() ||
        !fs98::isWindowSlot(app().currentWindow))
        return;
    const double tolerance = numericValue(toModelText(m_toleranceText ? m_toleranceText() : ""));
    const PaletteRunRequest request = paletteRunForWindow(
        m_document.panel(), app().dirs, app().installedDir, app().currentWindow, tolerance);
    const PaletteRunResult result = runWithProgress(request);
    if (!result.ok) {
        dialogs().message(toQString(result.message));
        return;
    }
    m_document.setPaletteProposal(
        {result.advisedColorCount(), result.resultFile, resultFileLines(result.proposal)});
    dialogs().message(toQString(result.message));
    showPreview(request, result);
    close();
}

PaletteRunResult PaletteOptimizerDialog::runWithProgress(const PaletteRunRequest& request) {
    std::unique_ptr<ProgressWindow> progress;
    const PaletteRunResult result =
        runPaletteOptimizer(request, [this, &progress](std::string_view caption) {
            if (!progress)
                progress = std::make_unique<ProgressWindow>(window());
            progress->setProgress(QString::fromUtf8(caption.data(), int(caption.size())), 0);
        });
    return result;
}

// Beside the dialog's own parent, so that it stays open when the dialog closes.
void PaletteOptimizerDialog::showPreview(const PaletteRunRequest& request,
                                         const PaletteRunResult& result) {
    std::vector<Rgb> proposed;
    for (const ProposedColor& colour : result.proposal)
        proposed.push_back(colour.color);
    const std::string bytes = readWholeFile(request.bitmapPath).value_or(std::string());
    const PalettePreviewResult preview =
        makePalettePreview(bytes, request.bitmapPath, result.reference, proposed, request.tolerance,
                           PalettePreviewWindow::kPictureSide);
    m_preview = new PalettePreviewWindow(parentWidget());
    m_preview->showPreview(fromModelText(request.bitmapName), preview, request.tolerance);
    m_preview->show();
    m_preview->raise();
}

} // namespace cockpix
