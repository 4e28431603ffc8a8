#include "framework/ui/modal/modal_script.h"

#include <cstdio>
#include <cstdlib>

#include "framework/ui/modal/modal_host.h"
#include "platform/cp932.h"

namespace ui {
namespace {

const char* KindName(ModalRecord::Kind kind) {
    switch (kind) {
    case ModalRecord::Kind::Message: return "message box";
    case ModalRecord::Kind::OpenFile: return "open-file dialog";
    case ModalRecord::Kind::Form: return "modal window";
    }
    return "?";
}

}  // namespace

ModalScript::ModalScript(FailureHandler onFailure) : onFailure_(std::move(onFailure)) {
    ModalHost& host = ModalHost::Instance();
    previous_ = host.script_;
    host.script_ = this;
}

ModalScript::~ModalScript() {
    ModalHost::Instance().script_ = previous_;
    if (!answers_.empty())
        Fail(std::to_string(answers_.size()) + " scripted answer(s) left unused, the first for a " +
             KindName(answers_.front().kind));
}

ModalScript& ModalScript::AnswerMessage(int answer) {
    Answer a;
    a.kind = ModalRecord::Kind::Message;
    a.button = answer;
    answers_.push_back(std::move(a));
    return *this;
}

ModalScript& ModalScript::ChooseFile(std::string systemPath) { return ChooseFiles({std::move(systemPath)}); }

ModalScript& ModalScript::ChooseFiles(std::vector<std::string> systemPaths) {
    Answer a;
    a.kind = ModalRecord::Kind::OpenFile;
    a.chosen = true;
    a.files = std::move(systemPaths);
    answers_.push_back(std::move(a));
    return *this;
}

ModalScript& ModalScript::ChooseOsFile(std::string osPath) {
    Answer a;
    a.kind = ModalRecord::Kind::OpenFile;
    a.chosen = true;
    a.osPaths = true;
    a.files = {std::move(osPath)};
    answers_.push_back(std::move(a));
    return *this;
}

ModalScript& ModalScript::CancelFile() {
    Answer a;
    a.kind = ModalRecord::Kind::OpenFile;
    answers_.push_back(std::move(a));
    return *this;
}

ModalScript& ModalScript::WhileModal(std::function<void(QWidget&)> action) {
    Answer a;
    a.kind = ModalRecord::Kind::Form;
    a.action = std::move(action);
    answers_.push_back(std::move(a));
    return *this;
}

std::optional<ModalScript::Answer> ModalScript::Take(ModalRecord::Kind kind, const std::string& what) {
    if (answers_.empty()) {
        Fail(std::string("unscripted ") + KindName(kind) + ": " + what);
        return std::nullopt;
    }
    if (answers_.front().kind != kind) {
        Fail(std::string("a ") + KindName(kind) + " came where the script expected a " +
             KindName(answers_.front().kind) + ": " + what);
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

void ModalScript::Fail(const std::string& problem) {
    // The problem quotes cp932 texts; diagnostics are read as UTF-8.
    std::string readable = platform::Cp932ToUtf8ForDisplay(problem);
    if (onFailure_) {
        onFailure_(readable);
        return;
    }
    std::fprintf(stderr, "ModalScript: %s\n", readable.c_str());
    std::abort();
}

}  // namespace ui
