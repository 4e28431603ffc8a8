// The stored-LZH writer: its CRC, and that libarchive reads what it writes
// (levels 0, 1 and 2, Shift-JIS names, folders, data) and notices a bad CRC.
#include "tools/lzh_writer.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <locale.h>

using kisstools::ArchiveFile;

namespace {

struct Listed {
    std::vector<std::pair<std::string, std::string>> entries;  // name, data
    std::string error;
};

Listed ReadBack(const std::string& bytes) {
    Listed out;
    locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0));
    locale_t old = uselocale(utf8);
    archive* a = archive_read_new();
    archive_read_support_format_lha(a);
    archive_read_set_options(a, "hdrcharset=CP932");
    archive_read_open_memory(a, bytes.data(), bytes.size());
    archive_entry* e;
    int rc;
    while ((rc = archive_read_next_header(a, &e)) == ARCHIVE_OK) {
        // Read to the end: the data's CRC is checked when the last byte has gone.
        std::string data;
        char buffer[1024];
        la_ssize_t n;
        while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0) data.append(buffer, static_cast<size_t>(n));
        if (n < 0) {
            out.error = archive_error_string(a);
            break;
        }
        out.entries.emplace_back(archive_entry_pathname(e), data);
    }
    if (rc != ARCHIVE_EOF && out.error.empty()) out.error = archive_error_string(a) ? archive_error_string(a) : "?";
    archive_read_free(a);
    uselocale(old);
    freelocale(utf8);
    return out;
}

}  // namespace

TEST(LzhWriter, Crc16IsTheArcCrc) {
    EXPECT_EQ(kisstools::LzhCrc16("123456789"), 0xBB3D);  // the standard check value
    EXPECT_EQ(kisstools::LzhCrc16(""), 0);
}

TEST(LzhWriter, LibarchiveReadsEveryLevelWithShiftJisNames) {
    const std::vector<ArchiveFile> files{
        {"A.CNF", "(10,10)\r\n"},
        {"\x83\x5C\x83\x74\x83\x67.CEL" /* ソフト: 0x5C as a second byte */, std::string(5000, '\x42')},
        {"EMPTY.TXT", ""},
        {"\x83\x5C\\IN.CEL" /* ソ\IN.CEL */, "in a folder"},
    };
    for (int level : {0, 1, 2}) {
        const std::string lzh = kisstools::WriteLzh(files, level);
        EXPECT_EQ(lzh.substr(2, 5), "-lh0-");
        EXPECT_EQ(static_cast<unsigned char>(lzh[20]), level);
        Listed l = ReadBack(lzh);
        EXPECT_EQ(l.error, "") << "level " << level;
        ASSERT_EQ(l.entries.size(), 4u);
        EXPECT_EQ(l.entries[0], (std::pair<std::string, std::string>{"A.CNF", "(10,10)\r\n"}));
        EXPECT_EQ(l.entries[1].first, "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.CEL");
        EXPECT_EQ(l.entries[1].second, files[1].bytes);
        EXPECT_EQ(l.entries[2].second, "");
        // libarchive keeps the "\\" of a level 0 or 1 name.
        std::string folderName = l.entries[3].first;
        std::replace(folderName.begin(), folderName.end(), '\\', '/');
        EXPECT_EQ(folderName, "\xE3\x82\xBD/IN.CEL");
        EXPECT_EQ(l.entries[3].second, "in a folder");
    }
}

TEST(LzhWriter, ABrokenCrcIsReported) {
    std::string lzh = kisstools::WriteLzh({{"A.TXT", "hello"}}, 0);
    // The CRC sits just before the data in a level 0 header.
    const size_t crcAt = lzh.find("hello") - 2;
    lzh[crcAt] = static_cast<char>(lzh[crcAt] ^ 0x01);
    // The header checksum covers the CRC too: mend it, so only the data check fails.
    unsigned sum = 0;
    for (size_t i = 2; i < crcAt + 2; ++i) sum += static_cast<unsigned char>(lzh[i]);
    lzh[1] = static_cast<char>(sum & 0xFF);
    EXPECT_NE(ReadBack(lzh).error, "");
}
