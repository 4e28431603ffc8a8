// What the user is told when a set cannot be opened in the viewer: what
// could not be started, why, and which setting of the settings dialog to
// look at.  Each text names the thing on a line of its own.
#pragma once

#include "platform/process.h"

#include <string>

namespace launch_problems {

// The working folder ("TMPDIR").
std::string WorkFolderNotSet();
std::string WorkFolderNoOsForm(const std::string& folder);
std::string WorkFolderMissing(const std::string& folder);
std::string WorkFolderIsTansusOwn(const std::string& folder);
std::string WorkFolderNotEntered(const std::string& folder);

// The archive ("KISSDIR" and the record's folder and file name).
std::string ArchiveNoOsForm(const std::string& archive);
std::string ArchiveMissing(const std::string& archive);

// The viewer ("KISSEXE").
std::string ViewerNotStarted(const std::string& viewer, const platform::StartResult& result);

}  // namespace launch_problems
