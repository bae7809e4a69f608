#include "world/world.hpp"

#include "content/texts.hpp"

namespace tarvilon {

std::string numberText(std::int64_t value) {
    return std::to_string(value);
}

World::World() : shootCaption(text::kDigCaption) {}

}  // namespace tarvilon
