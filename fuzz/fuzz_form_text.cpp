// Arbitrary text as a stored form's text.  Errors must be EParserError;
// text that parses must print and parse back to the same binary.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/filer_errors.h"
#include "framework/form_text.h"
#include "framework/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TMemoryStream binary;
    try {
        ObjectTextToBinary(text, binary);
    } catch (const EParserError&) {
        return 0;
    }
    binary.SetPosition(0);
    std::string printed;
    ObjectBinaryToText(binary, printed);
    TMemoryStream again;
    ObjectTextToBinary(printed, again);
    if (again.Bytes() != binary.Bytes()) std::abort();
    return 0;
}
