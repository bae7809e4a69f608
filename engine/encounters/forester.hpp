#pragma once

#include <string_view>

namespace tarvilon {

// The player's lines in the forester dialogue, named by their labels' order on the window.
enum class ForesterLine {
    WhoAreYou,
    Settlement,
    ComeWithMe,
    SeeYou,
    Bye,  // closes the window
};

namespace forester {
inline constexpr std::string_view kWhoAreYou = "Кто ты и как тебя зовут?";
inline constexpr std::string_view kSettlement = "Здесь поблизости есть какое-нибудь поселение?";
inline constexpr std::string_view kComeWithMe = "Ты можешь мне пригодиться, пойдём со мной!";
inline constexpr std::string_view kSeeYou = "До встрече!";
inline constexpr std::string_view kBye = "Пока!";

inline constexpr std::string_view kNameAnswer =
    "Я лесник, Орвандо. Хотя моё имя врятли о чём либо говорит";
inline constexpr std::string_view kSettlementAnswer =
    "Конечно есть, вон указатель дороги. Только не остовайся там на долго... Догадываешся "
    "почему?";
inline constexpr std::string_view kComeWithMeAnswer =
    "Нет.Ты что! Я здесь с 15 лет, это мой дом и я никуда не пойду от сюда.";
inline constexpr std::string_view kSeeYouAnswer = "Ещё ,я надеюсь, увидимся!";
}  // namespace forester

// The forester's window keeps one thing: his last answer, empty until first asked.
struct Forester {
    std::string_view answer{};

    // Answers a question; "Пока!" is the window protocol's business, not the forester's.
    void ask(ForesterLine line);

    friend bool operator==(const Forester&, const Forester&) = default;
};

}  // namespace tarvilon
