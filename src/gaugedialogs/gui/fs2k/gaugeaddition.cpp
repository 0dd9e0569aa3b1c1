#include "gaugedialogs/gui/fs2k/gaugeaddition.h"

#include "base/gui/userdialogs.h"
#include "panel/gui/fs2k/document.h"

#include <QCoreApplication>

namespace cockpix::fs2k {

std::optional<int> addGaugeToWindow(Document& document, UserDialogs& dialogs, int windowIndex,
                                    const NewGauge& gauge, const QString& shownName) {
    const std::vector<Window>& windows = document.panel().windows;
    if (windowIndex < 0 || static_cast<std::size_t>(windowIndex) >= windows.size())
        return std::nullopt;
    const std::size_t line =
        document.addGauge(windows[static_cast<std::size_t>(windowIndex)].section, gauge.name,
                          gauge.x, gauge.y, gauge.width, gauge.height, gauge.kind);
    if (line == PanelLines::npos) {
        dialogs.message(
            QCoreApplication::translate("AddGaugeDialog", "%1 cannot be added to this window.")
                .arg(shownName));
        return std::nullopt;
    }
    // The panel was read again: the window's gauges are those after the edit.
    const auto g =
        gaugeIndexOfLine(document.panel().windows[static_cast<std::size_t>(windowIndex)], line);
    return g ? static_cast<int>(*g) : -1;
}

} // namespace cockpix::fs2k
