#include "settings/ParseLapTimeText.h"

namespace {

// The digits of text[from, from + count) as a number; 0 when a character is missing or not a digit.
std::int32_t Piece(QStringView text, qsizetype from, qsizetype count) {
    std::int32_t value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        if (i >= text.size() || !text[i].isDigit())
            return 0;
        value = value * 10 + text[i].digitValue();
    }
    return value;
}

bool DigitsAt(QStringView text, std::initializer_list<qsizetype> positions) {
    for (qsizetype i : positions) {
        if (i >= text.size() || !text[i].isDigit())
            return false;
    }
    return true;
}

}  // namespace

std::int32_t ParseLapTimeText(QStringView text) {
    switch (text.size()) {
    case 7:
        return (Piece(text, 0, 1) * 60 + Piece(text, 2, 2)) * 100 + Piece(text, 5, 2);
    case 8:
        return (Piece(text, 0, 2) * 60 + Piece(text, 3, 2)) * 100 + Piece(text, 6, 2);
    case 5:
        return Piece(text, 0, 2) * 100 + Piece(text, 3, 2);
    default:
        if (text.size() < 5)
            return Piece(text, 0, 1) * 100 + Piece(text, 2, 2);
        return 0;
    }
}

bool IsClockLapTimeText(QStringView text) {
    switch (text.size()) {
    case 7:
        return text[1] == u':' && text[4] == u'.' && DigitsAt(text, {0, 2, 3, 5, 6});
    case 8:
        return text[2] == u':' && text[5] == u'.' && DigitsAt(text, {0, 1, 3, 4, 6, 7});
    case 5:
        return text[2] == u'.' && DigitsAt(text, {0, 1, 3, 4});
    case 4:
        return text[1] == u'.' && DigitsAt(text, {0, 2, 3});
    default:
        return false;
    }
}
