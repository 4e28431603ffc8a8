// ReadHosoku over any bytes: it must succeed, and every value must be a
// piece of one line of the file.
#include "editor/hosoku_file.h"
#include "fuzz_input_file.h"
#include "fuzz_check.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using fuzzcheck::Check;

std::string Fields(const HosokuData& d) {
    std::string all;
    for (const std::string* f : {&d.DataName, &d.Id, &d.RegDate, &d.Attr, &d.Bytes, &d.Refer, &d.Title,
                                 &d.FileName, &d.Author}) {
        all += std::to_string(f->size());
        all += ':';
        all += *f;
    }
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzzcheck::InputBytes(data, size);
    // The text as the reader sees it: up to the first SUB, without CR.
    std::string text;
    for (char c : bytes.substr(0, bytes.find('\x1A')))
        if (c != '\r') text.push_back(c);

    const std::string& name = fuzzinput::WriteInput(data, size);
    HosokuFile file;
    Check(file.ReadHosoku(name.c_str()) == 0);
    const HosokuData& d = file;
    for (const std::string* f : {&d.DataName, &d.Id, &d.RegDate, &d.Attr, &d.Bytes, &d.Refer, &d.Title,
                                 &d.FileName, &d.Author}) {
        Check(f->size() < HosokuFile::kLineSize);
        Check(f->find_first_of(std::string_view("\r\n\x1A", 3)) == std::string::npos);
        Check(text.find(*f) != std::string::npos);
    }
    for (const std::string* f : {&d.Title, &d.FileName, &d.Author}) {
        Check(f->empty() || (*f)[0] != ' ');
        Check(f->compare(0, 2, "\x81\x40") != 0);  // leading full-width spaces are skipped
    }
    Check(d.FileName.find(' ') == std::string::npos);

    // Nothing of one reading stays for the next.
    const std::string first = Fields(d);
    Check(file.ReadHosoku(name.c_str()) == 0);
    Check(Fields(file) == first);
    return 0;
}
