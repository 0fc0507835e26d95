#include "Parameter_Split.h"

namespace vo {

namespace {

bool Is_Separator(char C) {
    return C == ' ' || C == '\t' || C == '\n';
}

bool Escapable_In_Double_Quotes(char C) {
    return C == '$' || C == '`' || C == '"' || C == '\\' || C == '\n';
}

} // namespace

std::optional<std::vector<std::string>> Split_Parameter_Text(std::string_view Text) {
    std::vector<std::string> Words;
    std::string Word;
    bool In_Word = false;
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
        const char C = Text[Pos++];
        if (Is_Separator(C)) {
            if (In_Word)
                Words.push_back(std::move(Word));
            Word.clear();
            In_Word = false;
            continue;
        }
        if (C == '\\') {
            if (Pos >= Text.size())
                return std::nullopt;
            // A backslash before a line end joins the lines.
            if (Text[Pos] != '\n') {
                Word += Text[Pos];
                In_Word = true;
            }
            ++Pos;
            continue;
        }
        In_Word = true;
        if (C == '\'') {
            const std::size_t Close = Text.find('\'', Pos);
            if (Close == std::string_view::npos)
                return std::nullopt;
            Word.append(Text.substr(Pos, Close - Pos));
            Pos = Close + 1;
        } else if (C == '"') {
            for (;;) {
                if (Pos >= Text.size())
                    return std::nullopt;
                const char Q = Text[Pos++];
                if (Q == '"')
                    break;
                if (Q == '\\' && Pos < Text.size() && Escapable_In_Double_Quotes(Text[Pos])) {
                    if (Text[Pos] != '\n')
                        Word += Text[Pos];
                    ++Pos;
                } else {
                    Word += Q;
                }
            }
        } else {
            Word += C;
        }
    }
    if (In_Word)
        Words.push_back(std::move(Word));
    return Words;
}

} // namespace vo
