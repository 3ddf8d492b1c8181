#pragma once
#include "Report.h"

#include <rapidjson/document.h>

#include <string>
#include <vector>

// Parses a JSON file; reports and returns false when it is missing or broken.
bool LoadJson(const std::string& path, rapidjson::Document& doc, Report& rep);
bool FileExists(const std::string& path);
std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext);
// Number of lines of a text file, or -1 when it cannot be read.
int CountLines(const std::string& path);
