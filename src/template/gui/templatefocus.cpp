#include "template/gui/templatefocus.h"

#include "panel/core/fs98/edits.h"
#include "template/gui/templatewindow.h"

#include <QLineEdit>
#include <QScrollArea>

namespace cockpix {
namespace {

const char* boxOf(int field) {
    switch (static_cast<fs98::WindowField>(field)) {
    case fs98::WindowField::Bitmap:
        return "Text2";
    case fs98::WindowField::SizeMm:
        return "Text3";
    case fs98::WindowField::SizeRatio:
        return "Text4";
    case fs98::WindowField::Position:
        return "Text5";
    case fs98::WindowField::Visible:
        return "Check3";
    case fs98::WindowField::Ident:
        return "Text7";
    case fs98::WindowField::Title:
        break;
    }
    return "Text1";
}

void focus(TemplateWindow& window, const QString& name) {
    auto* box = window.findChild<QWidget*>(name);
    if (box == nullptr)
        return;
    if (auto* area = window.findChild<QScrollArea*>())
        area->ensureWidgetVisible(box);
    box->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->selectAll();
}

} // namespace

void focusTemplateRow(TemplateWindow& window, int w, int field) {
    if (w < 0 || w >= fs98::kWindowSlots)
        return;
    const int known = field >= static_cast<int>(fs98::WindowField::Title) &&
                              field <= static_cast<int>(fs98::WindowField::Ident)
                          ? field
                          : static_cast<int>(fs98::WindowField::Title);
    focus(window, QStringLiteral("%1_%2").arg(QLatin1String(boxOf(known))).arg(w));
}

void focusTemplateViewBox(TemplateWindow& window, int index) {
    if (index >= 0 && index < 4)
        focus(window, QStringLiteral("Text%1").arg(9 + index));
}

} // namespace cockpix
