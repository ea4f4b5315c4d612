#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// What the type database says of an extension, in the order the kind classification asks.
enum class TypeConformance {
    noType, // no data type has this extension
    image,
    movie,
    pdf,
    audio,
    text,
    content,   // a document that is not plain text (office formats, e-books, ...)
    otherData, // a known data type of none of the kinds above
};

class TypeLookup {
public:
    virtual ~TypeLookup() = default;
    // `extension` is lower-case, without its dot.
    virtual TypeConformance conformance(std::string_view extension) const = 0;

    // The lookup over the installed database.
    static const TypeLookup& system();
};

} // namespace tollenvane
