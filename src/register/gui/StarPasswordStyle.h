#pragma once

#include <QProxyStyle>

class QLineEdit;

namespace pyrostat {

// Password boxes of the register show every typed character as "*".
class StarPasswordStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // Makes `box` a password box that shows "*"; the style belongs to the box.
    static void Apply(QLineEdit& box);
};

} // namespace pyrostat
