#pragma once

#include "panel/gui/fs98/command.h"

#include <string>

namespace cockpix::fs98 {

// A gauge that takes another module (a missing one replaced by one that is there).
class GaugeModuleCommand : public Command {
public:
    GaugeModuleCommand(Document& document, int w, int g, const std::string& name);

    void redo() override;
    void undo() override;

private:
    void apply(const std::string& name);

    int m_w;
    int m_g;
    std::string m_before;
    std::string m_after;
};

} // namespace cockpix::fs98
