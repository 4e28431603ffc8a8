// Arbitrary bytes as a binary stored form.  Malformed data must end in
// EReadError (anything else escapes and counts as a crash); data that
// converts to text must convert back to the same binary and text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/form_text.h"
#include "framework/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
    std::string text;
    try {
        ObjectBinaryToText(input, text);
    } catch (const EReadError&) {
        return 0;
    }
    if (input.Position() > input.Size()) std::abort();
    TMemoryStream binary;
    ObjectTextToBinary(text, binary);
    binary.SetPosition(0);
    std::string again;
    ObjectBinaryToText(binary, again);
    if (again != text) std::abort();
    TMemoryStream binary2;
    ObjectTextToBinary(again, binary2);
    if (binary2.Bytes() != binary.Bytes()) std::abort();
    return 0;
}
