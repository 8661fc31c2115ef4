#pragma once
// One block of a socket's send queue: bytes appended at the write position, sent from the read
// position. An emptied block starts again from its beginning.
#include <memory>

class TBuffer {
public:
    // A size of 0 or less gives a block of 1514 bytes.
    explicit TBuffer(int Size);
    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    // Keeps the bytes up to the write position (the library only resizes new, empty blocks).
    void Resize(int NewSize);
    // Stores as much of Len bytes as fits; returns the count stored (0 when the block is full).
    int Append(const void* Data, int Len);
    // The unread bytes: their address, and their number in Count (0 and nullptr when none).
    const char* PeekData(int& Count) const;
    // Marks up to N unread bytes as sent; returns how many.
    int Consume(int N);

    int Size() const { return size_; }
    int WritePosition() const { return wrCount_; }
    int ReadPosition() const { return rdPtr_; }

private:
    std::unique_ptr<char[]> buf_;
    int size_ = 0;
    int wrCount_ = 0;
    int rdPtr_ = 0;
};
