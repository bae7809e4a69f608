#include "verbs/rule.hpp"

#include "content/places.hpp"
#include "game.hpp"

namespace tarvilon::rules {
namespace {

bool passes(const Test& t, const World& w) {
    switch (t.on) {
        case Test::On::Focus:
            return w.focus == t.text;
        case Test::On::Word:
            return w.objectWord == t.text;
        case Test::On::Level:
            return w.level == t.number;
        case Test::On::Flag:
            return w.flag(static_cast<Flag>(t.index)) == t.number;
        case Test::On::Slot:
            return w.slot(static_cast<Slot>(t.index)) == t.text;
    }
    return false;
}

bool passes(const All& all, const World& w) {
    for (std::size_t i = 0; i < all.count; ++i)
        if (!passes(all.tests[i], w)) return false;
    return true;
}

void apply(const Effect& e, Game& game) {
    World& w = game.world();
    switch (e.what) {
        case Effect::Do::Say:
            w.focus = e.text;
            break;
        case Effect::Do::Describe:
            w.description = content::kPlaceDescriptions.at(static_cast<std::size_t>(e.number - 1));
            break;
        case Effect::Do::SetFlag:
            w.setFlag(static_cast<Flag>(e.index), e.number);
            break;
        case Effect::Do::Put:
            w.setSlot(static_cast<Slot>(e.index), e.text);
            break;
        case Effect::Do::Health:
            w.health += e.number;
            break;
        case Effect::Do::Level:
            w.level = e.number;
            break;
        case Effect::Do::Caption:
            w.shootCaption = e.text;
            break;
        case Effect::Do::Show:
            game.show(static_cast<Window>(e.index));
            break;
        case Effect::Do::Enable:
            game.enable(static_cast<Window>(e.index));
            break;
        case Effect::Do::DisableMain:
            game.disableMain();
            break;
    }
}

}  // namespace

bool holds(const Condition& c, const World& w) {
    for (std::size_t i = 0; i < c.count; ++i)
        if (passes(c.any[i], w)) return true;
    return false;
}

void run(std::span<const Row> table, Game& game) {
    for (const Row& r : table) {
        if (!holds(r.when, game.world())) continue;
        for (std::size_t i = 0; i < r.effectCount; ++i) apply(r.effects[i], game);
    }
}

}  // namespace tarvilon::rules
