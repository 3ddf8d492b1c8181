// Collects problems found in the content; every line names the file and key.
#pragma once
#include <cstdio>
#include <string>

class Report
{
  public:
    void Error(const std::string& file, const std::string& what)
    {
        std::printf("ERROR %s: %s\n", file.c_str(), what.c_str());
        ++errors_;
    }
    int Errors() const { return errors_; }

  private:
    int errors_ = 0;
};
