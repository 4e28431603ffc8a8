#include "catalog/csv_writer.h"

#include "settings/buffile.h"

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
    const std::string_view target = fileName ? fileName : "";
    // Held while the new file is written, so that another TANSU does not
    // read or write the catalog meanwhile, and a catalog that is open
    // elsewhere is not replaced under it.
    platform::FileHandle old = platform::OpenExistingForRead(target);
    if (!old.IsOpen() && platform::FileExists(target)) return 1;

    BUFFILE file;
    std::string tempName;
    bool ok = false;
    if (file.OpenWriteTemp(fileName, tempName)) {
        try {
            ok = platform::CopyPermissions(target, file.handle) && WriteRows(file, rowCount, fieldsOfRow) &&
                 file.FlushToDisk();
        } catch (...) {  // from the caller's rows: leave nothing behind
            file.Close();
            platform::RemoveFile(tempName);
            platform::CloseFile(old);
            throw;
        }
        ok = file.Close() && ok;
        ok = ok && platform::ReplaceFile(tempName, target);
        if (!ok) platform::RemoveFile(tempName);
    }
    platform::CloseFile(old);
    return ok ? 0 : 1;
}
