#include "web/ServeOptions.h"

#include <gtest/gtest.h>

TEST(ServeOptions, ListensOnTheLoopbackPort8080UnlessToldOtherwise) {
    const ServeOptionsResult parsed = ParseServeOptions({});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->host, "127.0.0.1");
    EXPECT_EQ(parsed.options->port, 8080);
}

TEST(ServeOptions, ReadsAddressPortSolversAndQueueInBothSpellings) {
    ServeOptionsResult parsed = ParseServeOptions(
        {"--listen", "0.0.0.0:9000", "--solvers=3", "--queue", "0", "--request-deadline=3"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->host, "0.0.0.0");
    EXPECT_EQ(parsed.options->port, 9000);
    EXPECT_EQ(parsed.options->limits.solveSlots, 3u);
    EXPECT_EQ(parsed.options->limits.solveQueue, 0u);
    EXPECT_EQ(parsed.options->limits.requestDeadline, std::chrono::seconds(3));
    parsed = ParseServeOptions({"--listen=[::1]:0"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->host, "::1");
    EXPECT_EQ(parsed.options->port, 0);
}

TEST(ServeOptions, RefusesWhatItCannotUseAndSaysWhy) {
    const std::vector<std::vector<std::string>> refused = {
        {"--listen"},
        {"--listen", "8080"},
        {"--listen", ":8080"},
        {"--listen", "h:65536"},
        {"--listen", "h:-1"},
        {"--listen", "h:80x"},
        {"--solvers", "0"},
        {"--queue", "many"},
        {"--port", "80"},
        {"extra"},
        {"--request-deadline", "0"},
        {"--request-deadline", "1.5"},
    };
    for (const auto& words : refused) {
        const ServeOptionsResult parsed = ParseServeOptions(words);
        EXPECT_FALSE(parsed.options) << words[0];
        EXPECT_FALSE(parsed.error.empty());
    }
}
