#pragma once

#include "model/BaseCustomListClass.h"
#include "model/LocaleFormat.h"
#include "model/Utils.h"
#include "support/TempDir.h"

namespace quorvel::test {

// The day the fixture's clock stands at: noon UTC, so the same date in every time zone.
inline const std::string kToday = "3/4/2025";

// The process-wide values as a fresh start leaves them (display format, configuration paths, sort),
// with the clock fixed at kToday.
inline void ResetGlobals()
{
    LocaleFormat::SetCurrent(LocaleFormat {});
    SetTodayClock([] { return std::time_t {1741089600}; });
    G_ConfigFile = Path();
    G_ConfigFiles = Path();
    G_PlatformsFile = Path();
    G_SortField = "Title";
    G_SortDirection = 1;
}

// The one fixture for tests that change a process-wide value: each test starts and ends with them
// reset, so that no test sees what another left behind. It also gives a temporary folder.
class GlobalsTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        ResetGlobals();
    }
    void TearDown() override
    {
        ResetGlobals();
        TempDirTest::TearDown();
    }
};

}  // namespace quorvel::test
