// StoryFixtures: data roots for the story tests. Art, fonts, sounds, shaders, maps, archetypes
// and dialog files are the shipped ones (linked); levels, the level list and the record folder
// are the test's own.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace StoryFixtures
{
using LevelSet = std::vector<std::pair<std::string, std::string>>; // name, "GameObjects" items

// A level on the shipped Level1 map with the given objects (a JSON list's inside).
std::string LevelOnLevel1Map(const std::string& name, const std::string& objects);
// The level list is "MainMenu.json" (an empty level) followed by the given levels, then
// "Last.json".
std::filesystem::path MakeRoot(const std::string& tag, const LevelSet& levels);
// A "Name"/"OverWrite" level entry placing an archetype.
std::string Entry(const std::string& archetype, const std::string& overwrite = "{}");
// The shipped player at (x, y) with the given "RecordAndPlay" section.
std::string Hero(float x, float y, const std::string& record = "{}");
} // namespace StoryFixtures
