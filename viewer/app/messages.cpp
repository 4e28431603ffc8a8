#include "app/messages.h"

#include <QMessageBox>

namespace kissviewer {
namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString FailureWords(kissarchive::Failure failure) {
    using kissarchive::Failure;
    switch (failure) {
        case Failure::None: break;
        case Failure::Missing: return QStringLiteral("書庫ファイルが見つかりません。");
        case Failure::CannotOpen: return QStringLiteral("書庫ファイルを読めません（読む権限がないか、普通のファイルではありません）。");
        case Failure::UnknownFormat: return QStringLiteral("書庫の形式がわかりません。読めるのは LZH, ZIP, tar の書庫です。");
        case Failure::Damaged: return QStringLiteral("書庫が壊れています（途中で切れているか、中のデータが正しくありません）。何も展開していません。");
        case Failure::TooLarge:
            return QStringLiteral("書庫を展開すると大きすぎます（1 ファイル 64 MB、全部で 256 MB まで）。何も展開していません。");
        case Failure::TooManyEntries: return QStringLiteral("書庫の中のファイルが多すぎます（10 万個まで）。何も展開していません。");
        case Failure::FolderUnusable: return QStringLiteral("展開先のフォルダーを使えません。");
    }
    return QStringLiteral("原因のわからない誤りです。");
}

QString WhyWords(kissarchive::Why why) {
    using kissarchive::Why;
    switch (why) {
        case Why::EmptyName: return QStringLiteral("名前がありません");
        case Why::AbsoluteName: return QStringLiteral("絶対パスの名前です");
        case Why::DotDot: return QStringLiteral("名前に「..」があります");
        case Why::NulInName: return QStringLiteral("名前に NUL 文字があります");
        case Why::TooDeep: return QStringLiteral("フォルダーの入れ子が深すぎます（ファイル名を含めて 32 段まで）");
        case Why::NameNotText: return QStringLiteral("名前が Shift-JIS でも UTF-8 でもありません");
        case Why::Link: return QStringLiteral("リンクです");
        case Why::NotAFile: return QStringLiteral("普通のファイルではありません");
        case Why::UnknownMethod: return QStringLiteral("圧縮方式がわかりません");
        case Why::ThroughLink: return QStringLiteral("リンクを通ってフォルダーの外に出ます");
        case Why::CannotCreateFolder: return QStringLiteral("フォルダーを作れません");
        case Why::CannotWrite: return QStringLiteral("ファイルを書けません");
    }
    return QString();
}

}  // namespace

void BoxMessages::Show(QWidget* parent, Kind kind, const QString& title, const QString& text) {
    switch (kind) {
        case Kind::Error: QMessageBox::critical(parent, title, text); break;
        case Kind::Warning: QMessageBox::warning(parent, title, text); break;
        case Kind::Information: QMessageBox::information(parent, title, text); break;
    }
}

QString ArchiveFailureText(const QString& archive, kissarchive::Failure failure, const std::string& detail) {
    QString text = QStringLiteral("書庫を開けません。\n%1\n\n%2").arg(archive, FailureWords(failure));
    if (!detail.empty()) text += QStringLiteral("\n\n詳細: %1").arg(FromUtf8(detail));
    return text;
}

QString UnpackFolderFailureText(const QString& where, const std::string& detail) {
    return QStringLiteral("書庫を展開するフォルダーを作れません。\n%1\n\n"
                          "人形は表示しますが、ファイルは書き出していません。\n\n詳細: %2")
        .arg(where, FromUtf8(detail));
}

QString RefusalsText(const std::vector<kissarchive::Refusal>& refused) {
    QString text = QStringLiteral("次のファイルは展開しませんでした:");
    for (const auto& r : refused)
        text += QStringLiteral("\n%1（%2）").arg(FromUtf8(r.name), WhyWords(r.why));
    return text;
}

}  // namespace kissviewer
