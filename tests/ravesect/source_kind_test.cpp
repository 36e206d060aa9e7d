// Recognising the kind of a source log from its first line.
#include <gtest/gtest.h>

#include <string>

#include "ravesect/document/source_kind.h"

namespace ravesect {
namespace {

TEST(DetectSourceKind, EveryMagicGivesItsCode) {
    EXPECT_EQ(DetectSourceKind("$$_SWJVERAN300"), 300);
    EXPECT_EQ(DetectSourceKind("$$_SWJVERAN304"), 301);
    EXPECT_EQ(DetectSourceKind("$$_SWCVERAN300"), 302);
    EXPECT_EQ(DetectSourceKind("$$_SWCVERAN304"), 303);
    EXPECT_EQ(DetectSourceKind("$$_PDCVERAN100"), 320);
    EXPECT_EQ(DetectSourceKind("$Z36"), 400);
    EXPECT_EQ(DetectSourceKind("$$_CVERAN500"), 450);
    EXPECT_EQ(DetectSourceKind("$$_JVERAN500"), 500);
}

TEST(DetectSourceKind, TheOlderLayoutIsTestedFirst) {
    // A line holding two magics is decided by the test that runs first.
    EXPECT_EQ(DetectSourceKind("$Z36 $$_JVERAN5"), 400);
    EXPECT_EQ(DetectSourceKind("$$_CVERAN5$$_JVERAN5"), 450);
    EXPECT_EQ(DetectSourceKind("$$_JVERAN5 $$_SWJVERAN3"), 500);
    EXPECT_EQ(DetectSourceKind("$$_SWJVERAN3$$_SWCVERAN3"), 300);
}

TEST(DetectSourceKind, LengthLimits) {
    EXPECT_EQ(DetectSourceKind("$Z3"), 0);
    EXPECT_EQ(DetectSourceKind("$Z36"), 400);  // 4 characters is the shortest accepted
    const std::string longest = "$$_SWCVERAN304" + std::string(17, ' ');
    ASSERT_EQ(longest.size(), 31u);
    EXPECT_EQ(DetectSourceKind(longest), 303);
    EXPECT_EQ(DetectSourceKind(longest + " "), 0);  // 32 characters: a .sdw line that long is refused
}

TEST(DetectSourceKind, PartialMagicsAreRefused) {
    EXPECT_EQ(DetectSourceKind("JVERAN"), 0);
    EXPECT_EQ(DetectSourceKind("xxJVERANxx"), 0);
    EXPECT_EQ(DetectSourceKind("$$_SWVERAN3"), 0);
    EXPECT_EQ(DetectSourceKind("$Z40 old sounding"), 0);
    EXPECT_EQ(DetectSourceKind(""), 0);
}

}  // namespace
}  // namespace ravesect
