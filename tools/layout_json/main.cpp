// Prints the layout tables as JSON, as the browser page gets them from its module: for the
// tests that drive the desktop program from outside and find its controls through the tables,
// and for the test of the JSON itself. An argument names a language (po/LINGUAS): its texts
// are then that catalog's.

#include <cstdio>
#include <string>

#include "catalog.hpp"
#include "catalogs.hpp"
#include "layout_json.hpp"

int main(int argc, char** argv) {
    const tarvilon::layout::Catalog catalog(argc > 1 ? tarvilon::catalogs::mo(argv[1]) : "");
    const std::string json = tarvilon::layout::toJson(catalog);
    return std::fwrite(json.data(), 1, json.size(), stdout) == json.size() ? 0 : 1;
}
