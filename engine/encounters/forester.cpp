#include "encounters/forester.hpp"

namespace tarvilon {

void Forester::ask(ForesterLine line) {
    switch (line) {
        case ForesterLine::WhoAreYou:
            answer = forester::kNameAnswer;
            break;
        case ForesterLine::Settlement:
            answer = forester::kSettlementAnswer;
            break;
        case ForesterLine::ComeWithMe:
            answer = forester::kComeWithMeAnswer;
            break;
        case ForesterLine::SeeYou:
            answer = forester::kSeeYouAnswer;
            break;
        case ForesterLine::Bye:
            break;
    }
}

}  // namespace tarvilon
