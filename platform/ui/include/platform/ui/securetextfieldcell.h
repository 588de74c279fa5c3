#pragma once

#include "platform/ui/textfieldcell.h"

namespace platform::ui {

/// The cell of a password field: shows one bullet per character of its value and edits it without
/// showing what is typed.
class SecureTextFieldCell : public TextFieldCell {
public:
    using TextFieldCell::TextFieldCell;

    bool echosBullets() const { return m_echosBullets; }
    /// Off: nothing is shown of the value at all.
    void setEchosBullets(bool on) { m_echosBullets = on; }

    QString displayedString() const override;

protected:
    bool editorEchoesBullets() const override { return true; }

private:
    bool m_echosBullets = true;
};

} // namespace platform::ui
