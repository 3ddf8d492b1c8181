#include "data/LevelBuild.h"

#include "data/JsonOut.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

using namespace gen;

namespace
{

using Words = std::vector<std::string>;

// Text sizes per character: a banner in screen units, a sign in world units. One rule for every
// level keeps the letters of all prompts the same size at any window height.
constexpr double kBannerPerChar = 0.022, kBannerHeight = 0.08;
constexpr double kSignPerChar = 0.17, kSignHeight = 0.45;
constexpr double kPagePerChar = 0.021, kPageHeight = 0.07;
// The level camera looks from z 15: its view is 29.7 x 16.7 world units, so its centre keeps
// this far from the map's edges and the view never shows outside the map.
constexpr double kViewHalfWidth = 15.0, kViewHalfHeight = 8.5;

const char* const kMenus[] = {"PauseMenu.json",
                              "OptionsMenu.json",
                              "ControlsMenu.json",
                              "ConfirmQuitMenu.json",
                              "ConfirmSaveMenu.json",
                              "ConfirmMainMenu.json",
                              "ConfirmRestartLevelMenu.json",
                              "ConfirmRestartGameMenu.json"};
const char* const kHud[] = {"HealthBar.json", "DetectionFrame.json", "DetectionBar.json",
                            "BallIcon.json", "EmpIcon.json"};

// Splits a line into words; "quoted text" is one word, and a '{' starts a JSON tail that runs
// to the end of the line.
Words Split(const std::string& line)
{
    Words out;
    size_t i = 0;
    while (i < line.size())
    {
        if (line[i] == ' ' || line[i] == '\t')
        {
            ++i;
            continue;
        }
        if (line[i] == '{')
        {
            out.push_back(line.substr(i));
            break;
        }
        size_t end = i;
        if (line[i] == '"')
        {
            end = line.find('"', i + 1);
            if (end == std::string::npos) end = line.size();
            out.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        out.push_back(line.substr(i, end - i));
        i = end;
    }
    return out;
}

struct Level
{
    std::string file, name;
    int width = 0, height = 0;
    rapidjson::Document doc; // holds every value below
    Json objects{rapidjson::kArrayType};
    std::vector<std::string> pages;
    Json view; // the camera's section when a view line gives it
    bool kit = false;
    std::string recording;               // a record file the level plays (GameData/Record/)
    Json entries{rapidjson::kArrayType}; // its entries: [time, pressed, released, mouse, x, y]

    JsonAlloc& A() { return doc.GetAllocator(); }
    JsonObject Section() { return JsonObject(A()); }
    Json Nums(std::initializer_list<double> values) { return NumArray(values, A()); }

    // An archetype placed at (x, y) with that scale; sections (an object) add to its overrides.
    void Add(const std::string& arch, double x, double y, double sx, double sy,
             Json sections = Json(rapidjson::kObjectType), double rotation = 0.0)
    {
        JsonObject over(A());
        over.Add("Transform", Section()
                                  .Add("Position", Nums({x, y, 0}))
                                  .Add("Scale", Nums({sx, sy}))
                                  .Add("Rotation", rotation)
                                  .Take());
        over.Merge(sections);
        AddBare(arch, over.Take());
    }
    void AddBare(const std::string& arch, Json over = Json())
    {
        JsonObject o(A());
        o.Add("Name", arch);
        if (!over.IsNull()) o.Add("OverWrite", std::move(over));
        objects.PushBack(o.Take(), A());
    }
    // One section in an object of its own, as Add and AddBare take overrides.
    Json One(const char* key, Json section)
    {
        return Section().Add(key, std::move(section)).Take();
    }
    void Text(const std::string& text, double x, double y, double sx, double sy, int timer,
              int delay, bool ui)
    {
        Json color(rapidjson::kArrayType);
        for (int c : {255, 236, 196}) color.PushBack(c, A());
        AddBare("TimedText.json", One("TimedText", Section()
                                                       .Add("Position", Nums({x, y, 0}))
                                                       .Add("Scale", Nums({sx, sy}))
                                                       .Add("Text", text)
                                                       .Add("Timer", timer)
                                                       .Add("Delay", delay)
                                                       .Add("UI", ui ? "true" : "false")
                                                       .Add("Color", std::move(color))
                                                       .Take()));
    }
};

bool Fail(const std::string& file, const std::string& why)
{
    std::fprintf(stderr, "%s: %s\n", file.c_str(), why.c_str());
    return false;
}

// Reads number i of w; a missing or malformed number makes ok false.
double N(const Words& w, size_t i, bool& ok)
{
    if (i >= w.size()) return ok = false, 0.0;
    char* end = nullptr;
    const double v = std::strtod(w[i].c_str(), &end);
    if (!end || *end) ok = false;
    return v;
}

void Scenery(Level& lv)
{
    // The sky is laid in panels of one size, so its moon keeps its shape in every level (one
    // panel stretched over the map's width made it round, tall or squashed by the width).
    constexpr double kSkyWidth = 80.0, kSkyHeight = 40.0;
    for (double x = kSkyWidth / 2 - 5.5; x - kSkyWidth / 2 < lv.width + 5; x += kSkyWidth)
        lv.Add("Background.json", x, 11.5, kSkyWidth, kSkyHeight);
    for (int x = 15; x - 16 < lv.width; x += 32) lv.Add("Skyline.json", x, 6.5, 32, 8);
}

using Handler = std::function<bool(Level&, const Words&)>;

std::map<std::string, Handler> Handlers()
{
    std::map<std::string, Handler> h;
    h["level"] = [](Level& lv, const Words& w) { return w.size() == 2 && (lv.name = w[1], true); };
    h["scenery"] = [](Level& lv, const Words&) { return Scenery(lv), true; };
    h["kit"] = [](Level& lv, const Words&) { return lv.kit = true; };
    h["menus"] = [](Level& lv, const Words&)
    {
        for (const char* m : kMenus) lv.AddBare(m);
        return true;
    };
    // A level told by its dialog alone: the curtain closes when the last page is read.
    h["ending"] = [](Level& lv, const Words&)
    {
        lv.AddBare("Curtain.json", lv.One("Curtain", lv.Section()
                                                         .Add("EndCall", true)
                                                         .Add("DialogEnd", true)
                                                         .Add("IdleTime", 0)
                                                         .Take()));
        return true;
    };
    h["fences"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() > 1;
        for (size_t i = 1; i < w.size(); ++i) lv.Add("BackFence.json", N(w, i, ok), 3.5, 8, 2);
        return ok;
    };
    h["lamps"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() > 1;
        for (size_t i = 1; i < w.size(); ++i) lv.Add("LampPost.json", N(w, i, ok), 4.5, 1, 4);
        for (size_t i = 1; i < w.size(); ++i)
            lv.Add("LampGlow.json", N(w, i, ok) + 0.19, 4.07, 4, 3.3);
        return ok;
    };
    return h;
}

// The hero, the lift and the texts a player reads.
void AddPlayerHandlers(std::map<std::string, Handler>& h)
{
    h["player"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 5;
        const double x = N(w, 1, ok), y = N(w, 2, ok);
        const double balls = N(w, 3, ok), emps = N(w, 4, ok);
        lv.Add("Player.json", x, y, 1.5, 2,
               lv.Section()
                   .Add("Player", lv.Section()
                                      .Add("LightofTime", 1000)
                                      .Add("CheckPoint", lv.Nums({x, y}))
                                      .Add("Life", 3)
                                      .Take())
                   .Add("PlayerController",
                        lv.Section().Add("PocketBall", balls).Add("EMP", emps).Take())
                   .Take());
        return ok;
    };
    h["exit"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 3;
        const double x = N(w, 1, ok), y = N(w, 2, ok);
        lv.Add("LevelExit.json", x, y, 2, 3);
        const std::string t = "Press W To Teleport To Next Room";
        lv.Text(t, x, y + 2.2, kSignPerChar * t.size(), kSignHeight, 600000, 0, false);
        return ok;
    };
    h["banner"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 5;
        const std::string& t = w.size() > 2 ? w[2] : "";
        lv.Text(t, 0, N(w, 1, ok), kBannerPerChar * t.size(), kBannerHeight,
                static_cast<int>(N(w, 3, ok)), static_cast<int>(N(w, 4, ok)), true);
        return ok;
    };
    h["sign"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 4;
        const std::string& t = w.size() > 3 ? w[3] : "";
        lv.Text(t, N(w, 1, ok), N(w, 2, ok), kSignPerChar * t.size(), kSignHeight, 600000, 0,
                false);
        return ok;
    };
}

void AddEnemyHandlers(std::map<std::string, Handler>& h)
{
    auto at = [](const char* arch, double sx, double sy, double dy)
    {
        return [=](Level& lv, const Words& w)
        {
            bool ok = w.size() == 3;
            lv.Add(arch, N(w, 1, ok), N(w, 2, ok) + dy, sx, sy);
            return ok;
        };
    };
    // Heights are the standing rows: x and the top of the floor the thing stands on.
    h["checkpoint"] = at("CheckPoint.json", 1, 2, 1);
    h["can"] = at("TrashCan.json", 1, 1.5, 0.75);
    h["guard"] = at("Guard.json", 1.4, 1.9, 0.95);
    h["charger"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 4 && (w[1] == "ball" || w[1] == "emp");
        lv.Add(w[1] == "ball" ? "BallCharger.json" : "EmpCharger.json", N(w, 2, ok),
               N(w, 3, ok) + 0.8, 0.7, 0.7);
        return ok;
    };
    h["upgrade"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 4 && (w[1] == "ball" || w[1] == "emp");
        lv.Add(w[1] == "ball" ? "BallUpgrade.json" : "EmpUpgrade.json", N(w, 2, ok),
               N(w, 3, ok) + 1.1, 0.9, 0.9);
        return ok;
    };
    h["camera"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 7;
        const double x = N(w, 1, ok), y = N(w, 2, ok);
        lv.Add("CameraNode.json", x, y + 0.3, 0.5, 0.5);
        Json turn = lv.Section()
                        .Add("AngleSpeed", N(w, 3, ok))
                        .Add("DefaultAngle", N(w, 4, ok))
                        .Add("IdleTime", N(w, 5, ok))
                        .Add("SearchTime", N(w, 6, ok))
                        .Take();
        lv.Add("SecurityCamera.json", x, y, 1, 1,
               lv.One("Camera", lv.Section()
                                    .Add("FOVScale", lv.Nums({5, 5}))
                                    .Add("SecurityCamera", std::move(turn))
                                    .Take()));
        return ok;
    };
    h["robot"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 4;
        const double a = N(w, 1, ok), b = N(w, 2, ok), y = N(w, 3, ok) + 1;
        lv.Add("Robot.json", a, y, 2, 2,
               lv.One("Robot", lv.Section()
                                   .Add("StartPos", lv.Nums({a, y}))
                                   .Add("EndPos", lv.Nums({b, y}))
                                   .Add("FlickSpeed", lv.Nums({6, 9}))
                                   .Take()));
        return ok;
    };
}

// The camera starts at the bottom left of its bounds, looking from z 15.
Json CameraSection(Level& lv, double minX, double maxX, double minY, double maxY)
{
    return lv.Section()
        .Add("Position", lv.Nums({minX, minY, 15}))
        .Add("MinX", minX)
        .Add("MaxX", maxX)
        .Add("MinY", minY)
        .Add("MaxY", maxY)
        .Take();
}

// The camera's bounds and any archetype placed as it is.
void AddPlacementHandlers(std::map<std::string, Handler>& h)
{
    h["view"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 5;
        lv.view = CameraSection(lv, N(w, 1, ok), N(w, 2, ok), N(w, 3, ok), N(w, 4, ok));
        return ok;
    };
    // object archetype x y scaleX scaleY [rotation] [{"Section": {...}, ...}]
    h["object"] = [](Level& lv, const Words& w)
    {
        const bool json = w.size() > 6 && w.back()[0] == '{';
        const size_t plain = w.size() - (json ? 1 : 0);
        bool ok = plain == 6 || plain == 7;
        const double rotation = plain == 7 ? N(w, 6, ok) : 0.0;
        Json sections(rapidjson::kObjectType);
        if (json && !ParseJsonText(w.back(), sections, lv.A())) ok = false;
        lv.Add(w.size() > 1 ? w[1] : "", N(w, 2, ok), N(w, 3, ok), N(w, 4, ok), N(w, 5, ok),
               std::move(sections), rotation);
        return ok;
    };
}

void AddStoryHandlers(std::map<std::string, Handler>& h)
{
    // floor x y direction moveTime stayTime initialState [speed]
    h["floor"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 7 || w.size() == 8;
        const double x = N(w, 1, ok), y = N(w, 2, ok);
        const double speed = w.size() == 8 ? N(w, 7, ok) : 0.002;
        lv.Add("MovingFloor.json", x, y, 3, 0.5,
               lv.One("MovingFloor", lv.Section()
                                         .Add("StartPosition", lv.Nums({x, y, 0}))
                                         .Add("MoveTime", N(w, 4, ok))
                                         .Add("StayTime", N(w, 5, ok))
                                         .Add("MoveSpeed", speed)
                                         .Add("InitialState", N(w, 6, ok))
                                         .Add("Direction", N(w, 3, ok))
                                         .Take()));
        return ok;
    };
    h["dialog"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 3;
        const std::string text = "GameData/Dialog/" + lv.file + ".txt";
        lv.AddBare("FloorDialog.json",
                   lv.One("DialogBox",
                          lv.Section().Add("TextFile", text).Add("CallAutoPlay", false).Take()));
        lv.Add("DialogTrigger.json", N(w, 1, ok), N(w, 2, ok) + 2, 1, 4,
               lv.One("DialogTrigger", lv.Section().Add("DialogFile", "FloorDialog.json").Take()));
        return ok;
    };
    // recording Name.json, then entry lines: time pressed released mouse x y (the record format)
    h["recording"] = [](Level& lv, const Words& w)
    { return w.size() == 2 && (lv.recording = w[1], true); };
    h["entry"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 7 && !lv.recording.empty();
        Json e(rapidjson::kArrayType);
        for (size_t i = 1; i < 7; ++i) // time and the three masks are whole numbers
            e.PushBack(i < 5 ? Json(static_cast<int64_t>(N(w, i, ok))) : Num(N(w, i, ok)), lv.A());
        lv.entries.PushBack(e, lv.A());
        return ok;
    };
    h["page"] = [](Level& lv, const Words& w)
    { return w.size() == 2 && (lv.pages.push_back(w[1]), true); };
}

Json Camera(Level& lv)
{
    if (!lv.view.IsNull()) return Json(lv.view, lv.A());
    const double minX = kViewHalfWidth - 0.5, maxX = lv.width - 0.5 - kViewHalfWidth;
    const double minY = kViewHalfHeight - 0.5, maxY = lv.height - 0.5 - kViewHalfHeight;
    return CameraSection(lv, minX, maxX, minY, maxY);
}

// Dialog page scales are plain text ("x y"), not JSON.
std::string NumText(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", v);
    return buf;
}

bool WriteLevel(Level& lv, const std::string& mapName, const std::string& dataDir)
{
    if (lv.kit)
    {
        lv.AddBare("Curtain.json");
        for (const char* m : kMenus) lv.AddBare(m);
        for (const char* m : kHud) lv.AddBare(m);
    }
    Json level = lv.Section()
                     .Add("Name", lv.name)
                     .Add("Map", mapName)
                     .Add("Camera", Camera(lv))
                     .Add("GameObjects", std::move(lv.objects))
                     .Take();
    if (!WriteJsonFile(dataDir + "/GameData/Levels/" + lv.name, level)) return false;
    if (!lv.recording.empty() &&
        !WriteJsonFile(dataDir + "/GameData/Record/" + lv.recording, lv.entries))
        return false;
    if (lv.pages.empty()) return true;
    const std::string textPath = dataDir + "/GameData/Dialog/" + lv.file + ".txt";
    std::ofstream text(textPath);
    for (const std::string& p : lv.pages)
        text << p << "\n"
             << NumText(kPagePerChar * p.size()) << " " << NumText(kPageHeight) << "\n";
    return static_cast<bool>(text) || Fail(textPath, "cannot write");
}

} // namespace

bool BuildLevel(const std::string& layoutPath, const std::string& dataDir)
{
    std::ifstream in(layoutPath);
    if (!in) return Fail(layoutPath, "cannot open");
    std::vector<std::string> head;
    std::string line, mapName;
    Level lv;
    bool inMap = false;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inMap && !line.empty())
        {
            lv.width = static_cast<int>(line.size());
            ++lv.height;
        }
        else if (line == "map")
            inMap = true;
        else if (!inMap)
            head.push_back(line);
    }
    auto handlers = Handlers();
    AddPlayerHandlers(handlers);
    AddEnemyHandlers(handlers);
    AddPlacementHandlers(handlers);
    AddStoryHandlers(handlers);
    for (const std::string& l : head)
    {
        const Words w = Split(l);
        if (w.empty() || w[0][0] == ';') continue;
        if (w[0] == "name" && w.size() > 1) mapName = w[1];
        if (w[0] == "name" || w[0] == "tile") continue;
        if (w[0] == "level" && w.size() == 2) lv.file = w[1].substr(0, w[1].rfind('.'));
        auto h = handlers.find(w[0]);
        if (h == handlers.end()) return Fail(layoutPath, "unknown line: " + l);
        if (!h->second(lv, w)) return Fail(layoutPath, "malformed line: " + l);
    }
    if (lv.name.empty()) return true;
    return WriteLevel(lv, mapName, dataDir);
}

bool BuildLevelList(const std::string& listPath, const std::string& dataDir)
{
    std::ifstream in(listPath);
    if (!in) return Fail(listPath, "cannot open");
    rapidjson::Document doc(rapidjson::kArrayType);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        doc.PushBack(Str(line, doc.GetAllocator()), doc.GetAllocator());
    }
    if (doc.Empty()) return Fail(listPath, "names no level");
    return WriteJsonFile(dataDir + "/System/LevelList.json", doc);
}
