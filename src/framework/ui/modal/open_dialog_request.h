// What a file dialog (open or save) is asked: every text cp932, paths as system
// paths ("\" separators).
#pragma once

#include <string>

namespace ui {

struct OpenDialogOptions {
    bool hideReadOnly = false;      // no read-only check box (ours never has one)
    bool noChangeDir = false;       // leave the process's current folder alone
    bool pathMustExist = false;     // the chosen name's folder must exist
    bool fileMustExist = false;     // the chosen file must exist
    bool allowMultiSelect = false;  // several files may be chosen
    bool overwritePrompt = false;   // saving: ask before an existing file is replaced
};

struct OpenDialogRequest {
    std::string title;
    std::string filter;      // "description|pattern;pattern|description|pattern"
    int filterIndex = 1;     // the filter shown first, counted from 1
    std::string defaultExt;  // added to a typed name without extension
    std::string fileName;    // the name offered at first
    std::string initialDir;  // where the dialog opens; empty: the current folder
    OpenDialogOptions options;
    bool save = false;       // a save dialog: the name may be new, the button saves
    bool folder = false;     // a folder is chosen, not a file (no filter, no name)
    // The filter (counted from 1) that lists the executable files, whatever
    // their names; 0 for none.  Its patterns are not used.
    int executablesFilter = 0;
};

}  // namespace ui
