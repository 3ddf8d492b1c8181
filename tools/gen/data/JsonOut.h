// Building and writing the generated JSON files with RapidJSON: objects are built as values and
// written pretty-printed with four spaces, arrays of plain values (a position, a map row, a
// recording entry) kept on one line.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include <rapidjson/document.h>

namespace gen
{
using Json = rapidjson::Value;
using JsonAlloc = rapidjson::MemoryPoolAllocator<>;

// A number rounded to four significant digits (the generator's precision for positions and
// sizes), written as an integer when it is one.
Json Num(double v);
Json Str(const std::string& s, JsonAlloc& a);
Json NumArray(std::initializer_list<double> values, JsonAlloc& a);

// An object built member by member: JsonObject(a).Add("Name", ...).Add(...).
class JsonObject
{
  public:
    explicit JsonObject(JsonAlloc& a) : alloc_(a), value_(rapidjson::kObjectType) {}
    JsonObject& Add(const char* key, Json value);
    JsonObject& Add(const char* key, const std::string& text);
    JsonObject& Add(const char* key, const char* text) { return Add(key, std::string(text)); }
    JsonObject& Add(const char* key, double number) { return Add(key, Num(number)); }
    JsonObject& Add(const char* key, int number) { return Add(key, Json(number)); }
    JsonObject& Add(const char* key, bool flag) { return Add(key, Json(flag)); }
    // Copies every member of another object in (a section given as JSON in a layout).
    JsonObject& Merge(const Json& other);
    Json Take() { return std::move(value_); }

  private:
    JsonAlloc& alloc_;
    Json value_;
};

// Parses a JSON text into a value held by the allocator; false (value null) when it is not JSON.
bool ParseJsonText(const std::string& text, Json& out, JsonAlloc& a);
// Writes the value to the file (a line feed at the end); false when the file cannot be written.
bool WriteJsonFile(const std::string& path, const Json& value);
} // namespace gen
