#include "LevelBuild.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

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

std::string Num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", v);
    return buf;
}

std::string Quote(const std::string& s)
{
    std::string out = "\"";
    for (char c : s)
    {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

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
    std::vector<std::string> objects;
    std::vector<std::string> pages;
    std::string view;
    bool kit = false;
    std::string recording;            // a record file the level plays (GameData/Record/)
    std::vector<std::string> entries; // its entries, "[time, pressed, released, mouse, x, y]"

    void Add(const std::string& arch, double x, double y, double sx, double sy,
             const std::string& extra = "", double rotation = 0.0)
    {
        std::string o = "{\"Name\": " + Quote(arch) +
                        ", \"OverWrite\": {\"Transform\": {\"Position\": [" + Num(x) + ", " +
                        Num(y) + ", 0], \"Scale\": [" + Num(sx) + ", " + Num(sy) +
                        "], \"Rotation\": " + Num(rotation) + "}";
        if (!extra.empty()) o += ", " + extra;
        objects.push_back(o + "}}");
    }
    void AddBare(const std::string& arch, const std::string& over = "")
    {
        objects.push_back("{\"Name\": " + Quote(arch) +
                          (over.empty() ? "" : ", \"OverWrite\": {" + over + "}") + "}");
    }
    void Text(const std::string& text, double x, double y, double sx, double sy, int timer,
              int delay, bool ui)
    {
        AddBare("TimedText.json",
                "\"TimedText\": {\"Position\": [" + Num(x) + ", " + Num(y) + ", 0], \"Scale\": [" +
                    Num(sx) + ", " + Num(sy) + "], \"Text\": " + Quote(text) + ", \"Timer\": " +
                    std::to_string(timer) + ", \"Delay\": " + std::to_string(delay) +
                    ", \"UI\": \"" + (ui ? "true" : "false") + "\", \"Color\": [255, 236, 196]}");
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
        lv.AddBare("Curtain.json",
                   "\"Curtain\": {\"EndCall\": true, \"DialogEnd\": true, \"IdleTime\": 0}");
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
    h["player"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 5;
        const double x = N(w, 1, ok), y = N(w, 2, ok);
        lv.Add("Player.json", x, y, 1.5, 2,
               "\"Player\": {\"LightofTime\": 1000, \"CheckPoint\": [" + Num(x) + ", " + Num(y) +
                   "], \"Life\": 3}, \"PlayerController\": {\"PocketBall\": " + Num(N(w, 3, ok)) +
                   ", \"EMP\": " + Num(N(w, 4, ok)) + "}");
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
    return h;
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
        lv.Add("SecurityCamera.json", x, y, 1, 1,
               "\"Camera\": {\"FOVScale\": [5, 5], \"SecurityCamera\": {\"AngleSpeed\": " +
                   Num(N(w, 3, ok)) + ", \"DefaultAngle\": " + Num(N(w, 4, ok)) +
                   ", \"IdleTime\": " + Num(N(w, 5, ok)) + ", \"SearchTime\": " + Num(N(w, 6, ok)) +
                   "}}");
        return ok;
    };
    h["robot"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 4;
        const double a = N(w, 1, ok), b = N(w, 2, ok), y = N(w, 3, ok) + 1;
        lv.Add("Robot.json", a, y, 2, 2,
               "\"Robot\": {\"StartPos\": [" + Num(a) + ", " + Num(y) + "], \"EndPos\": [" +
                   Num(b) + ", " + Num(y) + "], \"FlickSpeed\": [6, 9]}");
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
               "\"MovingFloor\": {\"StartPosition\": [" + Num(x) + ", " + Num(y) +
                   ", 0], \"MoveTime\": " + Num(N(w, 4, ok)) +
                   ", \"StayTime\": " + Num(N(w, 5, ok)) + ", \"MoveSpeed\": " + Num(speed) +
                   ", \"InitialState\": " + Num(N(w, 6, ok)) +
                   ", \"Direction\": " + Num(N(w, 3, ok)) + "}");
        return ok;
    };
    h["dialog"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 3;
        const std::string text = "GameData/Dialog/" + lv.file + ".txt";
        lv.AddBare("FloorDialog.json",
                   "\"DialogBox\": {\"TextFile\": " + Quote(text) + ", \"CallAutoPlay\": false}");
        lv.Add("DialogTrigger.json", N(w, 1, ok), N(w, 2, ok) + 2, 1, 4,
               "\"DialogTrigger\": {\"DialogFile\": \"FloorDialog.json\"}");
        return ok;
    };
    // recording Name.json, then entry lines: time pressed released mouse x y (the record format)
    h["recording"] = [](Level& lv, const Words& w)
    { return w.size() == 2 && (lv.recording = w[1], true); };
    h["entry"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 7 && !lv.recording.empty();
        std::string e = "[";
        for (size_t i = 1; i < 7; ++i) // time and the three masks are whole numbers
            e += (i > 1 ? ", " : "") +
                 (i < 5 ? std::to_string(static_cast<long>(N(w, i, ok))) : Num(N(w, i, ok)));
        lv.entries.push_back(e + "]");
        return ok;
    };
    h["page"] = [](Level& lv, const Words& w)
    { return w.size() == 2 && (lv.pages.push_back(w[1]), true); };
    h["view"] = [](Level& lv, const Words& w)
    {
        bool ok = w.size() == 5;
        lv.view = "\"Position\": [" + Num(N(w, 1, ok)) + ", " + Num(N(w, 3, ok)) +
                  ", 15], \"MinX\": " + Num(N(w, 1, ok)) + ", \"MaxX\": " + Num(N(w, 2, ok)) +
                  ", \"MinY\": " + Num(N(w, 3, ok)) + ", \"MaxY\": " + Num(N(w, 4, ok));
        return ok;
    };
    // object archetype x y scaleX scaleY [rotation] [{"Section": {...}, ...}]
    h["object"] = [](Level& lv, const Words& w)
    {
        const bool json = w.size() > 6 && w.back()[0] == '{';
        const size_t plain = w.size() - (json ? 1 : 0);
        bool ok = plain == 6 || plain == 7;
        const double rotation = plain == 7 ? N(w, 6, ok) : 0.0;
        lv.Add(w.size() > 1 ? w[1] : "", N(w, 2, ok), N(w, 3, ok), N(w, 4, ok), N(w, 5, ok),
               json ? w.back().substr(1, w.back().rfind('}') - 1) : "", rotation);
        return ok;
    };
}

std::string Camera(const Level& lv)
{
    if (!lv.view.empty()) return lv.view;
    const double minX = kViewHalfWidth - 0.5, maxX = lv.width - 0.5 - kViewHalfWidth;
    const double minY = kViewHalfHeight - 0.5, maxY = lv.height - 0.5 - kViewHalfHeight;
    return "\"Position\": [" + Num(minX) + ", " + Num(minY) + ", 15], \"MinX\": " + Num(minX) +
           ", \"MaxX\": " + Num(maxX) + ", \"MinY\": " + Num(minY) + ", \"MaxY\": " + Num(maxY);
}

bool WriteRecording(const Level& lv, const std::string& dataDir)
{
    const std::string path = dataDir + "/GameData/Record/" + lv.recording;
    std::ofstream out(path);
    out << "[\n";
    for (size_t i = 0; i < lv.entries.size(); ++i)
        out << "    " << lv.entries[i] << (i + 1 < lv.entries.size() ? ",\n" : "\n");
    out << "]\n";
    return static_cast<bool>(out) || Fail(path, "cannot write");
}

bool WriteLevel(const Level& lv, const std::string& mapName, const std::string& dataDir)
{
    std::vector<std::string> objects = lv.objects;
    if (lv.kit)
    {
        objects.push_back("{\"Name\": \"Curtain.json\"}");
        for (const char* m : kMenus) objects.push_back(std::string("{\"Name\": \"") + m + "\"}");
        for (const char* m : kHud) objects.push_back(std::string("{\"Name\": \"") + m + "\"}");
    }
    std::ostringstream js;
    js << "{\n    \"Name\": " << Quote(lv.name) << ",\n    \"Map\": " << Quote(mapName)
       << ",\n    \"Camera\": {" << Camera(lv) << "},\n    \"GameObjects\": [\n";
    for (size_t i = 0; i < objects.size(); ++i)
        js << "        " << objects[i] << (i + 1 < objects.size() ? ",\n" : "\n");
    js << "    ]\n}\n";
    const std::string path = dataDir + "/GameData/Levels/" + lv.name;
    std::ofstream out(path);
    out << js.str();
    if (!out) return Fail(path, "cannot write");
    if (!lv.recording.empty() && !WriteRecording(lv, dataDir)) return false;
    if (lv.pages.empty()) return true;
    const std::string textPath = dataDir + "/GameData/Dialog/" + lv.file + ".txt";
    std::ofstream text(textPath);
    for (const std::string& p : lv.pages)
        text << p << "\n" << Num(kPagePerChar * p.size()) << " " << Num(kPageHeight) << "\n";
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
    AddEnemyHandlers(handlers);
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
    std::string line, js = "[";
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        js += (js.size() > 1 ? ", " : "") + Quote(line);
    }
    if (js.size() == 1) return Fail(listPath, "names no level");
    const std::string path = dataDir + "/System/LevelList.json";
    std::ofstream out(path);
    out << js << "]\n";
    return static_cast<bool>(out) || Fail(path, "cannot write");
}
