#include "JsonFiles.h"

#include <rapidjson/error/en.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

bool LoadJson(const std::string& path, rapidjson::Document& doc, Report& rep)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        rep.Error(path, "", "missing file");
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    doc.Parse(text.c_str());
    if (doc.HasParseError())
    {
        rep.Error(path, "",
                  std::string("parse error at offset ") + std::to_string(doc.GetErrorOffset()) +
                      ": " + rapidjson::GetParseError_En(doc.GetParseError()));
        return false;
    }
    return true;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(std::filesystem::u8path(dir), ec), end;
         !ec && it != end; it.increment(ec))
    {
        const std::string n = it->path().filename().u8string();
        if (n.size() > ext.size() && n.compare(n.size() - ext.size(), ext.size(), ext) == 0)
            out.push_back(n);
    }
    std::sort(out.begin(), out.end());
    return out;
}

int CountLines(const std::string& path)
{
    std::ifstream in(path);
    if (!in) return -1;
    int n = 0;
    std::string line;
    while (std::getline(in, line)) ++n;
    return n;
}
