#include "catalog/csv_writer.h"

#include "files/buffile.h"
#include "files/file_replace.h"

namespace {

bool WriteRows(BUFFILE& file, size_t rowCount, const CsvRowFields& fieldsOfRow) {
    std::vector<std::string_view> fields;
    for (size_t row = 0; row < rowCount; ++row) {
        fields.clear();
        fieldsOfRow(row, fields);
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) file.WriteByte(',');
            file.WriteBytes(fields[i].data(), fields[i].size());
        }
        file.WriteText("\r\n");
        if (file.WriteFailed()) return false;  // a full disk: stop early
    }
    return true;
}

}  // namespace

int WriteCsvFile(const char* fileName, size_t rowCount, const CsvRowFields& fieldsOfRow) {
    bool written = WriteFileInOnePiece(fileName, [&](BUFFILE& file) { return WriteRows(file, rowCount, fieldsOfRow); });
    return written ? 0 : 1;
}
