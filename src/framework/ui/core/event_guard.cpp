#include "framework/ui/core/event_guard.h"

#include "framework/exceptions.h"
#include "framework/ui/modal/modal_host.h"

namespace ui {
namespace {
std::function<void(const std::exception&)>& Handler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}
}  // namespace

std::string ExceptionBoxText(const std::string& message) {
    if (message.empty()) return ".";
    char last = message.back();
    if (last == '.') return message;
    // An ideographic full stop (cp932 0x81 0x42) counts as well.
    if (message.size() >= 2 && message.compare(message.size() - 2, 2, "\x81\x42") == 0) return message;
    return message + ".";
}

void HandleException(const std::exception& e) {
    if (Handler()) {
        Handler()(e);
        return;
    }
    const auto* framework = dynamic_cast<const Exception*>(&e);
    ModalHost::Instance().ShowError(ExceptionBoxText(framework ? framework->Message() : std::string(e.what())));
}

void SetExceptionHandler(std::function<void(const std::exception&)> handler) { Handler() = std::move(handler); }

bool RunGuarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        try {
            HandleException(e);
        } catch (...) {
            // The box itself failed; nothing more can be shown.
        }
    } catch (...) {
        try {
            HandleException(Exception("Unknown error"));
        } catch (...) {
        }
    }
    return false;
}

}  // namespace ui
