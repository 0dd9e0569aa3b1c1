#include "base/gui/paneltextguard.h"

#include "base/gui/userdialogs.h"

#include <QLineEdit>
#include <QValidator>

namespace cockpix {
namespace {

std::u32string notHeld(const QString& text, TextEncoding encoding) {
    std::u32string characters;
    for (const auto character : text.toUcs4())
        characters += static_cast<char32_t>(character);
    return charactersNotHeld(characters, encoding);
}

QString messageFor(const std::u32string& characters, TextEncoding encoding) {
    return QString::fromStdString(notHeldMessage(characters, encoding));
}

// Turning the edit down is the line edit's own: it goes back to the text before the edit
// and reports inputRejected, which names what was refused.
class PanelTextValidator final : public QValidator {
public:
    PanelTextValidator(QLineEdit* box, UserDialogs& dialogs, TextEncoding encoding)
        : QValidator(box), m_encoding(encoding) {
        connect(box, &QLineEdit::inputRejected, this, [this, &dialogs] {
            if (m_refused.empty())
                return; // a text longer than the box takes
            const std::u32string refused = std::exchange(m_refused, {});
            dialogs.message(messageFor(refused, m_encoding));
        });
    }

    State validate(QString& text, int&) const override {
        m_refused = notHeld(text, m_encoding);
        return m_refused.empty() ? Acceptable : Invalid;
    }

private:
    TextEncoding m_encoding;
    mutable std::u32string m_refused;
};

} // namespace

void guardPanelText(QLineEdit* box, UserDialogs& dialogs, TextEncoding encoding) {
    box->setValidator(new PanelTextValidator(box, dialogs, encoding));
}

bool panelCanHold(const QString& text, TextEncoding encoding, UserDialogs& dialogs) {
    const std::u32string refused = notHeld(text, encoding);
    if (refused.empty())
        return true;
    dialogs.message(messageFor(refused, encoding));
    return false;
}

} // namespace cockpix
