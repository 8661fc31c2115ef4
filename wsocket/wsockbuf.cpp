#include "wsocket/wsockbuf.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr int kDefaultBlockSize = 1514;
}

TBuffer::TBuffer(int Size)
{
    Resize(Size);
}

void TBuffer::Resize(int NewSize)
{
    if (NewSize <= 0)
        NewSize = kDefaultBlockSize;
    const bool holdsData = wrCount_ != rdPtr_;
    // Stored bytes are never cut off: a block holding data keeps at least room for them.
    if (holdsData)
        NewSize = std::max(NewSize, wrCount_);
    if (NewSize == size_)
        return;
    auto block = std::make_unique<char[]>(std::size_t(NewSize));
    if (holdsData) {
        std::memcpy(block.get(), buf_.get(), std::size_t(wrCount_));
    } else {
        wrCount_ = rdPtr_ = 0;
    }
    buf_ = std::move(block);
    size_ = NewSize;
}

int TBuffer::Append(const void* Data, int Len)
{
    const int count = std::clamp(Len, 0, size_ - wrCount_);
    if (count > 0) {
        std::memcpy(buf_.get() + wrCount_, Data, std::size_t(count));
        wrCount_ += count;
    }
    return count;
}

const char* TBuffer::PeekData(int& Count) const
{
    Count = wrCount_ - rdPtr_;
    return Count > 0 ? buf_.get() + rdPtr_ : nullptr;
}

int TBuffer::Consume(int N)
{
    const int count = std::clamp(N, 0, wrCount_ - rdPtr_);
    rdPtr_ += count;
    if (rdPtr_ == wrCount_)
        rdPtr_ = wrCount_ = 0;
    return count;
}
