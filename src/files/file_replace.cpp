#include "files/file_replace.h"

#include "platform/os_file.h"

#include <optional>

bool WriteFileInOnePiece(const char* fileName, const std::function<bool(BUFFILE&)>& write) {
    const std::string_view name = fileName ? fileName : "";
    if (name.empty()) return false;
    // The one conversion of the name: every step below works on this.
    const std::optional<platform::OsPath> converted = platform::OsPath::FromSystem(name);
    if (!converted || converted->Empty()) return false;
    const platform::OsPath& target = *converted;
    if (!platform::MayWrite(target)) return false;
    // Held while the new file is written, so that another TANSU does not
    // read or write the file meanwhile, and a file that is open elsewhere is
    // not replaced under it.
    platform::FileHandle old = platform::OpenExistingForRead(target);
    if (!old.IsOpen() && platform::FileExists(target)) return false;

    BUFFILE file;
    platform::OsPath tempName;
    bool ok = false;
    if (file.OpenWriteTemp(target, tempName)) {
        try {
            ok = platform::CopyPermissions(target, file.handle) && write(file);
            ok = file.FlushToDisk() && ok;
        } catch (...) {
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
    return ok;
}
