#include "app/design/ShownName.h"

#include "app/design/ShownText.h"

#include <QChar>
#include <QList>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr char32_t firstStrongIsolate = 0x2068;
constexpr char32_t popDirectionalIsolate = 0x2069;
constexpr char32_t openBox = 0x2423; // ␣
constexpr char32_t zeroWidthNonJoiner = 0x200C;
constexpr char32_t zeroWidthJoiner = 0x200D;
constexpr QChar isolateOpen[] = {QChar(static_cast<char16_t>(firstStrongIsolate))};
constexpr QChar isolateClose[] = {QChar(static_cast<char16_t>(popDirectionalIsolate))};
constexpr QChar openBoxMark[] = {QChar(static_cast<char16_t>(openBox))};
constexpr QChar replacement[] = {QChar(QChar::ReplacementCharacter)};

bool isFormatOrControl(char32_t code)
{
    switch (QChar::category(code)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
        return true;
    default:
        return false;
    }
}

bool joins(char32_t code)
{
    return QChar::isLetter(code) || QChar::isMark(code) ||
           QChar::category(code) == QChar::Symbol_Other;
}

// Joiners shape Persian, Indic and emoji sequences; only one between two joining characters is
// left as it is.
bool isJoinerInContext(const QList<uint>& codes, qsizetype at)
{
    const char32_t code = codes[at];
    if (code != zeroWidthNonJoiner && code != zeroWidthJoiner) {
        return false;
    }
    return at > 0 && at + 1 < codes.size() && joins(codes[at - 1]) && joins(codes[at + 1]);
}

// Every mark names its code point: the control pictures would be clearer, but few fonts draw
// them, and two empty boxes would let two names pass for one another.
void appendMark(QString& out, char32_t code)
{
    out.append(QStringLiteral("<U+%1>").arg(QString::number(code, 16).toUpper(), 4, u'0'));
}

bool isOnlySpaces(const QList<uint>& codes)
{
    return !codes.isEmpty() &&
           std::all_of(codes.begin(), codes.end(), [](uint code) { return QChar::isSpace(code); });
}

// Each part of the name as it shows and as it copies, in order; the parts a name copies as are
// pieces of the name itself.
template <class Part>
void walkName(QStringView name, Part&& part)
{
    const QList<uint> codes = name.toUcs4();
    const bool onlySpaces = isOnlySpaces(codes);
    part(QStringView(isolateOpen), QStringView());
    qsizetype from = 0;
    for (qsizetype at = 0; at < codes.size(); ++at) {
        const char32_t code = codes[at];
        const QStringView own = name.mid(from, QChar::requiresSurrogates(code) ? 2 : 1);
        from += own.size();
        if (onlySpaces) {
            part(QStringView(openBoxMark), own);
        } else if (isFormatOrControl(code) && !isJoinerInContext(codes, at)) {
            QString mark;
            appendMark(mark, code);
            part(QStringView(mark), own);
        } else if (own.size() == 1 && own.front().isSurrogate()) {
            part(QStringView(replacement), own);
        } else {
            part(own, own);
        }
    }
    part(QStringView(isolateClose), QStringView());
}

} // namespace

QString shownName(QStringView name)
{
    QString out;
    out.reserve(name.size() + 2);
    walkName(name, [&out](QStringView shown, QStringView) { out.append(shown); });
    return out;
}

void shownNameParts(QStringView name,
                    const std::function<void(QStringView shown, QStringView copied)>& part)
{
    walkName(name, part);
}

QString shownName(const std::string& name)
{
    return shownName(QString::fromStdString(name));
}

QString shownProblem(std::string_view text)
{
    return ShownText::problem(text).shown();
}

QString spokenText(QStringView shown)
{
    constexpr char16_t wordJoiner = 0x2060;
    constexpr char16_t noBreakSpace = 0x00A0;
    QString spoken;
    spoken.reserve(shown.size());
    for (const QChar character : shown) {
        const char16_t unit = character.unicode();
        // Shown names hold no isolate of their own: one that is in a name shows as a mark.
        if ((unit >= 0x2066 && unit <= popDirectionalIsolate) || unit == wordJoiner) {
            continue;
        }
        spoken.append(unit == noBreakSpace ? QChar(u' ') : character);
    }
    return spoken;
}

} // namespace tollenvane
