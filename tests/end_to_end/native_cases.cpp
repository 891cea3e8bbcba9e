// Cases only the POSIX build has: arguments are bytes, and a signal can
// arrive during a pause.
#include <gtest/gtest.h>

#include "common_checks.h"
#include "expected_report.h"
#include "target.h"

namespace {

const Target& T = CurrentTarget();

TEST(NativeArguments, AnyBytesArePassedToTheLoaderAndWrittenAsTheyCame) {
    ExpectOnlyAttemptFails(T, "/nonexistent/\x01\t\x1b\x7f\x80\xff odd \"quoted\" \\back\\slash\r\n.so");
}

TEST(NativeArguments, RelativePathIsPassedUnchanged) {
    // Resolves against the working folder only if it reaches the loader as
    // given.
    KelvaskRun Run;
    Run.Arguments = {"../full/libusbdrdaq.so"};
    Run.WorkingDirectory = std::string(SIMULATED_UNIT_DIR) + "/without_close";
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.Report, Banner(T) + LoadingLine("../full/libusbdrdaq.so") + SuccessfulExercise());
}

TEST(NativeArguments, ArgumentOfAHundredThousandBytesIsWrittenWhole) {
    ExpectOnlyAttemptFails(T, "/nonexistent/" + std::string(100000, 'x') + ".so");
}

// A non-blocking output that is full has its writes refused for a while:
// the report waits for room instead of losing its text.
TEST(NativeOutput, FullNonBlockingPipeGetsTheWholeReport) {
    KelvaskRun Run;
    Run.Variant = "full";
    Run.Output = OutputSink::FullNonBlockingPipe;
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise());
}

}  // namespace
