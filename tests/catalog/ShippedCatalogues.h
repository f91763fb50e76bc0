#pragma once

#include "catalog/Catalogues.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace testutil {

// The shipped data folder of the source tree.
inline const std::filesystem::path kShippedDataDir =
    std::filesystem::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";

// A suite over the program's catalogues as start-up loads them from the shipped data, loaded
// once for the suite and released after it (which also takes back the star names'
// constellation look-up that loading registers).
class ShippedCatalogues : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        catalogues = std::make_unique<catalog::Catalogues>();
        const catalog::Catalogues::Report report = catalogues->LoadAll(kShippedDataDir);
        ASSERT_TRUE(report.starError.empty()) << report.starError;
    }
    static void TearDownTestSuite() { catalogues.reset(); }

    inline static std::unique_ptr<catalog::Catalogues> catalogues;
};

} // namespace testutil
