// Input: mask text, NUL, field text, NUL, then edits of four bytes each
// (operation, position, two bytes of a character).  After every step the
// content must keep the invariants the masked field relies on: one
// character per position, literals in place, and its texts fitting back to
// the same content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/cp932_chars.h"
#include "framework/edit_mask.h"
#include "fuzz_check.h"

namespace {

using fuzzcheck::Check;

std::string TakeField(std::string& rest) {
    size_t end = rest.find('\0');
    std::string field = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    return field;
}

void CheckInvariants(const ui::EditMask& mask, const ui::MaskedText& t) {
    if (mask.Empty()) return;
    Check(t.Length() == mask.Length());
    Check(ui::SplitCp932(t.EditText()).size() == mask.Length());
    Check(ui::SplitCp932(t.DisplayText()).size() == mask.Length());
    for (size_t i = 0; i < mask.Length(); ++i)
        if (!mask.IsEditable(i)) Check(t.CharAt(i) == mask.At(i).literal);
    ui::MaskedText again(mask);
    again.SetText(t.EditText());
    Check(again == t);
    ui::MaskedText viaText(mask);
    viaText.SetText(t.Text());
    Check(viaText == t);
    if (auto bad = t.FirstInvalid()) Check(mask.IsEditable(*bad) && mask.At(*bad).required && t.IsBlank(*bad));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string rest(reinterpret_cast<const char*>(data), size);
    std::string maskText = TakeField(rest);
    std::string text = TakeField(rest);
    ui::EditMask mask(maskText);
    ui::MaskedText t(mask);
    t.SetText(text);
    CheckInvariants(mask, t);
    for (size_t i = 0; i + 4 <= rest.size(); i += 4) {
        size_t pos = static_cast<unsigned char>(rest[i + 1]) % (mask.Length() + 2);
        std::string two = rest.substr(i + 2, 2);
        std::string ch = two.substr(0, ui::Cp932CharLength(two, 0));
        switch (static_cast<unsigned char>(rest[i]) % 6) {
        case 0: {
            auto next = t.Type(pos, ch);
            if (next) Check(*next <= mask.Length());
            break;
        }
        case 1: t.Overwrite(pos, ch); break;
        case 2: t.Insert(pos, ch); break;
        case 3: t.Delete(pos); break;
        case 4: t.Clear(pos); break;
        default: t.Clear(pos, pos + static_cast<unsigned char>(rest[i + 2]) % 8); break;
        }
        CheckInvariants(mask, t);
    }
    return 0;
}
