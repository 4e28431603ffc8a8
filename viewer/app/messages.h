// Where the viewer's messages go: message boxes on screen, a record in
// tests (which must never block on a modal box).
#pragma once

#include <QString>

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

}  // namespace kissviewer
