// Starting an outside program, as a launcher does: the command line is split
// at blanks (nothing is quoted), the first word names the program and the
// others are its arguments; every word is a system path text and reaches the
// program in OS form.  The program runs detached: it is never waited for and
// leaves no zombie behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The program file a bare or relative name stands for: a name with a folder
// in it is taken as it is; a bare name is looked for in the current folder
// first, then in the folders of PATH.  nullopt when none is executable.
std::optional<std::string> FindProgram(std::string_view osName);

// Splits a cp932 command line into OS-form words; nullopt when a word has
// no OS form.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine);

// Starts the program in the current folder.  True once it runs; false when
// the line is empty, the program is not found or cannot be executed.
bool StartProcess(std::string_view commandLine);

}  // namespace platform
