// Unpacking archives: the generated set in LZH and ZIP form, and archives
// that must be refused without writing anything outside the folder.
#include "archive/extract.h"
#include "archive_test_support.h"
#include "tools/test_set.h"

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

using kissarchive::ExtractArchive;
using kisstools::ArchiveFile;
using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

// A work folder with an "out" folder to unpack into; the archive and any
// bait lie beside "out".
struct Work {
    TempFolder temp{false};
    std::string out = temp.file("out");
    std::string archive = temp.file("set.lzh");
    Work() { std::filesystem::create_directory(out); }
};

}  // namespace

TEST(Extract, UnpacksTheGeneratedSetFromLzhAndZip) {
    for (bool zip : {false, true}) {
        Work w;
        auto files = kisstools::MakeDemoSet();
        WriteBytes(w.archive, zip ? kisstools::WriteZip(files) : kisstools::WriteLzh(files, 1));
        auto r = ExtractArchive(w.archive, w.out);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(r.refused.empty());
        ASSERT_EQ(r.written.size(), files.size());
        EXPECT_EQ(r.written[0], "DEMODOLL.CNF");
        EXPECT_EQ(r.written.back(), "\xE8\xAA\xAC\xE6\x98\x8E.TXT") << "Shift-JIS name in UTF-8 (zip " << zip << ")";
        for (const auto& f : files) {
            if (f.name.find(".CEL") != std::string::npos) {
                EXPECT_EQ(ReadBytes(w.out + "/" + f.name), f.bytes) << f.name;
            }
        }
    }
}

TEST(Extract, ReplacesAnExistingFileButNeverWritesThroughALink) {
    Work w;
    WriteBytes(w.out + "/A.CEL", "old");
    WriteBytes(w.temp.file("outside.txt"), "keep me");
    ASSERT_EQ(::symlink(w.temp.file("outside.txt").c_str(), (w.out + "/B.CEL").c_str()), 0);
    ASSERT_EQ(::symlink(w.temp.path().c_str(), (w.out + "/SUB").c_str()), 0);
    WriteBytes(w.archive, kisstools::WriteLzh({{"A.CEL", "new"}, {"B.CEL", "replaced"}, {"SUB\\C.CEL", "escaped"}}, 0));

    auto r = ExtractArchive(w.archive, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(ReadBytes(w.out + "/A.CEL"), "new");
    EXPECT_EQ(ReadBytes(w.out + "/B.CEL"), "replaced");
    EXPECT_FALSE(std::filesystem::is_symlink(w.out + "/B.CEL")) << "the link itself was replaced";
    EXPECT_EQ(ReadBytes(w.temp.file("outside.txt")), "keep me");
    EXPECT_FALSE(testsupport::Exists(w.temp.file("C.CEL"))) << "nothing through the folder link";
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].name, "SUB/C.CEL");
    EXPECT_NE(r.refused[0].reason.find("link"), std::string::npos);
    EXPECT_EQ(r.written, (std::vector<std::string>{"A.CEL", "B.CEL"}));
}

TEST(Extract, RefusesDotDotAbsoluteNamesAndLinksButKeepsTheRest) {
    Work w;
    const std::string abs = w.temp.file("abs.txt");
    WriteBytes(w.archive, kisstools::WriteLzh({{"../evil.txt", "x"},
                                               {"..\\evil2.txt", "x"},
                                               {"A\\..\\..\\evil3.txt", "x"},
                                               {abs, "x"},
                                               {"C:\\evil4.txt", "x"},
                                               {"SUB\\OK.CEL", "fine"}},
                                              1));
    auto r = ExtractArchive(w.archive, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.refused.size(), 5u);
    EXPECT_EQ(r.written, (std::vector<std::string>{"SUB/OK.CEL"}));
    EXPECT_EQ(kisstest::Listing(w.temp.path()), (std::vector<std::string>{"out", "out/SUB", "out/SUB/OK.CEL", "set.lzh"}));

    // A ZIP can hold real symbolic links: never made.
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    const std::string zip = w.temp.file("link.zip");
    archive_write_open_filename(a, zip.c_str());
    archive_entry* e = archive_entry_new();
    archive_entry_copy_pathname(e, "LINK");
    archive_entry_set_filetype(e, AE_IFLNK);
    archive_entry_copy_symlink(e, "/etc/passwd");
    archive_write_header(a, e);
    archive_entry_free(e);
    archive_write_close(a);
    archive_write_free(a);
    r = ExtractArchive(zip, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].reason, "a link");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(w.out + "/LINK")));
}

TEST(Extract, ADamagedArchiveWritesNothing) {
    const std::string good = kisstools::WriteLzh(kisstools::MakeDemoSet(), 0);
    // Cut inside the last cel's data; a wrong data CRC in the third entry;
    // not an archive at all; no such file.
    std::string badCrc = kisstools::WriteLzh({{"A.CEL", "aaaa"}, {"B.CEL", "bbbb"}, {"C.CEL", "cccc"}}, 1);
    const size_t c = badCrc.find("cccc");
    badCrc[c] = 'd';
    for (const std::string& bytes : {good.substr(0, good.size() - 40), badCrc, std::string("not an archive at all")}) {
        Work w;
        WriteBytes(w.archive, bytes);
        auto r = ExtractArchive(w.archive, w.out);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_TRUE(kisstest::Listing(w.out).empty()) << r.error;
    }
    Work w;
    auto r = ExtractArchive(w.temp.file("missing.lzh"), w.out);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
}

TEST(Extract, ZipNamesMarkedUtf8StayUtf8) {
    // A ZIP made on a UTF-8 system marks its names as UTF-8: they must not
    // be read as Shift-JIS.
    Work w;
    const std::string zip = w.temp.file("utf8.zip");
    locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0));
    locale_t old = uselocale(utf8);
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_options(a, "zip:hdrcharset=UTF-8");
    archive_write_open_filename(a, zip.c_str());
    archive_entry* e = archive_entry_new();
    archive_entry_copy_pathname(e, "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.CEL");  // ソフト
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, 2);
    archive_write_header(a, e);
    archive_write_data(a, "ok", 2);
    archive_entry_free(e);
    archive_write_close(a);
    archive_write_free(a);
    uselocale(old);
    freelocale(utf8);

    auto r = ExtractArchive(zip, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.written, (std::vector<std::string>{"\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.CEL"}));
    EXPECT_EQ(ReadBytes(w.out + "/\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.CEL"), "ok");
}

TEST(Extract, AnArchiveThatUnpacksTooLargeIsRefusedWhole) {
    // A small ZIP of zeros that would unpack past the limit of one entry.
    Work w;
    const std::string zip = w.temp.file("bomb.zip");
    WriteBytes(zip, kisstools::WriteZip({{"A.CNF", "(1,1)"},
                                         {"BIG.CEL", std::string(kissarchive::kMaxEntryBytes + 1, '\0')}}));
    ASSERT_LT(testsupport::ReadBytes(zip).size(), 1u << 20);
    auto r = ExtractArchive(zip, w.out);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("more than"), std::string::npos) << r.error;
    EXPECT_TRUE(kisstest::Listing(w.out).empty());
}

TEST(Extract, SafeRelativePathRules) {
    std::string why;
    EXPECT_EQ(kissarchive::SafeRelativePath("a/./b//c.cel", why), "a/b/c.cel");
    EXPECT_EQ(kissarchive::SafeRelativePath("A\\B.CEL", why), "A/B.CEL");
    EXPECT_EQ(kissarchive::SafeRelativePath("dir/", why), "dir");
    for (const char* bad : {"", "/", "/etc/passwd", "\\x", "a/../b", "..", "C:x", "./"}) {
        why.clear();
        EXPECT_EQ(kissarchive::SafeRelativePath(bad, why), "") << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
    EXPECT_EQ(kissarchive::SafeRelativePath("a..b/c..", why), "a..b/c..") << "dots inside a name are fine";
}
