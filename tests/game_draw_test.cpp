#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "tests/support/driver.hpp"

namespace bolvenda::testing {
namespace {

// Upper critical value of chi-square with dof degrees of freedom at z standard deviations
// (Wilson-Hilferty); z = 3.09 is a 0.1 % false-alarm rate.
double chi_square_critical(int dof, double z = 3.09) {
    const double k = dof;
    const double t = 1 - 2 / (9 * k) + z * std::sqrt(2 / (9 * k));
    return k * t * t * t;
}

TEST(Draw, EveryPairAppearsAndTheDrawIsUniform) {
    Driver game(1000.125f, 1.37f);
    constexpr int per_pair = 200;
    constexpr int rounds = 210 * per_pair;
    std::array<std::array<int, 21>, 20> pairs{};  // [n1][n2]
    std::array<int, 21> sums{};
    std::array<int, 20> starts{};
    for (int round = 0; round < rounds; ++round) {
        ASSERT_TRUE(game.new_round());
        const auto& f = game.form();
        const int n1 = static_cast<int>(f.n1);
        const int n2 = static_cast<int>(f.n2);
        ASSERT_EQ(static_cast<float>(n1), f.n1);
        ASSERT_EQ(static_cast<float>(n2), f.n2);
        ASSERT_GE(n1, 0);
        ASSERT_LE(n1, 19);
        ASSERT_GE(n2, 1);
        ASSERT_LE(n1 + n2, 20);
        ASSERT_EQ(f.somma, f.n1 + f.n2);
        ++pairs[n1][n2];
        ++sums[n1 + n2];
        ++starts[n1];
        ASSERT_TRUE(game.click_number(n1));
    }
    EXPECT_EQ(game.form().mosche, static_cast<float>(rounds));

    double chi = 0;
    int seen = 0;
    for (int a = 0; a <= 19; ++a) {
        for (int b = 1; a + b <= 20; ++b) {
            seen += pairs[a][b] > 0;
            const double d = pairs[a][b] - per_pair;
            chi += d * d / per_pair;
        }
    }
    EXPECT_EQ(seen, 210);
    EXPECT_LT(chi, chi_square_critical(209)) << "pairs are not drawn uniformly";

    // somma = s with probability s / 210; n1 = a with (20 - a) / 210.
    double chi_sums = 0, chi_starts = 0;
    for (int s = 1; s <= 20; ++s) {
        const double expected = rounds * s / 210.0;
        chi_sums += (sums[s] - expected) * (sums[s] - expected) / expected;
        EXPECT_NEAR(sums[s] / double(rounds), s / 210.0, 5 * std::sqrt(expected) / rounds) << s;
    }
    for (int a = 0; a <= 19; ++a) {
        const double expected = rounds * (20 - a) / 210.0;
        chi_starts += (starts[a] - expected) * (starts[a] - expected) / expected;
    }
    EXPECT_EQ(sums[0], 0);
    EXPECT_LT(chi_sums, chi_square_critical(19));
    EXPECT_LT(chi_starts, chi_square_critical(19));
}

TEST(Draw, TheSameClockReadingGivesTheSameExercise) {
    Driver a(5000.5f, 0.0f), b(5000.5f, 0.0f);
    for (int round = 0; round < 5; ++round) {
        ASSERT_TRUE(a.new_round());
        ASSERT_TRUE(b.new_round());
        EXPECT_EQ(a.form().n1, b.form().n1);
        EXPECT_EQ(a.form().n2, b.form().n2);
        a.click_number(0);
        b.click_number(0);
    }
}

TEST(Draw, DifferentRunsGetDifferentExercises) {
    int differ = 0;
    for (int run = 0; run < 20; ++run) {
        Driver a(100.0f + run, 1.0f), b(200.0f + run * 3.5f, 1.0f);
        a.new_round();
        b.new_round();
        differ += a.form().n1 != b.form().n1 || a.form().n2 != b.form().n2;
    }
    EXPECT_GE(differ, 15);
}

}  // namespace
}  // namespace bolvenda::testing
