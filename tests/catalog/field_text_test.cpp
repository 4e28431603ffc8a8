#include "catalog/field_text.h"

#include <gtest/gtest.h>

TEST(FieldText, CommaLineBreaksAndEndMarkAreFoundAndReplaced) {
    EXPECT_TRUE(IsStorableField("\x83\x5c\x95\x5c title"));  // ソ表: 0x5C second bytes
    EXPECT_EQ(FirstUnstorableFieldByte("ab,cd"), 2u);
    EXPECT_EQ(FirstUnstorableFieldByte("\x8d\xec\x8e\xd2\r"), 4u);
    EXPECT_FALSE(IsStorableField("a\nb"));
    EXPECT_FALSE(IsStorableField("a\x1a"));
    EXPECT_EQ(StorableField("\x8d\xec\x8e\xd2,x\r\ny\x1a"), "\x8d\xec\x8e\xd2\x81\x43x  y ");
    EXPECT_TRUE(IsStorableField(StorableField(",\r\n\x1a")));
}
