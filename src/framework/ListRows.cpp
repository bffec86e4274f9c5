#include "ListRows.h"

#include <bit>
#include <utility>

namespace fw {

namespace {

std::int32_t LowBit(std::int32_t i)
{
    return i & -i;
}

} // namespace

void SizeTree::Assign(const std::vector<std::int32_t>& sizes)
{
    tree_ = sizes;
    const auto n = std::int32_t(tree_.size());
    for (std::int32_t i = 1; i <= n; ++i)
        if (std::int32_t up = i + LowBit(i); up <= n) tree_[std::size_t(up - 1)] += tree_[std::size_t(i - 1)];
}

void SizeTree::Append(std::int32_t size)
{
    const auto i = std::int32_t(tree_.size()) + 1;
    tree_.push_back(size + SumBefore(i - 1) - SumBefore(i - LowBit(i)));
}

void SizeTree::Add(std::int32_t index, std::int32_t delta)
{
    const auto n = std::int32_t(tree_.size());
    for (std::int32_t i = index + 1; i <= n; i += LowBit(i)) tree_[std::size_t(i - 1)] += delta;
}

std::int32_t SizeTree::SumBefore(std::int32_t index) const
{
    std::int32_t sum = 0;
    for (std::int32_t i = index; i > 0; i -= LowBit(i)) sum += tree_[std::size_t(i - 1)];
    return sum;
}

std::int32_t SizeTree::Find(std::int32_t position) const
{
    const auto n = std::int32_t(tree_.size());
    std::int32_t entries = 0, left = position;
    for (std::int32_t step = std::int32_t(std::bit_floor(std::uint32_t(n))); step > 0; step >>= 1) {
        const std::int32_t next = entries + step;
        if (next <= n && tree_[std::size_t(next - 1)] <= left) {
            entries = next;
            left -= tree_[std::size_t(next - 1)];
        }
    }
    return entries;
}

std::int32_t ListRows::ChildCount(std::int32_t top) const
{
    const auto& children = tops_[std::size_t(top)].children;
    return children ? std::int32_t(children->size()) : 0;
}

ListRows::Place ListRows::Locate(std::int32_t row) const
{
    const std::int32_t top = sizes_.Find(row);
    return Place{top, row - sizes_.SumBefore(top) - 1};
}

std::int32_t ListRows::RowOf(Place place) const
{
    return sizes_.SumBefore(place.top) + 1 + place.child;
}

const RowTexts& ListRows::Texts(Place place) const
{
    const Top& top = tops_[std::size_t(place.top)];
    return place.child < 0 ? top.texts : (*top.children)[std::size_t(place.child)].texts;
}

RowTexts& ListRows::Texts(Place place)
{
    return const_cast<RowTexts&>(std::as_const(*this).Texts(place));
}

bool ListRows::Folder(Place place) const
{
    const Top& top = tops_[std::size_t(place.top)];
    return place.child < 0 ? top.folder : (*top.children)[std::size_t(place.child)].folder;
}

void ListRows::InsertTop(std::int32_t at, RowTexts texts, bool folder)
{
    tops_.insert(tops_.begin() + at, Top{std::move(texts), nullptr, folder, false});
    ++count_;
    if (at == TopCount() - 1)
        sizes_.Append(1);
    else
        Renumber();
}

void ListRows::InsertChild(std::int32_t top, std::int32_t at, RowTexts texts, bool folder)
{
    auto& children = tops_[std::size_t(top)].children;
    if (!children) children = std::make_unique<std::vector<Child>>();
    children->insert(children->begin() + at, Child{std::move(texts), folder});
    sizes_.Add(top, 1);
    ++count_;
}

void ListRows::RemoveChild(std::int32_t top, std::int32_t at)
{
    auto& children = tops_[std::size_t(top)].children;
    children->erase(children->begin() + at);
    if (children->empty()) children.reset();
    sizes_.Add(top, -1);
    --count_;
}

void ListRows::RemoveTop(std::int32_t at)
{
    std::unique_ptr<std::vector<Child>> orphans = std::move(tops_[std::size_t(at)].children);
    tops_.erase(tops_.begin() + at);
    --count_;
    if (orphans) {
        std::vector<Top> promoted;
        promoted.reserve(orphans->size());
        for (Child& child : *orphans) promoted.push_back(Top{std::move(child.texts), nullptr, child.folder, false});
        tops_.insert(tops_.begin() + at, std::make_move_iterator(promoted.begin()),
                     std::make_move_iterator(promoted.end()));
    }
    Renumber();
}

void ListRows::Clear()
{
    tops_.clear();
    sizes_.Clear();
    count_ = 0;
}

void ListRows::Renumber()
{
    std::vector<std::int32_t> sizes;
    sizes.reserve(tops_.size());
    for (std::int32_t top = 0; top < TopCount(); ++top) sizes.push_back(1 + ChildCount(top));
    sizes_.Assign(sizes);
}

} // namespace fw
