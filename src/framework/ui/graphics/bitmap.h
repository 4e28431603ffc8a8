// A picture stored in a form as binary data ("Glyph.Data = {...}"): the
// bytes of a BMP file, optionally behind a 4-byte little-endian length as
// older forms write them.  The bytes are kept as read and written back
// unchanged.
#pragma once

#include "framework/persistent.h"

#include <string>

class QImage;

class TBitmap : public TPersistent {
    TANSU_CLASS(TBitmap, TPersistent)
public:
    TBitmap() = default;

    bool Empty() const { return data_.empty(); }
    // The stored bytes.
    const std::string& Data() const { return data_; }
    void SetData(std::string data);
    void Clear() { SetData(std::string()); }

    // The picture; a null image when the data holds none that can be read.
    QImage Image() const;

    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;
    TNotifyEvent OnChange;

private:
    std::string data_;
};
