#include "game/story/RecordFile.h"

#include <cstdio>
#include <filesystem>
#include <set>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"

namespace
{
constexpr size_t kFields = 6;

bool Refuse(const std::string& name, const std::string& why)
{
    LogLine("record: %s: %s; playback refused", name.c_str(), why.c_str());
    return false;
}

bool ReadEntry(const JsonView& e, RecordEntry& out)
{
    if (!e.IsArray() || e.Size() != kFields) return false;
    for (size_t i = 0; i < kFields; ++i)
        if (!e.At(i).IsNumber()) return false;
    const rapidjson::Value* v = e.Raw();
    for (size_t i = 0; i < 4; ++i)
        if (!(*v)[static_cast<rapidjson::SizeType>(i)].IsUint()) return false;
    out.time = (*v)[0].GetUint();
    out.pressed = (*v)[1].GetUint();
    out.released = (*v)[2].GetUint();
    out.mouse = (*v)[3].GetUint();
    out.x = static_cast<float>((*v)[4].GetDouble());
    out.y = static_cast<float>((*v)[5].GetDouble());
    return true;
}
} // namespace

std::string FreeRecordName(uint32_t& from)
{
    // Decimal numbers: the tenth file is Record10.json, never a name with a colon in it. A
    // recording reaches the disk only when it stops, so names handed out earlier in this run are
    // taken too, even when their files are not there yet.
    static std::set<std::string> handedOut;
    for (;; ++from)
    {
        std::string name = std::string(kRecordFolder) + "Record" + std::to_string(from) + ".json";
        if (Files::DataFileExists(name) || handedOut.count(name)) continue;
        handedOut.insert(name);
        return name;
    }
}

bool ReadRecord(const JsonView& doc, const std::string& name, std::vector<RecordEntry>& out)
{
    out.clear();
    if (!doc.IsArray()) return Refuse(name, "not an array of entries");
    if (doc.Size() < 2) return Refuse(name, "fewer than two entries");
    std::vector<RecordEntry> entries;
    entries.reserve(doc.Size());
    for (size_t i = 0; i < doc.Size(); ++i)
    {
        RecordEntry e;
        if (!ReadEntry(doc.At(i), e))
            return Refuse(name, "entry " + std::to_string(i) + " is not six numbers");
        if (!entries.empty() && e.time < entries.back().time)
            return Refuse(name, "entry " + std::to_string(i) + " goes back in time");
        entries.push_back(e);
    }
    out.swap(entries);
    return true;
}

struct RecordWriter::Text
{
    rapidjson::StringBuffer buffer;
    JsonWriter writer{buffer};
};

RecordWriter::RecordWriter() : text_(new Text)
{
    InitJsonWriter(text_->writer);
    text_->writer.StartArray();
}

RecordWriter::~RecordWriter() = default;

void RecordWriter::Marker(uint32_t time)
{
    JsonWriter& w = text_->writer;
    w.StartArray();
    w.Uint(time);
    for (int i = 0; i < 5; ++i) w.Uint(0);
    w.EndArray();
}

void RecordWriter::Entry(const RecordEntry& e)
{
    JsonWriter& w = text_->writer;
    w.StartArray();
    w.Uint(e.time);
    w.Uint(e.pressed);
    w.Uint(e.released);
    w.Uint(e.mouse);
    w.Double(static_cast<double>(e.x));
    w.Double(static_cast<double>(e.y));
    w.EndArray();
}

bool RecordWriter::Finish(const std::string& path)
{
    text_->writer.EndArray();
    std::error_code ignored;
    std::filesystem::create_directories(Files::NativePath(path).parent_path(), ignored);
    std::string bytes(text_->buffer.GetString(), text_->buffer.GetSize());
    bytes += '\n';
    return Files::WriteFileAtomic(path, bytes);
}
