#include "framework/ui/grid/grid_axis.h"

#include <algorithm>

namespace ui {

GridAxis::GridAxis(int count, int defaultSize) : count_(std::max(0, count)), default_(std::max(0, defaultSize)) {}

void GridAxis::SetCount(int count) {
    count = std::max(0, count);
    if (count == count_) return;
    count_ = count;
    if (!sizes_.empty()) {
        sizes_.resize(static_cast<size_t>(count_), default_);
        Rebuild();
    }
}

void GridAxis::SetDefaultSize(int size) {
    default_ = std::max(0, size);
    sizes_.clear();
    tree_.clear();
}

void GridAxis::SetLineWidth(int width) {
    line_ = std::max(0, width);
    if (!sizes_.empty()) Rebuild();
}

void GridAxis::SetSize(int i, int size) {
    size = std::max(0, size);
    if (size == Size(i)) return;
    UseOwnSizes();
    const int64_t delta = int64_t{size} - sizes_[static_cast<size_t>(i)];
    sizes_[static_cast<size_t>(i)] = size;
    for (size_t k = static_cast<size_t>(i) + 1; k <= static_cast<size_t>(count_); k += k & (~k + 1)) tree_[k] += delta;
}

bool GridAxis::HasCustomSizes() const {
    return std::any_of(sizes_.begin(), sizes_.end(), [this](int s) { return s != default_; });
}

std::vector<int> GridAxis::Sizes() const {
    if (!sizes_.empty()) return sizes_;
    return std::vector<int>(static_cast<size_t>(count_), default_);
}

void GridAxis::MoveItem(int from, int to) {
    if (sizes_.empty() || from == to) return;
    auto first = sizes_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    Rebuild();
}

int64_t GridAxis::Start(int i) const {
    if (sizes_.empty()) return int64_t{i} * (int64_t{default_} + line_);
    int64_t sum = 0;
    for (size_t k = static_cast<size_t>(i); k > 0; k -= k & (~k + 1)) sum += tree_[k];
    return sum;
}

int GridAxis::IndexAt(int64_t pos) const {
    if (pos < 0) return -1;
    if (sizes_.empty()) {
        const int64_t extent = int64_t{default_} + line_;
        if (extent <= 0) return count_;
        return static_cast<int>(std::min<int64_t>(pos / extent, count_));
    }
    // The largest k whose first k extents add up to no more than pos.
    size_t k = 0;
    size_t step = 1;
    while (step * 2 <= static_cast<size_t>(count_)) step *= 2;
    for (; step > 0; step /= 2) {
        if (k + step <= static_cast<size_t>(count_) && tree_[k + step] <= pos) {
            k += step;
            pos -= tree_[k];
        }
    }
    return static_cast<int>(k);
}

void GridAxis::UseOwnSizes() {
    if (!sizes_.empty() || count_ == 0) return;
    sizes_.assign(static_cast<size_t>(count_), default_);
    Rebuild();
}

void GridAxis::Rebuild() {
    const size_t n = sizes_.size();
    tree_.assign(n + 1, 0);
    for (size_t i = 1; i <= n; ++i) {
        tree_[i] += int64_t{sizes_[i - 1]} + line_;
        const size_t parent = i + (i & (~i + 1));
        if (parent <= n) tree_[parent] += tree_[i];
    }
}

}  // namespace ui
