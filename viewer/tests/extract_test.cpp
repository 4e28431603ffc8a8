// Unpacking archives: the generated set in LZH and ZIP form, compressed
// LZH archives of every method and header level, and archives that must be
// refused without writing anything outside the folder.
#include "archive/extract.h"
#include "archive_test_support.h"
#include "tools/lzh_writer.h"
#include "tools/test_set.h"

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <locale.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using kissarchive::ExtractArchive;
using kissarchive::Failure;
using kissarchive::ReadArchive;
using kissarchive::Why;
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

// The committed archives made by jlha (viewer/tests/lzh/make_fixtures.sh).
std::string Fixture(const std::string& name) {
    return ReadBytes(testsupport::SourceDir() + "/viewer/tests/lzh/" + name);
}

// BODY.CEL of the fixtures, made as make_fixtures.sh makes it.
std::string FixtureBody() {
    auto letters = [](int x, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            x = (75 * x + 74) % 65537;
            s += "ACGT"[x % 4];
        }
        return s;
    };
    auto repeat = [](int times, const std::string& s) {
        std::string r;
        for (int i = 0; i < times; ++i) r += s;
        return r;
    };
    const std::string r1 = letters(1, 2000);
    return r1 + repeat(14, letters(2, 500)) + r1 + repeat(62, letters(3, 500)) + r1;
}

// What libarchive's own LZH reader says of the bytes: "" when it lists them.
std::string LibarchiveLzhError(const std::string& bytes) {
    locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0));
    locale_t old = uselocale(utf8);
    archive* a = archive_read_new();
    archive_read_support_format_lha(a);
    archive_read_set_options(a, "hdrcharset=CP932");
    int rc = archive_read_open_memory(a, bytes.data(), bytes.size());
    archive_entry* e;
    while (rc >= ARCHIVE_WARN && rc != ARCHIVE_EOF) {
        rc = archive_read_next_header(a, &e);
        if (rc >= ARCHIVE_WARN && rc != ARCHIVE_EOF) rc = archive_read_data_skip(a);
    }
    const char* error = rc == ARCHIVE_EOF ? "" : archive_error_string(a);
    std::string text = error ? error : "?";
    archive_read_free(a);
    uselocale(old);
    freelocale(utf8);
    return text;
}

std::vector<std::string> Paths(const kissarchive::ReadResult& r) {
    std::vector<std::string> paths;
    for (const auto& e : r.entries) paths.push_back(e.path);
    return paths;
}

}  // namespace

TEST(Extract, UnpacksTheGeneratedSetFromLzhOfEachLevelAndZip) {
    for (int level : {0, 1, 2, -1}) {
        const bool zip = level < 0;
        Work w;
        auto files = kisstools::MakeDemoSet();
        WriteBytes(w.archive, zip ? kisstools::WriteZip(files) : kisstools::WriteLzh(files, level));
        auto r = ExtractArchive(w.archive, w.out);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(r.refused.empty());
        ASSERT_EQ(r.written.size(), files.size());
        EXPECT_EQ(r.written[0], "DEMODOLL.CNF");
        EXPECT_EQ(r.written.back(), "\xE8\xAA\xAC\xE6\x98\x8E.TXT") << "Shift-JIS name in UTF-8 (level " << level << ")";
        for (const auto& f : files) {
            if (f.name.find(".CEL") != std::string::npos) {
                EXPECT_EQ(ReadBytes(w.out + "/" + f.name), f.bytes) << f.name;
            }
        }
    }
}

TEST(Extract, ReadsCompressedLzhOfEveryMethodAndHeaderLevel) {
    const std::string body = FixtureBody();
    for (const char* method : {"lh5", "lh6", "lh7"}) {
        for (int level : {0, 1, 2}) {
            const std::string name = std::string(method) + "_level" + std::to_string(level) + ".lzh";
            const std::string bytes = Fixture(name);
            ASSERT_EQ(bytes.substr(2, 5), "-" + std::string(method) + "-") << name;
            ASSERT_EQ(static_cast<int>(bytes[20]), level) << name;
            Work w;
            WriteBytes(w.archive, bytes);
            auto r = ReadArchive(w.archive);
            ASSERT_TRUE(r.ok) << name << ": " << r.error;
            // Names keep their case and their folder, whatever the level.
            EXPECT_EQ(Paths(r), (std::vector<std::string>{"BODY.CEL", "DOLL.CNF", "SUB/NOTE.TXT"})) << name;
            EXPECT_TRUE(r.entries[0].data == body) << name << ": the window of " << method << " used to its end";
            EXPECT_EQ(r.entries[1].data, "(16,16)\r\n#0 BODY.CEL\r\n");
            EXPECT_EQ(r.entries[2].data, "a note in a folder\r\n");
        }
    }
    // A self-extracting archive: a program with the LZH archive after it;
    // and one without its end byte, padded to a block by an old transfer.
    std::string padded = Fixture("lh7_level0.lzh");
    padded.back() = '\x1A';
    padded += std::string(100, '\x1A');
    for (const std::string& bytes : {"MZ" + std::string(3000, '\x90') + Fixture("lh5_level1.lzh"), padded}) {
        Work w;
        WriteBytes(w.archive, bytes);
        auto r = ExtractArchive(w.archive, w.out);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.written, (std::vector<std::string>{"BODY.CEL", "DOLL.CNF", "SUB/NOTE.TXT"}));
        EXPECT_TRUE(ReadBytes(w.out + "/BODY.CEL") == body);
    }
}

TEST(Extract, ReadsLevel2ArchivesWithAttributeZeroThatLibarchiveRefuses) {
    // As packed in the 2010s: level 2 headers with attribute byte 0 - the
    // compressed fixture patched, and the generated set written so.
    const std::string compressed = kisstools::WithLzhAttribute(Fixture("lh5_level2.lzh"), 0);
    const std::string generated = kisstools::WriteLzh(kisstools::MakeDemoSet(), 2, 0);
    for (const auto& [bytes, count] : {std::pair(compressed, size_t{3}), std::pair(generated, kisstools::MakeDemoSet().size())}) {
        ASSERT_EQ(bytes[19], '\0');
        EXPECT_EQ(LibarchiveLzhError(bytes), "Unrecognized archive format");
        Work w;
        WriteBytes(w.archive, bytes);
        auto r = ExtractArchive(w.archive, w.out);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(r.refused.empty());
        EXPECT_EQ(r.written.size(), count);
    }
    // The same archives with the usual attribute are read by libarchive too:
    // the attribute alone is what it refuses.
    EXPECT_EQ(LibarchiveLzhError(Fixture("lh5_level2.lzh")), "");
    EXPECT_EQ(LibarchiveLzhError(kisstools::WriteLzh(kisstools::MakeDemoSet(), 2)), "");
}

TEST(Extract, ShiftJisNamesAndFoldersOfEveryLevel) {
    // "ソ" ends in 0x5C, the byte of "\": it must stay part of the name at
    // every level, in the name and in the folder.
    const std::string so = "\x83\x5C", soUtf8 = "\xE3\x82\xBD";
    for (int level : {0, 1, 2}) {
        Work w;
        WriteBytes(w.archive, kisstools::WriteLzh({{so + "\\" + so + ".CEL", "a"}, {"Body.Cel", "b"}}, level));
        auto r = ExtractArchive(w.archive, w.out);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.written, (std::vector<std::string>{soUtf8 + "/" + soUtf8 + ".CEL", "Body.Cel"})) << level;
        EXPECT_EQ(ReadBytes(w.out + "/" + soUtf8 + "/" + soUtf8 + ".CEL"), "a");
    }
}

TEST(Extract, ReplacesAnExistingFileButNeverWritesThroughALink) {
    Work w;
    WriteBytes(w.out + "/A.CEL", "old");
    WriteBytes(w.temp.file("outside.txt"), "keep me");
    ASSERT_EQ(::symlink(w.temp.file("outside.txt").c_str(), (w.out + "/B.CEL").c_str()), 0);
    ASSERT_EQ(::symlink(w.temp.path().c_str(), (w.out + "/SUB").c_str()), 0);
    WriteBytes(w.archive, kisstools::WriteLzh({{"A.CEL", "new"}, {"B.CEL", "replaced"}, {"SUB\\C.CEL", "escaped"}, {"A.CEL\\D.CEL", "d"}}, 0));

    auto r = ExtractArchive(w.archive, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(ReadBytes(w.out + "/A.CEL"), "new");
    EXPECT_EQ(ReadBytes(w.out + "/B.CEL"), "replaced");
    EXPECT_FALSE(std::filesystem::is_symlink(w.out + "/B.CEL")) << "the link itself was replaced";
    EXPECT_EQ(ReadBytes(w.temp.file("outside.txt")), "keep me");
    EXPECT_FALSE(testsupport::Exists(w.temp.file("C.CEL"))) << "nothing through the folder link";
    ASSERT_EQ(r.refused.size(), 2u);
    EXPECT_EQ(r.refused[0].name, "SUB/C.CEL");
    EXPECT_EQ(r.refused[0].why, Why::ThroughLink);
    EXPECT_EQ(r.refused[1].name, "A.CEL/D.CEL");
    EXPECT_EQ(r.refused[1].why, Why::CannotCreateFolder) << "a file in the way is no link";
    EXPECT_EQ(r.written, (std::vector<std::string>{"A.CEL", "B.CEL"}));
}

TEST(Extract, RefusesDotDotAbsoluteNamesLinksAndUnknownMethodsButKeepsTheRest) {
    for (int level : {0, 1, 2}) {
        Work w;
        const std::string abs = w.temp.file("abs.txt");
        std::string lzh = kisstools::WriteLzh({{"../evil.txt", "x"},
                                               {"..\\evil2.txt", "x"},
                                               {"A\\..\\..\\evil3.txt", "x"},
                                               {abs, "x"},
                                               {"C:\\evil4.txt", "x"},
                                               {"SUB\\OK.CEL", "fine"},
                                               {"NEW.CEL", "xx"}},
                                              level);
        // A method liblhasa does not know; the header's checksum mended.
        lzh.replace(lzh.rfind("-lh0-"), 5, "-lh9-");
        WriteBytes(w.archive, kisstools::WithLzhAttribute(lzh, kisstools::kLzhArchiveAttribute));
        auto r = ExtractArchive(w.archive, w.out);
        ASSERT_TRUE(r.ok) << r.error;
        std::vector<Why> whys;
        for (const auto& refusal : r.refused) whys.push_back(refusal.why);
        EXPECT_EQ(whys, (std::vector<Why>{Why::DotDot, Why::DotDot, Why::DotDot, Why::AbsoluteName, Why::AbsoluteName,
                                          Why::UnknownMethod}))
            << "level " << level;
        EXPECT_EQ(r.written, (std::vector<std::string>{"SUB/OK.CEL"}));
        EXPECT_EQ(kisstest::Listing(w.temp.path()),
                  (std::vector<std::string>{"out", "out/SUB", "out/SUB/OK.CEL", "set.lzh"}));
    }
    Work w;

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
    auto r = ExtractArchive(zip, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].why, Why::Link);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(w.out + "/LINK")));
}

TEST(Extract, ADamagedArchiveWritesNothing) {
    const std::string good = kisstools::WriteLzh(kisstools::MakeDemoSet(), 0);
    std::string badCrc = kisstools::WriteLzh({{"A.CEL", "aaaa"}, {"B.CEL", "bbbb"}, {"C.CEL", "cccc"}}, 1);
    badCrc[badCrc.find("cccc")] = 'd';
    std::string badChecksum = badCrc;
    badChecksum[badChecksum.find("B.CEL")] = 'b';
    std::string badData = Fixture("lh6_level1.lzh");
    badData[200] = static_cast<char>(badData[200] ^ 0x10);  // inside the compressed BODY.CEL
    const std::string level2 = kisstools::WriteLzh({{"A.CEL", "aaaa"}, {"B.CEL", "bbbb"}}, 2);
    const std::vector<std::pair<std::string, Failure>> cases{
        {good.substr(0, good.size() - 40), Failure::Damaged},  // cut inside the last cel's data
        {level2.substr(0, level2.find("B.CEL")), Failure::Damaged},  // cut inside the second header
        {badCrc, Failure::Damaged},       // a wrong data CRC in the third entry
        {badChecksum, Failure::Damaged},  // a wrong header checksum in the second
        {badData, Failure::Damaged},
        {std::string("not an archive at all"), Failure::UnknownFormat},
    };
    for (const auto& [bytes, failure] : cases) {
        Work w;
        WriteBytes(w.archive, bytes);
        auto r = ExtractArchive(w.archive, w.out);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.failure, failure) << r.error;
        EXPECT_FALSE(r.error.empty());
        EXPECT_TRUE(kisstest::Listing(w.out).empty()) << r.error;
    }
    Work w;
    auto r = ExtractArchive(w.temp.file("missing.lzh"), w.out);
    EXPECT_EQ(r.failure, Failure::Missing);
    ::mkfifo(w.archive.c_str(), 0600);
    r = ExtractArchive(w.archive, w.out);
    EXPECT_EQ(r.failure, Failure::CannotOpen) << "a pipe is not read (it would block)";
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
    EXPECT_EQ(r.failure, Failure::TooLarge) << r.error;
    EXPECT_TRUE(kisstest::Listing(w.out).empty());
    // An LZH entry that says it unpacks to 1 GiB is refused before decoding.
    std::string lzh = kisstools::WriteLzh({{"A.CNF", "(1,1)"}, {"BIG.CEL", "small"}}, 1);
    const size_t big = lzh.find("-lh0-", lzh.find("BIG.CEL") - 30);
    lzh.replace(big + 9, 4, std::string("\0\0\0\x40", 4));  // the original size
    WriteBytes(w.archive, kisstools::WithLzhAttribute(lzh, kisstools::kLzhArchiveAttribute));
    r = ExtractArchive(w.archive, w.out);
    EXPECT_EQ(r.failure, Failure::TooLarge) << r.error;
    EXPECT_TRUE(kisstest::Listing(w.out).empty());
}

TEST(Extract, NamesNestedTooDeeplyAreRefusedSoTheFolderCanBeRemoved) {
    // Removing a folder holds one open descriptor per level: under a common
    // limit of open files a tree 1500 folders deep would stay behind.
    auto nested = [](int folders, const std::string& leaf) {
        std::string name;
        for (int i = 0; i < folders; ++i) name += "D/";
        return name + leaf;
    };
    const std::string deepest = nested(kissarchive::kMaxNameParts - 1, "OK.CEL");
    Work w;
    const std::string zip = w.temp.file("deep.zip");
    WriteBytes(zip, kisstools::WriteZip({{deepest, "ok"},
                                         {nested(kissarchive::kMaxNameParts, "NO.CEL"), "no"},
                                         {nested(1500, "FAR.CEL"), "far"}}));
    auto r = ExtractArchive(zip, w.out);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.written, (std::vector<std::string>{deepest}));
    std::vector<Why> whys;
    for (const auto& refusal : r.refused) whys.push_back(refusal.why);
    EXPECT_EQ(whys, (std::vector<Why>{Why::TooDeep, Why::TooDeep}));

    rlimit was{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &was), 0);
    rlimit few = was;
    few.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    std::error_code ec;
    std::filesystem::remove_all(w.out, ec);
    ::setrlimit(RLIMIT_NOFILE, &was);
    EXPECT_FALSE(ec) << ec.message();
    EXPECT_FALSE(std::filesystem::exists(w.out));
}

TEST(Extract, SafeRelativePathRules) {
    kissarchive::Refusal why;
    EXPECT_EQ(kissarchive::SafeRelativePath("a/./b//c.cel", why), "a/b/c.cel");
    EXPECT_EQ(kissarchive::SafeRelativePath("A\\B.CEL", why), "A/B.CEL");
    EXPECT_EQ(kissarchive::SafeRelativePath("dir/", why), "dir");
    for (const char* bad : {"", "/", "/etc/passwd", "\\x", "a/../b", "..", "C:x", "./"}) {
        why.reason.clear();
        EXPECT_EQ(kissarchive::SafeRelativePath(bad, why), "") << bad;
        EXPECT_FALSE(why.reason.empty()) << bad;
    }
    EXPECT_EQ(kissarchive::SafeRelativePath("a..b/c..", why), "a..b/c..") << "dots inside a name are fine";
}
