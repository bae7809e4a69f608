// Prints the layout tables as JSON, as the browser page gets them from its module: for the
// tests that drive the desktop program from outside and find its controls through the tables.

#include <cstdio>
#include <string>

#include "layout_json.hpp"

int main() {
    const std::string json = tarvilon::layout::toJson();
    return std::fwrite(json.data(), 1, json.size(), stdout) == json.size() ? 0 : 1;
}
