#include "app/launch_problems.h"

#include "platform/os_path.h"

#include <cerrno>

namespace launch_problems {
namespace {

const char kIndent[] = "　　　";
const char kSettings[] = "[ﾌｧｲﾙ(F)|各種設定(S)] の";
const char kWorkFolderField[] = "「実行ディレクトリ」(TMPDIR)";
const char kKissFolderField[] = "「KISS ディレクトリ」(KISSDIR)";
const char kViewerField[] = "「WKISS実行ファイル」(KISSEXE)";
const char kNoDrive[] = "このドライブはこの環境にはありません（/ から始まるパスは Z:\\ と書きます）。";

// Why a path has no form on this system: a drive other than the root's or
// a network name, or else a byte that is no Shift-JIS character (a
// catalog written in another encoding, say).
std::string NoOsFormReason(const std::string& path) {
    const bool otherDrive = path.size() >= 2 && path[1] == ':' &&
                            ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                            (path[0] & ~0x20) != platform::kRootDrive;
    const bool networkName = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    if (otherDrive || networkName) return kNoDrive;
    return "パスに、この環境のファイル名に直せない文字（Shift-JIS の文字でないバイト）があります。";
}

// The first line, the thing on its own line, why, and what to do.
std::string Compose(const std::string& what, const std::string& thing, const std::string& why,
                    const std::string& advice) {
    return what + "\n" + kIndent + thing + "\n" + why + "\n\n" + advice;
}

std::string WorkFolderAdvice() {
    return std::string(kSettings) + kWorkFolderField + "に、TANSU のファイルとは別の、既にあるフォルダーを指定してください。";
}

std::string ViewerReason(const std::string& viewer, const platform::StartResult& result) {
    using platform::StartFailure;
    switch (result.failure) {
    case StartFailure::NoProgram: return "ビューアーが設定されていません。";
    case StartFailure::ProgramNoOsForm: return NoOsFormReason(viewer);
    case StartFailure::ArgumentNoOsForm: return "書庫のパスのドライブがこの環境にはありません。";
    case StartFailure::NotFound: return "このプログラムが見つかりません。";
    case StartFailure::NotExecutable: return "実行できるファイルではありません（実行の許可がないか、フォルダーです）。";
    case StartFailure::ExecFailed: break;
    case StartFailure::None: return {};
    }
    switch (result.errorNumber) {
    case ENOEXEC: return "実行できる形式のプログラムではありません。";
    case EACCES: return "実行する許可がありません。";
    case ENOENT: return "プログラムの実行に必要なもの（スクリプトのインタープリターなど）が見つかりません。";
    default: return "システムが起動を拒みました（エラー番号 " + std::to_string(result.errorNumber) + "）。";
    }
}

}  // namespace

std::string WorkFolderNotSet() {
    return "作業フォルダーが決まっていないので、ビューアーを起動しませんでした。\n"
           "ビューアーは書庫を作業フォルダーの中に展開します。\n\n" + WorkFolderAdvice();
}

std::string WorkFolderNoOsForm(const std::string& folder) {
    return Compose("作業フォルダーに移れないので、ビューアーを起動しませんでした。", folder, NoOsFormReason(folder),
                   WorkFolderAdvice());
}

std::string WorkFolderMissing(const std::string& folder) {
    return Compose("作業フォルダーがないので、ビューアーを起動しませんでした。", folder,
                   "このフォルダーは存在しません。", WorkFolderAdvice());
}

std::string WorkFolderIsTansusOwn(const std::string& folder) {
    return Compose("作業フォルダーが TANSU の設定ファイル・カタログと同じフォルダーなので、ビューアーを起動しませんでした。",
                   folder, "展開されるファイルがそれらを上書きするおそれがあります。", WorkFolderAdvice());
}

std::string WorkFolderNotEntered(const std::string& folder) {
    return Compose("作業フォルダーに移れないので、ビューアーを起動しませんでした。", folder,
                   "このフォルダーに入る許可がありません。", WorkFolderAdvice());
}

std::string ArchiveNoOsForm(const std::string& archive) {
    return Compose("書庫ファイルを開けないので、ビューアーを起動しませんでした。", archive, NoOsFormReason(archive),
                   std::string(kSettings) + kKissFolderField + "を確かめてください。");
}

std::string ArchiveMissing(const std::string& archive) {
    return Compose("書庫ファイルがないので、ビューアーを起動しませんでした。", archive, "このファイルは存在しません。",
                   std::string(kSettings) + kKissFolderField + "と、この行の DIR・LZH_FILE を確かめてください。");
}

std::string ViewerNotStarted(const std::string& viewer, const platform::StartResult& result) {
    return Compose("ビューアーを起動できませんでした。", viewer.empty() ? std::string("（空）") : viewer, ViewerReason(viewer, result),
                   std::string(kSettings) + kViewerField + "を確かめてください。");
}

}  // namespace launch_problems
