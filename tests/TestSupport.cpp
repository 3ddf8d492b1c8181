#include "tests/TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

fs::path TestSupport::MakeTempDir(const std::string& tag)
{
    std::random_device rd;
    fs::path dir = fs::temp_directory_path() / ("bellrun-" + tag + "-" + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

void TestSupport::WriteText(const fs::path& root, const std::string& relative, const std::string& text)
{
    fs::path p = root / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string TestSupport::ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

fs::path TestSupport::ShippedData() { return fs::path(BELLRUN_SOURCE_DIR) / "data"; }
