// The process service's slot and its double; the real services are tested under Wine.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "support/FakeProcesses.h"
#include "ui/Processes.h"

namespace lantern {
namespace {

TEST(ProcessesTest, AnInstalledServiceAnswersUntilThePlatformsIsBack) {
  TFakeProcesses Fake;
  Fake.SnapshotList = {"a.exe", "b.exe"};
  EXPECT_EQ(SetProcesses(&Fake), &PlatformProcesses());
  EXPECT_EQ(&Processes(), &Fake);
  EXPECT_EQ(ProcessPaths(Processes().ListBySnapshot()), Fake.SnapshotList);
  EXPECT_EQ(Fake.SnapshotCalls, 1);
  EXPECT_EQ(SetProcesses(nullptr), &Fake);
  EXPECT_EQ(&Processes(), &PlatformProcesses());
}

struct TLoadFailureCase {
  TFakeProcesses::TLoadFailure Failure;
  const char* Text;
};

class ProcessesLoadFailureTest : public ::testing::TestWithParam<TLoadFailureCase> {};

// The double raises the texts the real service raises, and stays unloaded.
TEST_P(ProcessesLoadFailureTest, RaisesTheTextAndStaysUnloaded) {
  TFakeProcesses Fake;
  Fake.StatusList = {"C:\\a.exe"};
  Fake.LoadFailure = GetParam().Failure;
  try {
    Fake.LoadPSAPI();
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), GetParam().Text);
  }
  EXPECT_FALSE(Fake.PSAPILoaded());
  EXPECT_TRUE(Fake.ListByProcessStatus().empty());
  Fake.LoadFailure = TFakeProcesses::TLoadFailure::None;
  EXPECT_TRUE(Fake.LoadPSAPI());
  EXPECT_EQ(ProcessPaths(Fake.ListByProcessStatus()), Fake.StatusList);
  EXPECT_EQ(Fake.LoadCalls, 2);
}

INSTANTIATE_TEST_SUITE_P(Texts, ProcessesLoadFailureTest,
                         ::testing::Values(TLoadFailureCase{TFakeProcesses::TLoadFailure::Library,
                                                            "PSAPI.DLL がロードできません。"},
                                           TLoadFailureCase{TFakeProcesses::TLoadFailure::Address,
                                                            "PSAPI のアドレスを取得できません。"}));

#ifndef _WIN32
TEST(ProcessesTest, WithoutWindowsNothingIsLoadedOrListed) {
  TProcessService& Platform = PlatformProcesses();
  EXPECT_FALSE(Platform.LoadPSAPI());
  EXPECT_FALSE(Platform.PSAPILoaded());
  EXPECT_TRUE(Platform.ListByProcessStatus().empty());
  EXPECT_TRUE(Platform.ListBySnapshot().empty());
}
#endif

}  // namespace
}  // namespace lantern
