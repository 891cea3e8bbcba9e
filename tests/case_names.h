// Table cases carry a Name; test listings show it instead of the case's
// bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>

// For INSTANTIATE_TEST_SUITE_P: the test's name is the case's Name.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& Info) const {
        return Info.param.Name;
    }
};
