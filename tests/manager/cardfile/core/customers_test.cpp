// Finding customers by code and by login in their list, without the card.
#include <gtest/gtest.h>
#include "manager/cardfile/core/customers.h"
#include "support/blocks.h"

namespace {

constexpr int LoginLine = 13;

// Customer blocks of 24 field lines: code on +1, login on +13.
RecordList Customers(const QList<std::pair<QString, QString>>& codesAndLogins)
{
    QStringList lines;
    for (int i = 0; i < codesAndLogins.size(); ++i)
        lines << cards::Block(
            i, cards::CustomerRecord{.code = codesAndLogins[i].first, .login = codesAndLogins[i].second});
    return cards::List(lines);
}

TEST(LoginTaken, AnotherCustomersLoginInAnyCase)
{
    const RecordList list = Customers({{"10001", "alice"}, {"10002", "Bob"}, {"10003", ""}});
    EXPECT_TRUE(customers::LoginTaken(list, "ALICE", 1, LoginLine));
    EXPECT_TRUE(customers::LoginTaken(list, "bob", 0, LoginLine));
    // The customer's own login is no clash; an empty login is free, and so is an empty line.
    EXPECT_FALSE(customers::LoginTaken(list, "alice", 0, LoginLine));
    EXPECT_FALSE(customers::LoginTaken(list, "", 2, LoginLine));
    EXPECT_FALSE(customers::LoginTaken(list, "carol", 2, LoginLine));
    // A new customer (no block yet) clashes with everyone.
    EXPECT_TRUE(customers::LoginTaken(list, "Alice", 3, LoginLine));
}

TEST(LoginTaken, ABlockCutShortEndsTheScan)
{
    RecordList list(4);
    list = QStringList{"<BLOC0000>", "10001", "", "", "", "", "", "", "", "", "", "", "", "alice"};
    EXPECT_FALSE(customers::LoginTaken(list, "alice", 5, LoginLine));
    list.Add(QStringLiteral("</BLOC0000>"));
    EXPECT_TRUE(customers::LoginTaken(list, "alice", 5, LoginLine));
}

TEST(CustomerOfCode, WholeCodesTrimmedAndCaseIgnored)
{
    const RecordList list = Customers({{"1000", "a"}, {"10001", "b"}, {" ab12 ", "c"}});
    EXPECT_EQ(customers::CustomerOfCode(list, "1000"), 0);
    EXPECT_EQ(customers::CustomerOfCode(list, "10001"), 1);
    EXPECT_EQ(customers::CustomerOfCode(list, " 10001 "), 1);
    EXPECT_EQ(customers::CustomerOfCode(list, "AB12"), 2);
    EXPECT_EQ(customers::CustomerOfCode(list, "100"), -1);
    EXPECT_EQ(customers::CustomerOfCode(list, "   "), -1);
}

}  // namespace
