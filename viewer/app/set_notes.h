// The Japanese words for what the viewer could not use in a set: lines of
// its configuration file, files it names, commands of its event script.
#pragma once

#include "kiss/note.h"

#include <QString>
#include <vector>

namespace kissviewer {

// One note as a sentence: "12 行目: ..." or "hat.cel: ...".
QString NoteText(const kiss::Note& note);

// The notes of a configuration file for a warning box: a heading naming
// the file, then the notes one a line (the first 20, and how many more).
QString ConfigNotesText(const QString& configName, const std::vector<kiss::Note>& notes);

// The script's notes for the status line: how many, and the first.
QString ScriptNotesStatus(const std::vector<kiss::Note>& notes);

// Every note one a line (the first 20, and how many more).
QString NoteList(const std::vector<kiss::Note>& notes);

}  // namespace kissviewer
