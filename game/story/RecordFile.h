// RecordFile: the record file format of cutscene recordings, reading and writing.
//
// A record file is one JSON array of entries [time, pressed, released, mouse, x, y]: time in
// milliseconds since the recording started, three bit masks of what went down or up in that
// frame, and the mouse point in world units. The first entry is [0,0,0,0,0,0] and the last, the
// end marker, is the stop time with five zeros.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/Json.h"

struct RecordEntry
{
    uint32_t time = 0;
    uint32_t pressed = 0, released = 0, mouse = 0;
    float x = 0.0f, y = 0.0f;
};

constexpr const char* kRecordFolder = "GameData/Record/";

// "GameData/Record/Record<n>.json" for the first n from `from` on whose file does not exist yet.
// `from` comes back as that n.
std::string FreeRecordName(uint32_t& from);

// Checks a parsed record document and copies its entries. False, with a line naming `name`,
// when it is not an array of at least two entries of six numbers with times that never go back.
bool ReadRecord(const JsonView& doc, const std::string& name, std::vector<RecordEntry>& out);

// Builds a record file in memory; Finish writes it whole, crash-safe.
class RecordWriter
{
  public:
    RecordWriter();
    ~RecordWriter();
    void Marker(uint32_t time);
    void Entry(const RecordEntry& e);
    // Closes the array and writes the file through a temp file; false (reported) on failure.
    bool Finish(const std::string& path);

  private:
    struct Text;
    std::unique_ptr<Text> text_;
};
