#include "data/JsonOut.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

namespace gen
{
namespace
{
using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

bool IsPlain(const Json& v)
{
    return !v.IsObject() && !v.IsArray();
}

bool AllPlain(const Json& array)
{
    for (const Json& item : array.GetArray())
        if (!IsPlain(item)) return false;
    return true;
}

void Write(Writer& w, const Json& v)
{
    if (v.IsObject())
    {
        w.StartObject();
        for (const auto& m : v.GetObject())
        {
            w.Key(m.name.GetString(), m.name.GetStringLength());
            Write(w, m.value);
        }
        w.EndObject();
    }
    else if (v.IsArray())
    {
        const bool oneLine = AllPlain(v);
        w.StartArray();
        if (oneLine) w.SetFormatOptions(rapidjson::kFormatSingleLineArray);
        for (const Json& item : v.GetArray()) Write(w, item);
        w.EndArray();
        w.SetFormatOptions(rapidjson::kFormatDefault);
    }
    else
    {
        v.Accept(w);
    }
}
} // namespace

Json Num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", v);
    const double rounded = std::strtod(buf, nullptr);
    if (rounded == std::floor(rounded) && std::fabs(rounded) < 2e9)
        return Json(static_cast<int>(rounded));
    return Json(rounded);
}

Json Str(const std::string& s, JsonAlloc& a)
{
    return Json(s.c_str(), static_cast<rapidjson::SizeType>(s.size()), a);
}

Json NumArray(std::initializer_list<double> values, JsonAlloc& a)
{
    Json out(rapidjson::kArrayType);
    for (double v : values) out.PushBack(Num(v), a);
    return out;
}

JsonObject& JsonObject::Add(const char* key, Json value)
{
    value_.AddMember(Str(key, alloc_), value, alloc_);
    return *this;
}

JsonObject& JsonObject::Add(const char* key, const std::string& text)
{
    return Add(key, Str(text, alloc_));
}

JsonObject& JsonObject::Merge(const Json& other)
{
    if (!other.IsObject()) return *this;
    for (const auto& m : other.GetObject())
    {
        Json copy(m.value, alloc_);
        auto found = value_.FindMember(m.name);
        if (found != value_.MemberEnd())
            found->value = copy;
        else
            value_.AddMember(Json(m.name, alloc_), copy, alloc_);
    }
    return *this;
}

bool ParseJsonText(const std::string& text, Json& out, JsonAlloc& a)
{
    rapidjson::Document doc(&a);
    doc.Parse(text.c_str(), text.size());
    if (doc.HasParseError()) return out.SetNull(), false;
    out.CopyFrom(doc, a);
    return true;
}

bool WriteJsonFile(const std::string& path, const Json& value)
{
    rapidjson::StringBuffer buffer;
    Writer w(buffer);
    w.SetIndent(' ', 4);
    Write(w, value);
    std::ofstream out(path, std::ios::binary);
    out << buffer.GetString() << "\n";
    if (!out) std::fprintf(stderr, "%s: cannot write\n", path.c_str());
    return static_cast<bool>(out);
}
} // namespace gen
