#include "base/core/commandkeys.h"

namespace cockpix {

std::vector<std::string_view> commandKeys(KeyedCommand command, KeyScheme scheme) {
    const bool desktop = scheme == KeyScheme::Desktop;
    switch (command) {
    case KeyedCommand::CloseTemplate:
    case KeyedCommand::CloseWindow:
        return {desktop ? "Ctrl+W" : "Ctrl+C"};
    case KeyedCommand::Undo:
        if (desktop)
            return {"Ctrl+Z", "Alt+Backspace"};
        return {"Alt+Backspace"};
    case KeyedCommand::Redo:
        if (desktop)
            return {"Ctrl+Shift+Z", "Ctrl+Y"};
        return {"Ctrl+Y", "Ctrl+Shift+Z"};
    case KeyedCommand::Cut:
        if (desktop)
            return {"Ctrl+X", "Shift+Del"};
        return {"Shift+Del"};
    case KeyedCommand::Copy:
        if (desktop)
            return {"Ctrl+C", "Ctrl+Ins"};
        return {"Ctrl+Ins"};
    case KeyedCommand::Paste:
        if (desktop)
            return {"Ctrl+V", "Shift+Ins"};
        return {"Shift+Ins"};
    case KeyedCommand::Zoom:
        // Ctrl+Shift+Z is redo there; M for the move and zoom the dialog does.
        return {desktop ? "Ctrl+Shift+M" : "Ctrl+Z"};
    }
    return {};
}

} // namespace cockpix
