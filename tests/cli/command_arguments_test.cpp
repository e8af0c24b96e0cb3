#include "cli/command_arguments.h"
#include "support/succeeds.h"

#include <gtest/gtest.h>

TEST(CommandArguments, SeparatesPositionalWordsFromOptionsInBothSpellings) {
    CommandArguments args;
    ASSERT_SUCCEEDS(parseCommandArguments(
        {"in.lvo", "--dpi", "300", "--output=a.png", "--set", "A=1", "--set=B=2"},
        {"dpi", "output", "set"}, args));
    EXPECT_EQ(args.positional, QStringList{"in.lvo"});
    EXPECT_EQ(args.last("dpi"), "300");
    EXPECT_EQ(args.last("output"), "a.png");
    EXPECT_EQ(args.all("set"), (QStringList{"A=1", "B=2"}));
    EXPECT_FALSE(args.last("page"));
}

TEST(CommandArguments, RefusesUnknownOptionsAndMissingValues) {
    CommandArguments args;
    EXPECT_EQ(parseCommandArguments({"--colour", "red"}, {"dpi"}, args).message(),
              "Unknown option --colour.");
    EXPECT_EQ(parseCommandArguments({"--dpi"}, {"dpi"}, args).message(),
              "The option --dpi needs a value.");
    EXPECT_EQ(parseCommandArguments({"--lighten=yes"}, {}, args, {"lighten"}).message(),
              "The option --lighten takes no value.");
}

TEST(CommandArguments, SwitchesTakeNoValueAndEndWithTheOptions) {
    CommandArguments args;
    ASSERT_SUCCEEDS(parseCommandArguments({"--lighten", "a.png", "--", "--grayscale"}, {}, args,
                                          {"lighten", "grayscale"}));
    EXPECT_EQ(args.switches, QStringList{"lighten"});
    EXPECT_EQ(args.positional, (QStringList{"a.png", "--grayscale"}));
}
