#include "common_checks.h"

#include <gtest/gtest.h>

#include "expected_report.h"

void ExpectOnlyAttemptFails(const Target& T, const std::string& Argument, KelvaskRun Run) {
    Run.Arguments = {Argument};
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + LoadingLine(Argument) + LoadFailureBlock(T));
    EXPECT_TRUE(Result.Journal.empty());
}
