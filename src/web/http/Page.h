#pragma once
#include <string_view>
#include <vector>

namespace tc {

// The page's files, built into the program from src/web/page/: no outside
// scripts, styles or fonts.
struct PageFile {
    const char* path;  // "/", "/page.js", ...
    const char* type;
    std::string_view body;
};
const std::vector<PageFile>& pageFiles();

}  // namespace tc
