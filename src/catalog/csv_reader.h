// The catalog reader: splits a comma-separated file into lines and fields.
// No quoting: every byte but comma, CR, LF and 0x1A belongs to a field.
#pragma once

#include "catalog/csv_table.h"

class BUFFILE;

// Reads the whole file into `table`: 0 read, 1 the file cannot be opened,
// 2 no memory for the table (the table is then empty).
int ReadCsvFile(CsvTable& table, const char* fileName);

// Reads one line of `file` (opened by ReadCsvFile) into `table`: 0 when a
// further line may follow, 128 at the end of the data.
int ReadCsvLine(CsvTable& table, BUFFILE& file);

// Result of ReadCsvLine at the end of the data.
constexpr int kCsvEndOfData = 128;
