#include "app/design/ShownText.h"

#include "app/design/ShownName.h"

#include <algorithm>

namespace tollenvane {

ShownText::ShownText(const QString& plain)
    : shown_(plain)
{}

ShownText ShownText::name(QStringView name)
{
    ShownText text;
    text.appendName(name);
    return text;
}

ShownText ShownText::problem(std::string_view text)
{
    constexpr std::string_view separator = " : ";
    const auto qt = [](std::string_view part) {
        return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
    };
    // Descriptions never hold the separator and names may, so the name runs to the last one.
    const std::size_t nameEnd = text.rfind(separator);
    if (nameEnd == std::string_view::npos) {
        return ShownText(qt(text));
    }
    ShownText shown = name(qt(text.substr(0, nameEnd)));
    shown.append(qt(text.substr(nameEnd)));
    return shown;
}

ShownText ShownText::withName(const QString& pattern, QStringView name)
{
    const QLatin1StringView placeholder("{0}");
    const qsizetype at = pattern.indexOf(placeholder);
    if (at < 0) {
        return ShownText(pattern);
    }
    ShownText text(pattern.left(at));
    text.appendName(name);
    text.append(pattern.mid(at + placeholder.size()));
    return text;
}

ShownText& ShownText::append(const QString& plain)
{
    shown_.append(plain);
    return *this;
}

ShownText& ShownText::appendName(QStringView name)
{
    shownNameParts(name, [this](QStringView shown, QStringView copied) {
        if (shown != copied) {
            spans_.push_back({shown_.size(), shown.size(), copied.toString()});
        }
        shown_.append(shown);
    });
    return *this;
}

QString ShownText::copied(qsizetype start, qsizetype length) const
{
    const qsizetype end = std::min(start + length, shown_.size());
    QString out;
    qsizetype at = std::max<qsizetype>(start, 0);
    auto part = std::find_if(spans_.begin(), spans_.end(),
                             [at](const Span& p) { return p.start + p.length > at; });
    while (at < end) {
        if (part != spans_.end() && part->start <= at) {
            out.append(part->copied);
            at = part->start + part->length;
            ++part;
            continue;
        }
        const qsizetype plainEnd = part != spans_.end() ? std::min(end, part->start) : end;
        out.append(QStringView(shown_).mid(at, plainEnd - at));
        at = plainEnd;
    }
    return out;
}

} // namespace tollenvane
