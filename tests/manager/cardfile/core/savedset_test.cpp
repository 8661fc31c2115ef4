// The saved set's sibling paths and what makes a file a set, without the card file.
#include <gtest/gtest.h>
#include "manager/cardfile/core/savedset.h"

namespace {

TEST(SiblingPath, TheLastThreeCharactersGiveWayToTheExtension)
{
    const QLatin1String fct("fct");
    EXPECT_EQ(savedset::SiblingPath("/café/clients.vtr", fct), "/café/clients.fct");
    EXPECT_EQ(savedset::SiblingPath("clients.VTR", QLatin1String("cai")), "clients.cai");
    // Whatever the name ends with, not only an extension.
    EXPECT_EQ(savedset::SiblingPath("/set/clients", fct), "/set/cliefct");
    EXPECT_EQ(savedset::SiblingPath("abc", fct), "fct");
    EXPECT_EQ(savedset::SiblingPath("ab", fct), "fct");
    EXPECT_EQ(savedset::SiblingPath("", fct), "fct");
}

TEST(HoldsABlock, AnyLineBeginningABlock)
{
    EXPECT_FALSE(savedset::HoldsABlock({}));
    EXPECT_FALSE(savedset::HoldsABlock({"name;town", "BLOC", " <BLOC0000>"}));
    EXPECT_TRUE(savedset::HoldsABlock({"stray", "<BLOC0000>"}));
    EXPECT_TRUE(savedset::HoldsABlock({"<BLOCxyz"}));
}

}  // namespace
