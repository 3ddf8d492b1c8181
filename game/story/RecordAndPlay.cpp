#include "game/story/RecordAndPlay.h"

#include <cstdio>

#include "engine/core/CameraManager.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/ResourceManager.h"
#include "game/DevKeys.h"
#include "game/GameNames.h"

namespace
{
struct KeyBit
{
    const char* key;
    uint32_t bit;
};
// The order keys are looked at when recording.
const KeyBit kRecordedKeys[] = {
    {"A", kRecA},
    {"D", kRecD},
    {"W", kRecW},
    {"S", kRecS},
    {"Left Shift", kRecLeftShift},
    {"Left Ctrl", kRecLeftCtrl},
    {"R", kRecR},
    {"F", kRecF},
    {"Space", kRecSpace},
};

uint32_t Step()
{
    return FrameRateController::Get().frameBudgetMs;
}
} // namespace

RecordAndPlay::RecordAndPlay(GameObject* owner) : Component(owner, kCompRecordAndPlay) {}

RecordAndPlay::~RecordAndPlay()
{
    if (recording) StopRecording();
}

bool RecordAndPlay::Deserialize(const JsonView& value)
{
    playList.clear();
    nextPlay = 1;
    nextRecord = 1;
    bool flag = false;
    if (value.Read("Record", flag))
    {
        recordRead_ = flag;
        if (flag && !recording) StartRecording();
    }
    JsonView list = value["PlayList"];
    if (list.Valid() && !list.IsArray()) list.Warn("expected an array of record file names");
    for (size_t i = 0; i < list.Size(); ++i)
    {
        std::string name = list.At(i).AsString("");
        if (!name.empty()) playList.push_back(name);
    }
    flag = false;
    value.Read("AutoPlay", flag);
    if (flag && nextPlay <= playList.size())
    {
        LogPrintf("%s\n", playList[nextPlay - 1].c_str());
        StartPlaying();
    }
    value.Read("Jump", jump);
    value.Read("EndJump", endJump);
    return true;
}

bool RecordAndPlay::Serialize(JsonWriter& writer) const
{
    writer.Key("RecordAndPlay");
    writer.StartObject();
    writer.Key("Jump");
    writer.Bool(jump);
    // A save made mid-recording must not start a recording of its own when it is loaded.
    writer.Key("Record");
    writer.Bool(recordRead_);
    writer.Key("AutoPlay");
    writer.Bool(playing);
    writer.Key("EndJump");
    writer.Bool(endJump);
    writer.Key("PlayList");
    writer.StartArray();
    for (const std::string& name : playList) writer.String(name);
    writer.EndArray();
    writer.EndObject();
    return true;
}

void RecordAndPlay::HandleEvent(Event* event)
{
    if (!event) return;
    if (event->type == kEventStartPlayback && nextPlay <= playList.size()) StartPlaying();
    if (event->type == kEventLevelEnd && recording) StopRecording();
}

void RecordAndPlay::StartRecording()
{
    recordTime = 0;
    recordPath_ = FreeRecordName(nextRecord);
    writer_ = std::make_unique<RecordWriter>();
    recording = true;
    writer_->Marker(recordTime);
    ++nextRecord;
}

void RecordAndPlay::StopRecording()
{
    if (!recording) return;
    recording = false;
    if (!writer_) return;
    writer_->Marker(recordTime);
    writer_->Finish(Files::DataPath(recordPath_));
    writer_.reset();
}

bool RecordAndPlay::StartPlaying()
{
    if (nextPlay > playList.size()) return false;
    const std::string path = kRecordFolder + playList[nextPlay - 1];
    ++nextPlay;
    const rapidjson::Document* doc = ResourceManager::Get().GetDocument(path);
    std::vector<RecordEntry> read;
    if (!doc || !ReadRecord(JsonView(doc, ResourceManager::Get().KeepName(path)), path, read))
    {
        if (!doc) LogLine("record: %s: missing or not JSON; playback refused", path.c_str());
        return false;
    }
    entries.swap(read);
    playTime = 0;
    playIndex = 0;
    playing = true;
    return true;
}

void RecordAndPlay::Update()
{
    if (DevKeyActs(DevKeys::kRecord) && !recording) StartRecording();
    if (DevKeyActs(DevKeys::kStopRecord) && recording) StopRecording();
    if (DevKeyActs(DevKeys::kPlayNext) && nextPlay <= playList.size())
    {
        aimPoint = glm::vec3(0.0f);
        heldKeys = mouseButtons = 0;
        StartPlaying();
    }
    if (playing) PlayStep();
    if (recording) RecordStep();
}

void RecordAndPlay::SkipCheck()
{
    InputManager& in = InputManager::Get();
    bool skip = in.IsKeyTriggered("Escape") || in.IsKeyTriggered("Space") ||
                in.IsKeyTriggered("Return") || in.rightPressed || in.leftPressed ||
                (in.controllerConnected && in.IsButtonDown("A"));
    if (skip) EventManager::Get().PostEvent(kEventLevelEnd);
}

void RecordAndPlay::PlayStep()
{
    pressedKeys = releasedKeys = mouseButtons = 0;
    if (jump) SkipCheck();
    // entries holds at least the two markers (ReadRecord refuses anything shorter).
    if (playIndex + 1 < entries.size() && entries[playIndex + 1].time <= playTime)
    {
        ++playIndex;
        if (playIndex + 1 < entries.size())
        {
            const RecordEntry& e = entries[playIndex];
            pressedKeys = e.pressed;
            releasedKeys = e.released;
            mouseButtons = e.mouse;
            aimPoint.x = e.x;
            aimPoint.y = e.y;
            heldKeys = (heldKeys | e.pressed) & ~e.released;
        }
        else
        {
            playing = false;
            if (jump) EventManager::Get().PostEvent(kEventLevelEnd);
            if (endJump) EventManager::Get().PostEvent(kEventLevelEnd);
        }
    }
    playTime += Step();
}

void RecordAndPlay::RecordStep()
{
    InputManager& in = InputManager::Get();
    RecordEntry e;
    e.time = recordTime;
    for (const KeyBit& k : kRecordedKeys)
    {
        if (in.IsKeyTriggered(k.key)) e.pressed |= k.bit;
        if (in.IsKeyReleased(k.key)) e.released |= k.bit;
    }
    if (in.rightPressed) e.mouse |= kMouseRight;
    if (in.leftPressed) e.mouse |= kMouseLeft;
    if (e.pressed || e.released || e.mouse)
    {
        // Without a camera there is no view to turn the mouse into a world point.
        if (CameraManager::Get().GetCurrentCamera())
        {
            glm::vec3 p = in.GetMouseWorldPosition();
            e.x = p.x;
            e.y = p.y;
        }
        if (writer_) writer_->Entry(e);
    }
    recordTime += Step();
}
