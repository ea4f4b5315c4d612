#pragma once

#include "app/design/Panel.h"

class QLabel;

namespace tollenvane {

class ElidedLabel;
class TextBlock;

// A figure with its caption, an icon and a line of context. The caller gives every text
// already looked up; an empty detail shows the default context.
class MetricCard : public Panel {
    Q_OBJECT

public:
    MetricCard(const QString& label, const QString& value, const QString& symbol,
               const QString& detail, QWidget* parent = nullptr);

    void setLabel(const QString& label);
    void setValue(const QString& value);
    void setDetail(const QString& detail);

    QString label() const;
    QString value() const;
    // The context line as shown.
    QString detail() const;

private:
    ElidedLabel* label_;
    ElidedLabel* value_;
    TextBlock* detail_;
};

// The context line shown for `detail`.
QString metricDetailText(const QString& detail);

} // namespace tollenvane
