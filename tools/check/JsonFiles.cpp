#include "JsonFiles.h"

#include <rapidjson/error/en.h>

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

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
    struct stat st
    {
    };
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext)
{
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.c_str()))
    {
        while (dirent* e = readdir(d))
        {
            const std::string n = e->d_name;
            if (n.size() > ext.size() && n.compare(n.size() - ext.size(), ext.size(), ext) == 0)
                out.push_back(n);
        }
        closedir(d);
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
