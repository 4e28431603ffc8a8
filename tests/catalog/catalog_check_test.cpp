#include "catalog/catalog_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const std::string kHeading = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";

// The notes for `bytes` taken whole, checked against the same bytes taken
// one at a time (a double-byte character then spans two pieces).
CatalogFileNotes Notes(const std::string& bytes) {
    CatalogChecker whole;
    whole.Take(std::string_view(bytes));
    CatalogFileNotes notes = whole.Finish();
    CatalogChecker pieces;
    for (char c : bytes) pieces.Take(std::string_view(&c, 1));
    CatalogFileNotes again = pieces.Finish();
    EXPECT_EQ(again.headingMissing, notes.headingMissing);
    EXPECT_EQ(again.wrongFieldCount.lines, notes.wrongFieldCount.lines);
    EXPECT_EQ(again.notText.first, notes.notText.first);
    EXPECT_EQ(again.dataAfterEndMark, notes.dataAfterEndMark);
    EXPECT_EQ(again.nothingReadable, notes.nothingReadable);
    return notes;
}

}  // namespace

TEST(CatalogCheck, WhatTheSystemWritesHasNoNotes) {
    // Shift-JIS with "\" as second byte (ソ表), half-width katakana, a tab,
    // an empty catalog's row of six commas, a heading alone, no file at all.
    EXPECT_FALSE(Notes(kHeading + "\x83\x5C\x95\x5C,A.LZH,\xB6\xB0\xC4\t1,U,ABC01234,1997/05/12,100\r\n").Any());
    EXPECT_FALSE(Notes(kHeading + ",,,,,,\r\n").Any());
    EXPECT_FALSE(Notes(kHeading).Any());
    EXPECT_FALSE(Notes("").Any());
    // Blank lines and lines of commas alone hold nothing to lose; a last
    // line without its line end and a closing end mark are read whole.
    EXPECT_FALSE(Notes(kHeading + "\r\n,,,,\r\n" + std::string(25, ',') + "\r\nA,B,C,D,E,F,G\x1a\x1a").Any());
    EXPECT_FALSE(Notes(kHeading + "A,B,C,D,E,F,G\r\x1a").Any());
    EXPECT_FALSE(Notes(kHeading + "A,B,C,D,E,F,G\r").Any());
}

TEST(CatalogCheck, EachKindOfLossIsNotedWithItsLines) {
    // Lines 3 and 5 with 3 and 8 fields, line 6 with 22 (dropped whole).
    CatalogFileNotes n = Notes(kHeading + "A,B,C,D,E,F,G\r\nA,B,C\r\n\r\nA,B,C,D,E,F,G,H\r\nx" + std::string(21, ',') + "\n");
    EXPECT_EQ(n.wrongFieldCount.lines, 3u);
    EXPECT_EQ(n.wrongFieldCount.first, 3u);
    EXPECT_FALSE(n.headingMissing);
    EXPECT_FALSE(n.nothingReadable);

    // A lead byte before a comma or at the line's end, bytes no character
    // starts with, control bytes, a CR inside a line (the reader drops it)
    // or two before the LF; a CR before the end mark or the file's end is
    // only a line end.
    n = Notes(kHeading + "\x83,B,C,D,E,F,G\r\nok,,,,,,\r\nA\x83\r\nA\x80,,,,,,\nA\xFF,,,,,,\nA\x01,,,,,,\n" +
              "A\rB,,,,,,\r\nA,,,,,,\r\r\nA,,,,,,\rB\n");
    EXPECT_EQ(n.notText.lines, 8u);
    EXPECT_EQ(n.notText.first, 2u);

    // Data after the end mark; the line where it starts.
    n = Notes(kHeading + "A,B,C,D,E,F,G\x1a\r\n\r\nlost,,,,,,\r\n");
    EXPECT_EQ(n.dataAfterEndMark, 4u);

    // No heading: the first record was taken as one.
    n = Notes("SAKURA,A.LZH,T,U,ABC01234,1997/05/12,100\r\nB,B.LZH,T,U,,,\r\n");
    EXPECT_TRUE(n.headingMissing);
    EXPECT_FALSE(n.nothingReadable);

    // Nothing readable: one line of another text, line ends alone, a file
    // that starts with the end mark.
    for (const std::string& bytes : {std::string("just some text\r\n"), std::string("\r\n\r\n"), std::string("\x1a" "A,B")}) {
        SCOPED_TRACE(bytes);
        EXPECT_TRUE(Notes(bytes).nothingReadable);
    }

    // Random bytes: noted.
    std::mt19937 random(7);
    std::string noise;
    for (int i = 0; i < 4000; ++i) noise += static_cast<char>(random() & 0xFF);
    EXPECT_TRUE(Notes(noise).Any());
}
