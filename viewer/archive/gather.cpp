#include "archive/gather.h"

#include <algorithm>

namespace kissarchive {

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

namespace {

std::string Refused(Refusal& refusal, Why why, const char* reason) {
    refusal.why = why;
    refusal.reason = reason;
    return "";
}

}  // namespace

std::string SafeRelativePath(const std::string& utf8Name, Refusal& refusal) {
    std::string name = utf8Name;
    for (char& c : name)
        if (c == '\\') c = '/';  // names made on DOS and Windows
    if (name.empty()) return Refused(refusal, Why::EmptyName, "empty name");
    if (name[0] == '/' || (name.size() >= 2 && name[1] == ':'))
        return Refused(refusal, Why::AbsoluteName, "absolute name");
    std::string out;
    int parts = 0;
    for (const auto& part : SplitPath(name)) {
        if (part.empty() || part == ".") continue;
        if (part == "..") return Refused(refusal, Why::DotDot, "name holds \"..\"");
        if (part.find('\0') != std::string::npos) return Refused(refusal, Why::NulInName, "name holds a NUL");
        if (++parts > kMaxNameParts) return Refused(refusal, Why::TooDeep, "name nests folders too deeply");
        if (!out.empty()) out += '/';
        out += part;
    }
    if (out.empty()) return Refused(refusal, Why::EmptyName, "empty name");
    return out;
}

bool Gatherer::Begin(const std::string& utf8Name, EntryType type) {
    if (static_cast<int>(result_.entries.size() + result_.refused.size()) >= kMaxEntries)
        return Fail(Failure::TooManyEntries, "too many entries");
    entry_ = Entry();
    entry_.name = utf8Name;
    refusal_ = Refusal{utf8Name, "", Why::EmptyName};
    refused_ = false;
    entryBytes_ = 0;
    switch (type) {
        case EntryType::Link: Refuse(Why::Link, "a link"); break;
        case EntryType::Other: Refuse(Why::NotAFile, "not a file"); break;
        case EntryType::File:
        case EntryType::Directory:
            entry_.path = SafeRelativePath(utf8Name, refusal_);
            refused_ = entry_.path.empty();
            entry_.directory = type == EntryType::Directory;
            break;
    }
    return true;
}

void Gatherer::Refuse(Why why, const std::string& reason) {
    refused_ = true;
    refusal_.why = why;
    refusal_.reason = reason;
}

bool Gatherer::Expect(size_t size) {
    const auto bytes = static_cast<long long>(std::min<size_t>(size, kMaxTotalBytes + 1ull));
    if (entryBytes_ + bytes > kMaxEntryBytes || total_ + bytes > kMaxTotalBytes)
        return Fail(Failure::TooLarge, "the archive unpacks to more than the viewer accepts");
    if (!refused_) entry_.data.reserve(static_cast<size_t>(bytes));
    return true;
}

bool Gatherer::Append(const char* data, size_t size) {
    entryBytes_ += static_cast<long long>(size);
    total_ += static_cast<long long>(size);
    if (entryBytes_ > kMaxEntryBytes || total_ > kMaxTotalBytes)
        return Fail(Failure::TooLarge, "the archive unpacks to more than the viewer accepts");
    if (!refused_) entry_.data.append(data, size);
    return true;
}

void Gatherer::End() {
    if (refused_)
        result_.refused.push_back(std::move(refusal_));
    else
        result_.entries.push_back(std::move(entry_));
    entry_ = Entry();
}

bool Gatherer::Fail(Failure failure, const std::string& detail) {
    result_.ok = false;
    result_.failure = failure;
    result_.error = detail;
    result_.entries.clear();
    result_.refused.clear();
    return false;
}

}  // namespace kissarchive
