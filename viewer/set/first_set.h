// A set's first picture, read from its archive in memory: the archive's
// first configuration (in archive order, as the viewer opens it) loaded,
// started (cels marked unmapped hidden, the start-up events of its script
// run) and drawn as the viewer first shows it.  Nothing is written to disk.
#pragma once

#include "archive/extract.h"
#include "kiss/compose.h"

#include <string>
#include <vector>

namespace kissviewer {

// The configuration files (.cnf, any case) of the archive, in archive
// order, each path once.
std::vector<std::string> ConfigPaths(const std::vector<kissarchive::Entry>& entries);

struct FirstPicture {
    enum class Outcome { Drawn, Unreadable, NoConfig };
    Outcome outcome = Outcome::Unreadable;
    kiss::Picture picture;  // when Drawn
    std::string error;      // why not, for Unreadable (UTF-8)
};

// Reads the archive at `archiveOsPath` and draws its first configuration.
FirstPicture DrawFirstSet(const std::string& archiveOsPath);

}  // namespace kissviewer
