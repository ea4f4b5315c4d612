#include "core/records/Decision.h"

#include "core/base/RawValues.h"

namespace tollenvane {

namespace {

constexpr RawValues<Decision, 4> raws{{{
    {Decision::keep, "keep"},
    {Decision::trash, "trash"},
    {Decision::move, "move"},
    {Decision::later, "later"},
}}};

} // namespace

std::string_view rawValue(Decision decision)
{
    return raws.raw(decision);
}

std::optional<Decision> decisionFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

} // namespace tollenvane
