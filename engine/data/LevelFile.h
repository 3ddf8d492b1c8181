// LevelFile: building the running level from a level document, and writing it back.
#pragma once

#include <string>

#include "engine/data/Json.h"

// Builds map, camera and objects into the (already emptied) managers.
void LoadLevelDocument(const JsonView& doc);
// Writes "Name", "Map", "Camera" and "GameObjects" into an open object.
void SerializeLevel(JsonWriter& writer);
// The running level as a whole pretty-printed document.
std::string LevelText();
// The running level as a whole document at path (written safely: temp file, then rename).
bool WriteLevelFile(const std::string& path);
// Whether a document can replace the running level: a level document whose objects all exist.
bool ValidateLevelDocument(const JsonView& doc, std::string& why);
