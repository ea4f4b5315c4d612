#include "app/kit/KeyedRows.h"
#include "app/kit/PageText.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTextDocument>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

struct Item {
    std::string key;
    QString text;
};

QStringList order(const QVBoxLayout& layout)
{
    QStringList texts;
    for (int i = 0; i < layout.count(); ++i) {
        if (const auto* label = qobject_cast<QLabel*>(layout.itemAt(i)->widget())) {
            texts << label->text();
        }
    }
    return texts;
}

TEST(KeyedRowsTest, KeepsTheWidgetsOfItemsThatStayAndFollowsTheOrder)
{
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    KeyedRows<std::string, QLabel> rows(*layout);
    int made = 0;
    const auto sync = [&](const std::vector<Item>& items) {
        rows.sync(
            items, [](const Item& item) { return item.key; },
            [&](const Item&) {
                ++made;
                return new QLabel;
            },
            [](QLabel& row, const Item& item) { row.setText(item.text); });
    };

    sync({{"a", "A"}, {"b", "B"}});
    QLabel* const first = rows.find("a");
    sync({{"a", "A2"}, {"b", "B"}, {"c", "C"}});
    EXPECT_EQ(made, 3);
    EXPECT_EQ(rows.find("a"), first);
    EXPECT_EQ(order(*layout), (QStringList{"A2", "B", "C"}));

    // Reordered, one gone and a duplicate identity shown once.
    sync({{"c", "C"}, {"a", "A2"}, {"c", "C again"}});
    EXPECT_EQ(made, 3);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.find("b"), nullptr);
    EXPECT_EQ(order(*layout), (QStringList{"C", "A2"}));
}

TEST(PageTextTest, DataThatLooksLikeMarkupShowsLiterally)
{
    QWidget widget;
    setPlainToolTip(widget, QStringLiteral("<b>x</b> & <img src=y>"));
    QTextDocument shown;
    shown.setHtml(widget.toolTip());
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("<b>x</b> & <img src=y>"));
    setPlainToolTip(widget, {});
    EXPECT_TRUE(widget.toolTip().isEmpty());
}

} // namespace
} // namespace tollenvane
