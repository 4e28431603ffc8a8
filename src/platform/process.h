// Starting an outside program, as a launcher does: the program and each of
// its arguments are system path texts, each reaching the program as one
// word in OS form, blanks and all (nothing is split or quoted).  The
// program runs detached: it is never waited for and leaves no zombie
// behind.
#pragma once

#include "platform/os_path.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Why a program did not start.
enum class StartFailure {
    None,              // it runs
    NoProgram,         // the program's name is empty
    ProgramNoOsForm,   // the program's path has no OS form (another drive letter)
    ArgumentNoOsForm,  // an argument has no OS form
    NotFound,          // no file of that name
    NotExecutable,     // a file (or folder) that may not be executed
    ExecFailed,        // the system refused to run it (errorNumber says why)
};

struct StartResult {
    StartFailure failure = StartFailure::None;
    int errorNumber = 0;    // errno of a refused start
    std::string osProgram;  // the program file found, when one was
    bool Started() const { return failure == StartFailure::None; }
};

// The program file a bare or relative OS name stands for: a name with a
// folder in it is taken as it is; a bare name is looked for in the current
// folder first, then in the folders of PATH.  failure is NotFound when no
// such file exists, NotExecutable when the files found may not be run.
StartResult FindProgram(std::string_view osName);

// Starts the program in the current folder with these arguments.
StartResult StartProgram(std::string_view program, const std::vector<std::string>& arguments);
// The same with arguments the caller has in OS form already.
StartResult StartProgramWithPaths(std::string_view program, const std::vector<OsPath>& arguments);

}  // namespace platform
