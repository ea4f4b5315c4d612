#include "app/design/ShownName.h"

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

void appendCode(QString& out, char32_t code)
{
    if (QChar::requiresSurrogates(code)) {
        out.append(QChar(QChar::highSurrogate(code)));
        out.append(QChar(QChar::lowSurrogate(code)));
    } else {
        out.append(QChar(static_cast<char16_t>(code)));
    }
}

bool isOnlySpaces(const QList<uint>& codes)
{
    return !codes.isEmpty() &&
           std::all_of(codes.begin(), codes.end(), [](uint code) { return QChar::isSpace(code); });
}

} // namespace

QString shownName(QStringView name)
{
    const QList<uint> codes = name.toUcs4();
    const bool onlySpaces = isOnlySpaces(codes);
    QString out;
    out.reserve(name.size() + 2);
    out.append(QChar(static_cast<char16_t>(firstStrongIsolate)));
    for (qsizetype at = 0; at < codes.size(); ++at) {
        const char32_t code = codes[at];
        if (onlySpaces) {
            out.append(QChar(static_cast<char16_t>(openBox)));
        } else if (isFormatOrControl(code) && !isJoinerInContext(codes, at)) {
            appendMark(out, code);
        } else {
            appendCode(out, code);
        }
    }
    out.append(QChar(static_cast<char16_t>(popDirectionalIsolate)));
    return out;
}

QString shownName(const std::string& name)
{
    return shownName(QString::fromStdString(name));
}

QString shownProblem(std::string_view text)
{
    constexpr std::string_view separator = " : ";
    const auto qt = [](std::string_view part) {
        return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
    };
    const std::size_t nameEnd = text.rfind(separator);
    if (nameEnd == std::string_view::npos) {
        return qt(text);
    }
    return shownName(qt(text.substr(0, nameEnd))) + qt(text.substr(nameEnd));
}

} // namespace tollenvane
