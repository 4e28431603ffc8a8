#include "settings/file_replace.h"

#include "platform/os_file.h"

#include <string>

namespace {

bool WriteAll(platform::FileHandle target, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        long put = platform::WriteBlock(target, content.data() + done, content.size() - done);
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return platform::SyncFile(target);
}

}  // namespace

bool ReplaceFileContent(BUFFILE& file, const char* fileName, std::string_view content) {
    if (fileName == nullptr) return false;
    // A file created here only to give the new one the usual permissions is
    // removed again when the write fails, so a failed save leaves no empty
    // file behind.
    bool createdHere = false;
    auto fail = [&](const std::string& temp) {
        if (!temp.empty()) platform::RemoveFile(temp);
        if (createdHere) platform::RemoveFile(fileName);
        return false;
    };
    if (!platform::FileExists(fileName)) {
        platform::FileHandle fresh = platform::CreateForWrite(fileName);
        if (!fresh.IsOpen()) return false;
        platform::CloseFile(fresh);
        createdHere = true;
    }

    std::string temp;
    if (!file.OpenWriteTemp(fileName, temp)) return fail(temp);
    file.WriteBytes(content.data(), content.size());
    bool written = platform::CopyPermissions(fileName, file.handle);
    written = file.FlushToDisk() && written;
    written = file.Close() && written;
    if (!written) return fail(temp);

    // Opening the file for writing shows that it may be written and that no
    // one else has it open, and keeps others out until the new one is in
    // place.
    platform::FileHandle target = platform::CreateForWrite(fileName);
    if (!target.IsOpen()) return fail(temp);
    if (platform::ReplaceFile(temp, fileName)) {
        platform::CloseFile(target);
        return true;
    }
    // The folder refused the swap: write the content into the file itself.
    bool ok = WriteAll(target, content);
    ok = platform::CloseFile(target) && ok;
    platform::RemoveFile(temp);
    return ok;
}
