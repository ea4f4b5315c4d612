#include "app/design/TextFit.h"

#include "app/design/DesignFont.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTextBoundaryFinder>

namespace tollenvane {
namespace {

const QString ellipsis = QStringLiteral("\u2026");

bool isGraphemeBoundary(const QString& text, qsizetype at)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(at);
    return finder.isAtBoundary();
}

// The elided text is whole graphemes of the start, the ellipsis, whole graphemes of the end.
void expectCutBetweenGraphemes(const QString& original, const QString& shown)
{
    const qsizetype mark = shown.indexOf(ellipsis);
    ASSERT_GE(mark, 0) << shown.toStdString();
    const QString head = shown.left(mark);
    const QString tail = shown.mid(mark + 1);
    EXPECT_TRUE(original.startsWith(head));
    EXPECT_TRUE(original.endsWith(tail));
    EXPECT_TRUE(isGraphemeBoundary(original, head.size()));
    EXPECT_TRUE(isGraphemeBoundary(original, original.size() - tail.size()));
}

TEST(TextFit, ShrinksBeforeElidingAndElidesOnlyWhenShrinkingIsNotEnough)
{
    const QFontMetricsF metrics(DesignFont::system(13));
    const QString name = "Rapport annuel 2024.pdf";
    const qreal natural = metrics.horizontalAdvance(name);

    EXPECT_EQ(fitText(name, metrics, natural + 1, ElisionSide::end, 0.9), (TextFit{name, 1.0}));
    const TextFit shrunk = fitText(name, metrics, natural * 0.95, ElisionSide::end, 0.9);
    EXPECT_EQ(shrunk.text, name);
    EXPECT_NEAR(shrunk.scale, 0.95, 1e-9);

    const TextFit cut = fitText(name, metrics, natural * 0.5, ElisionSide::end, 0.9);
    EXPECT_DOUBLE_EQ(cut.scale, 0.9);
    EXPECT_TRUE(cut.text.startsWith("Rapport"));
    EXPECT_TRUE(cut.text.endsWith(ellipsis));
    EXPECT_LE(metrics.horizontalAdvance(cut.text) * 0.9, natural * 0.5);
}

TEST(TextFit, MiddleElisionKeepsBothEndsAndWholeGraphemesInMixedScripts)
{
    const QFontMetricsF metrics(DesignFont::system(15, QFont::DemiBold));
    const QStringList names{
        QStringLiteral("Vacances été 2023 — plage de Biarritz, photo finale.jpeg"),
        // Arabic, Han, a family emoji (joined sequence), a flag and a combining accent.
        QStringLiteral(
            "تقرير المشروع 项目报告 👨‍👩‍👧‍👦 🇫🇷 Cafe\u0301 "
            "final "
            "version.docx"),
        QStringLiteral("\U0001F469\U0001F3FD\u200D\U0001F4BB").repeated(10) + ".png",
    };
    for (const QString& name : names) {
        const qreal natural = metrics.horizontalAdvance(name);
        for (const qreal fraction : {0.7, 0.45, 0.2, 0.08}) {
            const qreal width = natural * fraction;
            const TextFit fit = fitText(name, metrics, width, ElisionSide::middle);
            SCOPED_TRACE(fit.text.toStdString());
            expectCutBetweenGraphemes(name, fit.text);
            EXPECT_LE(metrics.horizontalAdvance(fit.text), width);
        }
        // The extension stays visible when there is room for a few graphemes at the end.
        const TextFit half = fitText(name, metrics, natural * 0.45, ElisionSide::middle);
        EXPECT_TRUE(half.text.endsWith(name.right(4))) << half.text.toStdString();
    }
}

TEST(TextFit, NoRoomLeavesTheEllipsisAlone)
{
    const QFontMetricsF metrics(DesignFont::system(13));
    EXPECT_EQ(fitText("Documents", metrics, 1, ElisionSide::middle).text, ellipsis);
    EXPECT_EQ(fitText(QString(), metrics, 0, ElisionSide::end).text, QString());
}

} // namespace
} // namespace tollenvane
