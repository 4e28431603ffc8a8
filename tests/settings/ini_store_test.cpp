#include "ini_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace settings_test;
using namespace settings_keys;
using testsupport::TempFolder;

TEST(IniStore, ResetCopiesRowsNotTexts) {
    INI ini;
    EXPECT_EQ(ini.Reset(SettingsSections, SettingsKeys), 0);
    ASSERT_EQ(ini.ItemCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ini.Item(i).name, SettingsKeys[i].name);  // the very pointers
        EXPECT_EQ(ini.Item(i).text, SettingsKeys[i].text);
        EXPECT_EQ(ini.Item(i).value, SettingsKeys[i].value);
    }
    EXPECT_STREQ(ini.SectionName(3), "ColWidths");
    EXPECT_NE(ini.SectionName(1), SettingsSections[0]);  // section names are copied
    EXPECT_EQ(ini.SectionName(0), nullptr);
    EXPECT_EQ(ini.SectionName(4), nullptr);

    // Rows out of section order come out sorted, in table order within one.
    const char* sections[] = {"A", "B", nullptr};
    const IniItem keys[] = {{"b1", 2, "", 0}, {"a1", 1, "", 0}, {"b2", 2, "", 0}, {"a2", 1, "", 0}, {nullptr, 0, nullptr, 0}};
    ini.Reset(sections, keys);
    const char* order[] = {"a1", "a2", "b1", "b2"};
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(ini.Item(i).name, order[i]);
    EXPECT_EQ(ini.Reset(nullptr, nullptr), 0);
    EXPECT_EQ(ini.ItemCount(), 0);
    EXPECT_EQ(ini.SectionCount(), 0);
}

TEST(IniStore, SectionsAndLookups) {
    INI ini;
    ini.Reset(SettingsSections, SettingsKeys);
    EXPECT_EQ(ini.FindSection("FormPosition"), 2);
    EXPECT_EQ(ini.FindSection("formposition"), 0);
    EXPECT_EQ(ini.FindSection(nullptr), 0);
    EXPECT_EQ(ini.AddSection("FilePaths"), 1);
    EXPECT_EQ(ini.AddSection("New"), 4);
    EXPECT_EQ(ini.AddSection("New"), 4);
    EXPECT_EQ(ini.SectionCount(), 4);

    EXPECT_EQ(ini.FirstItem(1), 0);
    EXPECT_EQ(ini.FirstItem(2), 4);
    EXPECT_EQ(ini.FirstItem(3), -1);  // no keys in ColWidths
    EXPECT_EQ(ini.FirstItem(0), -1);
    EXPECT_EQ(ini.FirstItem(-1), -1);
    EXPECT_EQ(ini.FirstItem(5), -1);
    EXPECT_EQ(ini.FindItem(2, "Width"), 6);
    EXPECT_EQ(ini.FindItem(2, "width"), -1);
    EXPECT_EQ(ini.FindItem(1, "Width"), -1);
    EXPECT_EQ(ini.FindItem(3, "Width"), -1);

    // Outside the list: an empty item, not a stray read.
    EXPECT_STREQ(ini.Item(-1).name, "");
    EXPECT_STREQ(ini.Item(8).text, "");
    EXPECT_EQ(ini.Item(ini.FirstItem(3) + 0).value, 0);
}

TEST(IniStore, SetTextCopiesAndPutTextKeepsPointers) {
    INI ini;
    ini.Reset(SettingsSections, SettingsKeys);
    char name[] = "Fresh";
    char text[] = "C:\\KISS\\";
    EXPECT_EQ(ini.SetText(1, "KISSDIR", text), 1);
    int fresh = ini.SetTextValue(2, name, "7", 7);
    EXPECT_EQ(fresh, 8);  // appended at the end
    std::strcpy(text, "changed!");
    std::strcpy(name, "Other");
    EXPECT_STREQ(ini.Item(1).text, "C:\\KISS\\");
    EXPECT_STREQ(ini.Item(fresh).name, "Fresh");
    EXPECT_EQ(ini.Item(fresh).value, 7);
    EXPECT_EQ(ini.Item(1).value, 0);

    // Text only: the number stays; with a value: both change.
    EXPECT_EQ(ini.SetText(2, "Width", "wide"), 6);
    EXPECT_EQ(ini.Item(6).value, 534);
    EXPECT_EQ(ini.SetTextValue(2, "Width", "600", 600), 6);
    EXPECT_EQ(ini.Item(6).value, 600);
    EXPECT_EQ(ini.SetText(7, "Nowhere", nullptr), 9);  // a null text is empty
    EXPECT_STREQ(ini.Item(9).text, "");
    EXPECT_EQ(ini.SetText(0, "top", "x"), 10);
    EXPECT_EQ(ini.SetText(0, "top", "y"), 11);  // section 0 items are never found

    static const char fixed[] = "fixed text";
    static const char key[] = "PutKey";
    EXPECT_EQ(ini.PutText(1, "TMPDIR", fixed), 3);
    EXPECT_EQ(ini.Item(3).text, fixed);
    int put = ini.PutTextValue(1, key, fixed, -5);
    EXPECT_EQ(ini.Item(put).name, key);
    EXPECT_EQ(ini.Item(put).value, -5);

    const char* kept = ini.KeepText("abc");
    EXPECT_STREQ(kept, "abc");
    EXPECT_NE(ini.KeepText("abc"), kept);
    EXPECT_STREQ(ini.KeepText(nullptr), "");

    // Sorting moves the appended items behind their section's others.
    ini.SortItems();
    EXPECT_STREQ(ini.Item(ini.FirstItem(1) + 4).name, "PutKey");
    EXPECT_STREQ(ini.Item(0).name, "top");
    EXPECT_STREQ(ini.Item(1).text, "y");
    EXPECT_EQ(ini.Item(ini.ItemCount() - 1).section, 7);
}

// The lookups of a long list give the same answers as a scan from the front,
// also while items of mixed sections are appended out of order.
TEST(IniStore, LookupsOfLongListsMatchAScan) {
    auto scanFirst = [](const INI& ini, int s) {
        if (s <= 0 || s > ini.SectionCount()) return -1;
        for (int i = 0; i < ini.ItemCount(); ++i) {
            if (ini.Item(i).section == s) return i;
            if (ini.Item(i).section > s) return -1;
        }
        return -1;
    };
    auto scanFind = [&](const INI& ini, int s, const std::string& name) {
        int first = scanFirst(ini, s);
        if (first < 0) return -1;
        for (int i = first; i < ini.ItemCount() && ini.Item(i).section == s; ++i)
            if (name == ini.Item(i).name) return i;
        return -1;
    };
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        INI ini;
        ini.Reset(SettingsSections, SettingsKeys);
        for (int s = 0; s < 6; ++s) ini.AddSection(("S" + std::to_string(s)).c_str());
        int sections = ini.SectionCount();
        for (int step = 0; step < 400; ++step) {
            int s = static_cast<int>(random() % static_cast<unsigned>(sections + 2));  // 0 and one past the end too
            std::string name = "k" + std::to_string(random() % 40);
            int op = static_cast<int>(random() % 10);
            if (op < 6) {
                int expect = scanFind(ini, s, name);
                int got = ini.SetText(s, name.c_str(), "v");
                if (expect >= 0) EXPECT_EQ(got, expect);
                else EXPECT_EQ(got, ini.ItemCount() - 1);
            } else if (op < 9) {
                ASSERT_EQ(ini.FirstItem(s), scanFirst(ini, s)) << round << " " << step;
                ASSERT_EQ(ini.FindItem(s, name.c_str()), scanFind(ini, s, name)) << round << " " << step;
            } else if (random() % 8 == 0) {
                ini.SortItems();
            }
        }
        for (int s = -1; s <= sections + 1; ++s) {
            ASSERT_EQ(ini.FirstItem(s), scanFirst(ini, s));
            for (int k = 0; k < 40; ++k) {
                std::string name = "k" + std::to_string(k);
                ASSERT_EQ(ini.FindItem(s, name.c_str()), scanFind(ini, s, name));
            }
        }
    }
}
