#pragma once

// The palette optimizer dialog (Form13), opened by "PALETTE OPTIMIZER 2": it lists the
// backgrounds of the panel's windows; "OK" runs the optimizer on the current window's
// background with the template's threshold, shows the progress captions, hands the
// proposal to the panel document (what the next save writes as [8 bit colors], one undo
// step), says how many colours it advises, opens the palette preview and closes. A run that
// fails says why and leaves the dialog open.

#include "palette/gui/palettepreviewwindow.h"
#include "palette/gui/windowbitmapchooser.h"
#include "panel/gui/documentsfwd.h"

#include <QPointer>
#include <functional>

namespace cockpix {

struct PaletteRunRequest;
struct PaletteRunResult;

class PaletteOptimizerDialog : public WindowBitmapChooser {
    Q_OBJECT
public:
    // The text of the template's threshold box, read at each run: the optimizer takes its
    // number as it is, sign and fraction included.
    using ToleranceText = std::function<QString()>;

    PaletteOptimizerDialog(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                           ToleranceText toleranceText, QWidget* parent = nullptr);

    // The preview of the last successful run, while it is open.
    PalettePreviewWindow* preview() const { return m_preview; }

protected:
    void confirm() override;

private:
    PaletteRunResult runWithProgress(const PaletteRunRequest& request);
    void showPreview(const PaletteRunRequest& request, const PaletteRunResult& result);

    fs98::Document& m_document;
    ToleranceText m_toleranceText;
    QPointer<PalettePreviewWindow> m_preview;
};

} // namespace cockpix
