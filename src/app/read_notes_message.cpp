#include "app/read_notes_message.h"

namespace {

// "3行（5行目ほか）": how many lines and where the first stands.
std::string Lines(const CatalogLineNote& note) {
    std::string text = std::to_string(note.lines) + "行（";
    text += std::to_string(note.first) + (note.lines > 1 ? "行目ほか）" : "行目）");
    return text;
}

}  // namespace

std::string ReadNotesMessage(const std::string& fileName, const CatalogFileNotes& notes) {
    std::string text = "CSVファイルに読めない所がありました。\n" + fileName + "\n";
    if (notes.nothingReadable) text += "\n・レコードが一つも読み込めませんでした。";
    if (notes.headingMissing && !notes.nothingReadable) text += "\n・見出しの行がなく、最初の行を読み飛ばしました。";
    if (notes.wrongFieldCount.lines > 0)
        text += "\n・項目の数が 7 でない行: " + Lines(notes.wrongFieldCount) +
                "\n　足りない項目は空にし、余った項目は捨てました。";
    if (notes.notText.lines > 0) text += "\n・Shift-JIS の文字でないバイトのある行: " + Lines(notes.notText);
    if (notes.dataAfterEndMark > 0)
        text += "\n・終わりの印（1Ah）の後ろ（" + std::to_string(notes.dataAfterEndMark) + "行目から）は読んでいません。";
    text += "\n\n上書き保存すると、読めなかった所は失われます\n（上書きの前に確認します）。";
    return text;
}

std::string OverwritePartlyReadQuestion(const std::string& fileName) {
    return "このCSVファイルには、読み込めなかった所があります。\n" + fileName +
           "\n\n上書きすると、その所は失われます。\n"
           "（元のファイルを残すときは「いいえ」を選び、[ﾌｧｲﾙ(F)|名前を付けて保存(A)] で\n"
           "別のファイルに保存してください。）\n\n上書き保存しますか？";
}
