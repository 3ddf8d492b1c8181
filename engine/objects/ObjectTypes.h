// ObjectTypes: object type numbers, their names and the draw layer each lives in.
#pragma once

#include <array>
#include <map>
#include <string>

enum ObjectType
{
    kTypeNone = 0,
    kTypePlayer = 1,
    kTypeBox = 2,
    kTypeAlarm = 3,
    kTypeDefault = 4,
    kTypeMap = 5,
    kTypeHud = 6,
    kTypeGuard = 7,
    kTypePokeBall = 8,
    kTypeGuardFov = 9,
    kTypeBackground = 10,
    kTypeMenu = 11,
    kTypeDecorate = 12,
    kTypeBackDecorate = 13,
    kTypeDeadPool = 14,
    kTypeMovingFloor = 15,
    kTypeEmp = 16,
    kTypeEmpCharger = 17,
    kTypeEmpUpgrade = 18,
    kTypePocketBallCharger = 19,
    kTypeDialog = 20,
    kTypeDialogTrigger = 21,
    kTypeCurtain = 22,
    kTypeHideBox = 23,
    kTypeRobot = 24,
    kTypePokeBallUpgrade = 25,
    kTypeMenuJumper = 26,
    kTypeAimBox = 27,
    kTypeBossFov = 28,
    kTypeBoss = 29,
};

constexpr int kTypeCount = 30;

// Draw layers; 8 to 10 are screen layers.
enum Layer
{
    kLayerBackground = 0,
    kLayerBackDecorate = 1,
    kLayerMap = 2,
    kLayerHideBox = 3,
    kLayerPlayer = 4,
    kLayerGameplay = 5,
    kLayerDecorate = 6,
    kLayerSpare = 7,
    kLayerHud = 8,
    kLayerMenu = 9,
    kLayerCurtain = 10,
};

constexpr int kLayerCount = 11;
constexpr std::array<int, kLayerCount> kLayerSlots = {20,  100, 2500, 200, 1, 200,
                                                      100, 100, 40,   50,  10};

struct TypeTables
{
    std::map<std::string, int> typeNumbers;          // name -> number (unknown names add 0)
    std::array<std::string, kTypeCount> typeNames{}; // number -> name ("" where none)
    std::array<int, kTypeCount> typeLayers{};        // number -> layer

    TypeTables();
    // The number for a type name; a name not in the table is added with number 0.
    int Number(const std::string& name);
    // The layer for a number; numbers outside the table live in layer 0.
    int LayerOf(int type) const;
};
