// Where the viewer's messages go: message boxes on screen, a record in
// tests (which must never block on a modal box); and the Japanese words for
// what the archive reader reports.
#pragma once

#include "archive/extract.h"

#include <QString>
#include <vector>

class QWidget;

namespace kissviewer {

class Messages {
public:
    enum class Kind { Error, Warning, Information };
    virtual ~Messages() = default;
    virtual void Show(QWidget* parent, Kind kind, const QString& title, const QString& text) = 0;
};

// Modal message boxes.
class BoxMessages : public Messages {
public:
    void Show(QWidget* parent, Kind kind, const QString& title, const QString& text) override;
};

// "書庫を開けません。", the archive's path, what went wrong in Japanese and
// the library's English text as a detail.
QString ArchiveFailureText(const QString& archive, kissarchive::Failure failure, const std::string& detail);

// The folder to unpack into could not be made or used: the doll shows all
// the same, from memory.
QString UnpackFolderFailureText(const QString& where, const std::string& detail);

// The files left out, one a line, each with its reason in Japanese.
QString RefusalsText(const std::vector<kissarchive::Refusal>& refused);

}  // namespace kissviewer
