#include "output/pdf_colour_operators.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

bool isWhite(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c) {
    return std::strchr("()<>[]{}/%", c) != nullptr;
}

struct Token {
    qsizetype start = 0;
    qsizetype end = 0;
    bool number = false;
};

// A number as PDF writes one: digits with at most one point, perhaps signed.
bool isNumber(QByteArrayView text) {
    if (text.startsWith('+') || text.startsWith('-'))
        text = text.sliced(1);
    int digits = 0;
    int points = 0;
    for (const char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

// Where the token starting at `at` ends: strings and comments run by their own rules, so that
// no operator is seen inside them.
qsizetype tokenEnd(const QByteArray& content, qsizetype at) {
    const qsizetype size = content.size();
    const char c = content[at];
    if (c == '(') {
        int depth = 0;
        for (qsizetype i = at; i < size; ++i) {
            if (content[i] == '\\')
                ++i;
            else if (content[i] == '(')
                ++depth;
            else if (content[i] == ')' && --depth == 0)
                return i + 1;
        }
        return size;
    }
    if (c == '%') {
        const qsizetype line = content.indexOf('\n', at);
        return line < 0 ? size : line;
    }
    if (c == '<' || c == '>') {
        if (at + 1 < size && content[at + 1] == c)
            return at + 2;
        if (c == '>')
            return at + 1;
        const qsizetype close = content.indexOf('>', at);
        return close < 0 ? size : close + 1;
    }
    if (std::strchr("[]{}", c))
        return at + 1;
    qsizetype end = at + 1;
    while (end < size && !isWhite(content[end]) && !isDelimiter(content[end]))
        ++end;
    return end;
}

} // namespace

std::optional<QByteArray> withGreysAsGrey(const QByteArray& content) {
    QByteArray result;
    result.reserve(content.size());
    qsizetype copied = 0;
    // The last four tokens, the newest last.
    std::array<Token, 4> recent{};
    int seen = 0;
    for (qsizetype at = 0; at < content.size();) {
        if (isWhite(content[at])) {
            ++at;
            continue;
        }
        const qsizetype end = tokenEnd(content, at);
        const QByteArrayView text(content.constData() + at, end - at);
        if (text == "BI")
            return std::nullopt;
        const bool stroke = text == "SCN";
        if ((stroke || text == "scn") && seen >= 3 && recent[1].number && recent[2].number &&
            recent[3].number && !(seen >= 4 && recent[0].number)) {
            const auto component = [&](int i) {
                return content.mid(recent[i].start, recent[i].end - recent[i].start);
            };
            const QByteArray red = component(1), green = component(2), blue = component(3);
            result += content.mid(copied, recent[1].start - copied);
            if (red.toDouble() == green.toDouble() && red.toDouble() == blue.toDouble())
                result += red + (stroke ? " G" : " g");
            else
                result += red + ' ' + green + ' ' + blue + (stroke ? " RG" : " rg");
            copied = end;
        }
        std::rotate(recent.begin(), recent.begin() + 1, recent.end());
        recent[3] = {at, end, isNumber(text)};
        ++seen;
        at = end;
    }
    result += content.mid(copied);
    return result;
}
