#include "app/read_notes_message.h"

namespace {

// "3行（5行目から）": how many lines and where the first stands.
std::string Lines(const CatalogLineNote& note) {
    std::string text = std::to_string(note.lines) + "行（";
    text += std::to_string(note.first) + (note.lines > 1 ? "行目ほか）" : "行目）");
    return text;
}

}  // namespace

std::string ReadNotesMessage(const std::string& fileName, const CatalogFileNotes& notes) {
    std::string text = "CSVファイルの中に、カタログとして読めない所がありました。\n" + fileName + "\n";
    if (notes.nothingReadable) text += "\n・レコードが一つも読み込めませんでした。";
    if (notes.headingMissing && !notes.nothingReadable)
        text += "\n・最初の行が見出しの行でないため、その行を読み飛ばしました。";
    if (notes.wrongFieldCount.lines > 0)
        text += "\n・項目の数が 7 でない行: " + Lines(notes.wrongFieldCount) +
                "\n　足りない項目は空にし、8 番目からの項目は読み捨てました（21 項目以上の行は行ごと）。";
    if (notes.notText.lines > 0)
        text += "\n・Shift-JIS の文字でないバイトを含む行: " + Lines(notes.notText);
    if (notes.dataAfterEndMark > 0)
        text += "\n・終わりの印（1Ah）より後ろ（" + std::to_string(notes.dataAfterEndMark) + "行目から）は読んでいません。";
    text += "\n\nこのファイルに上書き保存すると、読めなかった所は失われます。\n"
            "上書きする前に確認します。";
    return text;
}

std::string OverwritePartlyReadQuestion(const std::string& fileName) {
    return "このCSVファイルは、読み込んだときに一部が読めませんでした。\n" + fileName +
           "\n\n上書きすると、読めなかった所は失われます。\n上書き保存しますか？";
}
