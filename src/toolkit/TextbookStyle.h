#pragma once

#include <QProxyStyle>

// The desktop's style, with the menu bar reachable from the keyboard (Alt,
// then arrows and Enter), as students know it from other programs.
class TextbookStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
};
