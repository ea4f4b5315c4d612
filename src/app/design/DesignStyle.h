#pragma once

#include <QProxyStyle>

namespace tollenvane {

// The stock controls in the theme's tokens, over Fusion: push buttons on the soft fill with a
// hairline edge, fields and pickers with rounded corners, scroll bars as a thin handle without
// arrow buttons. Colours are read when painting, so they follow a change of appearance.
class DesignStyle final : public QProxyStyle {
    Q_OBJECT

public:
    DesignStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
};

} // namespace tollenvane
