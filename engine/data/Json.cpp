#include "engine/data/Json.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <rapidjson/error/en.h>

#include "engine/core/Log.h"

bool ParseJson(const std::string& text, rapidjson::Document& doc, std::string* error)
{
    if (text.size() > kMaxJsonBytes)
    {
        if (error) *error = "file too large";
        doc.SetNull();
        return false;
    }
    // Not kParseStopWhenDoneFlag: anything but white space after the value ("[] []", a file
    // half overwritten by a longer one) makes the whole file malformed.
    doc.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
    if (doc.HasParseError())
    {
        if (error)
            *error = "offset " + std::to_string(doc.GetErrorOffset()) + ": " +
                     rapidjson::GetParseError_En(doc.GetParseError());
        doc.SetNull();
        return false;
    }
    return true;
}

namespace
{
// Length of the UTF-8 sequence starting at p (at most n bytes there), or 0 when it is not one:
// overlong forms, surrogates and code points past U+10FFFF are refused too.
size_t Utf8Sequence(const unsigned char* p, size_t n)
{
    if (p[0] < 0x80) return 1;
    size_t len = p[0] >= 0xC2 && p[0] <= 0xDF   ? 2
                 : p[0] >= 0xE0 && p[0] <= 0xEF ? 3
                 : p[0] >= 0xF0 && p[0] <= 0xF4 ? 4
                                                : 0;
    if (len == 0 || len > n) return 0;
    for (size_t i = 1; i < len; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    if (p[0] == 0xE0 && p[1] < 0xA0) return 0; // overlong
    if (p[0] == 0xED && p[1] > 0x9F) return 0; // surrogate
    if (p[0] == 0xF0 && p[1] < 0x90) return 0; // overlong
    if (p[0] == 0xF4 && p[1] > 0x8F) return 0; // past U+10FFFF
    return len;
}
} // namespace

bool RepairUtf8(std::string& text)
{
    bool changed = false;
    auto* p = reinterpret_cast<unsigned char*>(&text[0]);
    for (size_t i = 0; i < text.size();)
    {
        size_t len = Utf8Sequence(p + i, text.size() - i);
        if (len > 0)
        {
            i += len;
            continue;
        }
        p[i++] = '?';
        changed = true;
    }
    return changed;
}

void InitJsonWriter(JsonWriter& writer)
{
    writer.SetIndent(' ', 4);
}

void WriteNumbers(JsonWriter& writer, const char* key, const float* values, int count)
{
    writer.Key(key);
    writer.StartArray();
    for (int i = 0; i < count; ++i) writer.Double(values[i]);
    writer.EndArray();
}

int ClampToInt(double v)
{
    if (!(v == v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

JsonView::JsonView(const rapidjson::Value* value, const char* file, const char* key)
    : value_(value), file_(file)
{
    Append(key ? key : "");
}

// Appends text to the path; a path that would not fit ends in "..." and takes nothing more.
void JsonView::Append(const char* text)
{
    const size_t room = kKeyCapacity - 1;
    if (keyLength_ == room) return;
    size_t n = std::strlen(text);
    if (keyLength_ + n < room)
    {
        std::memcpy(key_ + keyLength_, text, n);
        keyLength_ += n;
    }
    else
    {
        std::memcpy(key_ + keyLength_, text, room - 3 - std::min(keyLength_, room - 3));
        std::memcpy(key_ + room - 3, "...", 3);
        keyLength_ = room;
    }
    key_[keyLength_] = '\0';
}

JsonView JsonView::Child(const rapidjson::Value* value, const char* separator, const char* name,
                         const char* closer) const
{
    JsonView child = *this;
    child.value_ = value;
    child.Append(separator);
    child.Append(name);
    child.Append(closer);
    return child;
}

bool JsonView::Has(const char* key) const
{
    return IsObject() && value_->FindMember(key) != value_->MemberEnd();
}

JsonView JsonView::operator[](const char* key) const
{
    const char* separator = keyLength_ ? "." : "";
    if (!IsObject()) return Child(nullptr, separator, key, "");
    auto it = value_->FindMember(key);
    return Child(it == value_->MemberEnd() ? nullptr : &it->value, separator, key, "");
}

size_t JsonView::Size() const
{
    return IsArray() ? value_->Size() : 0;
}

JsonView JsonView::At(size_t i) const
{
    char index[24];
    std::snprintf(index, sizeof index, "%zu", i);
    const rapidjson::Value* element = nullptr;
    if (IsArray() && i < value_->Size()) element = &(*value_)[static_cast<rapidjson::SizeType>(i)];
    return Child(element, "[", index, "]");
}

void JsonView::Warn(const char* what) const
{
    LogDataWarning("data", File(), key_, what);
}

float JsonView::AsFloat(float def, bool warn) const
{
    if (IsNumber())
    {
        double d = value_->GetDouble();
        if (std::fabs(d) <= FLT_MAX) return static_cast<float>(d);
        if (warn) Warn("number out of range");
        return def;
    }
    if (warn && value_) Warn("expected a number");
    return def;
}

int JsonView::AsInt(int def, bool warn) const
{
    if (value_ && value_->IsInt()) return value_->GetInt();
    if (IsNumber())
    {
        double d = value_->GetDouble();
        if (d >= INT_MIN && d <= INT_MAX) return static_cast<int>(d);
        if (warn) Warn("integer out of range");
        return def;
    }
    if (warn && value_) Warn("expected an integer");
    return def;
}

bool JsonView::AsBool(bool def, bool warn) const
{
    if (IsBool()) return value_->GetBool();
    if (warn && value_) Warn("expected true or false");
    return def;
}

std::string JsonView::AsString(const std::string& def, bool warn) const
{
    if (IsString())
    {
        std::string text(value_->GetString(), value_->GetStringLength());
        if (RepairUtf8(text) && warn) Warn("not valid UTF-8; the bad bytes read as '?'");
        return text;
    }
    if (warn && value_) Warn("expected a string");
    return def;
}

namespace
{
template <typename T, typename Conv>
bool ReadMember(const JsonView& self, const char* key, T& out, bool (JsonView::*is)() const,
                Conv conv)
{
    JsonView v = self[key];
    if (!v.Valid()) return false;
    if (!(v.*is)())
    {
        v.Warn("wrong type; keeping the default");
        return false;
    }
    out = conv(v);
    return true;
}
} // namespace

bool JsonView::Read(const char* key, float& out) const
{
    JsonView v = (*this)[key];
    if (!v.Valid()) return false;
    // AsFloat reports a wrong type or a value beyond float range and then gives back `out`.
    const bool fits = v.IsNumber() && std::fabs(v.Raw()->GetDouble()) <= FLT_MAX;
    out = v.AsFloat(out);
    return fits;
}

bool JsonView::Read(const char* key, double& out) const
{
    return ReadMember(*this, key, out, &JsonView::IsNumber,
                      [](const JsonView& v) { return v.Raw()->GetDouble(); });
}

bool JsonView::Read(const char* key, int& out) const
{
    JsonView v = (*this)[key];
    if (!v.Valid()) return false;
    if (!v.IsNumber())
    {
        v.Warn("expected an integer; keeping the default");
        return false;
    }
    double d = v.Raw()->GetDouble();
    if (d < INT_MIN || d > INT_MAX)
    {
        v.Warn("integer out of range; keeping the default");
        return false;
    }
    out = v.AsInt(out);
    return true;
}

bool JsonView::Read(const char* key, bool& out) const
{
    return ReadMember(*this, key, out, &JsonView::IsBool,
                      [](const JsonView& v) { return v.Raw()->GetBool(); });
}

bool JsonView::Read(const char* key, std::string& out) const
{
    return ReadMember(*this, key, out, &JsonView::IsString,
                      [](const JsonView& v) { return v.AsString(""); });
}

bool JsonView::ReadFloats(const char* key, float* out, size_t count) const
{
    JsonView v = (*this)[key];
    if (!v.Valid()) return false;
    if (v.Size() < count)
    {
        v.Warn(("expected an array of " + std::to_string(count) + " numbers; keeping the default")
                   .c_str());
        return false;
    }
    float tmp[16];
    if (count > 16 || !v.ReadElements(tmp, count, "expected a number; keeping the default"))
        return false;
    for (size_t i = 0; i < count; ++i) out[i] = tmp[i];
    return true;
}

bool JsonView::ReadElements(float* out, size_t count, const char* warning) const
{
    if (!IsArray() || value_->Size() < count) return false;
    for (size_t i = 0; i < count; ++i)
    {
        // Raw access: a view per element would build a path per number, and meshes have many.
        const rapidjson::Value& e = (*value_)[static_cast<rapidjson::SizeType>(i)];
        if (!e.IsNumber() || std::fabs(e.GetDouble()) > FLT_MAX)
        {
            At(i).Warn(warning);
            return false;
        }
        out[i] = static_cast<float>(e.GetDouble());
    }
    return true;
}
