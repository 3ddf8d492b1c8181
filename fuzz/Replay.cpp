// fuzz_replay DIR: runs every file of DIR/<Target>/ through that fuzz target once, as the fuzzer
// would, so each input a fuzzer ever found stays a regression case of the normal suite.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzSupport.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::printf("usage: fuzz_replay DIR\n");
        return 2;
    }
    int ran = 0, unknown = 0;
    for (const fs::directory_entry& dir : fs::directory_iterator(argv[1]))
    {
        if (!dir.is_directory()) continue;
        Fuzz::Target target = Fuzz::Find(dir.path().filename().string());
        if (!target)
        {
            std::printf("fuzz_replay: %s: no such target\n", dir.path().string().c_str());
            ++unknown;
            continue;
        }
        for (const fs::directory_entry& file : fs::directory_iterator(dir.path()))
        {
            std::ifstream in(file.path(), std::ios::binary);
            std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
            std::printf("fuzz_replay: %s\n", file.path().string().c_str());
            target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++ran;
        }
    }
    std::printf("fuzz_replay: %d inputs replayed\n", ran);
    return unknown == 0 && ran > 0 ? 0 : 1;
}
