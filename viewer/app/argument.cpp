#include "app/argument.h"

#include "platform/cp932.h"
#include "platform/os_path.h"

#include <sys/stat.h>

namespace kissviewer {
namespace {

bool Exists(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

}  // namespace

std::string ArgumentToOsPath(const std::string& argument) {
    if (argument.empty() || Exists(argument)) return argument;
    // A UTF-8 argument (typed in a terminal) becomes the launcher's cp932
    // form first; one that is no UTF-8 is taken as cp932 already.
    std::string system = argument;
    if (auto cp932 = platform::Utf8ToCp932(argument)) system = *cp932;
    // Another drive has no OS form: the argument is left as it is, and
    // opening it reports the file as missing.
    if (auto os = platform::ToOsPath(system)) return *os;
    return argument;
}

}  // namespace kissviewer
