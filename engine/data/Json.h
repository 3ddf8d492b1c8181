// Json: the one checked way the game reads and writes JSON.
//
// Every read goes through JsonView, which checks the type before touching the value, so no
// RapidJSON assertion can be reached from data. A key that is present with the wrong shape is
// reported once as "<module>: <file>: "<key>": <what>" and the caller's default stays.
#pragma once

#include <cstddef>
#include <string>

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

using JsonWriter = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

// Files larger than this are refused before parsing: the largest shipped file is a few dozen
// kilobytes, so anything past 16 MB is damage or a runaway tool, not content.
constexpr size_t kMaxJsonBytes = 16u * 1024u * 1024u;

// Parses text into doc with the iterative parser, so deeply nested input cannot exhaust the
// stack. Returns false and fills error ("offset N: reason") when the text is not JSON.
bool ParseJson(const std::string& text, rapidjson::Document& doc, std::string* error);

// Replaces each byte of text that is not part of valid UTF-8 with '?', so the fonts, the
// writer and the player see well-formed text. True when anything was replaced.
bool RepairUtf8(std::string& text);

// A pretty writer with the game's house style (4-space indent).
void InitJsonWriter(JsonWriter& writer);
// The text `write(writer)` makes with such a writer.
template <typename Write> std::string JsonText(Write&& write)
{
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    InitJsonWriter(writer);
    write(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}
// Writes "key": [v0, v1, ...] with each float widened to double.
void WriteNumbers(JsonWriter& writer, const char* key, const float* values, int count);
// v truncated to an int, held to int's range (NaN gives 0): a float read from data may hold any
// value, and converting one outside the range is undefined.
int ClampToInt(double v);

class JsonView
{
  public:
    JsonView() = default;
    JsonView(const rapidjson::Value* value, const char* file, const char* key = "");

    bool Valid() const { return value_ != nullptr; }
    bool IsObject() const { return value_ && value_->IsObject(); }
    bool IsArray() const { return value_ && value_->IsArray(); }
    bool IsString() const { return value_ && value_->IsString(); }
    bool IsNumber() const { return value_ && value_->IsNumber(); }
    bool IsBool() const { return value_ && value_->IsBool(); }

    // Member access: an invalid view when this is not an object or lacks the key.
    bool Has(const char* key) const;
    JsonView operator[](const char* key) const;
    // Array access: 0 / an invalid view when this is not an array or i is out of range.
    size_t Size() const;
    JsonView At(size_t i) const;

    // Conversions of this value; def when the type does not fit (reported when warn is set).
    float AsFloat(float def, bool warn = true) const;
    int AsInt(int def, bool warn = true) const;
    bool AsBool(bool def, bool warn = true) const;
    std::string AsString(const std::string& def, bool warn = true) const;

    // Reads of a member into out. Absent: false, out untouched, silent.
    // Present with the wrong type: false, out untouched, one warning. Otherwise true.
    bool Read(const char* key, float& out) const;
    bool Read(const char* key, double& out) const;
    bool Read(const char* key, int& out) const;
    bool Read(const char* key, bool& out) const;
    bool Read(const char* key, std::string& out) const;
    // An array of at least `count` numbers into out[0..count). Shorter or mistyped: rejected whole.
    bool ReadFloats(const char* key, float* out, size_t count) const;
    // The first `count` elements of this array into out. False when this is not an array of at
    // least count elements (silent), or at the first element that is not a number in float range
    // (reported with `warning`; out is then partly written).
    bool ReadElements(float* out, size_t count, const char* warning) const;

    void Warn(const char* what) const;
    const char* File() const { return file_ ? file_ : "?"; }
    // The path from the document's root ("GameObjects[3].Sprite"), cut with "..." when deeper
    // than the view holds.
    const char* Key() const { return key_; }
    const rapidjson::Value* Raw() const { return value_; }

  private:
    // The path lives in the view itself: loading a level walks tens of thousands of views, and a
    // heap string per step cost more than the reads it names.
    static constexpr size_t kKeyCapacity = 112;
    JsonView Child(const rapidjson::Value* value, const char* separator, const char* name,
                   const char* closer) const;
    void Append(const char* text);

    const rapidjson::Value* value_ = nullptr;
    const char* file_ = nullptr;
    size_t keyLength_ = 0;
    char key_[kKeyCapacity] = {};
};
