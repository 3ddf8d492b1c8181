// The checked JSON reader: every shape of bad data keeps the default and is reported.
#include <gtest/gtest.h>

#include "engine/core/Log.h"
#include "engine/data/Json.h"

namespace
{
struct Doc
{
    rapidjson::Document doc;
    JsonView view;
    explicit Doc(const std::string& text)
    {
        EXPECT_TRUE(ParseJson(text, doc, nullptr));
        view = JsonView(&doc, "test.json");
    }
};
} // namespace

TEST(Json, TypedReadsKeepDefaultsOnWrongTypes)
{
    Doc d(R"({"f": "x", "i": 1.5, "b": 1, "s": 3, "big": 1e300, "huge": 1e12, "ok": 2})");
    float f = 7.0f;
    int i = 7;
    bool b = true;
    std::string s = "keep";
    int before = LogWarningCount();
    EXPECT_FALSE(d.view.Read("f", f));
    EXPECT_TRUE(d.view.Read("i", i)); // a fraction where an integer is wanted is truncated
    EXPECT_EQ(i, 1);
    EXPECT_FALSE(d.view.Read("b", b));
    EXPECT_FALSE(d.view.Read("s", s));
    EXPECT_FALSE(d.view.Read("big", f)); // beyond float range: refused, not undefined behaviour
    EXPECT_FALSE(d.view.Read("huge", i));
    EXPECT_FALSE(d.view.Read("missing", i)); // absent: silent
    EXPECT_EQ(f, 7.0f);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, "keep");
    EXPECT_EQ(LogWarningCount() - before, 5);
    EXPECT_TRUE(d.view.Read("ok", f));
    EXPECT_EQ(f, 2.0f);
}

TEST(Json, ArraysMustBeLongEnoughAndAllNumbers)
{
    Doc d(R"({"short": [1, 2], "mixed": [1, "a", 3], "good": [1, 2, 3, 4], "obj": {"a": 1}})");
    float out[3] = {9, 9, 9};
    EXPECT_FALSE(d.view.ReadFloats("short", out, 3));
    EXPECT_FALSE(d.view.ReadFloats("mixed", out, 3));
    EXPECT_FALSE(d.view.ReadFloats("obj", out, 3));
    EXPECT_EQ(out[0], 9.0f);
    EXPECT_TRUE(d.view.ReadFloats("good", out, 3)); // further elements are ignored
    EXPECT_EQ(out[2], 3.0f);
}

TEST(Json, NavigationOnTheWrongShapeIsSafe)
{
    Doc d(R"([1, {"a": [true]}])");
    EXPECT_FALSE(d.view["a"].Valid());
    EXPECT_EQ(d.view["a"]["b"].Size(), 0u);
    EXPECT_FALSE(d.view.At(5).Valid());
    EXPECT_TRUE(d.view.At(1)["a"].At(0).AsBool(false));
    EXPECT_STREQ(d.view.At(1)["a"].At(0).Key(), "[1].a[0]");
    // A path deeper than a view holds is cut, marked, and grows no further.
    JsonView deep = d.view;
    for (int i = 0; i < 40; ++i) deep = deep["level"];
    std::string key = deep.Key();
    EXPECT_LT(key.size(), 120u);
    EXPECT_EQ(key.substr(0, 12), "level.level.");
    EXPECT_EQ(key.substr(key.size() - 3), "...");
    EXPECT_STREQ(deep.At(7).Key(), key.c_str());
    EXPECT_EQ(d.view.At(0).AsString("dflt", false), "dflt");
}

TEST(Json, ParserRefusesGarbageWithoutRecursing)
{
    rapidjson::Document doc;
    std::string error;
    EXPECT_FALSE(ParseJson(std::string(200000, '['), doc, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(doc.IsNull());
    EXPECT_FALSE(ParseJson("{\"a\": ", doc, &error));
    EXPECT_FALSE(ParseJson("", doc, &error));
    // A complete value with more after it is a damaged file (half overwritten by a longer one),
    // not a file to read the front of; white space after it is fine.
    EXPECT_FALSE(ParseJson("{\"a\": 1} trailing", doc, &error));
    EXPECT_NE(error.find("must not be followed"), std::string::npos) << error;
    EXPECT_TRUE(doc.IsNull());
    EXPECT_FALSE(ParseJson("[][]", doc, &error));
    EXPECT_TRUE(ParseJson("{\"a\": 1} \r\n\t ", doc, &error));
}
