#include "app/design/SelectableText.h"

#include "app/design/ShownText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace tollenvane {
namespace {

// What the keyboard copies of a selection in a shown path: the part selected, wherever it
// starts, and the path itself whole, no-break spaces kept, without the marks that isolate it.
TEST(SelectableText, ACopyIsThePartSelectedOfThePathItself)
{
    const QString path = QStringLiteral("/home/u/Mes\u00A0photos");
    SelectableText line;
    line.showText(ShownText::name(path));
    line.resize(400, 40);
    line.show();
    QApplication::setActiveWindow(&line);
    line.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(line.hasFocus());
    const auto copy = [&](int start, int length) {
        line.setSelection(start, length);
        QTest::keyClick(&line, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text().toStdString();
    };
    const int home = static_cast<int>(line.text().indexOf(QStringLiteral("home")));
    ASSERT_GT(home, 0);
    EXPECT_EQ(copy(home, 4), "home");
    EXPECT_EQ(copy(0, static_cast<int>(line.text().size())), path.toStdString());
}

} // namespace
} // namespace tollenvane
