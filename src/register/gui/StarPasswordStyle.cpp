#include "register/gui/StarPasswordStyle.h"

#include <QLineEdit>

namespace pyrostat {

int StarPasswordStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    if (hint == SH_LineEdit_PasswordCharacter) {
        return '*';
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void StarPasswordStyle::Apply(QLineEdit& box) {
    auto* style = new StarPasswordStyle();
    style->setParent(&box);
    box.setStyle(style);
    box.setEchoMode(QLineEdit::Password);
}

} // namespace pyrostat
