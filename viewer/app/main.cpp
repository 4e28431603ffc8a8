// tansu-kiss ARCHIVE: unpacks a KiSS set's archive into a new folder inside
// the current folder and shows the doll; the folder goes when the viewer
// ends (closed, or stopped by SIGTERM, SIGINT or SIGHUP), unless kept.
#include "app/argument.h"
#include "app/viewer_window.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cctype>
#include <csignal>
#include <future>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSocket[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalSocket[0], &byte, 1);
}

// A stop signal ends the event loop like a close, so that the window's
// destructor removes the unpacked folder.
void QuitOnStopSignals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0) return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        [[maybe_unused]] const auto n = ::read(signalSocket[1], &byte, 1);
        QApplication::quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

bool IsConfigName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".cnf";
}

}  // namespace

int main(int argc, char** argv) {
    // An archive is read while the window system comes up.
    const std::string path = argc == 2 ? kissviewer::ArgumentToOsPath(argv[1]) : std::string();
    std::future<kissarchive::ReadResult> reading;
    if (argc == 2 && !IsConfigName(path))
        reading = std::async(std::launch::async, [path] { return kissarchive::ReadArchive(path); });
    QApplication app(argc, argv);
    kissviewer::BoxMessages boxes;
    if (argc != 2) {
        boxes.Show(nullptr, kissviewer::Messages::Kind::Error, QStringLiteral("tansu-kiss"),
                   QStringLiteral("使い方: tansu-kiss 書庫ファイル (.lzh, .zip) または設定ファイル (.cnf)"));
        return 2;
    }
    QuitOnStopSignals(app);
    kissviewer::ViewerWindow window(&boxes);
    std::optional<kissarchive::ReadResult> read;
    if (reading.valid()) read = reading.get();
    if (!window.Open(path, std::move(read))) return 1;
    window.show();
    return app.exec();
}
