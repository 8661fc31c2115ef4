// Cutting a connection's bytes into lines.
#include <gtest/gtest.h>
#include "manager/server/clientposte.h"

namespace {

struct Cut {
    const char* name;
    QList<QByteArray> reads;
    QList<QByteArray> lines;
    int held;   // bytes kept after the last read
};

const QByteArray Long(TrameLignes::LongueurMax, 'a');

const Cut Cuts[] = {
    {"lines of one read", {"a\r\nb\r\n"}, {"a", "b"}, 0},
    {"CR, LF or both end a line", {"a\rb\nc\r\n\r\nd"}, {"a", "b", "c"}, 1},
    {"a line across reads", {"ab", "c", "d\r", "\ne"}, {"abcd"}, 1},
    {"the longest line", {Long + "\r\n"}, {Long}, 0},
    {"one byte more is dropped", {Long + "b\r\nc\r\n"}, {"c"}, 0},
    {"dropped across reads up to its end", {Long, "b", QByteArray(5000, 'c'), "d\ne\n"}, {"e"}, 0},
    {"a tail at the limit is kept", {"x", Long.left(TrameLignes::LongueurMax - 1)}, {}, TrameLignes::LongueurMax},
    {"nothing kept beyond", {Long, "x"}, {}, 0},
    {"empty lines", {"\r\n\r\n\n\r"}, {}, 0},
    {"any bytes", {QByteArray("\0\xff\r\x01", 4)}, {QByteArray("\0\xff", 2)}, 1},
};

class TrameTest : public ::testing::TestWithParam<Cut> {};

TEST_P(TrameTest, Lines)
{
    TrameLignes trame;
    QList<QByteArray> lines;
    for (const QByteArray& read : GetParam().reads)
        trame.Ajoute(read, lines);
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(trame.Retenus(), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(Cuts, TrameTest, ::testing::ValuesIn(Cuts), [](const ::testing::TestParamInfo<Cut>& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    return name;
});

}  // namespace
