// Collects problems found in the content; every line names the file (relative to the data root)
// and the key: `file: "key": problem`, or `file: problem` for the file as a whole.
#pragma once
#include <cstdio>
#include <string>
#include <utility>

class Report
{
  public:
    explicit Report(std::string root = std::string()) : root_(std::move(root)) {}

    void Error(const std::string& file, const std::string& key, const std::string& problem)
    {
        std::string name = file;
        if (!root_.empty() && name.compare(0, root_.size() + 1, root_ + "/") == 0)
            name = name.substr(root_.size() + 1);
        if (key.empty())
            std::printf("%s: %s\n", name.c_str(), problem.c_str());
        else
            std::printf("%s: \"%s\": %s\n", name.c_str(), key.c_str(), problem.c_str());
        ++errors_;
    }
    int Errors() const { return errors_; }

  private:
    std::string root_;
    int errors_ = 0;
};
