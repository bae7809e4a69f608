// tarvilon_explorer: prints every reachable state's verdict for a person to read.
// With --check it prints the same and exits 1 if an invariant breaks or a dead end has a cause
// that is not one of the game's known ones.

#include <cstdio>
#include <cstring>
#include <iostream>

#include "explorer.hpp"

int main(int argc, char** argv) {
    const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
    if (argc > 2 || (argc == 2 && !check)) {
        std::cerr << "usage: tarvilon_explorer [--check]\n";
        return 2;
    }
    const auto e = tarvilon::explorer::explore();
    std::cout << tarvilon::explorer::report(e);
    if (!check) return 0;
    bool ok = true;
    if (e.violationCount != 0) {
        std::cout << "\nCHECK FAILED: " << e.violationCount << " invariant violations\n";
        ok = false;
    }
    if (!e.onlyKnownDeadEnds()) {
        std::cout << "\nCHECK FAILED: a dead end with an unknown cause\n";
        ok = false;
    }
    if (e.shortestGame.actions.empty()) {
        std::cout << "\nCHECK FAILED: \"Конец...\" cannot be reached\n";
        ok = false;
    }
    if (ok) std::cout << "\nCHECK PASSED\n";
    return ok ? 0 : 1;
}
