// Feeds any bytes to the settings reader as a settings file.  Besides not
// crashing, the engine must keep this promise: a file that Save wrote, once
// loaded and saved, and loaded and saved again, comes out the same the second
// time.  (The first round may still change a file: a lead byte at the very
// end takes the line end as its second byte, and keys that stood apart in a
// section come together.)
// The same bytes, taken as a path typed into the settings dialog: what the
// dialog accepts (its stored form, when that can be stored) is saved,
// loaded again and must come back byte for byte.
#include "settings/ini_value.h"
#include "settings/path_setting.h"
#include "settings/settings_keys.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string MakeFolder() {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/fuzz_ini.XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
}

const char* const kFiles[] = {"input.ini", "first.ini", "second.ini", "third.ini"};

const std::string& Folder();

void RemoveFolder() {
    for (const char* name : kFiles) unlink((Folder() + "/" + name).c_str());
    rmdir(Folder().c_str());
}

const std::string& Folder() {
    static const std::string folder = MakeFolder();
    return folder;
}

void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

std::string ReadFile(const std::string& name) {
    std::string bytes;
    FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) std::abort();
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fclose(f);
    return bytes;
}

// Loads `from` with the program's tables and saves it to `to`.
std::string LoadAndSave(const std::string& from, const std::string& to) {
    INI ini;
    if (ini.Load(from.c_str(), SettingsSections, SettingsKeys) != 0) std::abort();
    // Every table key is found at its place in its section.
    int place = 0;
    for (const IniItem* key = SettingsKeys; key->name; ++key) {
        place = key != SettingsKeys && key[-1].section == key->section ? place + 1 : 0;
        if (std::strcmp(ini.Item(ini.FirstItem(key->section) + place).name, key->name) != 0) std::abort();
    }
    if (ini.Save(to.c_str()) != 0) std::abort();
    return ReadFile(to);
}

// Every token of the input, described into a small buffer.
void DescribeTokens(const std::string& name) {
    IniLEX lex;
    if (lex.Open(name.c_str()) != 0) std::abort();
    char small[8];
    for (int n = 0; n < 100000 && lex.NextToken() != TK_EOF; ++n) {
        std::memset(small, 0x55, sizeof small);
        lex.Describe(small, sizeof small - 1);
        if (small[sizeof small - 1] != 0x55) std::abort();
    }
}

// A typed path, as the settings dialog stores it, reads back unchanged.
void RoundTripTypedPath(const uint8_t* data, size_t size, const std::string& file) {
    std::string typed(reinterpret_cast<const char*>(data), size);
    for (bool prefix : {false, true}) {
        std::string stored = StoredPathForm(typed, prefix);
        if (!CanStoreValue(stored)) continue;  // refused at OK
        INI ini;
        ini.Reset(SettingsSections, SettingsKeys);
        ini.SetText(1, "KISSDIR", stored.c_str());
        ini.SetText(1, "TMPDIR", "after");
        if (ini.Save(file.c_str()) != 0) std::abort();
        INI again;
        if (again.Load(file.c_str(), SettingsSections, SettingsKeys) != 0) std::abort();
        int first = again.FirstItem(1);
        if (stored != again.Item(first + 1).text || std::strcmp(again.Item(first + 3).text, "after") != 0) {
            std::fprintf(stderr, "a stored path did not read back: [%s] [%s]\n", stored.c_str(), again.Item(first + 1).text);
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Registered after the folder's name exists, so it runs before that goes.
    static const bool cleanup = (Folder(), std::atexit(RemoveFolder) == 0);
    (void)cleanup;
    const std::string input = Folder() + "/input.ini";
    const std::string first = Folder() + "/first.ini";
    const std::string second = Folder() + "/second.ini";
    const std::string third = Folder() + "/third.ini";
    WriteFile(input, data, size);

    RoundTripTypedPath(data, size, first);
    DescribeTokens(input);
    {
        INI plain;
        if (plain.LoadPlain(input.c_str()) != 0) std::abort();
        if (plain.Save(third.c_str()) != 0) std::abort();
    }

    LoadAndSave(input, first);
    std::string once = LoadAndSave(first, second);
    std::string twice = LoadAndSave(second, third);
    if (once != twice) {
        std::fprintf(stderr, "saved file changed on the second round:\n[%s]\n[%s]\n", once.c_str(), twice.c_str());
        std::abort();
    }
    return 0;
}
