#include "pages/satellites/satellite_page.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "database/schema.h"
#include "temp_dir.h"

namespace vesko {
namespace {

using testing::TempDir;
using testing::WriteBytes;

int TunerCountOf(const std::string& rootAttributes) {
    WriteBytes(kSatWork, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites" +
                             rootAttributes + ">\n</satellites>\n");
    return CSatellitePage().ReadTunerCount();
}

TEST(SatellitePage, TunerCountReadsLikeADecimalAndSaturates) {
    TempDir work(true);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"3\""), 3);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"2 tuners\""), 2);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"+4\""), 4);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"-1\""), -1);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"two\""), 0);
    EXPECT_EQ(TunerCountOf(""), 0);
    // Too large for an int: the largest int, never a wrapped-round small or negative one.
    EXPECT_EQ(TunerCountOf(" tuner_num=\"2147483647\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"3000000000\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"4294967298\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"99999999999999999999999\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"-2147483648\""), INT_MIN);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"-99999999999\""), INT_MIN);

    CSatellitePage page;
    page.ShowTunerButton(TunerCountOf(" tuner_num=\"4294967298\""));
    EXPECT_TRUE(page.IsTunerButtonVisible());
}

}  // namespace
}  // namespace vesko
