#include "RowTexts.h"

#include <cstring>

namespace fw {

namespace {

std::size_t LengthBytes(std::size_t n)
{
    std::size_t bytes = 1;
    for (; n >= 0x80; n >>= 7) ++bytes;
    return bytes;
}

char* PutLength(char* out, std::size_t n)
{
    for (; n >= 0x80; n >>= 7) *out++ = char((n & 0x7F) | 0x80);
    *out++ = char(n);
    return out;
}

std::size_t TakeLength(const char*& in)
{
    std::size_t n = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        n |= std::size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return n;
    }
}

} // namespace

RowTexts::RowTexts(const std::vector<String>& texts)
{
    Pack(std::vector<std::string_view>(texts.begin(), texts.end()));
}

std::string_view RowTexts::Get(std::size_t column) const
{
    if (!block_) return {};
    const char* at = block_.get();
    const std::size_t count = TakeLength(at);
    if (column >= count) return {};
    for (std::size_t c = 0;; ++c) {
        const std::size_t length = TakeLength(at);
        if (c == column) return {at, length};
        at += length;
    }
}

void RowTexts::Set(std::size_t column, std::string_view text)
{
    std::vector<std::string_view> texts = Unpack();
    if (column >= texts.size()) {
        if (text.empty()) return;
        texts.resize(column + 1);
    }
    texts[column] = text;
    // The views point into the old block, which Pack drops only at its end.
    Pack(texts);
}

std::vector<std::string_view> RowTexts::Unpack() const
{
    std::vector<std::string_view> texts;
    if (!block_) return texts;
    const char* at = block_.get();
    texts.resize(TakeLength(at));
    for (std::string_view& text : texts) {
        const std::size_t length = TakeLength(at);
        text = {at, length};
        at += length;
    }
    return texts;
}

void RowTexts::Pack(const std::vector<std::string_view>& texts)
{
    std::size_t count = texts.size();
    while (count > 0 && texts[count - 1].empty()) --count;  // trailing empty columns read as "" anyway
    if (count == 0) {
        block_.reset();
        return;
    }
    std::size_t size = LengthBytes(count);
    for (std::size_t c = 0; c < count; ++c) size += LengthBytes(texts[c].size()) + texts[c].size();
    auto block = std::make_unique_for_overwrite<char[]>(size);
    char* out = PutLength(block.get(), count);
    for (std::size_t c = 0; c < count; ++c) {
        out = PutLength(out, texts[c].size());
        if (!texts[c].empty()) std::memcpy(out, texts[c].data(), texts[c].size());
        out += texts[c].size();
    }
    block_ = std::move(block);
}

} // namespace fw
