#pragma once

#include <initializer_list>
#include <string_view>

namespace tollenvane::test {

// How many threads of this process bear one of `names`, as the system shows them. The program
// names its own threads; those of a sanitizer or of a library are not counted.
long namedThreads(std::initializer_list<std::string_view> names);

} // namespace tollenvane::test
