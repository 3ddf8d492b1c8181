// The program as a player, a packager and a bug report meet it: its switches, the errors it
// stops on, and the log it leaves.
#include <gtest/gtest.h>

#include <string>

#include "engine/core/RunOptions.h"
#include "tests/TestSupport.h"

using TestSupport::RunGame;

TEST(Program, HelpVersionAndBadSwitchesAnswerWithTheirStatus)
{
    struct Case
    {
        const char* args;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {"--help", 0, "usage: bellrun"},
        {"-h", 0, "--screenshot FILE"},
        {"--version", 0, std::string("bellrun ") + BellrunVersion() + "\n"},
        // Asking for help wins over the rest of the line: nothing starts.
        {"--headless --frames 5 --help", 0, "--data DIR"},
        {"--bogus", 2, "unknown switch --bogus"},
        {"--frames", 2, "bad or missing value for --frames"},
    };
    EXPECT_STRNE(BellrunVersion(), "unknown");
    for (const Case& c : cases)
    {
        std::string out;
        EXPECT_EQ(RunGame(c.args, &out), c.status) << c.args << "\n" << out;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.args << "\n" << out;
        // None of them opens anything: no start-up lines.
        EXPECT_EQ(out.find("Total Levels"), std::string::npos) << c.args;
    }
    std::string help;
    RunGame("--help", &help);
    for (const char* sw :
         {"--data", "--level", "--frames", "--windowed", "--size", "--headless", "--fixed-clock",
          "--input", "--dump", "--screenshot", "--seed", "--editor", "--version"})
        EXPECT_NE(help.find(sw), std::string::npos) << sw;
}
