// Shows the engine at work on the demonstration folder until the windows
// take over: the settings as loaded, then the catalog they name.
#include "catalog/csv_reader.h"
#include "catalog/csv_table.h"
#include "platform/cp932.h"
#include "settings/settings_keys.h"

#include <cstdio>
#include <string>

namespace {
std::string Show(std::string_view cp932) { return platform::Cp932ToUtf8ForDisplay(cp932); }
}  // namespace

int main() {
    int missing = Settings.Load("Tansu.ini", SettingsSections, SettingsKeys);
    std::printf("\nTansu.ini %s\n", missing ? "not found: the defaults apply" : "loaded");
    for (int i = 0; i < Settings.ItemCount(); ++i) {
        const IniItem& item = Settings.Item(i);
        std::printf("  [%d] %s = %s\n", item.section, item.name, Show(item.text ? item.text : "").c_str());
    }

    int first = Settings.FirstItem(settings_keys::FilePaths);
    const char* catalog = Settings.Item(first + settings_keys::DefaultCSV).text;
    CsvTable table;
    if (ReadCsvFile(table, catalog) != 0) {
        std::printf("\ncatalog %s cannot be read\n", Show(catalog).c_str());
        return 0;
    }
    std::printf("\n%s: %u records\n", Show(catalog).c_str(), table.LineCount() ? table.LineCount() - 1 : 0);
    for (uint32_t line = 1; line < table.LineCount(); ++line) {
        std::printf("%4u", line);
        for (uint32_t field = 0; field < 7; ++field) std::printf(" | %s", Show(table.FieldText(line, field)).c_str());
        std::printf("\n");
    }
    return 0;
}
