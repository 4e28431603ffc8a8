#include "framework/ui/modal/open_file_dialog.h"

#include "framework/ui/modal/modal_host.h"

namespace ui {

bool OpenFileDialog::Execute() {
    auto chosen = ModalHost::Instance().OpenFiles(request_);
    if (!chosen || chosen->empty()) return false;
    files_ = std::move(*chosen);
    request_.fileName = files_.front();
    return true;
}

}  // namespace ui
