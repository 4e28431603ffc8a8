#include "framework/ui/modal/file_filter.h"

#include "framework/cp932_chars.h"

namespace ui {
namespace {

std::string Trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

bool Match(const QString& p, qsizetype pi, const QString& n, qsizetype ni) {
    while (pi < p.size()) {
        QChar c = p[pi];
        if (c == u'*') {
            while (pi < p.size() && p[pi] == u'*') ++pi;
            if (pi == p.size()) return true;
            for (qsizetype k = ni; k <= n.size(); ++k)
                if (Match(p, pi, n, k)) return true;
            return false;
        }
        if (ni >= n.size()) return false;
        if (c != u'?' && c.toCaseFolded() != n[ni].toCaseFolded()) return false;
        ++pi;
        ++ni;
    }
    return ni == n.size();
}

}  // namespace

std::vector<FileFilterItem> ParseFileFilter(std::string_view filter) {
    std::vector<FileFilterItem> items;
    if (filter.empty()) return items;
    std::vector<std::string> parts = SplitCp932At(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilterItem item;
        item.description = parts[i];
        for (const std::string& p : SplitCp932At(parts[i + 1], ';')) {
            std::string t = Trimmed(p);
            if (!t.empty()) item.patterns.push_back(t);
        }
        if (!item.patterns.empty()) items.push_back(std::move(item));
    }
    return items;
}

bool MatchesFilePattern(const QString& pattern, const QString& name) {
    if (pattern == u"*.*" || pattern == u"*") return true;
    return Match(pattern, 0, name, 0);
}

std::string DefaultSuffix(std::string_view defaultExt) {
    std::string first = Trimmed(SplitCp932At(defaultExt, ';').front());
    if (first.rfind("*.", 0) == 0) first.erase(0, 2);
    else if (first.rfind(".", 0) == 0) first.erase(0, 1);
    if (first.find_first_of("*?") != std::string::npos) return {};
    return first;
}

}  // namespace ui
