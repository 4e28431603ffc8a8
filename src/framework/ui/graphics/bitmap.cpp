#include "framework/ui/graphics/bitmap.h"

#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <QImage>

TANSU_IMPLEMENT_CLASS(TBitmap)
void TBitmap::DeclarePublished(TClassBuilder<TBitmap>&) {}

void TBitmap::SetData(std::string data) {
    data_ = std::move(data);
    OnChange(this);
}

QImage TBitmap::Image() const {
    std::string_view bytes = data_;
    // "BM" may stand behind the length of the file.
    if (bytes.size() > 6 && bytes.substr(4, 2) == "BM") bytes.remove_prefix(4);
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    return image;
}

void TBitmap::Assign(const TPersistent* source) {
    if (auto* b = ObjectCast<TBitmap>(const_cast<TPersistent*>(source))) {
        SetData(b->data_);
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    filer.DefineProperty(
        "Data", [this](TReader& r) { SetData(r.ReadBinary()); }, [this](TWriter& w) { w.WriteBinary(data_); },
        !data_.empty());
}
