#include <gtest/gtest.h>

#include "framework/stream.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

namespace {

std::string Bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s += static_cast<char>(b);
    return s;
}

std::string Written(const std::function<void(TWriter&)>& write) {
    TMemoryStream stream;
    TWriter writer(stream);
    write(writer);
    return stream.Bytes();
}

}  // namespace

TEST(MemoryStream, ReadsWritesSeeksAndGrows) {
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Position(), 6);
    EXPECT_EQ(s.Size(), 6);
    s.SetPosition(2);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 4);
    EXPECT_EQ(std::string(buf, 4), "cdef");
    EXPECT_EQ(s.Read(buf, 8), 0);
    EXPECT_EQ(s.Seek(-3, TSeekOrigin::soEnd), 3);
    EXPECT_EQ(s.Remaining(), 3);
    // A short ReadBuffer fails and leaves the position alone.
    EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_THROW(s.Seek(-4, TSeekOrigin::soCurrent), EFilerError);
    // Writing past the end fills the gap with zeros.
    s.Seek(8, TSeekOrigin::soBeginning);
    s.WriteBuffer("z", 1);
    EXPECT_EQ(s.Bytes(), std::string("abcdef\0\0z", 9));
    s.SetSize(2);
    EXPECT_EQ(s.Bytes(), "ab");
    EXPECT_EQ(s.Position(), 2);

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(s, 0), 2);
    EXPECT_EQ(copy.Bytes(), "ab");
}

TEST(TWriter, IntegersTakeTheSmallestCode) {
    auto integer = [](int64_t v) { return Written([v](TWriter& w) { w.WriteInteger(v); }); };
    EXPECT_EQ(integer(0), Bytes({0x02, 0x00}));
    EXPECT_EQ(integer(127), Bytes({0x02, 0x7F}));
    EXPECT_EQ(integer(-128), Bytes({0x02, 0x80}));
    EXPECT_EQ(integer(128), Bytes({0x03, 0x80, 0x00}));
    EXPECT_EQ(integer(-129), Bytes({0x03, 0x7F, 0xFF}));
    EXPECT_EQ(integer(32767), Bytes({0x03, 0xFF, 0x7F}));
    EXPECT_EQ(integer(40000), Bytes({0x04, 0x40, 0x9C, 0x00, 0x00}));
    EXPECT_EQ(integer(-40000), Bytes({0x04, 0xC0, 0x63, 0xFF, 0xFF}));
    EXPECT_EQ(integer(INT32_MIN), Bytes({0x04, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(integer(INT64_C(1) << 32), Bytes({0x13, 0, 0, 0, 0, 1, 0, 0, 0}));

    // And they read back, from any code that holds them.
    for (int64_t v : {INT64_C(0), INT64_C(127), INT64_C(-128), INT64_C(128), INT64_C(-129), INT64_C(40000),
                      INT64_C(-40000), INT64_C(2147483647), INT64_C(-2147483648)}) {
        TMemoryStream s(integer(v));
        TReader r(s);
        EXPECT_EQ(r.ReadInteger(), v);
        EXPECT_EQ(s.Remaining(), 0);
    }
    TMemoryStream wide(Bytes({0x04, 0x05, 0, 0, 0, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    TReader r(wide);
    EXPECT_EQ(r.ReadInteger(), 5);
    EXPECT_EQ(r.ReadInteger(), -1);
    TMemoryStream big(integer(INT64_C(1) << 40));
    TReader r2(big);
    EXPECT_THROW(r2.ReadInteger(), EReadError);
}

TEST(TWriter, StringsBooleansIdentsSetsAndBinary) {
    std::string bytes = Written([](TWriter& w) {
        w.WriteString("DIR");
        w.WriteBoolean(false);
        w.WriteBoolean(true);
        w.WriteIdent("alClient");
        w.WriteIdent("TRUE");
        w.WriteIdent("nil");
        w.WriteSet({"caLeft", "caMiddle"});
        w.WriteSet({});
        w.WriteBinary(std::string("\x00\xFF", 2));
    });
    EXPECT_EQ(bytes, Bytes({0x06, 3, 'D', 'I', 'R', 0x08, 0x09, 0x07, 8, 'a', 'l', 'C', 'l', 'i', 'e', 'n', 't',
                            0x09, 0x0D, 0x0B, 6, 'c', 'a', 'L', 'e', 'f', 't', 8, 'c', 'a', 'M', 'i', 'd', 'd',
                            'l', 'e', 0, 0x0B, 0, 0x0A, 2, 0, 0, 0, 0x00, 0xFF}));
    TMemoryStream s(bytes);
    TReader r(s);
    EXPECT_EQ(r.ReadString(), "DIR");
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadIdent(), "alClient");
    EXPECT_EQ(r.ReadIdent(), "True");
    EXPECT_EQ(r.ReadIdent(), "nil");
    EXPECT_EQ(r.ReadSet(), (std::vector<std::string>{"caLeft", "caMiddle"}));
    EXPECT_TRUE(r.ReadSet().empty());
    EXPECT_EQ(r.ReadBinary(), std::string("\x00\xFF", 2));
    EXPECT_EQ(s.Remaining(), 0);

    TMemoryStream sink;
    TWriter w(sink);
    EXPECT_THROW(w.WriteIdent("1abc"), EWriteError);
    EXPECT_THROW(w.WriteIdent("a..b"), EWriteError);
    EXPECT_THROW(w.WriteSet({"a.b"}), EWriteError);
    EXPECT_THROW(w.WriteStr(std::string(256, 'a')), EWriteError);
    EXPECT_EQ(sink.Size(), 0);
}

TEST(TWriter, LongStringsAreNeverTruncated) {
    for (size_t n : {255u, 256u, 70000u}) {
        std::string text(n, 'x');
        text.back() = 'y';
        std::string bytes = Written([&](TWriter& w) { w.WriteString(text); });
        if (n <= 255) {
            EXPECT_EQ(bytes.substr(0, 2), Bytes({0x06, static_cast<int>(n)}));
        } else {
            EXPECT_EQ(bytes[0], 0x0C);
            EXPECT_EQ(bytes.size(), n + 5);
        }
        TMemoryStream s(bytes);
        TReader r(s);
        EXPECT_EQ(r.ReadString(), text);
    }
}

TEST(TReader, ReadsCellKindStyleListsAndSkipsValues) {
    // One column group as the grid stores it: kind, aligns, items, ...
    std::string bytes = Written([](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(3);
        w.WriteInteger(17);
        w.WriteInteger(17);
        w.WriteInteger(2);
        w.WriteString("A");
        w.WriteInteger(0);
        w.WriteString("B");
        w.WriteInteger(1);
        w.WriteInteger(0);
        w.WriteInteger(2);
        w.WriteInteger(0);
        w.WriteBoolean(true);
        w.WriteListEnd();
        w.WriteString("after");
    });
    TMemoryStream s(bytes);
    TReader r(s);
    r.ReadListBegin();
    std::vector<int> ints;
    std::vector<std::string> texts;
    while (!r.EndOfList()) {
        switch (r.NextValue()) {
        case TValueType::vaString: texts.push_back(r.ReadString()); break;
        case TValueType::vaTrue: EXPECT_TRUE(r.ReadBoolean()); break;
        default: ints.push_back(r.ReadInteger());
        }
    }
    r.ReadListEnd();
    EXPECT_EQ(ints, (std::vector<int>{3, 17, 17, 2, 0, 1, 0, 2, 0}));
    EXPECT_EQ(texts, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(r.ReadString(), "after");

    // SkipValue passes over the whole list and its nested values.
    std::string nested = Written([](TWriter& w) {
        w.WriteListBegin();
        w.WriteListBegin();
        w.WriteString(std::string(300, 'q'));
        w.WriteSet({"a"});
        w.WriteListEnd();
        w.WriteCollectionBegin();
        w.WriteItemBegin();
        w.WritePropName("Cntrl");
        w.WriteIdent("ArEdit1_1");
        w.WriteItemEnd();
        w.WriteCollectionEnd();
        w.WriteBinary("xyz");
        w.WriteListEnd();
        w.WriteInteger(-7);
    });
    TMemoryStream n(nested);
    TReader rn(n);
    rn.SkipValue();
    EXPECT_EQ(rn.ReadInteger(), -7);
}

TEST(TReader, MalformedDataThrowsAndNeverReadsPastTheEnd) {
    auto fails = [](const std::string& bytes, const std::function<void(TReader&)>& read) {
        TMemoryStream s(bytes);
        TReader r(s);
        try {
            read(r);
        } catch (const EReadError& e) {
            EXPECT_LE(s.Position(), s.Size());
            return std::string(e.what());
        }
        ADD_FAILURE() << "no EReadError";
        return std::string();
    };
    fails("", [](TReader& r) { r.ReadInteger(); });
    fails(Bytes({0x03, 0x01}), [](TReader& r) { r.ReadInteger(); });             // cut integer
    fails(Bytes({0x06, 10, 'a', 'b'}), [](TReader& r) { r.ReadString(); });     // length past the end
    fails(Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), [](TReader& r) { r.ReadString(); });  // 2 GB claimed
    fails(Bytes({0x0A, 0x00, 0x00, 0x00, 0x01}), [](TReader& r) { r.ReadBinary(); });
    fails(Bytes({0x06, 1, 'a'}), [](TReader& r) { r.ReadInteger(); });          // wrong code
    fails(Bytes({0x02, 1}), [](TReader& r) { r.ReadString(); });
    fails(Bytes({0x05}), [](TReader& r) { r.SkipValue(); });                    // unknown code
    fails(Bytes({0x00}), [](TReader& r) { r.SkipValue(); });                    // an end is no value
    fails(Bytes({0x01, 0x02, 0x01}), [](TReader& r) { r.SkipValue(); });        // list without end
    fails(Bytes({0x0B, 3, 'a', 'b'}), [](TReader& r) { r.ReadSet(); });
    fails(Bytes({0x0B, 1, '1', 0}), [](TReader& r) { r.ReadSet(); });           // no identifier
    fails(Bytes({0x07, 2, 'a', ' '}), [](TReader& r) { r.ReadIdent(); });
    fails(Bytes({0x01}), [](TReader& r) { r.ReadListBegin(); r.EndOfList(); });
    fails("TPF1", [](TReader& r) { r.ReadSignature(); });
    fails(Bytes({0xF8, 1, 'A', 0}), [](TReader& r) { r.ReadObjectHeader(); });  // unknown flag
    fails(Bytes({0xF5, 1, 'A', 0}), [](TReader& r) { r.ReadObjectHeader(); });  // inherited and inline
    fails(Bytes({1, '9', 0}), [](TReader& r) { r.ReadObjectHeader(); });        // class name no identifier
    // Deep nesting stops at kMaxNesting levels, in SkipValue and in reads.
    std::string deep(200, '\x01');
    EXPECT_NE(fails(deep, [](TReader& r) { r.SkipValue(); }).find("入れ子"), std::string::npos);
    fails(deep, [](TReader& r) {
        for (;;) r.ReadListBegin();
    });
    EXPECT_NE(fails(Bytes({0x06, 1, 'a'}), [](TReader& r) { r.ReadInteger(); }).find("vaString"),
              std::string::npos);
}

TEST(TObjectHeader, FlagsChildPositionAndLongClassNames) {
    TObjectHeader h;
    h.flags = ffInherited | ffChildPos;
    h.childPos = 3;
    h.className = "TPanel";
    h.name = "Panel1";
    std::string bytes = Written([&](TWriter& w) { w.WriteObjectHeader(h); });
    EXPECT_EQ(bytes, std::string("\xF3\x02\x03\x06TPanel\x06Panel1", 17));
    TObjectHeader plain;
    plain.className = std::string(245, 'T');
    std::string longName = Written([&](TWriter& w) { w.WriteObjectHeader(plain); });
    EXPECT_EQ(static_cast<uint8_t>(longName[0]), 0xF0);  // keeps the length byte from reading as flags
    for (const std::string& b : {bytes, longName}) {
        TMemoryStream s(b);
        TReader r(s);
        TObjectHeader back = r.ReadObjectHeader();
        EXPECT_EQ(back.className, b == bytes ? "TPanel" : plain.className);
        EXPECT_EQ(back.flags, b == bytes ? h.flags : 0);
        EXPECT_EQ(back.childPos, b == bytes ? 3 : 0);
    }
}
