#include "app/screens/tiles/MetricCard.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "core/localisation/Localization.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int spacing = 15;
constexpr int headerHeight = 26;

} // namespace

QString metricDetailText(const QString& detail)
{
    return detail.isEmpty() ? localized("dans vos dossiers sélectionnés") : detail;
}

MetricCard::MetricCard(const QString& label, const QString& value, const QString& symbol,
                       const QString& detail, QWidget* parent)
    : Panel(parent)
    , label_(lineText(label, {11, QFont::Normal, Theme::muted}))
    , value_(lineText(value, {26, QFont::DemiBold, {}}))
    , detail_(wrappedText(metricDetailText(detail), {10, QFont::Normal, Theme::muted}))
{
    value_->setFont(DesignFont::tracked(value_->font(), -0.7));
    label_->setObjectName("metric-label");
    value_->setObjectName("metric-value");
    detail_->setObjectName("metric-detail");

    auto* header = new QWidget;
    header->setFixedHeight(headerHeight);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->addWidget(label_, 1, Qt::AlignTop);
    headerRow->addWidget(new SymbolView(symbol, Symbol::sideBeside(13), Theme::muted), 0,
                         Qt::AlignTop);

    QVBoxLayout* column = contentLayout();
    column->setSpacing(spacing);
    column->addWidget(header);
    column->addWidget(value_);
    column->addWidget(detail_);
}

void MetricCard::setLabel(const QString& label)
{
    if (label != label_->text()) {
        label_->setText(label);
    }
}

void MetricCard::setValue(const QString& value)
{
    if (value != value_->text()) {
        value_->setText(value);
    }
}

void MetricCard::setDetail(const QString& detail)
{
    const QString shown = metricDetailText(detail);
    if (shown != detail_->text()) {
        detail_->setText(shown);
    }
}

QString MetricCard::label() const
{
    return label_->text();
}

QString MetricCard::value() const
{
    return value_->text();
}

QString MetricCard::detail() const
{
    return detail_->text();
}

} // namespace tollenvane
