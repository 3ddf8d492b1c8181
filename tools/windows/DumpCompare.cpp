// dump_compare: holds two `--dump` snapshots against each other (the Linux and the Windows build
// after the same scripted run). Equal bytes pass at once; otherwise both are read as JSON and
// every number is compared within a tolerance, and each place that differs is named, so a
// difference can be traced to the value (and the operation) that made it.
//
//   dump_compare A.json B.json [TOLERANCE]   exit 0: equal (or within TOLERANCE), 1: differ
//   dump_compare --frames RUN.json           prints the last frame a scripted run acts on
#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
std::string ReadAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct Comparison
{
    double tolerance = 0.0;
    double worst = 0.0;
    int differences = 0;
    int shown = 0;
};

void Report(Comparison& c, const std::string& where, const std::string& what)
{
    ++c.differences;
    if (c.shown++ < 20) std::printf("  %s: %s\n", where.c_str(), what.c_str());
}

void Compare(const rapidjson::Value& a, const rapidjson::Value& b, const std::string& where,
             Comparison& c)
{
    if (a.IsNumber() && b.IsNumber())
    {
        double x = a.GetDouble(), y = b.GetDouble();
        double d = std::fabs(x - y);
        c.worst = std::max(c.worst, d);
        if (d > c.tolerance * std::max(1.0, std::fabs(x)))
            Report(c, where, std::to_string(x) + " vs " + std::to_string(y));
        return;
    }
    if (a.GetType() != b.GetType())
    {
        Report(c, where, "different kinds of value");
        return;
    }
    if (a.IsObject())
    {
        for (auto m = a.MemberBegin(); m != a.MemberEnd(); ++m)
        {
            std::string key = where + "." + m->name.GetString();
            auto other = b.FindMember(m->name);
            if (other == b.MemberEnd())
                Report(c, key, "missing in the second");
            else
                Compare(m->value, other->value, key, c);
        }
        for (auto m = b.MemberBegin(); m != b.MemberEnd(); ++m)
            if (!a.HasMember(m->name))
                Report(c, where + "." + m->name.GetString(), "missing in the first");
        return;
    }
    if (a.IsArray())
    {
        if (a.Size() != b.Size())
        {
            Report(c, where,
                   "arrays of " + std::to_string(a.Size()) + " and " + std::to_string(b.Size()));
            return;
        }
        for (rapidjson::SizeType i = 0; i < a.Size(); ++i)
            Compare(a[i], b[i], where + "[" + std::to_string(i) + "]", c);
        return;
    }
    if (a != b) Report(c, where, "different values");
}

int LastFrame(const char* path)
{
    rapidjson::Document run;
    std::string text = ReadAll(path);
    run.Parse(text.c_str(), text.size());
    int last = 0;
    // A run is an array of events, or an object that holds them with the window size its
    // mouse positions were written for.
    const rapidjson::Value* events = &run;
    if (run.IsObject() && run.HasMember("Events")) events = &run["Events"];
    if (events->IsArray())
        for (const auto& e : events->GetArray())
            if (e.IsObject() && e.HasMember("frame") && e["frame"].IsInt())
                last = std::max(last, e["frame"].GetInt());
    return last;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--frames")
    {
        std::printf("%d\n", LastFrame(argv[2]));
        return 0;
    }
    if (argc < 3 || argc > 4)
    {
        std::printf("usage: dump_compare A.json B.json [TOLERANCE] | dump_compare --frames RUN\n");
        return 2;
    }
    std::string a = ReadAll(argv[1]), b = ReadAll(argv[2]);
    if (a.empty() || b.empty())
    {
        std::printf("dump_compare: %s: empty or missing\n", a.empty() ? argv[1] : argv[2]);
        return 1;
    }
    if (a == b) return 0;
    rapidjson::Document da, db;
    da.Parse(a.c_str(), a.size());
    db.Parse(b.c_str(), b.size());
    if (da.HasParseError() || db.HasParseError())
    {
        std::printf("dump_compare: not JSON\n");
        return 1;
    }
    Comparison c;
    c.tolerance = argc == 4 ? std::atof(argv[3]) : 0.0;
    Compare(da, db, "dump", c);
    std::printf("dump_compare: bytes differ; %d values beyond %g, largest difference %g\n",
                c.differences, c.tolerance, c.worst);
    return c.differences == 0 ? 0 : 1;
}
