// Qt's file dialog set up from an open-dialog request: Japanese labels, the
// request's filters matched exactly, the default suffix, the start folder.
#pragma once

#include <QStringList>
#include <optional>

#include "framework/ui/modal/open_dialog_request.h"

class QWidget;

namespace ui {

// Shows the dialog modally; the chosen files as OS paths, or nullopt when
// the user cancelled.
std::optional<QStringList> RunQtOpenDialog(const OpenDialogRequest& request, QWidget* parent = nullptr);

}  // namespace ui
