// The eight fields of a catalog record, numbered in grid column order (the
// number is the row's place and is not stored in the file).
#pragma once

constexpr int kNumberField = 0;
constexpr int kFolderField = 1;
constexpr int kArchiveField = 2;
constexpr int kTitleField = 3;
constexpr int kAuthorField = 4;
constexpr int kIdField = 5;
constexpr int kDateField = 6;
constexpr int kSizeField = 7;
constexpr int kRecordFields = 8;
