#include "editor/hosoku_file.h"

#include <cstring>

// Texts in code page 932; each label is 10 bytes and ends in the full-width
// colon (81 46); the label spaces are full-width spaces (81 40).
const HosokuLabel HosokuLabels[6] = {
    {"\x83\x66\x81\x5B\x83\x5E\x96\xBC\x81\x46", &HosokuData::DataName},  // "data name:" (deeta-mei)
    {"\x81\x40\x81\x40\x81\x40" "ID" "\x81\x46", &HosokuData::Id},         // three spaces, "ID:"
    {"\x93\x6F\x98\x5E\x93\xFA\x95\x74\x81\x46", &HosokuData::RegDate},   // "registration date:" (touroku hiduke)
    {"\x81\x40\x81\x40\x91\xAE\x90\xAB\x81\x46", &HosokuData::Attr},      // two spaces, "attribute:" (zokusei)
    {"\x81\x40\x83\x6F\x83\x43\x83\x67\x81\x46", &HosokuData::Bytes},     // one space, "bytes:" (baito, katakana)
    {"\x81\x40\x81\x40\x8E\x51\x8F\xC6\x81\x46", &HosokuData::Refer},     // two spaces, "reference:" (sanshou)
};

const HosokuItem HosokuItems[3] = {
    {"\x96\xBC\x8F\xCC", &HosokuData::Title, false},                    // "name" (meishou)
    {"\x93\x6F\x98\x5E\x96\xBC", &HosokuData::FileName, true},          // "registered name" (tourokumei)
    {"\x90\xA7\x8D\xEC\x8E\xD2\x96\xBC", &HosokuData::Author, false},   // "maker's name" (seisakushamei)
};

namespace {
constexpr unsigned char kLead = 0x81;        // first byte of every mark below
constexpr unsigned char kOpenLenticular = 0x79;   // lenticular bracket, opening
constexpr unsigned char kOpenGuillemet = 0xE1;    // double angle bracket, opening
constexpr unsigned char kCloseLenticular = 0x7A;  // lenticular bracket, closing
constexpr unsigned char kCloseGuillemet = 0xE2;   // double angle bracket, closing
constexpr unsigned char kWideSpace = 0x40;        // full-width space
}  // namespace

HosokuFile::HosokuFile() = default;

int HosokuFile::ReadHosoku(const char* fileName) {
    HosokuData& data = *this;
    data = HosokuData();
    lineLength = 0;
    lineBuffer[0] = '\0';
    if (!OpenRead(fileName)) {
        EndOfText = true;
        return 1;
    }
    NextLine();
    if (lineLength > 0 && lineBuffer[0] == '-') NextLine();  // one rule of dashes
    for (const HosokuLabel& label : HosokuLabels) ReadLabel(label.label, data.*label.field);
    while (!EndOfText) {
        ReadItem();
        NextLine();
    }
    Close();
    return 0;
}

int HosokuFile::ReadLabel(std::string_view label, std::string& field) {
    if (lineLength < label.size() || std::memcmp(lineBuffer, label.data(), label.size()) != 0) {
        field.clear();
        return 1;
    }
    TrimLine();
    // A label ends in a double-byte character, so trimming never reaches it.
    field.assign(lineBuffer + label.size(), lineLength - label.size());
    NextLine();
    return 0;
}

void HosokuFile::TrimLine() {
    if (lineLength == 0 || lineBuffer[lineLength - 1] != '\n') return;
    --lineLength;
    if (lineLength > 0 && lineBuffer[lineLength - 1] == '\r') --lineLength;
    while (lineLength > 0 && lineBuffer[lineLength - 1] == ' ') --lineLength;
    lineBuffer[lineLength] = '\0';
}

int HosokuFile::ReadItem() {
    const auto* s = reinterpret_cast<const unsigned char*>(lineBuffer);
    const size_t length = lineLength;
    // Both bytes inside the line: a lead byte as its last byte is no mark.
    auto markAt = [&](size_t i, unsigned char second) {
        return i + 1 < length && s[i] == kLead && s[i + 1] == second;
    };

    size_t p = 0;
    while (p < length && s[p] == ' ') ++p;
    if (!markAt(p, kOpenLenticular) && !markAt(p, kOpenGuillemet)) return 1;
    p += 2;

    // The name, without its spaces.  Tested at every byte, not by
    // characters, as the files are matched by bytes.
    char name[kNameSize];
    size_t nameLength = 0;
    for (;;) {
        if (p >= length) return 1;  // no closing mark on the line
        if (markAt(p, kCloseLenticular) || markAt(p, kCloseGuillemet)) {
            p += 2;
            break;
        }
        unsigned char c = s[p];
        if (c == '\r' || c == '\n' || c == '\0') return 1;
        if (c == ' ') {
            ++p;
        } else if (markAt(p, kWideSpace)) {
            p += 2;
        } else {
            // A name this long can equal no item: not an item line.
            if (nameLength == kNameSize - 1) return 1;
            name[nameLength++] = static_cast<char>(c);
            ++p;
        }
    }
    const std::string_view itemName(name, nameLength);

    while (p < length) {
        if (s[p] == ' ') {
            ++p;
        } else if (markAt(p, kWideSpace)) {
            p += 2;
        } else {
            break;
        }
    }
    TrimLine();
    // Trimming may end the line before p: a value of spaces alone is empty.
    std::string_view value;
    if (p < lineLength) value = std::string_view(lineBuffer + p, lineLength - p);

    for (const HosokuItem& item : HosokuItems) {
        if (item.name != itemName) continue;
        if (item.cutAtSpace) value = value.substr(0, value.find(' '));
        (this->*item.field).assign(value);
        return 0;
    }
    return 1;
}
