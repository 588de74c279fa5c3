#include "platform/ui/securetextfieldcell.h"

namespace platform::ui {

QString SecureTextFieldCell::displayedString() const
{
    if (!m_echosBullets)
        return {};
    // One bullet per character as the user sees it, not per UTF-16 unit.
    const QString value = stringValue();
    return QString(value.toUcs4().size(), QChar(0x2022));
}

} // namespace platform::ui
