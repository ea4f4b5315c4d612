# Writes OUTPUT, a C++ source defining `std::string_view tollenvane::SYMBOL()` that returns the
# bytes of INPUT.
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${content}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){24})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#include <string_view>\n\n"
    "namespace tollenvane {\n\nnamespace {\nconstexpr char data[] = {\n    ${bytes}'\\0'};\n}\n\n"
    "std::string_view ${SYMBOL}()\n{\n    return {data, ${byte_count}};\n}\n\n} // namespace tollenvane\n")
