#include "app/set_notes.h"

#include "platform/cp932.h"

#include <algorithm>

namespace kissviewer {
namespace {

constexpr size_t kListed = 20;

QString Words(kiss::NoteKind kind) {
    using kiss::NoteKind;
    switch (kind) {
        case NoteKind::PlayfieldSize: return QStringLiteral("表示領域の大きさ (幅,高さ) が読めません。");
        case NoteKind::BorderColour: return QStringLiteral("枠の色の番号が読めません。");
        case NoteKind::PaletteWithoutFile: return QStringLiteral("パレットの行にファイル名がありません。");
        case NoteKind::ObjectNumber: return QStringLiteral("オブジェクト番号 (0～4095) が読めません。");
        case NoteKind::CelWithoutFile: return QStringLiteral("セルの行にファイル名がありません。");
        case NoteKind::TooManySets: return QStringLiteral("セットは 10 個までです。この行から後のセットは使いません。");
        case NoteKind::TooManyPlaces: return QStringLiteral("オブジェクトの数より多い位置が書かれています。");
        case NoteKind::PlaceNotUnderstood: return QStringLiteral("オブジェクトの位置 (x,y) が読めません。");
        case NoteKind::FileNotFound: return QStringLiteral("ファイルが見つかりません。");
        case NoteKind::CelWrongMark: return QStringLiteral("セルファイルではありません（見出しの種類が違います）。");
        case NoteKind::CelBitsPerPixel: return QStringLiteral("セルの 1 画素のビット数が 4, 8, 32 のどれでもありません。");
        case NoteKind::CelTooShort: return QStringLiteral("セルファイルが短すぎます。");
        case NoteKind::CelSizeOutOfRange: return QStringLiteral("セルの大きさが範囲の外です。");
        case NoteKind::CelCutShort: return QStringLiteral("セルの画素データが途中で切れています。");
        case NoteKind::PaletteWrongMark: return QStringLiteral("パレットファイルではありません（見出しの種類が違います）。");
        case NoteKind::PaletteBitsPerColour: return QStringLiteral("パレットの 1 色のビット数が 12 でも 24 でもありません。");
        case NoteKind::PaletteColourCount: return QStringLiteral("パレットの色数が範囲の外です。");
        case NoteKind::PaletteNoWholeGroup: return QStringLiteral("パレットファイルに揃った色のグループがありません。");
        case NoteKind::ScriptNotUnderstood: return QStringLiteral("FKiSS の命令が読めません。行の残りを読み飛ばしました。");
        case NoteKind::TooFewArguments: return QStringLiteral("引数が足りません。読み飛ばしました。");
        case NoteKind::ActionBeforeEvent: return QStringLiteral("イベントより前にある動作です。読み飛ばしました。");
        case NoteKind::ShellRefused: return QStringLiteral("プログラムは起動しません。");
        case NoteKind::UnknownCommand: return QStringLiteral("知らない命令です。読み飛ばしました。");
    }
    return QStringLiteral("原因のわからない誤りです。");
}

// A name from the configuration file: its bytes are cp932.
QString Name(const std::string& bytes) { return QString::fromStdString(platform::Cp932ToUtf8ForDisplay(bytes)); }

}  // namespace

QString NoteText(const kiss::Note& note) {
    QString text = note.line > 0 ? QStringLiteral("%1 行目: ").arg(note.line) : QString();
    // A file or a command (with its parentheses) is named before the words.
    if (!note.name.empty())
        text += (note.line > 0 ? QStringLiteral("%1(): ") : QStringLiteral("%1: ")).arg(Name(note.name));
    return text + Words(note.kind);
}

QString NoteList(const std::vector<kiss::Note>& notes) {
    QString list;
    const size_t shown = std::min(notes.size(), kListed);
    for (size_t i = 0; i < shown; ++i) list += (i ? QStringLiteral("\n") : QString()) + NoteText(notes[i]);
    if (notes.size() > shown) list += QStringLiteral("\nほか %1 件").arg(notes.size() - shown);
    return list;
}

QString ConfigNotesText(const QString& configName, const std::vector<kiss::Note>& notes) {
    return QStringLiteral("設定ファイル %1 の一部を表示できません:\n%2").arg(configName, NoteList(notes));
}

QString ScriptNotesStatus(const std::vector<kiss::Note>& notes) {
    if (notes.empty()) return QString();
    // The count first: a narrow window cuts the line short at its end.
    return QStringLiteral("FKiSS: 使えない命令 %1 件。%2").arg(notes.size()).arg(NoteText(notes.front()));
}

}  // namespace kissviewer
