// Consistency checks over the shipped data folder.
#pragma once
#include "Report.h"

#include <string>

void CheckArchetypes(const std::string& data, Report& rep);
void CheckMapsAndLevels(const std::string& data, Report& rep);
void CheckSystemFiles(const std::string& data, Report& rep);
void CheckMedia(const std::string& data, Report& rep);
// Dialog and record files, play lists, dialog triggers and curtains.
void CheckStoryFiles(const std::string& data, Report& rep);
// Guards, cameras, thrown items, pick-ups, hiding spots and HUD bars, and what they spawn.
void CheckStealthFiles(const std::string& data, Report& rep);
// Robot and boss-vision sections; boss levels hold two cones and a camera.
void CheckEnemies(const std::string& data, Report& rep);
